#include "TZnakovePolePrinter.h"

#include "TZnakovePole.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <cmath>

namespace {

// The printer fonts "Roman 10cpi", "Roman 12cpi", "Roman 17cpi" as a monospace font whose em is
// the point size those pitches have (120 / cpi points), in painter units.
QFont pitchFont(int pitch, bool bold, double dpiY) {
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    const double points = 120.0 / TZnakovePole::charsPerInch(pitch);
    font.setPixelSize(std::max(1, int(std::lround(points * dpiY / 72.0))));
    font.setBold(bold);
    return font;
}

} // namespace

void PrintZnakovePole(QPainter& painter, const TZnakovePole& grid, double dpiX, double dpiY) {
    if (QPaintDevice* device = painter.device()) {
        if (dpiX <= 0)
            dpiX = device->logicalDpiX();
        if (dpiY <= 0)
            dpiY = device->logicalDpiY();
    }
    if (dpiX <= 0 || dpiY <= 0)
        return;
    const double rowHeight = dpiY / grid.linesPerInch();
    painter.save();
    for (int i = 0; i < grid.rowCount(); ++i) {
        const TZnakovyRadek& row = grid.row(i);
        for (int s = 0; s < TZnakovyRadek::SlotCount; ++s) {
            const QString& text = row.slot(s);
            if (text.trimmed().isEmpty())
                continue;
            const int pitch = s / 8;
            const QFont font = pitchFont(pitch, s % 2 == 1, dpiY);
            painter.setFont(font);
            const QFontMetricsF metrics(font, painter.device());
            const double cell = dpiX / TZnakovePole::charsPerInch(pitch);
            // The font's own ascent, shrunk in proportion when ascent and descent exceed the row.
            const double ascent = metrics.ascent();
            const double total = ascent + metrics.descent();
            const double baseline = i * rowHeight + (total > rowHeight ? rowHeight * ascent / total : ascent);
            // Character by character, so the columns hold whatever the font's own advance is.
            for (int c = 0; c < text.size(); ++c)
                if (text[c] != QChar(' '))
                    painter.drawText(QPointF(c * cell, baseline), QString(text[c]));
        }
    }
    painter.restore();
}
