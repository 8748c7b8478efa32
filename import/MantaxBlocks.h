#pragma once

#include "TInfoData.h"

#include <QStringList>
#include <vector>

// Splitting a Mantax file of many stands into blocks, and converting them into one record list.
namespace MantaxBlocks {

// Record blocks run from a "$" line to "$9" (or to the end of the file); report blocks from a
// "LIST" line to the line before the next "LIST" or "$" line. Lines shorter than two characters
// are passed over.
std::vector<TInfoData> SplitBlocks(const QStringList& lines);

// Identities (record block: its first three lines; report block: the three lines after "LIST")
// and duplicates: of two neighbours with the same identity the earlier record block, or else the
// later block, is marked.
void MarkDuplicates(std::vector<TInfoData>& blocks, const QStringList& lines);

// Converts every block by its kind into the combined record list, each block ending with "$9",
// and points the blocks at their records there. Class counts above the limits are a RivwoodError.
QStringList ConvertBlocks(const QStringList& lines, std::vector<TInfoData>& blocks);

} // namespace MantaxBlocks
