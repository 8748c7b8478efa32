#pragma once

#include "CaliperAssignmentDialog.h"
#include "VaduzImport.h"

// "Data z registrační průměrky VADUZ": the Vaduz import window. The main window hands over the
// file name and the open stand and shows the window modally; showing it scans the file.
// Afterwards ImportHotov tells whether importedStand() holds the report's stand; the open stand is
// never touched.
class TPrumvad : public CaliperAssignmentDialog {
    Q_OBJECT
  public:
    explicit TPrumvad(QString settingsPath, QWidget* parent = nullptr);

    // The report to read, into the layout of the stand `current`.
    void SetFileName(const QString& fileName, const StandSession& current) {
        m_fileName = fileName;
        m_imported = current;
    }
    const QString& fileName() const { return m_fileName; }
    // Scans the file named last and fills the grid (also done by every showing).
    void ScanFile();

    bool ImportHotov() const { return m_import.ImportHotov(); }
    const StandSession& importedStand() const { return m_imported; }
    VaduzImport& import() { return m_import; }

  protected:
    void showEvent(QShowEvent* event) override;
    SpeciesAssignment& assignment() override { return m_import.assignment(); }
    SpeciesAssignment::Check checkOk() const override { return m_import.CheckOk(); }
    void saveCodes() override { m_import.SaveCodes(); }
    void runImport() override { m_imported = m_import.Import(m_imported); }

  private:
    StandSession m_imported;
    VaduzImport m_import;
    QString m_fileName;
};
