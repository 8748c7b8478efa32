#pragma once

#include <QString>

// Where the program finds its files. A copy that keeps JHK.KRI beside the programs (the build
// tree, a portable copy) keeps its settings and its first database beside them too; an
// installed copy (<prefix>/bin with <prefix>/share/rivwood) keeps them in the user's XDG
// directories.
namespace ProgramPaths {

// Directory of the running program file, without a trailing separator.
QString ProgramDirectory();
// True when the programs in `programDirectory` are installed: no JHK.KRI beside them, but one in
// ../share/rivwood.
bool IsInstalled(const QString& programDirectory);

// The settings file for a program file: installed, $XDG_CONFIG_HOME/rivwood/Rivwood.INI;
// otherwise its path with the extension replaced by ".INI" when that directory is writable,
// else the user's file as for an installed copy.
QString SettingsFileFor(const QString& programFile);
QString SettingsFileFor(const QString& programFile, bool directoryWritable);
// The settings file of the main program "rivwood" in the program directory (shared by
// rivwood-cli, which runs beside it).
QString SettingsFile();

// Directory of JHK.KRI, JHK.HMO, the templates and the help: the program directory, or
// <prefix>/share/rivwood when the program is installed.
QString DataDirectory();
// The HTML help: help/ in a data directory.
QString HelpDirectory(const QString& dataDirectory);
// The sample stand and caliper files: ukazky/ in a data directory.
QString SamplesDirectory(const QString& dataDirectory);

// Where the database dialog starts at the first run: installed,
// $XDG_DATA_HOME/rivwood/databaze; otherwise the program directory.
QString DefaultDatabaseDirectory(const QString& programDirectory);
// Where file dialogs start when no folder was used before: the program directory of a portable
// copy, the home directory of an installed one (the program directory is not the user's).
QString WorkDirectory();
QString WorkDirectory(const QString& programDirectory);

} // namespace ProgramPaths
