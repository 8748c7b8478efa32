#pragma once

#include <QStringList>

// `showplate --info FILE`: prints the version fields of FILE ("-" reads standard input) as JSON on
// stdout. Returns the exit code: 0, or 2 for a malformed command line. Needs no display.
int runInfoCommand(const QStringList& arguments);
