#pragma once

#include "TSestavaTyp.h"

#include <functional>
#include <optional>
#include <vector>

class ReportProgress;

// Where ReportComposer puts page breaks, worked out from the heights of the template's sections
// alone: the same placing of report start, page heads and foots, group heads and foots, bodies,
// growing bands and bands continued over pages, without forming a single value. The records come
// as blocks, runs of records that agree in everything the layout depends on (the group fields and
// the stretching fields); a block's stretching elements give their number of lines.
//
// Reports with sub-reports, several body columns or a handler deciding which sections print are
// not described so (supports() is false); they are to be composed.
class ReportPageFlow {
  public:
    struct Block {
        int records = 1;
        // The first group whose field changes from the block before (ignored for the first block).
        int firstChangedGroup = 0;
    };
    // Lines of a stretching element's text in a block as the composer measures it: for growing the
    // band (none: the element does not grow), and when printed over pages (none: printed whole).
    struct Lines {
        std::optional<int> growth;
        std::optional<int> printed;
    };
    using LinesOf = std::function<Lines(const TSiReportElement& element, int block)>;

    static bool supports(const TSestavaTyp& report);

    ReportPageFlow(const TSestavaTyp& report, LinesOf lines);
    ~ReportPageFlow();
    ReportPageFlow(const ReportPageFlow&) = delete;
    ReportPageFlow& operator=(const ReportPageFlow&) = delete;

    // The page each block starts on, read as StandPageTracker reads it from a composition: the
    // page that takes the block's head of group `group` (or, when that head is not printed, its
    // first body). Polled before every section as a composition is; nothing when interrupted. No
    // record is formed, so none is announced.
    std::optional<std::vector<int>> startPages(const std::vector<Block>& blocks, int group,
                                               ReportProgress* progress = nullptr);
    // Pages of the whole report after startPages().
    int pageCount() const;

  private:
    class Run;
    struct Band;
    struct Section;

    const TSestavaTyp& m_report;
    LinesOf m_lines;
    std::vector<Section> m_sections; // the five fixed sections, then each group's head and foot
    int m_pageCount = 0;
};
