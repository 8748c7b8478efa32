#include "StandPageTracker.h"

#include "TOddilSestavy.h"

StandPageTracker::StandPageTracker(TSestavaD& report, const ReportDataSet& data, int standGroup,
                                   const QString& keyField)
    : m_report(report), m_data(data), m_headSection(TOddilSestavy::groupHeadNumber(standGroup)),
      m_keyField(data.fieldIndex(keyField)), m_previous(report.OnTiskOddilu) {
    m_report.OnTiskOddilu = [this](int number) { return section(number); };
}

StandPageTracker::~StandPageTracker() {
    m_report.OnTiskOddilu = m_previous;
}

std::map<int, int> StandPageTracker::pages() {
    resolve();
    return m_pages;
}

void StandPageTracker::resolve() {
    if (!m_pending)
        return;
    m_pending = false;
    m_pages.emplace(m_pendingKey, std::max(1, m_report.output().pageCount()));
}

bool StandPageTracker::section(int number) {
    const bool print = m_previous ? m_previous(number) : true;
    // A page foot is placed on the page being left, a page head on the one begun: neither says
    // where the section announced before them lands.
    if (number == TOddilSestavy::Hlava || number == TOddilSestavy::Pata)
        return print;
    resolve();
    if (!print || m_keyField < 0)
        return print;
    if (number == m_headSection || number == TOddilSestavy::Telo) {
        const int key = m_data.value(m_keyField).toInt();
        if (!m_pages.count(key)) {
            m_pending = true;
            m_pendingKey = key;
        }
    }
    return print;
}
