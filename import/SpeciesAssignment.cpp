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
    return CutAtCharacter(code.trimmed(), MaxCodeLength).trimmed();
}

void SpeciesAssignment::SetCodes(const QStringList& codes) {
    Clear();
    m_rows.reserve(size_t(codes.size()));
    for (const QString& c : codes) {
        const QString folded = c.toCaseFolded();
        if (!m_rowOfCode.contains(folded)) // the first of equal codes is the one found
            m_rowOfCode.insert(folded, int(m_rows.size()));
        m_rows.push_back({c, {}});
    }
}

void SpeciesAssignment::Clear() {
    m_rows.clear();
    m_rowOfCode.clear();
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
    return m_rowOfCode.value(CutCode(code).toCaseFolded(), -1);
}

QString SpeciesAssignment::AbbreviationOf(const QString& code) const {
    const int i = IndexOfCode(code);
    return i < 0 ? QString() : m_rows[size_t(i)].abbreviation.trimmed();
}

void SpeciesAssignment::FillFromSettings(const QString& settingsPath, bool matchAbbreviations) {
    const IniFile ini(settingsPath);
    if (!settingsPath.isEmpty() && ini.exists()) {
        // One read of the section; keys compare case-insensitively, the first occurrence wins.
        QHash<QString, QString> valueOfKey;
        for (const QString& line : ini.ReadSectionValues(SettingsKeys::KodyDrevin))
            if (const QString key = NamePart(line).toCaseFolded(); !valueOfKey.contains(key))
                valueOfKey.insert(key, ValuePart(line));
        for (Row& r : m_rows) {
            const auto it = valueOfKey.constFind(r.code.toCaseFolded());
            const QString v = it == valueOfKey.constEnd() ? QString() : *it;
            const QString offered = OfferedAbbreviation(v);
            r.abbreviation = offered.isEmpty() ? v : offered;
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
    std::vector<std::pair<QString, QString>> values;
    for (const Row& r : m_rows)
        if (!IsBlank(r.code) && !IsBlank(r.abbreviation) && storableKey(r.code))
            values.emplace_back(r.code.trimmed(), r.abbreviation.trimmed());
    IniFile(settingsPath).WriteStrings(SettingsKeys::KodyDrevin, values);
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
