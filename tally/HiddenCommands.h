#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <utility>
#include <vector>

class QAction;

// The commands the main window's menu keeps hidden (reading data files, the caliper imports, the
// summary, printing, two workbook commands) shown in the menu as well when the settings file asks
// for it: [Nabidka] VsechnyPrikazy=1. By default they stay hidden and are reached by their keys.
namespace HiddenCommands {

// At the first start, while there is no settings file yet: creates it asking for every command in
// the menu, so a new installation offers printing, the exports and the imports. An existing file
// without the key keeps the menu as it was; a file that cannot be written changes nothing.
void ShowAllInNewSettings(const QString& settingsFile);
// Whether the settings file asks for every command in the menu.
bool Wanted(const QString& settingsFile);
// When Wanted: shows every hidden item under the menu bar's actions (commands, submenus and
// separators) and writes the key of a shown command beside its caption. `keys` are the keys the
// window gives hidden commands.
void ShowWhenWanted(const QString& settingsFile, const QList<QAction*>& menuBar,
                    const std::vector<std::pair<QAction*, QKeySequence>>& keys);

} // namespace HiddenCommands
