#include "SpeciesAssignment.h"

#include "ImportMessages.h"
#include "IniFile.h"
#include "SettingsKeys.h"
#include "SpeciesTables.h"
#include "TextUtils.h"

#include <QSet>

namespace {

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A code that an INI key cannot hold unchanged is not written to the settings file.
bool storableKey(const QString& code) {
    return !code.contains('=') && !code.startsWith('[') && !code.startsWith(';') && !code.startsWith('#') &&
           !code.contains('\n') && !code.contains('\r');
}

} // namespace

SpeciesAssignment::SpeciesAssignment() : SpeciesAssignment(SpeciesTables::DrevZkratky()) {}

SpeciesAssignment::SpeciesAssignment(QStringList offered) : m_offered(std::move(offered)) {}

QString SpeciesAssignment::OfferedAbbreviation(const QString& text) const {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    for (const QString& a : m_offered)
        if (same(a, t))
            return a;
    return {};
}

QString SpeciesAssignment::CutCode(const QString& code) {
    return code.trimmed().left(MaxCodeLength).trimmed();
}

void SpeciesAssignment::AddCode(QStringList& codes, const QString& code) {
    const QString c = CutCode(code);
    if (c.isEmpty())
        return;
    for (const QString& listed : codes)
        if (same(listed, c))
            return;
    codes.append(c);
}

void SpeciesAssignment::SetCodes(const QStringList& codes) {
    m_rows.clear();
    m_rows.reserve(size_t(codes.size()));
    for (const QString& c : codes)
        m_rows.push_back({c, {}});
}

QStringList SpeciesAssignment::codes() const {
    QStringList out;
    for (const Row& r : m_rows)
        out.append(r.code);
    return out;
}

void SpeciesAssignment::SetAbbreviation(int row, const QString& abbreviation) {
    if (row < 0 || row >= rowCount())
        return;
    const QString offered = OfferedAbbreviation(abbreviation);
    m_rows[size_t(row)].abbreviation = offered.isEmpty() ? abbreviation.trimmed() : offered;
}

bool SpeciesAssignment::Assign(const QString& code, const QString& abbreviation) {
    const int i = IndexOfCode(code);
    if (i < 0)
        return false;
    SetAbbreviation(i, abbreviation);
    return true;
}

int SpeciesAssignment::IndexOfCode(const QString& code) const {
    const QString c = CutCode(code);
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (same(m_rows[i].code, c))
            return int(i);
    return -1;
}

QString SpeciesAssignment::AbbreviationOf(const QString& code) const {
    const int i = IndexOfCode(code);
    return i < 0 ? QString() : m_rows[size_t(i)].abbreviation.trimmed();
}

void SpeciesAssignment::FillFromSettings(const QString& settingsPath, bool matchAbbreviations) {
    const IniFile ini(settingsPath);
    if (!settingsPath.isEmpty() && ini.exists()) {
        // One read of the section; keys compare case-insensitively, the first occurrence wins.
        const QStringList lines = ini.ReadSectionValues(SettingsKeys::KodyDrevin);
        for (Row& r : m_rows) {
            r.abbreviation.clear();
            for (const QString& line : lines) {
                if (same(NamePart(line), r.code)) {
                    const QString v = ValuePart(line);
                    const QString offered = OfferedAbbreviation(v);
                    r.abbreviation = offered.isEmpty() ? v : offered;
                    break;
                }
            }
        }
    }
    if (matchAbbreviations)
        for (Row& r : m_rows) {
            const QString offered = OfferedAbbreviation(r.code);
            if (!offered.isEmpty())
                r.abbreviation = offered;
        }
}

void SpeciesAssignment::SaveToSettings(const QString& settingsPath) const {
    IniFile ini(settingsPath);
    for (const Row& r : m_rows)
        if (!IsBlank(r.code) && !IsBlank(r.abbreviation) && storableKey(r.code))
            ini.WriteString(SettingsKeys::KodyDrevin, r.code.trimmed(), r.abbreviation.trimmed());
}

SpeciesAssignment::Check SpeciesAssignment::CheckAssignments(bool allowShared) const {
    if (m_rows.empty())
        return Check::Empty;
    // A hand-edited settings value that is no species of the program cannot be imported either.
    for (const Row& r : m_rows)
        if (OfferedAbbreviation(r.abbreviation).isEmpty())
            return Check::Unassigned;
    if (!allowShared) {
        QSet<QString> seen;
        for (const Row& r : m_rows) {
            const QString key = r.abbreviation.trimmed().toUpper();
            if (seen.contains(key))
                return Check::Duplicate;
            seen.insert(key);
        }
    }
    return Check::Ok;
}

UserMessage SpeciesAssignment::MessageFor(Check check) {
    switch (check) {
    case Check::Empty:
        return {UserMessage::Error, QString::fromUtf8(ImportMessages::EmptyFile)};
    case Check::Unassigned:
        return {UserMessage::Error, QString::fromUtf8(ImportMessages::Unassigned)};
    case Check::Duplicate:
        return {UserMessage::Error, QString::fromUtf8(ImportMessages::Duplicate)};
    case Check::Ok:
        break;
    }
    return {UserMessage::Information, {}};
}
