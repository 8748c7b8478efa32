#pragma once

class QWidget;
class TallyContext;

// The stand report of the main window, the summary and the reference window; a build without
// the report layer says so in a message box.
namespace StandReports {

// The report of one stand in the preview window.
bool PrintStand(TallyContext& context, QWidget* parent, int key);
// The report of every stand.
bool PrintAllStands(TallyContext& context, QWidget* parent);

} // namespace StandReports
