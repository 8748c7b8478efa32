#include "ChartStyle.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace ChartStyle {

double NiceStep(double span, int ticks) {
    const double raw = span / std::max(1, ticks);
    const double magnitude = std::pow(10.0, std::floor(std::log10(std::max(raw, 1e-9))));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * magnitude >= raw)
            return std::max(1.0, m * magnitude);
    return std::max(1.0, 10 * magnitude);
}

void PaintFrame(QPainter& p, const QWidget& chart, const QString& title, const QString& species) {
    const QPalette pal = chart.palette();
    p.fillRect(chart.rect(), pal.base());
    p.setPen(pal.mid().color());
    p.drawRect(chart.rect().adjusted(0, 0, -1, -1));
    QFont bold = chart.font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(pal.text().color());
    p.drawText(QRectF(0, 4, chart.width(), chart.fontMetrics().height()), Qt::AlignHCenter | Qt::AlignVCenter,
               species.isEmpty() ? title : QString("%1 – %2").arg(title, species));
    p.setFont(chart.font());
}

} // namespace ChartStyle
