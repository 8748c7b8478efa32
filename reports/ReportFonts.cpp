#include "ReportFonts.h"

#include "TextMeasure.h"

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
    return WrapText(text, width, [this](QStringView s) { return textWidth(s.toString()); });
}
