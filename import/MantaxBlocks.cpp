#include "MantaxBlocks.h"

#include "CaliperLines.h"

#include <optional>

namespace MantaxBlocks {

namespace {

enum class Scan { Outside, InRecords, InReportHeader, AfterKruh };

bool isReport(const TInfoData& b) {
    return b.kind == MantaxKind::SingleTrees || b.kind == MantaxKind::ClassTotals;
}

// The first identity line of a block.
qsizetype identityStart(const TInfoData& b) {
    return b.kind == MantaxKind::Records ? b.firstLine : b.firstLine + 1;
}

// The blocks of a file, found one line at a time.
class Splitter {
  public:
    void line(qsizetype i, const QString& t) {
        step(i, t);
        for (auto b = m_blocks.rbegin(); b != m_blocks.rend(); ++b) {
            const qsizetype from = identityStart(*b);
            if (i >= from + 3)
                break;
            if (i >= from)
                b->identity[size_t(i - from)] = t;
        }
    }

    // A report block, and a record block whose "$9" is missing, run to the end of the file.
    std::vector<TInfoData> finish(qsizetype lineCount) {
        if (!m_blocks.empty() && m_state != Scan::Outside)
            m_blocks.back().lastLine = lineCount - 1;
        return std::move(m_blocks);
    }

  private:
    // The open block, when its last line is still to be found.
    void closeReport(qsizetype last) {
        if (!m_blocks.empty() && isReport(m_blocks.back()) && m_state != Scan::Outside)
            m_blocks.back().lastLine = last;
    }

    void open(qsizetype i, MantaxKind kind) {
        TInfoData b;
        b.firstLine = b.lastLine = i;
        b.kind = kind;
        m_blocks.push_back(b);
    }

    void step(qsizetype i, const QString& t) {
        if (t.size() < 2)
            return;
        if (t.startsWith('$')) {
            if (m_state != Scan::InRecords && t == QLatin1String("$9")) {
                // A stray end mark opens nothing; as a block it would swallow the next stand.
                closeReport(i - 1);
                m_state = Scan::Outside;
            } else if (m_state != Scan::InRecords) {
                closeReport(i - 1);
                open(i, MantaxKind::Records);
                m_state = Scan::InRecords;
            } else {
                m_blocks.back().lastLine = i;
                if (t == QLatin1String("$9"))
                    m_state = Scan::Outside;
            }
            return;
        }
        if (m_state == Scan::InRecords) {
            m_blocks.back().lastLine = i;
            return;
        }
        if (t.startsWith(QLatin1String("LIST"), Qt::CaseInsensitive)) {
            closeReport(i - 1);
            open(i, MantaxKind::ClassTotals);
            m_headerLine = 0;
            m_state = Scan::InReportHeader;
            return;
        }
        if (m_state == Scan::InReportHeader) {
            ++m_headerLine;
            if (m_headerLine >= 5 && t.startsWith(QLatin1String("KRUH"), Qt::CaseInsensitive)) {
                m_state = Scan::AfterKruh;
                m_blocks.back().kind = MantaxKind::SingleTrees;
            }
        }
    }

    std::vector<TInfoData> m_blocks;
    Scan m_state = Scan::Outside;
    int m_headerLine = 0;
};

} // namespace

std::vector<TInfoData> SplitBlocks(const CaliperLines& lines) {
    Splitter splitter;
    qsizetype count = 0;
    lines.ForEach([&](qsizetype i, const QString& line) {
        splitter.line(i, line.trimmed());
        count = i + 1;
        return true;
    });
    return splitter.finish(count);
}

std::vector<TInfoData> SplitBlocks(const QStringList& lines) {
    return SplitBlocks(CaliperLines(lines));
}

void MarkDuplicates(std::vector<TInfoData>& blocks) {
    for (size_t i = 1; i < blocks.size(); ++i) {
        TInfoData& earlier = blocks[i - 1];
        TInfoData& later = blocks[i];
        if (earlier.identity[0] + earlier.identity[1] + earlier.identity[2] !=
            later.identity[0] + later.identity[1] + later.identity[2])
            continue;
        if (earlier.kind == MantaxKind::Records)
            earlier.duplicate = true;
        else
            later.duplicate = true;
    }
}

void ConvertBlocks(const CaliperLines& lines, const std::vector<TInfoData>& blocks,
                   const std::function<bool(size_t block, const QString& record)>& record) {
    MantaxConversion out;
    size_t b = 0;
    QString last;
    bool any = false;
    bool stopped = false;
    out.sink = [&](const QString& r) {
        last = r;
        any = true;
        if (!stopped)
            stopped = !record(b, r);
    };
    std::optional<MantaxConverter> converter;
    const auto finishBlock = [&] {
        if (!converter)
            converter.emplace(blocks[b].kind, out);
        converter->finish();
        if (blocks[b].kind == MantaxKind::Records && (!any || last != QLatin1String("$9")))
            out.add(QStringLiteral("$9"));
        converter.reset();
        any = false;
        ++b;
    };
    if (blocks.empty())
        return;
    lines.ForEach([&](qsizetype i, const QString& line) {
        if (i < blocks[b].firstLine)
            return true;
        if (!converter)
            converter.emplace(blocks[b].kind, out);
        converter->line(line);
        if (i >= blocks[b].lastLine)
            finishBlock();
        return !stopped && b < blocks.size();
    });
    while (!stopped && b < blocks.size())
        finishBlock();
}

} // namespace MantaxBlocks
