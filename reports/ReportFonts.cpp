#include "ReportFonts.h"

#include <QFontMetricsF>
#include <QGuiApplication>

namespace {

// Font metrics need the platform's font database, which exists only with a GUI application.
bool fontDatabaseAvailable() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

double effectiveSize(int pointSize) {
    return pointSize > 0 ? pointSize : 10;
}

} // namespace

QFont ReportFonts::font(const QString& name, int pointSize, int style) {
    QString base = name.trimmed();
    if (base.endsWith(QStringLiteral(" CE"), Qt::CaseInsensitive))
        base.chop(3);
    QFont f;
    QStringList families;
    if (!name.trimmed().isEmpty())
        families << name.trimmed();
    if (!base.isEmpty() && base != name.trimmed())
        families << base;
    if (!families.isEmpty())
        f.setFamilies(families);
    const QString lower = base.toLower();
    if (lower.contains(QStringLiteral("courier")) || lower.contains(QStringLiteral("mono")))
        f.setStyleHint(QFont::TypeWriter);
    else if (lower.contains(QStringLiteral("times")) || lower.contains(QStringLiteral("roman")) ||
             lower.contains(QStringLiteral("serif")))
        f.setStyleHint(QFont::Serif);
    else
        f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setPixelSize(qMax(1, qRound(effectiveSize(pointSize) * 100.0 * kScale / 72.0)));
    f.setBold((style & 1) != 0);
    f.setItalic((style & 2) != 0);
    f.setUnderline((style & 4) != 0);
    f.setStrikeOut((style & 8) != 0);
    return f;
}

ReportFonts::ReportFonts(const QString& name, int pointSize, int style)
    : m_font(font(name, pointSize, style)), m_haveMetrics(fontDatabaseAvailable()),
      m_pointSize(effectiveSize(pointSize)) {}

double ReportFonts::lineHeight() const {
    if (!m_haveMetrics)
        return m_pointSize * 100.0 / 72.0 * 1.15;
    return QFontMetricsF(m_font).lineSpacing() / kScale;
}

double ReportFonts::textWidth(const QString& text) const {
    if (!m_haveMetrics)
        return text.size() * m_pointSize * 100.0 / 72.0 * 0.5;
    return QFontMetricsF(m_font).horizontalAdvance(text) / kScale;
}

QStringList ReportFonts::wrap(const QString& text, double width) const {
    QStringList out;
    // A single word wider than the line is broken between characters.
    auto flush = [&](QString line) {
        while (line.size() > 1 && textWidth(line) > width) {
            qsizetype n = line.size() - 1;
            while (n > 1 && textWidth(line.left(n)) > width)
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
            if (line.isEmpty() || textWidth(candidate) <= width) {
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
