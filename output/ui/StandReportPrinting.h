#pragma once

class QWidget;
class TFJHKSest;

// The stand report as the windows run it: the preview window "Prohlížení sestavy před tiskem" over
// the report, and failures (a missing template, database errors) in a message box.
namespace StandReportPrinting {

// Makes the report show in the preview window, its dialogs parented to `parent`.
void attachPreview(TFJHKSest& report, QWidget* parent);
// "Tisky" > "Tento porost" (after the caller's check that the summary is computed).
bool printStand(TFJHKSest& report, int key, QWidget* parent);
// "Tisky" > "Celá databáze".
bool printAllStands(TFJHKSest& report, QWidget* parent);

} // namespace StandReportPrinting
