#include "VaduzImport.h"

#include "CaliperFile.h"
#include "VaduzReader.h"

void VaduzImport::ScanFile(const QString& fileName, bool matchAbbreviations) {
    m_lines.clear();
    m_assignment.Clear();
    m_importHotov = false;
    ScanLines(CaliperFile::ReadLines(fileName), matchAbbreviations);
}

void VaduzImport::ScanLines(const QStringList& lines, bool matchAbbreviations) {
    m_importHotov = false;
    m_lines = lines;
    m_assignment.SetCodes(VaduzReader::ScanCodes(m_lines));
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
