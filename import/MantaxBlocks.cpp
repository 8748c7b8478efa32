#include "MantaxBlocks.h"

namespace MantaxBlocks {

namespace {

enum class Scan { Outside, InRecords, InReportHeader, AfterKruh };

bool isReport(const TInfoData& b) {
    return b.kind == MantaxKind::SingleTrees || b.kind == MantaxKind::ClassTotals;
}

} // namespace

std::vector<TInfoData> SplitBlocks(const QStringList& lines) {
    std::vector<TInfoData> blocks;
    Scan state = Scan::Outside;
    int headerLine = 0;
    // The open block, when its last line is still to be found.
    auto closeReport = [&](qsizetype last) {
        if (!blocks.empty() && isReport(blocks.back()) && state != Scan::Outside)
            blocks.back().lastLine = last;
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString t = lines[i].trimmed();
        if (t.size() < 2)
            continue;
        if (t.startsWith('$')) {
            if (state != Scan::InRecords && t == QLatin1String("$9")) {
                // A stray end mark opens nothing; as a block it would swallow the next stand.
                closeReport(i - 1);
                state = Scan::Outside;
            } else if (state != Scan::InRecords) {
                closeReport(i - 1);
                TInfoData b;
                b.firstLine = b.lastLine = i;
                b.kind = MantaxKind::Records;
                blocks.push_back(b);
                state = Scan::InRecords;
            } else {
                blocks.back().lastLine = i;
                if (t == QLatin1String("$9"))
                    state = Scan::Outside;
            }
            continue;
        }
        if (state == Scan::InRecords) {
            blocks.back().lastLine = i;
            continue;
        }
        if (t.startsWith(QLatin1String("LIST"), Qt::CaseInsensitive)) {
            closeReport(i - 1);
            TInfoData b;
            b.firstLine = b.lastLine = i;
            b.kind = MantaxKind::ClassTotals;
            blocks.push_back(b);
            headerLine = 0;
            state = Scan::InReportHeader;
            continue;
        }
        if (state == Scan::InReportHeader) {
            ++headerLine;
            if (headerLine >= 5 && t.startsWith(QLatin1String("KRUH"), Qt::CaseInsensitive)) {
                state = Scan::AfterKruh;
                blocks.back().kind = MantaxKind::SingleTrees;
            }
        }
    }
    // A report block, and a record block whose "$9" is missing, run to the end of the file.
    if (!blocks.empty() && state != Scan::Outside)
        blocks.back().lastLine = lines.size() - 1;
    return blocks;
}

void MarkDuplicates(std::vector<TInfoData>& blocks, const QStringList& lines) {
    auto line = [&](qsizetype i) { return i >= 0 && i < lines.size() ? lines[i].trimmed() : QString(); };
    for (TInfoData& b : blocks) {
        const qsizetype from = b.kind == MantaxKind::Records ? b.firstLine : b.firstLine + 1;
        for (int k = 0; k < 3; ++k)
            b.identity[size_t(k)] = line(from + k);
    }
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

QStringList ConvertBlocks(const QStringList& lines, std::vector<TInfoData>& blocks) {
    MantaxConversion out;
    for (TInfoData& b : blocks) {
        const qsizetype first = out.records.size();
        MantaxReader::Convert(lines, b.firstLine, b.lastLine, b.kind, out);
        if (b.kind == MantaxKind::Records &&
            (out.records.size() == first || out.records.last() != QLatin1String("$9")))
            out.records.append("$9");
        b.firstLine = first;
        b.lastLine = out.records.size() - 1;
    }
    return out.records;
}

} // namespace MantaxBlocks
