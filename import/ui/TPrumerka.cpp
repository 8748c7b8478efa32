#include "TPrumerka.h"

#include "RivwoodError.h"
#include "SettingsKeys.h"

#include "DatabaseStandSink.h"

#include <QApplication>
#include <QProgressDialog>

TPrumerka::TPrumerka(QString settingsPath, QWidget* parent)
    : CaliperAssignmentDialog(settingsPath, SettingsKeys::PrumerkaHaglov, parent), m_import(settingsPath) {
    setObjectName("TPrumerka");
    setWindowTitle("Data z registrační průměrky HAGLOV ");
    fillGrid();
}

bool TPrumerka::prepare(const std::function<void()>& read) {
    m_bulkRun = {};
    m_bulkResult = {};
    bool ok = true;
    try {
        read();
    } catch (const RivwoodError& e) {
        showMessage({UserMessage::Error, e.message()});
        ok = false;
    }
    fillGrid();
    return ok;
}

bool TPrumerka::PrepareSingleImport(const QString& fileName, const StandSession& current) {
    m_imported = current;
    return prepare([&] { m_import.PrepareSingleImport(fileName); });
}

bool TPrumerka::PrepareBulkImport(const QString& fileName, StandSink& sink, const ClassLayout& layout) {
    const bool ok = prepare([&] { m_import.PrepareBulkImport(fileName); });
    m_bulkRun = [this, &sink, layout](const BulkProgress& progress) {
        return m_import.ImportBulk(sink, layout, progress);
    };
    return ok;
}

bool TPrumerka::PrepareBulkImport(const QString& fileName, StandStore& store, const ClassLayout& layout) {
    const bool ok = prepare([&] { m_import.PrepareBulkImport(fileName); });
    m_bulkRun = [this, &store, layout](const BulkProgress& progress) {
        return MantaxBulkImport::ImportIntoDatabase(m_import.lines(), m_import.blocks(),
                                                    m_import.assignment(), layout, store, progress);
    };
    return ok;
}

void TPrumerka::runImport() {
    if (m_import.mode() == MantaxImport::Mode::Single) {
        m_imported = m_import.ImportSingle(m_imported);
        return;
    }
    if (!m_bulkRun)
        throw RivwoodError("Hromadné načítání nemá kam porosty uložit.");
    QProgressDialog progress("Načítání porostů do databáze", "Přerušit", 0, 1, this);
    progress.setObjectName("bulkProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    m_bulkResult = m_bulkRun([&progress](int done, int total) {
        progress.setMaximum(std::max(total, 1));
        progress.setValue(done);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    showMessage(MantaxBulkImport::ClosingMessage(m_bulkResult));
}
