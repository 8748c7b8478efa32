#include "TextMeasure.h"

#include "ReportFonts.h"
#include "TSiReportElement.h"
#include "TZnakovePole.h"
#include "TextUtils.h"

#include <algorithm>

TextMeasure TextMeasure::characterGrid(int lineSpacing) {
    TextMeasure m;
    m.m_kind = CharacterGrid;
    m.m_lineSpacing = lineSpacing;
    return m;
}

double TextMeasure::lineHeight(const TSiReportElement& e) const {
    if (m_kind == CharacterGrid)
        return 100.0 / TZnakovePole::linesPerInch(m_lineSpacing);
    return ReportFonts(e.fontName, e.fontSize, e.style).lineHeight();
}

QStringList TextMeasure::wrap(const TSiReportElement& e, const QString& text) const {
    if (m_kind == CharacterGrid) {
        const int columns = TZnakovePole::columnOfX(e.width, TZnakovePole::pitchOfFontSize(e.fontSize));
        return WrapText(text, std::max(1, columns), [](QStringView s) { return double(s.size()); });
    }
    return ReportFonts(e.fontName, e.fontSize, e.style).wrap(text, e.width);
}

namespace {

// The longest start of `line` no wider than `width`, at least one character, never splitting a
// surrogate pair. Widths grow with the start, so the search gallops (1, 2, 4, … characters) and
// then bisects: it measures about log(n) starts no longer than twice the answer, whatever the
// length of the line.
qsizetype fittingStart(QStringView line, double width, const std::function<double(QStringView)>& widthOf) {
    const auto fits = [&](qsizetype n) { return widthOf(line.left(n)) <= width; };
    const qsizetype one = CharacterBoundary(line, 1) > 0 ? 1 : std::min<qsizetype>(2, line.size());
    qsizetype good = one; // fits, or is the one character that must go on the line anyway
    qsizetype bad = line.size() + 1;
    while (good < line.size()) {
        const qsizetype probe = std::min(good * 2, line.size());
        if (!fits(probe)) {
            bad = probe;
            break;
        }
        good = probe;
    }
    while (bad - good > 1) {
        const qsizetype mid = good + (bad - good) / 2;
        (fits(mid) ? good : bad) = mid;
    }
    const qsizetype cut = CharacterBoundary(line, good);
    return cut > 0 ? cut : std::min(line.size(), good + 1);
}

} // namespace

QStringList WrapText(const QString& text, double width, const std::function<double(QStringView)>& widthOf) {
    QStringList out;
    // A line wider than `width` (one long word) is cut where it reaches the width; the line is
    // measured whole once, its pieces only as far as they reach.
    auto flush = [&](const QString& line) {
        QStringView rest(line);
        if (rest.size() > 1 && widthOf(rest) > width) {
            for (;;) {
                const qsizetype n = fittingStart(rest, width, widthOf);
                if (n >= rest.size())
                    break;
                out.append(rest.left(n).toString());
                rest = rest.mid(n);
            }
        }
        out.append(rest.toString());
    };
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(u'\r', u'\n');
    for (const QString& paragraph : normalized.split(u'\n')) {
        QString line;
        for (const QString& word : paragraph.split(u' ')) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (line.isEmpty() || widthOf(candidate) <= width) {
                line = candidate;
                continue;
            }
            flush(line);
            line = word;
        }
        flush(line);
    }
    return out;
}
