#pragma once

#include <QString>

class QWidget;
class StandDatabase;
class StandSession;

// The workbook commands of the main window's "Sestavy - excel" and of the summary window, with
// their dialogs and messages; the work is TFDoExcelu's and the results workbook's. Failures end
// the command in an error box.
namespace WorkbookCommands {

// The commands of one stand take the stand on display and its database key.

// "Export": the stand through the template, the file chosen in the save dialog in the database's
// "Sestavy" folder. `dataDirectory` holds Sablony/Rivwood.xltx.
void ExportStand(StandDatabase& database, const StandSession& session, int key, const QString& dataDirectory,
                 QWidget* parent);
// "Export vše": every computed stand into Sestavy/Rivwood.xlsx, with a progress window.
void ExportAll(StandDatabase& database, const QString& dataDirectory, QWidget* parent);
// "Sestavy - excel" > "Tento porost" (the caller has checked the summary): the results workbook
// cleared, filled, in "Arial CE", then offered for saving. The window is not shown.
void ResultsOfStand(StandDatabase& database, const StandSession& session, int key,
                    const QString& saveDirectory, QWidget* parent);
// The summary's "Do excelu": filled, offered for saving, the font set, and the window shown.
void DoExcelu(StandDatabase& database, const StandSession& session, int key, const QString& saveDirectory,
              QWidget* parent);
// The summary's "Výstup do excelu" (the caller has checked the summary): as "Do excelu" without
// showing the window.
void VystupDoExcelu(StandDatabase& database, const StandSession& session, int key,
                    const QString& saveDirectory, QWidget* parent);

} // namespace WorkbookCommands
