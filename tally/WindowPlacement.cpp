#include "WindowPlacement.h"

#include "IniFile.h"
#include "RivwoodError.h"
#include "WindowPosition.h"

#include <QWidget>
#include <climits>

namespace WindowPlacement {

bool Restore(QWidget* window, const QString& settingsFile, const char* shortName) {
    if (settingsFile.isEmpty())
        return false;
    const IniFile ini(settingsFile);
    if (!ini.exists())
        return false;
    const QPoint none(INT_MIN, INT_MIN);
    const QPoint p = WindowPosition::Read(ini, shortName, none);
    if (p.x() == INT_MIN || p.y() == INT_MIN)
        return false;
    window->move(p);
    window->setProperty("rivwoodPlaced", true);
    return true;
}

void Save(const QWidget* window, const QString& settingsFile, const char* shortName) {
    if (settingsFile.isEmpty())
        return;
    if (!window->windowHandle() && !window->property("rivwoodPlaced").toBool())
        return;
    try {
        IniFile ini(settingsFile);
        WindowPosition::Write(ini, shortName, window->pos());
    } catch (const RivwoodError&) {
    }
}

} // namespace WindowPlacement
