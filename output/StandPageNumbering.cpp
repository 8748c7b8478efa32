#include "StandPageNumbering.h"

#include "StandDatabase.h"
#include "StandReportQueries.h"
#include "TFJHKSest.h"

#include <QCryptographicHash>
#include <QFile>
#include <algorithm>
#include <cstring>
#include <optional>
#include <unordered_map>

namespace {

// Raised when what the layout depends on changes (engine, numbering rules).
constexpr char kLayoutVersion[] = "rivwood-stranky-1";

StandPageCache::Hash toHash(const QByteArray& digest) {
    StandPageCache::Hash h{};
    std::memcpy(h.data(), digest.constData(), std::min<size_t>(h.size(), size_t(digest.size())));
    return h;
}

void addInt(QCryptographicHash& hash, qint64 v) {
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(&v), sizeof v));
}

QString standColumn(const QString& field) {
    return field.compare(QStringLiteral("klic"), Qt::CaseInsensitive) == 0 ? QStringLiteral("KLIC") : field;
}

} // namespace

StandPageNumbering::StandPageNumbering(TFJHKSest& report) : m_report(report) {}

bool StandPageNumbering::applies() {
    TSestava& r = m_report.SJHKVysC;
    if (r.IsStored || r.OnNactiPredlohu || r.OnTiskOddilu)
        return false;
    const std::vector<TPolSkup>& groups = r.groups();
    if (int(groups.size()) <= TFJHKSest::StandGroup || !groups[size_t(TFJHKSest::StandGroup)].newPage)
        return false;
    QFile file(r.templateFileName());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_templateBytes = file.readAll();

    const QStringList names = m_report.QSestavaFieldNames();
    const QStringList standFields = StandReportQueries::StandFields();
    auto standWide = [&](int field, QString* column) {
        if (field < 0 || field >= names.size())
            return false;
        if (!standFields.contains(names[field], Qt::CaseInsensitive))
            return false;
        *column = standColumn(names[field]);
        return true;
    };
    m_groupColumns.clear();
    m_layoutColumns.clear();
    for (const TPolSkup& g : groups) {
        QString column;
        if (g.fieldIndex < 0 || g.fieldIndex >= names.size()) {
            m_groupColumns << QString(); // prints no value: never changes
            continue;
        }
        if (!standWide(g.fieldIndex, &column))
            return false;
        m_groupColumns << column;
    }
    std::vector<const TOddilSestavy*> sections;
    for (int s = 0; s < 5; ++s)
        sections.push_back(r.section(s));
    for (const TPolSkup& g : groups) {
        sections.push_back(&g.head);
        sections.push_back(&g.foot);
    }
    for (const TOddilSestavy* section : sections) {
        for (const TSiReportElement& e : section->elements) {
            if (e.kind == TSiReportElement::SubReport)
                return false;
            if (!e.isStretching())
                continue;
            // The field as the composer finds it.
            int field = e.source;
            if (!e.sourceName.isEmpty()) {
                field = 0;
                for (int i = 0; i < names.size(); ++i)
                    if (names[i].compare(e.sourceName, Qt::CaseInsensitive) == 0) {
                        field = i;
                        break;
                    }
            }
            if (field < 0 || field >= names.size())
                field = 0;
            QString column;
            if (!standWide(field, &column))
                return false;
            if (!m_layoutColumns.contains(column, Qt::CaseInsensitive))
                m_layoutColumns << column;
        }
    }
    return true;
}

StandPageCache::Hash StandPageNumbering::contextHash() const {
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(QByteArrayView(kLayoutVersion));
    hash.addData(m_templateBytes);
    addInt(hash, m_report.SKomentarem ? 1 : 0);
    return toHash(hash.result());
}

std::vector<StandPageNumbering::Stand> StandPageNumbering::readStands() {
    StandDatabase& db = m_report.database();
    std::unordered_map<qint64, size_t> index;
    std::vector<Stand> stands;
    {
        // KLIC, the summary flag and the four location columns come first.
        const int groupsAt = 6;
        const int layoutAt = groupsAt + int(m_groupColumns.size());
        const int columns = layoutAt + int(m_layoutColumns.size());
        RowCursor q = StandReportQueries::ComputedStands(db, m_groupColumns + m_layoutColumns);
        QCryptographicHash hash(QCryptographicHash::Md5);
        auto add = [&](int c) {
            if (q.isNull(c)) {
                hash.addData(QByteArrayView("\0N", 2));
                return;
            }
            const QByteArrayView b = q.bytes(c);
            addInt(hash, b.size());
            hash.addData(b);
        };
        while (q.next()) {
            Stand s;
            s.key = int(q.integer(0));
            s.inReport = q.integer(1) != 0;
            hash.reset();
            for (int c = 2; c < groupsAt; ++c)
                add(c);
            s.orderColumns = toHash(hash.result());
            for (int c = groupsAt; c < layoutAt; ++c)
                s.groupTexts << q.text(c);
            hash.reset();
            for (int c = layoutAt; c < columns; ++c)
                add(c);
            s.layoutValues = hash.result();
            index[s.key] = stands.size();
            stands.push_back(std::move(s));
        }
    }
    // The summary rows in table order, where a stand's rows lie together: how many the report
    // prints, how many have a species, and whether all hold the same page.
    RowCursor q = StandReportQueries::SummaryPageRows(db);
    std::vector<char> seen(stands.size(), 0);
    qint64 lastKey = 0;
    Stand* s = nullptr;
    while (q.next()) {
        const qint64 key = q.integer(0);
        if (!s || key != lastKey) {
            lastKey = key;
            const auto it = index.find(key);
            s = it == index.end() ? nullptr : &stands[it->second];
            if (!s)
                continue;
            if (!seen[it->second]) {
                seen[it->second] = 1;
                s->strankaRight = !q.isNull(2);
                s->stranka = int(q.integer(2));
            }
        }
        if (!s)
            continue;
        ++s->rows;
        s->speciesRows += q.integer(1) != 0 ? 1 : 0;
        s->strankaRight = s->strankaRight && !q.isNull(2) && int(q.integer(2)) == s->stranka;
    }
    for (Stand& stand : stands)
        stand.inReport = stand.inReport && stand.rows > 0;
    return stands;
}

std::vector<int> StandPageNumbering::reportOrder(const std::vector<Stand>& stands,
                                                 const StandPageCache& cache,
                                                 std::vector<StandPageCache::OrderEntry>& order) {
    // The order stays as it was while the same stands have the same values in its columns.
    std::vector<StandPageCache::OrderEntry> current;
    for (const Stand& s : stands)
        if (s.inReport)
            current.push_back({s.key, s.orderColumns});
    auto byKey = [](const StandPageCache::OrderEntry& a, const StandPageCache::OrderEntry& b) {
        return a.key < b.key;
    };
    std::vector<StandPageCache::OrderEntry> cached = cache.order();
    std::sort(current.begin(), current.end(), byKey);
    std::sort(cached.begin(), cached.end(), byKey);
    const bool same =
        std::equal(current.begin(), current.end(), cached.begin(), cached.end(),
                   [](const auto& a, const auto& b) { return a.key == b.key && a.columns == b.columns; });
    std::vector<int> keys;
    if (same) {
        order = cache.order();
        for (const auto& e : order)
            keys.push_back(e.key);
        return keys;
    }
    std::unordered_map<int, StandPageCache::Hash> columns;
    for (const auto& e : current)
        columns[e.key] = e.columns;
    order.clear();
    for (const int key : StandReportQueries::ReportOrder(m_report.database())) {
        const auto it = columns.find(key);
        if (it == columns.end())
            continue;
        keys.push_back(key);
        order.push_back({key, it->second});
    }
    return keys;
}

StandPageNumbering::Result StandPageNumbering::run() {
    const QString directory = m_report.database().directory();
    const StandPageCache::Hash context = contextHash();
    const StandPageCache::FileState before = StandPageCache::currentState(directory);
    StandPageCache cache(directory);
    if (cache.load(true) && cache.context() == context && cache.state() == before)
        return Done; // nothing written since every page number was right

    cache.load();
    std::vector<Stand> stands = readStands();
    std::vector<StandPageCache::OrderEntry> orderEntries;
    const std::vector<int> order = reportOrder(stands, cache, orderEntries);
    std::unordered_map<int, size_t> index;
    for (size_t i = 0; i < stands.size(); ++i)
        index[stands[i].key] = i;
    const size_t n = order.size();
    auto standAt = [&](size_t position) -> const Stand& { return stands[index.at(order[position])]; };
    // The first group that changes between two stands; every stand must start its own group.
    auto firstChanged = [&](const Stand& a, const Stand& b) {
        for (int g = 0; g < a.groupTexts.size(); ++g)
            if (a.groupTexts[g] != b.groupTexts[g])
                return g;
        return int(a.groupTexts.size());
    };
    std::vector<StandPageCache::Hash> hashes(n);
    for (size_t i = 0; i < n; ++i) {
        const Stand& s = standAt(i);
        const int before = i > 0 ? firstChanged(standAt(i - 1), s) : -1;
        const int after = i + 1 < n ? firstChanged(s, standAt(i + 1)) : -1;
        if (before > TFJHKSest::StandGroup || after > TFJHKSest::StandGroup)
            return NotApplicable;
        QCryptographicHash hash(QCryptographicHash::Md5);
        hash.addData(QByteArrayView(context.data(), qsizetype(context.size())));
        addInt(hash, s.rows);
        hash.addData(s.layoutValues);
        addInt(hash, before);
        addInt(hash, after);
        hashes[i] = toHash(hash.result());
    }

    std::vector<StandPageCache::Span> spans(n);
    std::vector<size_t> stale;
    for (size_t i = 0; i < n; ++i) {
        const std::optional<StandPageCache::Span> span = cache.find(hashes[i]);
        if (span)
            spans[i] = *span;
        else
            stale.push_back(i);
    }
    // Spans of the stands from..to of `order` out of a layout that holds them and their next one.
    auto takeSpans = [&](const TFJHKSest::Layout& layout, size_t from, size_t to) {
        for (size_t i = from; i <= to; ++i) {
            const auto start = layout.firstPages.find(order[i]);
            const auto next = i + 1 < n ? layout.firstPages.find(order[i + 1]) : layout.firstPages.end();
            if (start == layout.firstPages.end() || (i + 1 < n && next == layout.firstPages.end()))
                return false;
            const int end = i + 1 < n ? next->second : layout.pageCount + 1;
            spans[i] = {i == 0 ? start->second - 1 : 0, std::max(0, end - start->second)};
            cache.put(hashes[i], spans[i]);
        }
        return true;
    };
    if (stale.size() * 2 > n) {
        const std::optional<TFJHKSest::Layout> layout = m_report.LayOutStands();
        if (!layout)
            return Interrupted;
        if (n > 0 && !takeSpans(*layout, 0, n - 1))
            return NotApplicable;
    } else {
        // Each run of new stands is laid out with the stand before and after it, which decide the
        // report start, the river's head and foot and the report end around it.
        for (size_t r = 0; r < stale.size();) {
            size_t last = r;
            while (last + 1 < stale.size() && stale[last + 1] == stale[last] + 1)
                ++last;
            const size_t from = stale[r], to = stale[last];
            std::vector<int> keys;
            for (size_t i = from > 0 ? from - 1 : 0; i <= std::min(n - 1, to + 1); ++i)
                keys.push_back(order[i]);
            const std::optional<TFJHKSest::Layout> layout = m_report.LayOutStands(&keys);
            if (!layout)
                return Interrupted;
            if (!takeSpans(*layout, from, to))
                return NotApplicable;
            r = last + 1;
        }
    }

    std::vector<int> pages(stands.size(), 0);
    int page = 1;
    for (size_t i = 0; i < n; ++i) {
        page += spans[i].lead;
        pages[index.at(order[i])] = page;
        page += spans[i].pages;
    }
    const bool wrote = writePages(stands, pages);
    const StandPageCache::FileState after = StandPageCache::currentState(directory);
    const bool known = wrote ? StandPageCache::isOneWriteLater(before, after) : after == before;
    cache.setOrder(std::move(orderEntries));
    cache.save(context, known ? after : StandPageCache::FileState());
    return Done;
}

bool StandPageNumbering::writePages(const std::vector<Stand>& stands, const std::vector<int>& pages) {
    // A read-only database keeps the page numbers it holds; the report is still composed.
    if (m_report.database().isReadOnly())
        return true;
    std::vector<std::pair<int, int>> changed;
    for (size_t i = 0; i < stands.size(); ++i) {
        const Stand& s = stands[i];
        if (s.speciesRows == 0)
            continue;
        const int page = s.inReport ? std::min(pages[i], 32767) : 0;
        if (!(s.strankaRight && s.stranka == page))
            changed.emplace_back(s.key, page);
    }
    StandReportQueries::WritePages(m_report.database(), changed);
    return !changed.empty();
}
