#pragma once

#include <QString>

// Where the program finds its files: the program directory, the settings file, the reference
// files and the help.
namespace ProgramPaths {

// Directory of the running program file, without a trailing separator.
QString ProgramDirectory();
// The settings file for a program file: its path with the extension replaced by ".INI" when that
// directory is writable, otherwise $XDG_CONFIG_HOME/rivwood/Rivwood.INI.
QString SettingsFileFor(const QString& programFile);
QString SettingsFileFor(const QString& programFile, bool directoryWritable);
// The settings file of the main program "rivwood" in the program directory (shared by
// rivwood-cli, which runs beside it).
QString SettingsFile();
// Directory of JHK.KRI, JHK.HMO, the templates and the help: the program directory, or
// <prefix>/share/rivwood when the program is installed.
QString DataDirectory();
QString HelpFile();

} // namespace ProgramPaths
