#pragma once

#include "StandPageCache.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class TFJHKSest;
struct TSiReportElement;

// Page numbering of the stand report without laying out a page. The pages of the report follow
// from the template's section heights and, per stand, from its number of summary rows, from where
// the group fields (the river) change and from the lines its stretching fields (the comment) take
// at their width; ReportPageFlow places the sections as the composer does. The stands are read in
// one pass (StandPages), STRANKA is written only where it differs, and when the stand and summary
// table files have not been written since the last run that left every page number right, nothing
// is read at all.
class StandPageNumbering {
  public:
    explicit StandPageNumbering(TFJHKSest& report);

    // Whether the template allows it: ReportPageFlow supports it, and all that can change its
    // layout (group fields, stretching fields) is stand-wide.
    bool applies();
    // Numbers the pages; nothing is written when the user interrupted.
    enum Result { Done, Interrupted };
    Result run();

  private:
    StandPageCache::Hash contextHash() const;

    TFJHKSest& m_report;
    QStringList m_columns;          // stand table columns read: group fields, then stretching fields
    std::vector<int> m_groupColumn; // of each group, into m_columns (-1: prints no value)
    std::vector<std::pair<const TSiReportElement*, int>> m_stretching; // element, column
    QStringList m_fieldNames;                                          // of QSestava
    QByteArray m_templateBytes;
};
