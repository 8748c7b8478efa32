#include "VaduzImport.h"

#include "VaduzReader.h"

void VaduzImport::ScanFile(const QString& fileName, bool matchAbbreviations) {
    clear();
    scan(CaliperLines::FromFile(fileName), matchAbbreviations);
}

void VaduzImport::ScanLines(const QStringList& lines, bool matchAbbreviations) {
    scan(CaliperLines(lines), matchAbbreviations);
}

void VaduzImport::clear() {
    m_lines = {};
    m_assignment.Clear();
    m_importHotov = false;
}

void VaduzImport::scan(const CaliperLines& lines, bool matchAbbreviations) {
    clear();
    const QStringList codes = VaduzReader::ScanCodes(lines);
    m_lines = lines;
    m_assignment.SetCodes(codes);
    m_assignment.FillFromSettings(m_settingsPath, matchAbbreviations);
}

StandSession VaduzImport::Import(const StandSession& current) {
    m_importHotov = false;
    StandSession imported = current;
    TManualy225 stand = current.stand;
    stand.ClearStand();
    // A caliper file brings neither: the previous stand's comment and code must not stick.
    stand.comment.clear();
    stand.code.clear();
    VaduzReader::ReadReport(m_lines, m_assignment, current.layout, stand);
    imported.stand = std::move(stand);
    m_importHotov = true;
    return imported;
}
