#pragma once

#include "IniFile.h"

#include <QPoint>

// Window positions in the settings file: section "PracPlo", keys <short name>Leva and
// <short name>Horni. A position is read only when the settings file exists; a missing or
// non-numeric key keeps the current coordinate.
namespace WindowPosition {

QPoint Read(const IniFile& ini, const QString& shortName, QPoint current);
void Write(IniFile& ini, const QString& shortName, QPoint position);

} // namespace WindowPosition
