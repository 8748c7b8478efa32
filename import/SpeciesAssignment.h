#pragma once

#include "UserMessage.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

// The assignment grid of the caliper imports: each caliper species code (column 0) with the
// program's species abbreviation chosen for it (column 1). Codes and abbreviations compare
// case-insensitively; assignments persist in the settings section "KodyDrevin".
class SpeciesAssignment {
  public:
    // Codes are listed cut to this many characters.
    static constexpr int MaxCodeLength = 10;

    struct Row {
        QString code;
        QString abbreviation;
    };

    // `offered` are the abbreviations the user may choose from (DrevZkratky by default).
    SpeciesAssignment();
    explicit SpeciesAssignment(QStringList offered);

    const QStringList& offered() const { return m_offered; }
    // The abbreviation in the list's own spelling, or an empty string when it is not offered.
    QString OfferedAbbreviation(const QString& text) const;

    static QString CutCode(const QString& code);

    // Replaces the rows by the codes (distinct, see SpeciesCodes), all unassigned.
    void SetCodes(const QStringList& codes);
    void Clear();
    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    const Row& row(int i) const { return m_rows[size_t(i)]; }
    QStringList codes() const;

    // Column 1 of a row; an offered abbreviation is stored in the list's spelling.
    void SetAbbreviation(int row, const QString& abbreviation);
    // Assigns by code; false when the code is not listed.
    bool Assign(const QString& code, const QString& abbreviation);
    // Row of a code (cut to MaxCodeLength, case-insensitive), or -1.
    int IndexOfCode(const QString& code) const;
    // The trimmed abbreviation assigned to a code, empty when the code is unknown or unassigned.
    QString AbbreviationOf(const QString& code) const;

    // Fills column 1 from "KodyDrevin" of the settings file (when it exists); with
    // matchAbbreviations a code that is itself an offered abbreviation takes that abbreviation.
    void FillFromSettings(const QString& settingsPath, bool matchAbbreviations);
    // Writes code = abbreviation for every row where both are filled; creates the file.
    void SaveToSettings(const QString& settingsPath) const;

    enum class Check { Ok, Empty, Unassigned, Duplicate };
    // The OK button's checks: no codes, a row without an offered abbreviation, and (unless
    // several codes may share a species) one abbreviation in two rows.
    Check CheckAssignments(bool allowShared) const;
    static UserMessage MessageFor(Check check);

  private:
    QStringList m_offered;
    std::vector<Row> m_rows;
    QHash<QString, int> m_rowOfCode; // case-folded code → row
};
