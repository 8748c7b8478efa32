#pragma once

#include "ReportDataSet.h"
#include "TSestavaD.h"

#include <functional>
#include <map>

// Watches a composition of the stand report and notes the page on which every stand starts:
// the page that receives the head of the stand's group (or, when that head is not printed, the
// stand's first body). Sections are announced before they are placed and may still move to a new
// page, so a stand's page is read at the next section that is not a page head or foot. Installed
// on the report's OnTiskOddilu for its lifetime; a handler already there keeps deciding what prints.
class StandPageTracker {
  public:
    StandPageTracker(TSestavaD& report, const ReportDataSet& data, int standGroup,
                     const QString& keyField = QStringLiteral("KLIC"));
    ~StandPageTracker();
    StandPageTracker(const StandPageTracker&) = delete;
    StandPageTracker& operator=(const StandPageTracker&) = delete;

    // Stand key -> first page, for the stands placed so far.
    std::map<int, int> pages();

  private:
    bool section(int number);
    void resolve();

    TSestavaD& m_report;
    const ReportDataSet& m_data;
    int m_headSection;
    int m_keyField;
    std::function<bool(int)> m_previous;
    std::map<int, int> m_pages;
    bool m_pending = false;
    int m_pendingKey = 0;
};
