#pragma once

#include "CliCommand.h"
#include "StandDatabase.h"

// The database of --db for a command: an empty or incomplete directory gets its tables, as when
// the user answers the creation question with OK. A missing --db is a usage error.
void openCliDatabase(StandDatabase& db, const CliArgs& args);
// The stand keys of repeated --key options, or every stand with --all (`all` gives them).
std::vector<int> keysOrAll(const CliArgs& args, const std::function<std::vector<int>()>& all);
