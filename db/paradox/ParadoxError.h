#pragma once

#include <QString>

// The errors of a damaged Paradox table or memo file, naming the file and where it is damaged.
namespace Paradox {

// "Soubor „…“ není tabulka Paradox nebo má poškozenou hlavičku: <detail>."
[[noreturn]] void FailHeader(const QString& file, const QString& detail);
// "Soubor „…“ je poškozen v bloku <n>: <detail>."
[[noreturn]] void FailBlock(const QString& file, qint64 block, const QString& detail);

} // namespace Paradox
