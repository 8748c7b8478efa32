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

void VaduzImport::Import(StandSession& session) {
    m_importHotov = false;
    TManualy225 stand = session.stand;
    stand.ClearStand();
    // A caliper file brings neither: the previous stand's comment and code must not stick.
    stand.comment.clear();
    stand.code.clear();
    VaduzReader::ReadReport(m_lines, m_assignment, session.layout, stand);
    session.stand = std::move(stand);
    session.flags.Ulozeno = false;
    session.flags.Zaznamenano = true;
    m_importHotov = true;
}
