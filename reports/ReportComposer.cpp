#include "ReportComposer.h"

#include "ElementFormat.h"
#include "ReportFonts.h"
#include "ReportProgress.h"
#include "ReportValueFormat.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <exception>
#include <set>

namespace {

const QString kFailed = QStringLiteral("????");

// A value that cannot be formed for an element.
struct ValueFailure {};

} // namespace

ReportComposer::ReportComposer(const TSestavaTyp& report, ReportDataSet* data,
                               const ComposeSettings& settings, TSestVystup& output)
    : m_report(report), m_data(data), m_settings(settings), m_ownPages(std::make_unique<Pages>()),
      m_pages(m_ownPages.get()), m_xOrigin(report.paper().marginLeft) {
    m_pages->output = &output;
    m_variables.assign(size_t(7 + 2 * report.groups().size()), 0);
}

ReportComposer::ReportComposer(ReportComposer& parent, const TSestavaTyp& report, ReportDataSet* data,
                               int xOrigin)
    : m_parent(&parent), m_report(report), m_data(data), m_settings(parent.m_settings),
      m_pages(parent.m_pages), m_xOrigin(xOrigin), m_printTime(parent.m_printTime) {
    m_variables.assign(size_t(7 + 2 * report.groups().size()), 0);
}

ReportComposer::~ReportComposer() = default;

int ReportComposer::run() {
    Pages& p = *m_pages;
    p.output->clear();
    p.output->setPageSize(QSize(std::max(1, m_report.pageWidth()), std::max(1, m_report.pageHeight())));
    p.pageNumber = 0;
    p.interrupted = false;
    m_printTime = m_settings.printTime.isValid() ? m_settings.printTime : QDateTime::currentDateTime();
    m_records = 0;
    m_stopped = false;
    if (m_data && !m_settings.singleRecord)
        m_data->first();
    if (m_settings.progress)
        m_settings.progress->recordNumber(1);
    setUpFunctions();

    beginPage();
    const TOddilSestavy& start = *m_report.section(TOddilSestavy::Zacatek);
    const TOddilSestavy& head = *m_report.section(TOddilSestavy::Hlava);
    printSection(start);
    if (start.visible && start.option)
        breakPage();
    else if (!head.option)
        printPageHead();

    runRecords();

    if (!m_stopped) {
        const TOddilSestavy& end = *m_report.section(TOddilSestavy::Konec);
        if (end.visible && end.option && !m_pages->interrupted)
            breakPage();
        printSection(end);
    }
    printPageFoot();
    fillPageCounts();
    return m_pages->interrupted ? Interrupted : Ok;
}

void ReportComposer::setUpFunctions() {
    m_functions.clear();
    for (const TemplateFunction& f : m_report.functions()) {
        TRadekFunkce::Fields fields;
        fields.name = f.name;
        fields.caption = f.caption;
        fields.expression = f.expression;
        fields.resultType = f.resultType;
        fields.initialValue = f.initialValue;
        fields.restartGroup = f.resetGroup;
        fields.aggregate = f.aggregate;
        fields.precision = f.precision;
        fields.digits = f.digits;
        fields.floatFormat = f.floatFormat;
        m_functions.add(fields);
    }
    const QChar separator = decimalSeparatorOf(m_settings.locale);
    ReportDataAccess access;
    access.fieldValue = [this, separator](int field) -> ReportValue {
        if (!m_data || field < 0 || field >= m_data->fieldCount())
            return {};
        const QVariant v = m_data->value(field);
        if (!v.isValid() || v.isNull())
            return {};
        const ReportDataSet::FieldType type = m_data->fieldType(field);
        if (type == ReportDataSet::Integer || type == ReportDataSet::Number)
            return ReportValue::fromNumber(v.toDouble(), separator);
        return ReportValue::fromText(m_data->displayText(field), separator);
    };
    access.fieldIndex = [this](const QString& name) { return m_data ? m_data->fieldIndex(name) : -1; };
    access.parameters = &m_settings.parameters;
    access.functions = &m_functions;
    m_evaluator.setCallbacks(makeReportCallbacks(access, separator));
    m_evaluator.setLocale(m_settings.locale);
    m_functions.requestRestart(-1);
    m_functions.evaluateAll(m_evaluator);
}

void ReportComposer::runRecords() {
    const std::vector<TPolSkup>& groups = m_report.groups();
    const int n = int(groups.size());
    const TOddilSestavy& body = *m_report.section(TOddilSestavy::Telo);
    const double bodyHeight = body.visible ? body.height : 0;
    std::vector<QString> lastValues(static_cast<size_t>(n));
    // Every group starts with the first record: its number within the enclosing group is 1.
    for (int g = 0; g < n; ++g) {
        lastValues[size_t(g)] = groupFieldText(groups[size_t(g)]);
        m_variables[size_t(6 + 2 * g)] = 1;
    }
    m_groupOpen.assign(size_t(n), 0);
    for (int g = 0; g < n; ++g) {
        printSection(groups[size_t(g)].head);
        m_groupOpen[size_t(g)] = 1;
    }

    bool first = true;
    do {
        int firstChanged = n;
        if (first) {
            if (!fits(bodyHeight) && !onFreshPage())
                top().breakPage();
        } else {
            for (int g = 0; g < n; ++g) {
                if (groupFieldText(groups[size_t(g)]) != lastValues[size_t(g)]) {
                    firstChanged = g;
                    break;
                }
            }
            bool newPage = false;
            double heads = 0;
            if (firstChanged < n) {
                // The foots belong to the records of the group that has just ended.
                if (m_data)
                    m_data->prior();
                for (int g = n - 1; g >= firstChanged; --g) {
                    printSection(groups[size_t(g)].foot);
                    m_groupOpen[size_t(g)] = 0;
                    m_functions.requestRestart(g + 2);
                }
                for (int g = firstChanged; g < n; ++g) {
                    newPage = newPage || groups[size_t(g)].newPage;
                    if (groups[size_t(g)].head.visible)
                        heads += groups[size_t(g)].head.height;
                }
                if (m_data)
                    m_data->next();
            }
            if ((newPage || body.option || !fits(bodyHeight + heads)) && !onFreshPage() &&
                !m_pages->interrupted) {
                ReportComposer& t = top();
                t.printPageFoot();
                m_functions.requestRestart(TRadekFunkce::RestartPage);
                m_functions.evaluateAll(m_evaluator);
                t.beginPage();
                t.printPageHead();
                t.printRepeatedHeads();
            } else {
                m_functions.evaluateAll(m_evaluator);
            }
        }
        for (int g = firstChanged; g < n; ++g) {
            m_variables[size_t(5 + 2 * g)] = 0;
            ++m_variables[size_t(6 + 2 * g)];
            m_variables[size_t(8 + 2 * g)] = 0;
            lastValues[size_t(g)] = groupFieldText(groups[size_t(g)]);
            printSection(groups[size_t(g)].head);
            m_groupOpen[size_t(g)] = 1;
        }
        if (!first && m_pages->pageNumber > m_settings.endPage) {
            m_stopped = true;
            return;
        }
        ++m_records;
        m_variables[TSiReportElement::CisloRadku] = m_records;
        for (int g = 0; g < n; ++g)
            ++m_variables[size_t(5 + 2 * g)];
        printSection(body);
        if (m_pages->interrupted)
            break;
        if (!m_data)
            break;
        m_data->next();
        if (m_settings.progress && !m_data->eof())
            m_settings.progress->recordNumber(m_records + 1);
        first = false;
    } while (!m_data->eof() && !(m_settings.maxRecords > 0 && m_records >= m_settings.maxRecords) &&
             !m_pages->interrupted && !m_settings.singleRecord);

    if (m_pages->column > 0) {
        m_pages->y += bodyHeight;
        m_pages->column = 0;
    }
    for (int g = n - 1; g >= 0; --g) {
        printSection(groups[size_t(g)].foot);
        m_groupOpen[size_t(g)] = 0;
    }
}

void ReportComposer::runSubReport() {
    if (!m_data)
        return;
    m_data->first();
    setUpFunctions();
    printSection(*m_report.section(TOddilSestavy::Zacatek));
    runRecords();
    if (!m_stopped)
        printSection(*m_report.section(TOddilSestavy::Konec));
}

void ReportComposer::beginPage() {
    Pages& p = *m_pages;
    p.output->newPage();
    ++p.pageNumber;
    p.y = m_report.paper().marginTop;
    p.contentTop = p.y;
    p.column = 0;
}

void ReportComposer::breakPage() {
    printPageFoot();
    beginPage();
    printPageHead();
    printRepeatedHeads();
}

void ReportComposer::printRepeatedHeads() {
    if (m_repeating)
        return;
    m_repeating = true;
    const std::vector<TPolSkup>& groups = m_report.groups();
    for (size_t g = 0; g < groups.size() && g < m_groupOpen.size(); ++g)
        if (m_groupOpen[g] && groups[g].repeatHead)
            printSection(groups[g].head);
    m_repeating = false;
}

void ReportComposer::printPageHead() {
    const TOddilSestavy& head = *m_report.section(TOddilSestavy::Hlava);
    if (!m_report.hasPageSections() || !head.visible || interrupted())
        return;
    if (m_settings.printSection && !m_settings.printSection(head.number))
        return;
    for (const TSiReportElement& e : head.elements)
        if (e.kind != TSiReportElement::SubReport)
            emitElement(e, m_xOrigin, m_pages->y, 0);
    m_pages->y += head.height;
    snapToGrid();
    m_pages->contentTop = m_pages->y;
}

void ReportComposer::printPageFoot() {
    const TOddilSestavy& foot = *m_report.section(TOddilSestavy::Pata);
    if (!m_report.hasPageSections() || !foot.visible || interrupted())
        return;
    if (m_settings.printSection && !m_settings.printSection(foot.number))
        return;
    const double y = m_report.pageHeight() - m_report.paper().marginBottom - foot.height;
    for (const TSiReportElement& e : foot.elements)
        if (e.kind != TSiReportElement::SubReport)
            emitElement(e, m_xOrigin, y, 0);
}

double ReportComposer::pageBottom() {
    const TSestavaTyp& r = top().m_report;
    const TOddilSestavy& foot = *r.section(TOddilSestavy::Pata);
    const bool footPrinted = r.hasPageSections() && foot.visible;
    return double(r.pageHeight()) - r.paper().marginBottom - (footPrinted ? foot.height : 0);
}

bool ReportComposer::fits(double height) {
    return m_pages->y + height <= pageBottom() + 1e-6;
}

bool ReportComposer::onFreshPage() {
    return m_pages->y <= m_pages->contentTop + 1e-6;
}

bool ReportComposer::interrupted() const {
    Pages& p = *m_pages;
    if (!p.interrupted && m_settings.progress && m_settings.progress->poll())
        p.interrupted = true;
    return p.interrupted;
}

void ReportComposer::snapToGrid() {
    const ReportGrid& grid = top().m_report.grid();
    if (!grid.isCharacterGrid())
        return;
    const double line = grid.lineHeight();
    m_pages->y = std::round(m_pages->y / line) * line;
}

bool ReportComposer::printSection(const TOddilSestavy& section) {
    if (!section.visible || interrupted())
        return false;
    if (m_settings.printSection && !m_settings.printSection(section.number))
        return false;
    Pages& p = *m_pages;
    const bool isBody = section.number == TOddilSestavy::Telo;
    const TOddilSestavy& body = *m_report.section(TOddilSestavy::Telo);
    if (!isBody && p.column > 0) {
        p.y += body.visible ? body.height : 0;
        p.column = 0;
    }
    const int columns = isBody ? std::max(1, m_report.paper().columns) : 1;
    if (columns > 1) {
        if (p.column == 0 && !fits(section.height) && !onFreshPage())
            top().breakPage();
        const TSestavaTyp& t = top().m_report;
        const double width = t.pageWidth() - t.paper().marginLeft - t.paper().marginRight;
        const double columnWidth = (width + m_report.paper().columnGap) / columns;
        const int x = m_xOrigin + int(std::floor(p.column * columnWidth));
        for (const TSiReportElement& e : section.elements)
            if (e.kind != TSiReportElement::SubReport)
                emitElement(e, x, p.y, 0);
        if (++p.column >= columns) {
            p.column = 0;
            p.y += section.height;
            snapToGrid();
        }
        return true;
    }
    printBands(section, m_xOrigin);
    snapToGrid();
    return true;
}

std::vector<ReportComposer::Band> ReportComposer::bandsOf(const TOddilSestavy& section) const {
    // Stretching data fields (and, in the body, sub-report places) cut the section into bands at
    // their top and bottom edges: what lies below a growing band moves down with it.
    const int height = section.height;
    const bool body = section.number == TOddilSestavy::Telo;
    std::set<int> cuts{0, height};
    for (const TSiReportElement& e : section.elements) {
        if (e.isStretching() || (body && e.kind == TSiReportElement::SubReport)) {
            cuts.insert(std::clamp(e.y, 0, height));
            cuts.insert(
                std::clamp(int(std::min<qint64>(qint64(e.y) + std::max(0, e.height), height)), 0, height));
        }
    }
    std::vector<Band> bands;
    for (auto it = cuts.begin(); std::next(it) != cuts.end(); ++it)
        bands.push_back({*it, *std::next(it), {}});
    if (bands.empty())
        bands.push_back({0, height, {}});
    for (const TSiReportElement& e : section.elements) {
        size_t b = 0;
        while (b + 1 < bands.size() && e.y >= bands[b].bottom)
            ++b;
        bands[b].elements.push_back(&e);
    }
    return bands;
}

double ReportComposer::freshPageRoom() {
    const TSestavaTyp& r = top().m_report;
    const TOddilSestavy& head = *r.section(TOddilSestavy::Hlava);
    const double headHeight = r.hasPageSections() && head.visible ? head.height : 0;
    return pageBottom() - r.paper().marginTop - headHeight;
}

void ReportComposer::printBands(const TOddilSestavy& section, int xOrigin) {
    Pages& p = *m_pages;
    for (const Band& band : bandsOf(section)) {
        if (m_pages->interrupted)
            return;
        int growth = 0;
        bool subReport = false;
        for (const TSiReportElement* e : band.elements) {
            if (e->isStretching())
                growth = std::max(growth, stretchGrowth(*e));
            subReport = subReport || e->kind == TSiReportElement::SubReport;
        }
        const double bandHeight = band.bottom - band.top + growth;
        if (!fits(bandHeight)) {
            // A band that no page can hold starts where it is and continues on the next pages;
            // any other moves whole to the next page.
            if (growth > 0 && !subReport && (onFreshPage() || bandHeight > freshPageRoom())) {
                printContinuedBand(band, xOrigin);
                continue;
            }
            if (!onFreshPage())
                top().breakPage();
        }
        const double y0 = p.y - band.top;
        for (const TSiReportElement* e : band.elements)
            if (e->kind != TSiReportElement::SubReport)
                emitElement(*e, xOrigin, y0, e->isStretching() ? growth : 0);
        double next = p.y + bandHeight;
        for (const TSiReportElement* e : band.elements) {
            if (e->kind != TSiReportElement::SubReport)
                continue;
            const TSestavaTyp* sub = m_report.subReport(e->source);
            ReportDataSet* detail =
                m_settings.detailData ? m_settings.detailData(&m_report, e->source) : nullptr;
            if (!sub || !detail)
                continue;
            const int pageBefore = p.pageNumber;
            p.y = y0 + e->y;
            ReportComposer child(*this, *sub, detail, xOrigin + e->x);
            child.runSubReport();
            next = p.pageNumber == pageBefore ? std::max(next, p.y) : p.y;
        }
        p.y = next;
    }
}

void ReportComposer::printContinuedBand(const Band& band, int xOrigin) {
    // The fixed elements and the first lines of every stretching one go where the band starts; the
    // lines that do not fit above the page foot continue at the top of the next pages, below their
    // page heads.
    struct Piece {
        const TSiReportElement* element;
        TVystPrvek item;
        QStringList lines;
        double lineHeight;
        qsizetype next = 0;
    };
    Pages& p = *m_pages;
    std::vector<Piece> pieces;
    std::vector<const TSiReportElement*> fixed;
    double fixedBottom = 0;
    double stretchBottom = 0;
    for (const TSiReportElement* e : band.elements) {
        TVystPrvek item = e->isStretching() ? makeItem(*e) : TVystPrvek();
        if (e->isStretching() && item.multiLine) {
            const QStringList lines = item.lines();
            pieces.push_back({e, std::move(item), lines, m_settings.measure.lineHeight(*e)});
            stretchBottom = std::max(stretchBottom, double(e->y - band.top + std::max(0, e->height)));
        } else {
            fixed.push_back(e);
            fixedBottom = std::max(fixedBottom, double(e->y - band.top + std::max(0, e->height)));
        }
    }
    const double tail = std::max(0.0, band.bottom - band.top - stretchBottom);
    auto linesFitting = [](const Piece& piece, double offset, double room) {
        return int(std::floor((room - offset) / std::max(1.0, piece.lineHeight) + 1e-6));
    };
    // The start of the band wants its fixed elements and one line of every stretching element.
    bool startFits = fixedBottom <= pageBottom() - p.y + 1e-6;
    for (const Piece& piece : pieces)
        startFits = startFits && linesFitting(piece, piece.element->y - band.top, pageBottom() - p.y) >= 1;
    if (!startFits && !onFreshPage())
        top().breakPage();

    for (bool first = true;; first = false) {
        const double y = p.y;
        const double room = pageBottom() - y;
        double used = first ? fixedBottom : 0;
        if (first)
            for (const TSiReportElement* e : fixed)
                if (e->kind != TSiReportElement::SubReport)
                    emitElement(*e, xOrigin, y - band.top, 0);
        bool more = false;
        for (Piece& piece : pieces) {
            const TSiReportElement& e = *piece.element;
            const double offset = first ? e.y - band.top : 0;
            const qsizetype left = piece.lines.size() - piece.next;
            if (left <= 0)
                continue;
            // At least one line a page, so that the text always moves on.
            const qsizetype n = std::min<qsizetype>(left, std::max(1, linesFitting(piece, offset, room)));
            TVystPrvek part = piece.item;
            part.text = piece.lines.mid(piece.next, n).join(u'\n');
            piece.next += n;
            double height = std::ceil(n * piece.lineHeight - 1e-9);
            if (first && piece.next >= piece.lines.size())
                height = std::max(height, double(e.height));
            placeItem(std::move(part), double(xOrigin) + e.x, y + offset, e.width, height);
            used = std::max(used, offset + height);
            more = more || piece.next < piece.lines.size();
        }
        if (!more || p.interrupted) {
            p.y = y + std::max(used + (first ? 0 : tail), first ? double(band.bottom - band.top) : 0.0);
            return;
        }
        top().breakPage();
    }
}

void ReportComposer::emitElement(const TSiReportElement& e, int x, double y, int heightGrowth) {
    placeItem(makeItem(e), double(x) + e.x, y + e.y, std::max(0, e.width),
              double(std::max(0, e.height)) + heightGrowth);
}

void ReportComposer::placeItem(TVystPrvek item, double x, double y, double width, double height) {
    // Positions far outside any paper are clamped so that the arithmetic stays within int.
    static constexpr double kLimit = 1e7;
    auto clamp = [](double v) { return int(std::clamp(v, -kLimit, kLimit)); };
    item.rect = QRect(clamp(x), clamp(std::round(y)), clamp(width), clamp(height));
    m_pages->output->lastPage()->items.push_back(std::move(item));
}

TVystPrvek ReportComposer::makeItem(const TSiReportElement& e) const {
    TVystPrvek item;
    item.kind = e.kind;
    item.source = e.source;
    item.fontName = e.fontName;
    item.fontSize = e.fontSize;
    item.style = e.style;
    item.colour = e.colour;
    item.charset = e.charset;
    item.alignment = e.alignment;
    item.flags = e.flags;
    item.lineWidth = e.lineWidth;
    item.lineColour = e.lineColour;
    item.lineStyle = e.lineStyle;
    item.fillColour = e.fillColour;
    item.fillStyle = e.fillStyle;
    if (e.kind == TSiReportElement::Picture) {
        item.picture = e.picture;
        return item;
    }
    if (!e.isTextLike())
        return item;
    try {
        fillValue(e, item);
    } catch (const ValueFailure&) {
        item.text = kFailed;
        item.multiLine = false;
        item.picture = QImage();
    } catch (const std::exception&) {
        item.text = kFailed;
        item.multiLine = false;
        item.picture = QImage();
    }
    return item;
}

int ReportComposer::resolveField(const TSiReportElement& e) const {
    if (!m_data)
        return -1;
    const int count = m_data->fieldCount();
    int field = e.source;
    if (!e.sourceName.isEmpty())
        field = std::max(0, m_data->fieldIndex(e.sourceName));
    if (field < 0 || field >= count)
        field = 0;
    return field < count ? field : -1;
}

void ReportComposer::fillValue(const TSiReportElement& e, TVystPrvek& item) const {
    switch (e.kind) {
    case TSiReportElement::Text:
        item.text = e.text;
        return;
    case TSiReportElement::FieldValue: {
        const int field = resolveField(e);
        if (field < 0)
            throw ValueFailure();
        ReportDataSet::FieldType type = m_data->fieldType(field);
        if (m_settings.dataType)
            type = m_settings.dataType(field, type);
        if (m_settings.alignment)
            item.alignment = m_settings.alignment(field, item.alignment);
        const QVariant value = m_data->value(field);
        if (type == ReportDataSet::Graphic || type == ReportDataSet::Binary) {
            item.picture = value.metaType().id() == QMetaType::QImage ? value.value<QImage>()
                                                                      : QImage::fromData(value.toByteArray());
            return;
        }
        const QString text = ReportDataSet::formatValue(value, type, m_data->locale());
        if (type == ReportDataSet::Memo || type == ReportDataSet::FormattedMemo || e.isStretching()) {
            item.multiLine = true;
            item.text = m_settings.measure.wrap(e, text).join(u'\n');
        } else {
            item.text = text;
        }
        return;
    }
    case TSiReportElement::FieldCaption: {
        const int field = resolveField(e);
        if (field < 0)
            throw ValueFailure();
        item.text = m_data->fieldCaption(field);
        return;
    }
    case TSiReportElement::Parameter:
        item.text = e.source >= 0 && e.source < m_settings.parameters.size() ? m_settings.parameters[e.source]
                                                                             : QString();
        return;
    case TSiReportElement::Variable: {
        if (e.source == TSiReportElement::DatumTisku) {
            item.text = e.text.isEmpty() ? ElementFormat::shortDate(m_printTime.date())
                                         : ElementFormat::formatDateTime(e.text, m_printTime);
            return;
        }
        if (e.source == TSiReportElement::CasTisku) {
            item.text = e.text.isEmpty() ? ElementFormat::shortTime(m_printTime.time())
                                         : ElementFormat::formatDateTime(e.text, m_printTime);
            return;
        }
        if (e.source == TSiReportElement::PocetStran) {
            item.pageCount = true;
            item.format = e.text;
            return;
        }
        bool ok = false;
        const qint64 v = variable(e.source, &ok);
        if (!ok)
            throw ValueFailure();
        const std::optional<QString> text = ElementFormat::formatInteger(e.text, v);
        if (!text)
            throw ValueFailure();
        item.text = *text;
        return;
    }
    case TSiReportElement::Function: {
        const TRadekFunkce* f = m_functions.item(e.source);
        if (!f)
            throw ValueFailure();
        item.text = f->outputText(m_settings.locale);
        return;
    }
    default:
        return;
    }
}

qint64 ReportComposer::variable(int number, bool* ok) const {
    *ok = true;
    if (number == TSiReportElement::CisloStranky)
        return m_pages->pageNumber;
    if (number == TSiReportElement::CisloRadku)
        return m_records;
    if (number >= TSiReportElement::RowInGroup && number < 5 + 2 * int(m_report.groups().size()))
        return m_variables[size_t(number)];
    *ok = false;
    return 0;
}

QString ReportComposer::groupFieldText(const TPolSkup& group) const {
    if (!m_data || group.fieldIndex < 0 || group.fieldIndex >= m_data->fieldCount())
        return {};
    return m_data->displayText(group.fieldIndex);
}

int ReportComposer::stretchGrowth(const TSiReportElement& e) const {
    const int field = resolveField(e);
    if (field < 0)
        return 0;
    const ReportDataSet::FieldType type = m_data->fieldType(field);
    if (type == ReportDataSet::Graphic || type == ReportDataSet::Binary)
        return 0;
    const QString text = ReportDataSet::formatValue(m_data->value(field), type, m_data->locale());
    const double needed = m_settings.measure.wrap(e, text).size() * m_settings.measure.lineHeight(e);
    return std::max(0, int(std::ceil(needed - e.height - 1e-9)));
}

void ReportComposer::fillPageCounts() {
    TSestVystup& out = *m_pages->output;
    const int count = out.pageCount();
    for (int i = 0; i < count; ++i) {
        for (TVystPrvek& item : out.page(i).items) {
            if (!item.pageCount)
                continue;
            const std::optional<QString> text = ElementFormat::formatInteger(item.format, count);
            item.text = text ? *text : kFailed;
        }
    }
}
