#pragma once

#include "CliCommand.h"
#include "StandDatabase.h"

// The database of --db for a command: an empty or incomplete directory gets its tables, as when
// the user answers the creation question with OK. A missing --db is a usage error. A command that
// stores stands creates a directory that does not exist yet (the window does so at the first
// start); a server address is used as it is.
enum class MissingDirectory { Refuse, Create };
void openCliDatabase(StandDatabase& db, const CliArgs& args,
                     MissingDirectory missing = MissingDirectory::Refuse);
// Makes a database directory that does not exist yet; a server address is left alone.
void createMissingDirectory(const QString& directory);
// A RivwoodError "Porost s klíčem K v databázi není." unless the database holds the stand.
void requireStand(StandDatabase& db, int key);
// The stand keys of repeated --key options, or every stand with --all (`all` gives them).
std::vector<int> keysOrAll(const CliArgs& args, const std::function<std::vector<int>()>& all);
