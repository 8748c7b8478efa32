#pragma once

#include <vector>

class QWidget;
class TallyContext;

// The commands over many stored stands: their computation with a progress window and a closing
// list of what was done, and their CSV export.
namespace StandBatchCommands {

// "Výpočet vybraných porostů" and "Výpočet nevypočtených porostů". The stand on the sheet is
// shown afresh when it was computed and has no unsaved edits. True when any stand was computed.
bool ComputeStands(TallyContext& context, QWidget* parent, const std::vector<int>& keys);
// All stored stands not yet computed or summarised.
bool ComputeStandsNotComputed(TallyContext& context, QWidget* parent);
// "Export do CSV": the save dialog, then the table of the stands.
bool ExportCsv(TallyContext& context, QWidget* parent, const std::vector<int>& keys);

} // namespace StandBatchCommands
