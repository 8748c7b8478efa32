#pragma once

#include "CaliperLines.h"
#include "SpeciesAssignment.h"
#include "StandSession.h"

#include <QString>
#include <QStringList>

// The Vaduz import behind the VADUZ caliper window: scanning a report for its species codes and,
// after the assignment, reading it into the current stand.
class VaduzImport {
  public:
    explicit VaduzImport(QString settingsPath = {}) : m_settingsPath(std::move(settingsPath)) {}

    void setSettingsPath(const QString& path) { m_settingsPath = path; }
    const QString& settingsPath() const { return m_settingsPath; }

    // Reads the report and lists the codes of its trees of 8 cm or more; column 1 from
    // "KodyDrevin" (with matchAbbreviations also codes that are themselves abbreviations). A file
    // that cannot be read is an IoError and leaves the import empty. The file is read line by
    // line, here and again by Import.
    void ScanFile(const QString& fileName, bool matchAbbreviations = false);
    void ScanLines(const QStringList& lines, bool matchAbbreviations = false);

    SpeciesAssignment& assignment() { return m_assignment; }
    const SpeciesAssignment& assignment() const { return m_assignment; }

    SpeciesAssignment::Check CheckOk() const { return m_assignment.CheckAssignments(false); }
    void SaveCodes() const { m_assignment.SaveToSettings(m_settingsPath); }

    // After OK: the report's stand in the layout of `current`, whose designation it keeps;
    // ImportHotov set. A failure is an error and leaves ImportHotov false.
    [[nodiscard]] StandSession Import(const StandSession& current);
    bool ImportHotov() const { return m_importHotov; }

  private:
    QString m_settingsPath;
    void clear();
    void scan(const CaliperLines& lines, bool matchAbbreviations);

    CaliperLines m_lines;
    SpeciesAssignment m_assignment;
    bool m_importHotov = false;
};
