#include "ReportPageFlow.h"

#include "ReportProgress.h"
#include "TextMeasure.h"

#include <algorithm>
#include <cmath>
#include <set>

// A band of a section as the composer cuts it: stretching elements cut their section at their top
// and bottom edges.
struct ReportPageFlow::Band {
    int top = 0;
    int bottom = 0;
    std::vector<const TSiReportElement*> elements;
    std::vector<double> lineHeights; // of each element, for the stretching ones
};

struct ReportPageFlow::Section {
    const TOddilSestavy* section = nullptr;
    std::vector<Band> bands;
};

namespace {

std::vector<const TOddilSestavy*> sectionsOf(const TSestavaTyp& report) {
    std::vector<const TOddilSestavy*> sections;
    for (int s = 0; s < 5; ++s)
        sections.push_back(report.section(s));
    for (const TPolSkup& g : report.groups()) {
        sections.push_back(&g.head);
        sections.push_back(&g.foot);
    }
    return sections;
}

} // namespace

bool ReportPageFlow::supports(const TSestavaTyp& report) {
    if (report.paper().columns > 1)
        return false;
    for (const TOddilSestavy* s : sectionsOf(report))
        for (const TSiReportElement& e : s->elements)
            if (e.kind == TSiReportElement::SubReport)
                return false;
    return true;
}

ReportPageFlow::ReportPageFlow(const TSestavaTyp& report, LinesOf lines)
    : m_report(report), m_lines(std::move(lines)) {
    const TextMeasure measure;
    for (const TOddilSestavy* s : sectionsOf(report)) {
        Section section;
        section.section = s;
        const int height = s->height;
        std::set<int> cuts{0, height};
        for (const TSiReportElement& e : s->elements)
            if (e.isStretching()) {
                cuts.insert(std::clamp(e.y, 0, height));
                cuts.insert(std::clamp(int(std::min<qint64>(qint64(e.y) + std::max(0, e.height), height)), 0,
                                       height));
            }
        for (auto it = cuts.begin(); std::next(it) != cuts.end(); ++it)
            section.bands.push_back({*it, *std::next(it), {}, {}});
        if (section.bands.empty())
            section.bands.push_back({0, height, {}, {}});
        for (const TSiReportElement& e : s->elements) {
            size_t b = 0;
            while (b + 1 < section.bands.size() && e.y >= section.bands[b].bottom)
                ++b;
            section.bands[b].elements.push_back(&e);
            section.bands[b].lineHeights.push_back(e.isStretching() ? measure.lineHeight(e) : 0);
        }
        m_sections.push_back(std::move(section));
    }
}

ReportPageFlow::~ReportPageFlow() = default;

int ReportPageFlow::pageCount() const {
    return m_pageCount;
}

// One pass over the blocks, following ReportComposer::run step by step.
class ReportPageFlow::Run {
  public:
    Run(ReportPageFlow& flow, const std::vector<Block>& blocks, int group, ReportProgress* progress)
        : m_flow(flow), m_report(flow.m_report), m_blocks(blocks), m_progress(progress),
          m_trackedHead(TOddilSestavy::groupHeadNumber(group)), m_pages(blocks.size(), 0) {}

    bool run();
    std::vector<int>& pages() { return m_pages; }
    int pageCount() const { return m_page; }

  private:
    const Section& section(int number) const;
    const Section& groupHead(int g) const { return m_flow.m_sections[size_t(5 + 2 * g)]; }
    const Section& groupFoot(int g) const { return m_flow.m_sections[size_t(6 + 2 * g)]; }
    bool interrupted();
    void announce(int number);
    void resolve();
    void beginPage();
    void breakPage();
    void printPageHead();
    void printRepeatedHeads();
    double pageBottom() const;
    double freshPageRoom() const;
    bool fits(double height) const { return m_y + height <= pageBottom() + 1e-6; }
    bool onFreshPage() const { return m_y <= m_contentTop + 1e-6; }
    void snapToGrid();
    void printSection(const Section& s);
    void printBands(const Section& s);
    void printContinuedBand(const Band& band);
    void runRecords();

    ReportPageFlow& m_flow;
    const TSestavaTyp& m_report;
    const std::vector<Block>& m_blocks;
    ReportProgress* m_progress;
    const int m_trackedHead;
    std::vector<int> m_pages;

    int m_page = 0;
    double m_y = 0;
    double m_contentTop = 0;
    bool m_interrupted = false;
    std::vector<char> m_groupOpen;
    bool m_repeating = false;
    size_t m_block = 0; // of the record the data set stands on
    bool m_pending = false;
    size_t m_pendingBlock = 0;
    std::vector<char> m_tracked;
};

const ReportPageFlow::Section& ReportPageFlow::Run::section(int number) const {
    return m_flow.m_sections[size_t(number)];
}

bool ReportPageFlow::Run::interrupted() {
    if (!m_interrupted && m_progress && m_progress->poll())
        m_interrupted = true;
    return m_interrupted;
}

// What StandPageTracker notes when a section is about to print.
void ReportPageFlow::Run::announce(int number) {
    if (number == TOddilSestavy::Hlava || number == TOddilSestavy::Pata)
        return;
    resolve();
    if ((number == m_trackedHead || number == TOddilSestavy::Telo) && !m_tracked[m_block]) {
        m_tracked[m_block] = 1;
        m_pending = true;
        m_pendingBlock = m_block;
    }
}

void ReportPageFlow::Run::resolve() {
    if (!m_pending)
        return;
    m_pending = false;
    m_pages[m_pendingBlock] = std::max(1, m_page);
}

void ReportPageFlow::Run::beginPage() {
    ++m_page;
    m_y = m_report.paper().marginTop;
    m_contentTop = m_y;
}

void ReportPageFlow::Run::breakPage() {
    beginPage();
    printPageHead();
    printRepeatedHeads();
}

void ReportPageFlow::Run::printPageHead() {
    const TOddilSestavy& head = *section(TOddilSestavy::Hlava).section;
    if (!m_report.hasPageSections() || !head.visible || interrupted())
        return;
    m_y += head.height;
    snapToGrid();
    m_contentTop = m_y;
}

void ReportPageFlow::Run::printRepeatedHeads() {
    if (m_repeating)
        return;
    m_repeating = true;
    const std::vector<TPolSkup>& groups = m_report.groups();
    for (size_t g = 0; g < groups.size() && g < m_groupOpen.size(); ++g)
        if (m_groupOpen[g] && groups[g].repeatHead)
            printSection(groupHead(int(g)));
    m_repeating = false;
}

double ReportPageFlow::Run::pageBottom() const {
    const TOddilSestavy& foot = *section(TOddilSestavy::Pata).section;
    const bool footPrinted = m_report.hasPageSections() && foot.visible;
    return double(m_report.pageHeight()) - m_report.paper().marginBottom - (footPrinted ? foot.height : 0);
}

double ReportPageFlow::Run::freshPageRoom() const {
    const TOddilSestavy& head = *section(TOddilSestavy::Hlava).section;
    const double headHeight = m_report.hasPageSections() && head.visible ? head.height : 0;
    return pageBottom() - m_report.paper().marginTop - headHeight;
}

void ReportPageFlow::Run::snapToGrid() {
    const ReportGrid& grid = m_report.grid();
    if (!grid.isCharacterGrid())
        return;
    const double line = grid.lineHeight();
    m_y = std::round(m_y / line) * line;
}

void ReportPageFlow::Run::printSection(const Section& s) {
    if (!s.section->visible || interrupted())
        return;
    announce(s.section->number);
    printBands(s);
    snapToGrid();
}

void ReportPageFlow::Run::printBands(const Section& s) {
    for (const Band& band : s.bands) {
        if (m_interrupted)
            return;
        int growth = 0;
        for (size_t i = 0; i < band.elements.size(); ++i) {
            const TSiReportElement& e = *band.elements[i];
            if (!e.isStretching())
                continue;
            if (const std::optional<int> lines = m_flow.m_lines(e, int(m_block)).growth) {
                const double needed = *lines * band.lineHeights[i];
                growth = std::max(growth, std::max(0, int(std::ceil(needed - e.height - 1e-9))));
            }
        }
        const double bandHeight = band.bottom - band.top + growth;
        if (!fits(bandHeight)) {
            if (growth > 0 && (onFreshPage() || bandHeight > freshPageRoom())) {
                printContinuedBand(band);
                continue;
            }
            if (!onFreshPage())
                breakPage();
        }
        m_y += bandHeight;
    }
}

void ReportPageFlow::Run::printContinuedBand(const Band& band) {
    struct Piece {
        const TSiReportElement* element;
        int lines;
        double lineHeight;
        int next = 0;
    };
    std::vector<Piece> pieces;
    double fixedBottom = 0, stretchBottom = 0;
    for (size_t i = 0; i < band.elements.size(); ++i) {
        const TSiReportElement& e = *band.elements[i];
        const double bottom = double(e.y - band.top + std::max(0, e.height));
        const std::optional<int> printed =
            e.isStretching() ? m_flow.m_lines(e, int(m_block)).printed : std::optional<int>();
        if (printed) {
            pieces.push_back({&e, *printed, band.lineHeights[i]});
            stretchBottom = std::max(stretchBottom, bottom);
        } else {
            fixedBottom = std::max(fixedBottom, bottom);
        }
    }
    const double tail = std::max(0.0, band.bottom - band.top - stretchBottom);
    auto linesFitting = [](const Piece& piece, double offset, double room) {
        return int(std::floor((room - offset) / std::max(1.0, piece.lineHeight) + 1e-6));
    };
    bool startFits = fixedBottom <= pageBottom() - m_y + 1e-6;
    for (const Piece& piece : pieces)
        startFits = startFits && linesFitting(piece, piece.element->y - band.top, pageBottom() - m_y) >= 1;
    if (!startFits && !onFreshPage())
        breakPage();

    for (bool first = true;; first = false) {
        const double y = m_y;
        const double room = pageBottom() - y;
        double used = first ? fixedBottom : 0;
        bool more = false;
        for (Piece& piece : pieces) {
            const TSiReportElement& e = *piece.element;
            const double offset = first ? e.y - band.top : 0;
            const int left = piece.lines - piece.next;
            if (left <= 0)
                continue;
            const int n = std::min(left, std::max(1, linesFitting(piece, offset, room)));
            piece.next += n;
            double height = std::ceil(n * piece.lineHeight - 1e-9);
            if (first && piece.next >= piece.lines)
                height = std::max(height, double(e.height));
            used = std::max(used, offset + height);
            more = more || piece.next < piece.lines;
        }
        if (!more || m_interrupted) {
            m_y = y + std::max(used + (first ? 0 : tail), first ? double(band.bottom - band.top) : 0.0);
            return;
        }
        breakPage();
    }
}

void ReportPageFlow::Run::runRecords() {
    const std::vector<TPolSkup>& groups = m_report.groups();
    const int n = int(groups.size());
    const TOddilSestavy& body = *section(TOddilSestavy::Telo).section;
    const double bodyHeight = body.visible ? body.height : 0;
    m_groupOpen.assign(size_t(n), 0);
    m_block = 0;
    for (int g = 0; g < n; ++g) {
        printSection(groupHead(g));
        m_groupOpen[size_t(g)] = 1;
    }
    for (size_t b = 0; b < m_blocks.size() && !m_interrupted; ++b) {
        for (int r = 0; r < m_blocks[b].records && !m_interrupted; ++r) {
            const bool first = b == 0 && r == 0;
            int firstChanged = n;
            if (first) {
                if (!fits(bodyHeight) && !onFreshPage())
                    breakPage();
            } else {
                bool newPage = false;
                double heads = 0;
                if (r == 0) {
                    firstChanged = std::clamp(m_blocks[b].firstChangedGroup, 0, n);
                    // The foots belong to the records of the group that has just ended.
                    m_block = b - 1;
                    for (int g = n - 1; g >= firstChanged; --g) {
                        printSection(groupFoot(g));
                        m_groupOpen[size_t(g)] = 0;
                    }
                    for (int g = firstChanged; g < n; ++g) {
                        newPage = newPage || groups[size_t(g)].newPage;
                        if (groups[size_t(g)].head.visible)
                            heads += groups[size_t(g)].head.height;
                    }
                    m_block = b;
                }
                if ((newPage || body.option || !fits(bodyHeight + heads)) && !onFreshPage() &&
                    !m_interrupted) {
                    beginPage();
                    printPageHead();
                    printRepeatedHeads();
                }
            }
            for (int g = firstChanged; g < n; ++g) {
                printSection(groupHead(g));
                m_groupOpen[size_t(g)] = 1;
            }
            printSection(section(TOddilSestavy::Telo));
        }
    }
    for (int g = n - 1; g >= 0; --g) {
        printSection(groupFoot(g));
        m_groupOpen[size_t(g)] = 0;
    }
}

bool ReportPageFlow::Run::run() {
    m_tracked.assign(m_blocks.size(), 0);
    beginPage();
    const Section& start = section(TOddilSestavy::Zacatek);
    const TOddilSestavy& head = *section(TOddilSestavy::Hlava).section;
    printSection(start);
    if (start.section->visible && start.section->option)
        breakPage();
    else if (!head.option)
        printPageHead();
    if (!m_blocks.empty())
        runRecords();
    const TOddilSestavy& end = *section(TOddilSestavy::Konec).section;
    if (end.visible && end.option && !m_interrupted)
        breakPage();
    printSection(section(TOddilSestavy::Konec));
    resolve();
    return !m_interrupted;
}

std::optional<std::vector<int>> ReportPageFlow::startPages(const std::vector<Block>& blocks, int group,
                                                           ReportProgress* progress) {
    Run run(*this, blocks, group, progress);
    const bool whole = run.run();
    m_pageCount = run.pageCount();
    if (!whole)
        return std::nullopt;
    return std::move(run.pages());
}
