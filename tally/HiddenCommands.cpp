#include "HiddenCommands.h"

#include "IniFile.h"
#include "RivwoodError.h"
#include "SettingsKeys.h"

#include <QAction>
#include <QMenu>

namespace HiddenCommands {

namespace {

void showAll(const QList<QAction*>& actions, const std::vector<std::pair<QAction*, QKeySequence>>& keys) {
    for (QAction* a : actions) {
        if (!a->isVisible()) {
            a->setVisible(true);
            for (const auto& [action, key] : keys)
                if (action == a && a->shortcut().isEmpty())
                    // The key works through the window's own shortcut; the menu only shows it.
                    a->setText(a->text() + u'\t' + key.toString(QKeySequence::NativeText));
        }
        if (a->menu())
            showAll(a->menu()->actions(), keys);
    }
}

} // namespace

void ShowAllInNewSettings(const QString& settingsFile) {
    IniFile ini(settingsFile);
    if (settingsFile.isEmpty() || ini.exists())
        return;
    try {
        ini.WriteInteger(QLatin1String(SettingsKeys::Nabidka), QLatin1String(SettingsKeys::VsechnyPrikazy),
                         1);
    } catch (const IoError&) {
    }
}

bool Wanted(const QString& settingsFile) {
    return !settingsFile.isEmpty() &&
           IniFile(settingsFile)
                   .ReadInteger(QLatin1String(SettingsKeys::Nabidka),
                                QLatin1String(SettingsKeys::VsechnyPrikazy), 0) == 1;
}

void ShowWhenWanted(const QString& settingsFile, const QList<QAction*>& menuBar,
                    const std::vector<std::pair<QAction*, QKeySequence>>& keys) {
    if (Wanted(settingsFile))
        showAll(menuBar, keys);
}

} // namespace HiddenCommands
