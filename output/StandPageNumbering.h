#pragma once

#include "StandPageCache.h"

#include <QString>
#include <QStringList>
#include <vector>

class TFJHKSest;

// Page numbering of the stand report that lays out only what has changed. Every stand of the
// shipped templates begins a page (its group starts a new page), so the page a stand starts on
// is the sum of the pages of the stands before it, and the pages of a stand depend only on its
// own rows, on whether the river changes before and after it and on the template. Those pages
// are remembered (StandPageCache) under a hash of exactly that; a run reads the stands, lays out
// only those whose hash is new (each with its neighbours, or the whole report when most are new),
// and writes STRANKA only where it differs. When the stand and summary table files have not been
// written since the last run that left every page number right, nothing is read at all.
class StandPageNumbering {
  public:
    explicit StandPageNumbering(TFJHKSest& report);

    // Whether the template allows it: its stand group begins a new page, it has no sub-reports,
    // and all that can change its layout (group fields, stretching fields) is stand-wide.
    bool applies();
    // Numbers the pages. Nothing is written when the layout was interrupted, nor when the stands
    // turn out not to start a page each (NotApplicable: the whole report is to be laid out).
    enum Result { Done, Interrupted, NotApplicable };
    Result run();

  private:
    struct Stand {
        int key = 0;
        bool inReport = false; // with its summary and at least one species row
        int rows = 0;          // rows in the report
        int speciesRows = 0;   // rows with a species abbreviation (those QPorDrev counts)
        bool strankaRight = false;
        int stranka = 0; // the page stored in all its rows, when they agree
        QStringList groupTexts;
        QByteArray layoutValues; // the stand-wide values its layout depends on
        StandPageCache::Hash orderColumns{};
    };

    StandPageCache::Hash contextHash() const;
    std::vector<Stand> readStands();
    std::vector<int> reportOrder(const std::vector<Stand>& stands, const StandPageCache& cache,
                                 std::vector<StandPageCache::OrderEntry>& order);
    bool writePages(const std::vector<Stand>& stands, const std::vector<int>& pages);

    TFJHKSest& m_report;
    QStringList m_groupColumns;  // stand table columns of the group fields, in group order
    QStringList m_layoutColumns; // stand table columns of the stretching fields
    QByteArray m_templateBytes;
};
