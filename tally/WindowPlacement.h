#pragma once

#include <QString>

class QWidget;

// Window positions in the settings file ("PracPlo", <short name>Leva / <short name>Horni).
namespace WindowPlacement {

// Moves the window to its stored position when the settings file exists and holds both keys as
// numbers; otherwise the window keeps the place the desktop gives it. True when moved.
bool Restore(QWidget* window, const QString& settingsFile, const char* shortName);
// Stores the position of a window that has one (it was shown, or placed from the settings). A
// settings file that cannot be written only loses the position.
void Save(const QWidget* window, const QString& settingsFile, const char* shortName);

} // namespace WindowPlacement
