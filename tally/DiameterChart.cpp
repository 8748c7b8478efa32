#include "DiameterChart.h"

#include "ChartStyle.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

using ChartStyle::NiceStep;

DiameterChart::DiameterChart(QWidget* parent) : QWidget(parent) {
    setObjectName("RozdeleniCetnosti");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void DiameterChart::setData(const QString& species, const std::vector<Bar>& classes) {
    int first = -1, last = -1;
    for (int i = 0; i < int(classes.size()); ++i) {
        if (classes[size_t(i)].trees > 0) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    std::vector<Bar> bars;
    if (first >= 0)
        bars.assign(classes.begin() + first, classes.begin() + last + 1);
    // The refresh hands the same data over and over; only a change is painted.
    if (species == m_species && bars == m_bars)
        return;
    m_species = species;
    m_bars = std::move(bars);
    update();
}

double DiameterChart::axisTop() const {
    double top = 0;
    for (const Bar& b : m_bars)
        top = std::max(top, b.trees);
    const double step = NiceStep(top, 4);
    return std::max(step, std::ceil(top / step) * step);
}

QRectF DiameterChart::plotArea() const {
    const QFontMetrics fm = fontMetrics();
    const double left = fm.horizontalAdvance(QString::number(axisTop())) + 10;
    const double top = fm.height() + 10;
    const double bottom = fm.height() * 2 + 10;
    return QRectF(left, top, std::max(10.0, width() - left - 10), std::max(10.0, height() - top - bottom));
}

int DiameterChart::barAt(const QPoint& point) const {
    if (m_bars.empty())
        return -1;
    const QRectF area = plotArea();
    if (!area.contains(point))
        return -1;
    const int i = int((point.x() - area.left()) / (area.width() / double(m_bars.size())));
    return i >= 0 && i < int(m_bars.size()) ? i : -1;
}

void DiameterChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette pal = palette();
    const QFontMetrics fm = fontMetrics();
    ChartStyle::PaintFrame(p, *this, "Rozdělení četností", m_species);

    const QRectF area = plotArea();
    if (m_bars.empty()) {
        p.setPen(pal.placeholderText().color());
        p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, "Zatím nejsou zapsány žádné četnosti.");
        return;
    }

    const double top = axisTop();
    const double step = NiceStep(top, 4);
    p.setPen(QPen(pal.mid().color(), 1, Qt::DotLine));
    for (double v = 0; v <= top + 1e-9; v += step) {
        const double y = area.bottom() - v / top * area.height();
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        p.save();
        p.setPen(pal.text().color());
        p.drawText(QRectF(0, y - fm.height() / 2.0, area.left() - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
        p.restore();
    }

    const double slot = area.width() / double(m_bars.size());
    const QColor fill = pal.highlight().color();
    const int labelEvery = std::max(1, int(std::ceil(fm.horizontalAdvance("000") * 1.6 / slot)));
    for (int i = 0; i < int(m_bars.size()); ++i) {
        const Bar& b = m_bars[size_t(i)];
        const double h = std::max(0.0, b.trees) / top * area.height();
        const QRectF bar(area.left() + i * slot + slot * 0.12, area.bottom() - h, slot * 0.76, h);
        p.fillRect(bar, fill);
        if (i % labelEvery == 0) {
            p.setPen(pal.text().color());
            p.drawText(QRectF(area.left() + (i - 2) * slot, area.bottom() + 2, slot * 5, fm.height()),
                       Qt::AlignHCenter | Qt::AlignTop, QString::number(b.centre));
        }
    }
    p.setPen(pal.text().color());
    p.drawLine(area.bottomLeft(), area.bottomRight());
    p.drawText(QRectF(0, height() - fm.height() - 4, width(), fm.height()),
               Qt::AlignHCenter | Qt::AlignVCenter, "tloušťkový stupeň (cm)");
}

bool DiameterChart::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const int i = barAt(help->pos());
        if (i >= 0) {
            const Bar& b = m_bars[size_t(i)];
            QToolTip::showText(help->globalPos(),
                               QString("Tl. stupeň %1 cm: %2 stromů").arg(b.centre).arg(b.trees));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(e);
}
