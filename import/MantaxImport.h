#pragma once

#include "CaliperLines.h"
#include "MantaxBulkImport.h"
#include "MantaxReader.h"
#include "SpeciesAssignment.h"
#include "StandSession.h"
#include "TInfoData.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The Mantax import behind the HAGLOV caliper window: one stand of a file into the current stand,
// or every stand of a file into the database. Prepare reads and converts the file and fills the
// assignment; the window edits the assignment; the import then runs on OK, reading the file
// again. A file is read line by line in each pass and never held in memory whole.
class MantaxImport {
  public:
    enum class Mode { Single, Bulk };

    explicit MantaxImport(QString settingsPath = {}) : m_settingsPath(std::move(settingsPath)) {}

    void setSettingsPath(const QString& path) { m_settingsPath = path; }
    const QString& settingsPath() const { return m_settingsPath; }

    // Single-stand mode: reads and converts the file and lists the codes of its first stand. An
    // unreadable or damaged file, or one with too many codes (SpeciesCodes), is a RivwoodError and
    // leaves the import empty.
    void PrepareSingleImport(const QString& fileName);
    void PrepareSingleImportLines(const QStringList& lines);
    // Bulk mode: splits the file into stand blocks, converts them all and lists every code.
    void PrepareBulkImport(const QString& fileName);
    void PrepareBulkImportLines(const QStringList& lines);

    Mode mode() const { return m_mode; }
    MantaxKind kind() const { return m_kind; }
    // The prepared file's lines and, in bulk mode, its blocks (line ranges of the file).
    const CaliperLines& lines() const { return m_lines; }
    const std::vector<TInfoData>& blocks() const { return m_blocks; }
    SpeciesAssignment& assignment() { return m_assignment; }
    const SpeciesAssignment& assignment() const { return m_assignment; }
    // The class layout a class-total report sets in single-stand mode (width 1 to 4 and a
    // smallest centre below 1000), applied when the stand is imported.
    std::optional<ClassLayout> fileLayout() const { return m_fileLayout; }

    // The OK checks; in bulk mode several codes may share one species.
    SpeciesAssignment::Check CheckOk() const { return m_assignment.CheckAssignments(m_mode == Mode::Bulk); }
    // "Uložit kódy dřev.".
    void SaveCodes() const { m_assignment.SaveToSettings(m_settingsPath); }

    // Single-stand mode after OK: the first stand of the file, in the file's class layout when it
    // has one, else in the layout of `current`, whose designation it keeps; ImportHotov set. A
    // failure is an error and leaves ImportHotov false.
    [[nodiscard]] StandSession ImportSingle(const StandSession& current);
    // Bulk mode after OK: every block that is not a duplicate becomes a new stand in the store;
    // the session's stand is not touched.
    BulkImportResult ImportBulk(StandSink& store, const ClassLayout& layout,
                                const BulkProgress& progress = {}) const;

    bool ImportHotov() const { return m_importHotov; }

  private:
    void reset(Mode mode);
    void prepareSingle(const CaliperLines& lines);
    void prepareBulk(const CaliperLines& lines);
    void fillAssignment(const QStringList& codes);

    QString m_settingsPath;
    Mode m_mode = Mode::Single;
    MantaxKind m_kind = MantaxKind::Empty;
    CaliperLines m_lines;
    std::vector<TInfoData> m_blocks;
    SpeciesAssignment m_assignment;
    std::optional<ClassLayout> m_fileLayout;
    bool m_importHotov = false;
};
