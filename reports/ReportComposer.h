#pragma once

#include "ComposeSettings.h"
#include "ExpressionEvaluator.h"
#include "TListFunkci.h"
#include "TSestVystup.h"
#include "TSestavaTyp.h"

#include <memory>
#include <vector>

// Composes a report over its data set into the output buffer: the report start, page heads and
// foots, group heads and foots as the group fields change, one body per record, the report end.
// A sub-report is composed by a nested composer that shares the pages of the outer one.
class ReportComposer {
  public:
    enum Result { Ok = 0, Interrupted = 3 };

    ReportComposer(const TSestavaTyp& report, ReportDataSet* data, const ComposeSettings& settings,
                   TSestVystup& output);
    ~ReportComposer();
    ReportComposer(const ReportComposer&) = delete;
    ReportComposer& operator=(const ReportComposer&) = delete;

    int run();

    const TListFunkci& functions() const { return m_functions; }

  private:
    struct Pages {
        TSestVystup* output = nullptr;
        TStranaPrvku* page = nullptr;
        int pageNumber = 0;
        double y = 0;
        double contentTop = 0; // where the page's content began (after its head)
        int column = 0;
        bool interrupted = false;
    };
    struct Band {
        int top = 0;
        int bottom = 0;
        std::vector<const TSiReportElement*> elements;
    };

    ReportComposer(ReportComposer& parent, const TSestavaTyp& report, ReportDataSet* data, int xOrigin);

    void setUpFunctions();
    void runRecords();
    void runSubReport();

    // Page machinery; nested composers use that of the outermost one.
    ReportComposer& top() { return m_parent ? m_parent->top() : *this; }
    void beginPage();
    void breakPage();
    void printPageFoot();
    void printPageHead();
    void printRepeatedHeads();
    bool fits(double height);
    double pageBottom();
    bool onFreshPage();

    bool printSection(const TOddilSestavy& section);
    std::vector<Band> bandsOf(const TOddilSestavy& section) const;
    void printBands(const TOddilSestavy& section, int xOrigin);
    void printContinuedBand(const Band& band, int xOrigin);
    double freshPageRoom();
    void emitElement(const TSiReportElement& e, int x, double y, int heightGrowth);
    void placeItem(TVystPrvek item, double x, double y, double width, double height);
    TVystPrvek makeItem(const TSiReportElement& e) const;
    void fillValue(const TSiReportElement& e, TVystPrvek& item) const;
    int resolveField(const TSiReportElement& e) const;
    QString groupFieldText(const TPolSkup& group) const;
    qint64 variable(int number, bool* ok) const;
    int stretchGrowth(const TSiReportElement& e) const;
    void snapToGrid();
    void fillPageCounts();
    bool interrupted() const;

    ReportComposer* m_parent = nullptr;
    const TSestavaTyp& m_report;
    ReportDataSet* m_data;
    const ComposeSettings& m_settings;
    std::unique_ptr<Pages> m_ownPages;
    Pages* m_pages;
    int m_xOrigin = 0;

    TListFunkci m_functions;
    ExpressionEvaluator m_evaluator;
    std::vector<qint64> m_variables;
    QDateTime m_printTime;
    int m_records = 0;
    bool m_stopped = false;
    // Groups whose head has been printed and whose foot not yet: a page they continue on repeats
    // the heads marked so.
    std::vector<char> m_groupOpen;
    bool m_repeating = false;
};
