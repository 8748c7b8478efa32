#pragma once

#include "CaliperAssignmentDialog.h"
#include "VaduzImport.h"

// "Data z registrační průměrky VADUZ": the Vaduz import window. The main window hands over the
// file name and shows the window modally; showing it scans the file. Afterwards ImportHotov tells
// whether the stand was replaced.
class TPrumvad : public CaliperAssignmentDialog {
    Q_OBJECT
  public:
    TPrumvad(StandSession& session, QString settingsPath, QWidget* parent = nullptr);

    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    const QString& fileName() const { return m_fileName; }
    // Scans the file named last and fills the grid (also done by every showing).
    void ScanFile();

    bool ImportHotov() const { return m_import.ImportHotov(); }
    VaduzImport& import() { return m_import; }

  protected:
    void showEvent(QShowEvent* event) override;
    SpeciesAssignment& assignment() override { return m_import.assignment(); }
    SpeciesAssignment::Check checkOk() const override { return m_import.CheckOk(); }
    void saveCodes() override { m_import.SaveCodes(); }
    void runImport() override { m_import.Import(m_session); }

  private:
    StandSession& m_session;
    VaduzImport m_import;
    QString m_fileName;
};
