#pragma once

#include "CaliperAssignmentDialog.h"
#include "MantaxImport.h"

#include <functional>

class StandSink;
class StandStore;

// "Data z registrační průměrky HAGLOV ": the Mantax import window. The main window hands over the
// file through PrepareSingleImport or PrepareBulkImport, shows the window modally and then takes
// importedStand() when ImportHotov (single stand), or bulkResult (bulk). The open stand is never
// touched: the main window puts the imported stand on the sheet.
class TPrumerka : public CaliperAssignmentDialog {
    Q_OBJECT
  public:
    explicit TPrumerka(QString settingsPath, QWidget* parent = nullptr);

    // Single-stand mode: reads and converts the file and fills the grid; the stand is read in the
    // layout of `current`, unless the file brings its own. A file that cannot be read or is
    // damaged shows its message and returns false (the grid is then empty).
    bool PrepareSingleImport(const QString& fileName, const StandSession& current);
    // Bulk mode: every stand of the file goes into the sink on OK, in `layout`.
    bool PrepareBulkImport(const QString& fileName, StandSink& sink, const ClassLayout& layout);
    // Bulk mode into the stand database, committed in chunks. OK ends with the number of stands
    // stored; an error says how many were stored before it.
    bool PrepareBulkImport(const QString& fileName, StandStore& store, const ClassLayout& layout);

    bool ImportHotov() const { return m_import.ImportHotov(); }
    // The stand read by the single-stand import.
    const StandSession& importedStand() const { return m_imported; }
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

    StandSession m_imported;
    MantaxImport m_import;
    BulkRunner m_bulkRun;
    BulkImportResult m_bulkResult;
};
