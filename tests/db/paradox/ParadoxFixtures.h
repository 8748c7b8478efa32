#pragma once

#include "ParadoxTable.h"

#include <QString>
#include <QVariant>
#include <vector>

using Rows = std::vector<std::vector<QVariant>>;

// A text value of a row, from UTF-8.
QVariant Text(const char* s);
// A memo of over 2 KiB with Czech letters (a block of its own in the memo file).
QString LongMemo();

// Rows of the older program's stand table: Czech text, a memo of over 2 KiB (a block of its own
// in the memo file), a short memo (a shared block), a one-letter memo (in the record), empty
// NUMERIC and INTEGER fields, a free key with every other field empty, negative numbers.
Rows StandRows();
// `count` rows of the class table, each different.
Rows ClassRows(int count);

// Every record of a table, every field read.
Rows ReadAll(ParadoxTable& table);
// The same, opening the file.
Rows ReadAll(const QString& path);
