#include "TextMeasure.h"

#include "ReportFonts.h"
#include "TSiReportElement.h"
#include "TZnakovePole.h"

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

QStringList WrapText(const QString& text, double width, const std::function<double(QStringView)>& widthOf) {
    QStringList out;
    auto flush = [&](QString line) {
        while (line.size() > 1 && widthOf(line) > width) {
            qsizetype n = line.size() - 1;
            while (n > 1 && widthOf(QStringView(line).left(n)) > width)
                --n;
            out.append(line.left(n));
            line = line.mid(n);
        }
        out.append(line);
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
