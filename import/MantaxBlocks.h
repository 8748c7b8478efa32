#pragma once

#include "CaliperLines.h"
#include "TInfoData.h"

#include <QStringList>
#include <functional>
#include <vector>

// Splitting a Mantax file of many stands into blocks, and converting the blocks into records.
namespace MantaxBlocks {

// Record blocks run from a "$" line to "$9" (or to the end of the file); report blocks from a
// "LIST" line to the line before the next "LIST" or "$" line. Lines shorter than two characters
// are passed over. Each block gets its identity: for a record block its first three lines, for a
// report block the three lines after "LIST" (trimmed; lines beyond the file are empty).
std::vector<TInfoData> SplitBlocks(const CaliperLines& lines);
std::vector<TInfoData> SplitBlocks(const QStringList& lines);

// Of two neighbours with the same identity the earlier record block, or else the later block, is
// marked as a duplicate.
void MarkDuplicates(std::vector<TInfoData>& blocks);

// Converts every block by its kind, in file order, each ending with "$9", and tells each record
// with the index of its block; returning false ends the conversion. The running count of
// generated trees is shared by all blocks; class counts above the limits are a RivwoodError.
void ConvertBlocks(const CaliperLines& lines, const std::vector<TInfoData>& blocks,
                   const std::function<bool(size_t block, const QString& record)>& record);

} // namespace MantaxBlocks
