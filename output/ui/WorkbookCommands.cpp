#include "WorkbookCommands.h"

#include "FileDialog.h"
#include "MessageBox.h"
#include "StandSession.h"
#include "TFDoExcelu.h"
#include "TFFormOne.h"

#include <QApplication>
#include <QDir>
#include <QProgressDialog>

namespace WorkbookCommands {

namespace {

void informSaved(QWidget* parent, const QString& file) {
    if (!file.isEmpty())
        MessageBox::show(
            parent, {UserMessage::Information,
                     QStringLiteral("Sešit byl uložen do souboru\r%1").arg(QDir::toNativeSeparators(file))});
}

void useTemplateOf(TFDoExcelu& e, const QString& dataDirectory) {
    e.templateFile = QDir(dataDirectory).filePath(TFDoExcelu::TemplateName);
}

// The summary's sequence: fill, save, font.
void fillSaveFont(TFFormOne& window, StandDatabase& database, const StandSession& session, int key,
                  const QString& saveDirectory) {
    window.FillResultsSheet(1, database, key);
    window.SaveResultsWorkbook(saveDirectory, session.stand.code);
    window.SetWorkbookFont();
}

} // namespace

void ExportStand(StandDatabase& database, const StandSession& session, int key, const QString& dataDirectory,
                 QWidget* parent) {
    RunGuarded(parent, [&] {
        TFDoExcelu e(database);
        useTemplateOf(e, dataDirectory);
        e.SaveDialog1 = [parent](const QString& directory, const QString& proposed) {
            return FileDialog::getSaveFileName(parent, QStringLiteral("Export do sešitu"),
                                               QDir(directory).filePath(proposed),
                                               QStringLiteral("Excel|*.xlsx"));
        };
        informSaved(parent, e.ExportOneStand(key, session.stand, session.layout));
    });
}

void ExportAll(StandDatabase& database, const QString& dataDirectory, QWidget* parent) {
    RunGuarded(parent, [&] {
        TFDoExcelu e(database);
        useTemplateOf(e, dataDirectory);
        QProgressDialog progress(QStringLiteral("Export porostů do sešitu …"), QStringLiteral("Přerušit"), 0,
                                 0, parent);
        progress.setWindowTitle(QStringLiteral("Informace"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        e.Progress = [&](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            QApplication::processEvents();
            return !progress.wasCanceled();
        };
        informSaved(parent, e.ExportAllStands());
    });
}

void ResultsOfStand(StandDatabase& database, const StandSession& session, int key,
                    const QString& saveDirectory, QWidget* parent) {
    RunGuarded(parent, [&] {
        TFFormOne& window = TFFormOne::of(parent);
        ResultsWorkbook& book = window.F1Book1();
        book.ClearWorkbook();
        book.SetNumSheets(1);
        window.FillResultsSheet(1, database, key);
        window.SetWorkbookFont();
        window.SaveResultsWorkbook(saveDirectory, session.stand.code);
    });
}

void DoExcelu(StandDatabase& database, const StandSession& session, int key, const QString& saveDirectory,
              QWidget* parent) {
    RunGuarded(parent, [&] {
        TFFormOne& window = TFFormOne::of(parent);
        fillSaveFont(window, database, session, key, saveDirectory);
        window.show();
        window.raise();
    });
}

void VystupDoExcelu(StandDatabase& database, const StandSession& session, int key,
                    const QString& saveDirectory, QWidget* parent) {
    RunGuarded(parent, [&] { fillSaveFont(TFFormOne::of(parent), database, session, key, saveDirectory); });
}

} // namespace WorkbookCommands
