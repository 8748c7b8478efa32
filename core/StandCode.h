#pragma once

#include <QString>

// The 68-character stand code: river (20), bank (2), river kilometre (16) and action name (30),
// each trimmed, left-justified, cut or padded with spaces.
struct StandCodeParts {
    QString river, bank, riverKm, action;
};

QString MakeStandCode(const QString& river, const QString& bank, const QString& riverKm,
                      const QString& action);
// Splits at the same widths; parts beyond the end of a shorter text are empty. Parts are trimmed.
StandCodeParts SplitStandCode(const QString& code);
