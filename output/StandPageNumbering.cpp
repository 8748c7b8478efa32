#include "StandPageNumbering.h"

#include "ModelDataSet.h"
#include "ReportPageFlow.h"
#include "StandDatabase.h"
#include "StandPages.h"
#include "StandReportQueries.h"
#include "TFJHKSest.h"
#include "TextMeasure.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <algorithm>
#include <cstring>

namespace {

// Raised when what the page numbers depend on changes (engine, numbering rules).
constexpr char kLayoutVersion[] = "rivwood-stranky-2";

QString standColumn(const QString& field) {
    return field.compare(QStringLiteral("klic"), Qt::CaseInsensitive) == 0 ? QStringLiteral("KLIC") : field;
}

} // namespace

StandPageNumbering::StandPageNumbering(TFJHKSest& report) : m_report(report) {}

bool StandPageNumbering::applies() {
    TSestava& r = m_report.SJHKVysC;
    if (r.IsStored || r.OnNactiPredlohu || r.OnTiskOddilu || !ReportPageFlow::supports(r))
        return false;
    QFile file(r.templateFileName());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_templateBytes = file.readAll();

    m_fieldNames = m_report.QSestavaFieldNames();
    const QStringList standFields = StandReportQueries::StandFields();
    // The stand table column that a field of QSestava shows, read once.
    auto column = [&](int field) {
        if (field < 0 || field >= m_fieldNames.size() ||
            !standFields.contains(m_fieldNames[field], Qt::CaseInsensitive))
            return -1;
        const QString name = standColumn(m_fieldNames[field]);
        for (int c = 0; c < m_columns.size(); ++c)
            if (m_columns[c].compare(name, Qt::CaseInsensitive) == 0)
                return c;
        m_columns << name;
        return int(m_columns.size()) - 1;
    };
    m_columns.clear();
    m_groupColumn.clear();
    m_stretching.clear();
    for (const TPolSkup& g : r.groups()) {
        if (g.fieldIndex < 0 || g.fieldIndex >= m_fieldNames.size()) {
            m_groupColumn.push_back(-1); // prints no value: never changes
            continue;
        }
        const int c = column(g.fieldIndex);
        if (c < 0)
            return false;
        m_groupColumn.push_back(c);
    }
    std::vector<const TOddilSestavy*> sections;
    for (int s = 0; s < 5; ++s)
        sections.push_back(r.section(s));
    for (const TPolSkup& g : r.groups()) {
        sections.push_back(&g.head);
        sections.push_back(&g.foot);
    }
    for (const TOddilSestavy* section : sections) {
        for (const TSiReportElement& e : section->elements) {
            if (!e.isStretching())
                continue;
            // The field as the composer finds it.
            int field = e.source;
            if (!e.sourceName.isEmpty()) {
                field = 0;
                for (int i = 0; i < m_fieldNames.size(); ++i)
                    if (m_fieldNames[i].compare(e.sourceName, Qt::CaseInsensitive) == 0) {
                        field = i;
                        break;
                    }
            }
            if (field < 0 || field >= m_fieldNames.size())
                field = 0;
            const int c = column(field);
            if (c < 0)
                return false;
            m_stretching.emplace_back(&e, c);
        }
    }
    return true;
}

StandPageCache::Hash StandPageNumbering::contextHash() const {
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(QByteArrayView(kLayoutVersion));
    hash.addData(m_templateBytes);
    hash.addData(QByteArrayView(m_report.SKomentarem ? "1" : "0"));
    const QByteArray digest = hash.result();
    StandPageCache::Hash h{};
    std::memcpy(h.data(), digest.constData(), std::min<size_t>(h.size(), size_t(digest.size())));
    return h;
}

StandPageNumbering::Result StandPageNumbering::run() {
    StandDatabase& db = m_report.database();
    const QString directory = db.directory();
    const StandPageCache::Hash context = contextHash();
    const StandPageCache::FileState before = StandPageCache::currentState(directory);
    StandPageCache cache(directory);
    if (cache.load() && cache.context() == context && cache.state() == before)
        return Done; // nothing written since every page number was right

    const std::vector<StandPages::Stand> stands = StandPages::Read(db, m_columns);
    std::vector<const StandPages::Stand*> printed; // in report order
    for (const StandPages::Stand& s : stands)
        if (s.summary && s.rows > 0)
            printed.push_back(&s);

    // Values as the report's data set gives them: its columns take their type from their first
    // value, and are written out as the composer writes them.
    const QLocale locale = m_report.SJHKVysC.locale();
    std::vector<ReportDataSet::FieldType> types(size_t(m_columns.size()), ReportDataSet::String);
    for (int c = 0; c < m_columns.size(); ++c)
        for (const StandPages::Stand* s : printed)
            if (const QVariant& v = s->values[size_t(c)]; v.isValid() && !v.isNull()) {
                types[size_t(c)] = ModelDataSet::typeOfValue(v);
                break;
            }
    auto text = [&](const StandPages::Stand& s, int c, ReportDataSet::FieldType type) {
        return ReportDataSet::formatValue(s.values[size_t(c)], type, locale);
    };

    std::vector<ReportPageFlow::Block> blocks;
    const int groups = int(m_groupColumn.size());
    QStringList last;
    for (const StandPages::Stand* s : printed) {
        QStringList groupTexts;
        for (int c : m_groupColumn)
            groupTexts << (c < 0 ? QString() : text(*s, c, types[size_t(c)]));
        int changed = 0;
        while (!last.isEmpty() && changed < groups && groupTexts[changed] == last[changed])
            ++changed;
        blocks.push_back({s->rows, changed});
        last = std::move(groupTexts);
    }

    // Lines of a stretching element as the composer measures them, once per text.
    const TextMeasure measure;
    QHash<QPair<const TSiReportElement*, QString>, int> wrapped;
    auto linesOf = [&](const TSiReportElement& e, const QString& value) {
        const auto key = qMakePair(&e, value);
        auto it = wrapped.constFind(key);
        if (it == wrapped.cend())
            it = wrapped.insert(key, int(measure.wrap(e, value).size()));
        return *it;
    };
    auto lines = [&](const TSiReportElement& e, int block) {
        const auto found = std::find_if(m_stretching.begin(), m_stretching.end(),
                                        [&](const auto& p) { return p.first == &e; });
        ReportPageFlow::Lines l;
        if (found == m_stretching.end())
            return l;
        const int c = found->second;
        const StandPages::Stand& s = *printed[size_t(block)];
        const ReportDataSet::FieldType type = types[size_t(c)];
        if (type != ReportDataSet::Graphic && type != ReportDataSet::Binary)
            l.growth = linesOf(e, text(s, c, type));
        const ReportDataSet::FieldType shown = TFJHKSest::FieldType(m_columns[c], type);
        if (shown != ReportDataSet::Graphic && shown != ReportDataSet::Binary)
            l.printed = linesOf(e, text(s, c, shown));
        return l;
    };
    ReportPageFlow flow(m_report.SJHKVysC, lines);
    const std::optional<std::vector<int>> pages =
        flow.startPages(blocks, TFJHKSest::StandGroup, m_report.NumberingProgress);
    if (!pages)
        return Interrupted;

    // A read-only database keeps the page numbers it holds; the report is still composed.
    if (db.isReadOnly())
        return Done;
    std::vector<std::pair<int, int>> changes;
    size_t next = 0;
    for (const StandPages::Stand& s : stands) {
        int page = 0;
        if (next < printed.size() && printed[next] == &s)
            page = std::min((*pages)[next++], 32767);
        if (s.speciesRows > 0 && s.page != page)
            changes.emplace_back(s.key, page);
    }
    StandPages::Write(db, changes);
    const StandPageCache::FileState after = StandPageCache::currentState(directory);
    const bool known = changes.empty() ? after == before : StandPageCache::isOneWriteLater(before, after);
    cache.save(context, known ? after : StandPageCache::FileState());
    return Done;
}
