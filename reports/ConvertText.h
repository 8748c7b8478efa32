#pragma once

#include "TSestLanguage.h"

#include <QByteArray>
#include <QString>

// Bytes of a text in a target code page, for the text export. The 44 Czech and Slovak letters
// take their codes from the letter table (without diacritics for ASCII); other characters keep
// their code in the target code page when it has them, else a plain ASCII stand-in.
// slUndefined writes the program's own encoding, cp1250.
QByteArray ConvertText(const QString& text, TSestLanguage target);
