#pragma once

#include "CaliperAssignmentDialog.h"
#include "MantaxImport.h"

#include <functional>

class StandSink;
class StandStore;

// "Data z registrační průměrky HAGLOV ": the Mantax import window. The main window hands over the
// file through PrepareSingleImport or PrepareBulkImport, shows the window modally and then tests
// ImportHotov (single stand) or bulkResult (bulk).
class TPrumerka : public CaliperAssignmentDialog {
    Q_OBJECT
  public:
    TPrumerka(StandSession& session, QString settingsPath, QWidget* parent = nullptr);

    // Single-stand mode: reads and converts the file and fills the grid. A file that cannot be
    // read or is damaged shows its message and returns false (the grid is then empty).
    bool PrepareSingleImport(const QString& fileName);
    // Bulk mode: every stand of the file goes into the sink on OK; the open stand is not touched.
    bool PrepareBulkImport(const QString& fileName, StandSink& sink);
    // Bulk mode into the stand database, committed in chunks. OK ends with the number of stands
    // stored; an error says how many were stored before it.
    bool PrepareBulkImport(const QString& fileName, StandStore& store);

    bool ImportHotov() const { return m_import.ImportHotov(); }
    const BulkImportResult& bulkResult() const { return m_bulkResult; }
    MantaxImport& import() { return m_import; }

  protected:
    SpeciesAssignment& assignment() override { return m_import.assignment(); }
    SpeciesAssignment::Check checkOk() const override { return m_import.CheckOk(); }
    void saveCodes() override { m_import.SaveCodes(); }
    void runImport() override;

  private:
    using BulkRunner = std::function<BulkImportResult(const BulkProgress&)>;
    bool prepare(const std::function<void()>& read);

    StandSession& m_session;
    MantaxImport m_import;
    BulkRunner m_bulkRun;
    BulkImportResult m_bulkResult;
};
