#include "HeightChart.h"

#include "ChartStyle.h"
#include "LocaleNumbers.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <cmath>

namespace {

const QColor kSampleColor(40, 110, 200);
const QColor kCurveColor(20, 50, 120);
const QColor kJhkColor(220, 110, 20);
const QColor kMeanColor(200, 30, 30);

// One line of the legend: its mark (0 point, 1 curve, 2 JHK, 3 mean stem, -1 none) and text.
struct LegendEntry {
    int kind;
    QString text;
};

std::vector<LegendEntry> legendOf(const HeightChart::Data& data) {
    std::vector<LegendEntry> entries{{0, QString("vzorníky (%1)").arg(data.samples.size())}};
    if (data.curve)
        entries.push_back({1, QString("%1, RMSE %2 m")
                                  .arg(HeightModels::Title(data.curve->model),
                                       LocaleNumbers::Format("%.2f", data.curve->rmse))});
    else
        entries.push_back({-1, "křivku nelze sestrojit"});
    if (data.jhk.size() >= 2)
        entries.push_back({2, data.jhkName});
    if (data.meanDiameter > 0 && data.meanHeight > 0)
        entries.push_back({3, "střední kmen"});
    return entries;
}

double legendWidth(const std::vector<LegendEntry>& entries, const QFontMetrics& fm) {
    double text = 0;
    for (const LegendEntry& e : entries)
        text = std::max(text, double(fm.horizontalAdvance(e.text)));
    return text + 40;
}

// The height of a polyline at diameter d; NaN outside it.
double polylineHeight(const std::vector<CurvePoint>& line, double d) {
    for (size_t i = 1; i < line.size(); ++i) {
        const CurvePoint &a = line[i - 1], &b = line[i];
        if (d >= a.diameter && d <= b.diameter && b.diameter > a.diameter)
            return a.height + (b.height - a.height) * (d - a.diameter) / (b.diameter - a.diameter);
    }
    return NAN;
}

void drawCross(QPainter& p, const QPointF& c, double r) {
    p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
    p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
}

} // namespace

HeightChart::HeightChart(QWidget* parent) : QWidget(parent) {
    setObjectName("VyskovaKrivka");
    setMouseTracking(true);
}

void HeightChart::setData(const Data& data) {
    // The refresh hands the same data over and over; only a change is painted.
    if (data == m_data)
        return;
    m_data = data;
    update();
}

QPointF HeightChart::Scale::at(double d, double h) const {
    return {area.left() + (d - x0) / (x1 - x0) * area.width(),
            area.bottom() - (h - y0) / (y1 - y0) * area.height()};
}

HeightChart::Scale HeightChart::scale() const {
    Scale s;
    double dMin = INFINITY, dMax = -INFINITY, hMin = INFINITY, hMax = -INFINITY;
    const auto take = [&](double d, double h) {
        if (!std::isfinite(d) || !std::isfinite(h))
            return;
        dMin = std::min(dMin, d);
        dMax = std::max(dMax, d);
        hMin = std::min(hMin, h);
        hMax = std::max(hMax, h);
    };
    for (const SampleHeight& p : m_data.samples)
        take(p.diameter, p.height);
    if (m_data.meanDiameter > 0 && m_data.meanHeight > 0)
        take(m_data.meanDiameter, m_data.meanHeight);
    if (m_data.curve)
        for (int i = 0; i <= 20; ++i) {
            const double d = m_data.from + (m_data.to - m_data.from) * i / 20;
            take(d, m_data.curve->height(d));
        }
    // The JHK curve counts where it lies over the diameters shown.
    if (std::isfinite(dMin))
        for (int i = 0; i <= 20; ++i) {
            const double d = dMin + (dMax - dMin) * i / 20;
            const double h = polylineHeight(m_data.jhk, d);
            if (std::isfinite(h)) {
                hMin = std::min(hMin, h);
                hMax = std::max(hMax, h);
            }
        }
    if (!std::isfinite(dMin)) {
        dMin = 0;
        dMax = 50;
        hMin = 0;
        hMax = 30;
    }
    const double xStep = ChartStyle::NiceStep(std::max(dMax - dMin, 1.0), 6);
    s.x0 = std::max(0.0, std::floor((dMin - xStep / 2) / xStep) * xStep);
    s.x1 = std::ceil((dMax + xStep / 2) / xStep) * xStep;
    const double yStep = ChartStyle::NiceStep(std::max(hMax - hMin, 1.0), 5);
    s.y0 = std::max(0.0, std::floor((hMin - yStep / 2) / yStep) * yStep);
    s.y1 = std::ceil((hMax + yStep / 2) / yStep) * yStep;

    const QFontMetrics fm = fontMetrics();
    const double left = fm.horizontalAdvance("000") + 14;
    const double top = fm.height() * 2 + 10;
    const double bottom = fm.height() * 2 + 10;
    // A wide chart keeps its legend beside the plot, a narrow one inside it.
    const double legend = legendWidth(legendOf(m_data), fm);
    s.legendBeside = width() - left - legend > 360;
    const double right = s.legendBeside ? legend + 20 : 12;
    s.area =
        QRectF(left, top, std::max(10.0, width() - left - right), std::max(10.0, height() - top - bottom));
    return s;
}

int HeightChart::sampleAt(const QPoint& point) const {
    const Scale s = scale();
    for (int i = int(m_data.samples.size()) - 1; i >= 0; --i) {
        const SampleHeight& p = m_data.samples[size_t(i)];
        if (QLineF(s.at(p.diameter, p.height), point).length() <= 5)
            return i;
    }
    return -1;
}

void HeightChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette pal = palette();
    const QFontMetrics fm = fontMetrics();
    ChartStyle::PaintFrame(p, *this, "Výšková křivka", m_data.species);

    const Scale s = scale();
    if (m_data.samples.empty()) {
        p.setPen(pal.placeholderText().color());
        p.drawText(s.area, Qt::AlignCenter | Qt::TextWordWrap,
                   "Zatím nejsou zapsány žádné výškové vzorníky.\nZapište je do tabulky „Výškové vzorníky“.");
        return;
    }

    // Grid and axes.
    p.setPen(QPen(pal.mid().color(), 1, Qt::DotLine));
    const double xStep = ChartStyle::NiceStep(s.x1 - s.x0, 6), yStep = ChartStyle::NiceStep(s.y1 - s.y0, 5);
    for (double d = std::ceil(s.x0 / xStep - 1e-9) * xStep; d <= s.x1 + 1e-9; d += xStep) {
        const double x = s.at(d, s.y0).x();
        p.setPen(QPen(pal.mid().color(), 1, Qt::DotLine));
        p.drawLine(QPointF(x, s.area.top()), QPointF(x, s.area.bottom()));
        p.setPen(pal.text().color());
        p.drawText(QRectF(x - 30, s.area.bottom() + 2, 60, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
                   QString::number(d));
    }
    for (double h = std::ceil(s.y0 / yStep - 1e-9) * yStep; h <= s.y1 + 1e-9; h += yStep) {
        const double y = s.at(s.x0, h).y();
        p.setPen(QPen(pal.mid().color(), 1, Qt::DotLine));
        p.drawLine(QPointF(s.area.left(), y), QPointF(s.area.right(), y));
        p.setPen(pal.text().color());
        p.drawText(QRectF(0, y - fm.height() / 2.0, s.area.left() - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(h));
    }
    p.setPen(pal.text().color());
    p.drawLine(s.area.bottomLeft(), s.area.bottomRight());
    p.drawLine(s.area.bottomLeft(), s.area.topLeft());
    p.drawText(QRectF(0, height() - fm.height() - 4, width(), fm.height()),
               Qt::AlignHCenter | Qt::AlignVCenter, "tloušťka d (cm)");
    p.drawText(QRectF(4, fm.height() + 6, width(), fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
               "výška h (m)");

    p.save();
    p.setClipRect(s.area.adjusted(-1, -6, 1, 1));
    // The JHK curve over the diameters shown.
    if (m_data.jhk.size() >= 2) {
        QPainterPath path;
        for (size_t i = 0; i < m_data.jhk.size(); ++i) {
            const QPointF at = s.at(m_data.jhk[i].diameter, m_data.jhk[i].height);
            i == 0 ? path.moveTo(at) : path.lineTo(at);
        }
        p.setPen(QPen(kJhkColor, 2, Qt::DashLine));
        p.drawPath(path);
    }
    // The fitted curve over the sampled diameters.
    if (m_data.curve) {
        QPainterPath path;
        constexpr int steps = 100;
        for (int i = 0; i <= steps; ++i) {
            const double d = m_data.from + (m_data.to - m_data.from) * i / steps;
            const QPointF at = s.at(d, m_data.curve->height(d));
            i == 0 ? path.moveTo(at) : path.lineTo(at);
        }
        p.setPen(QPen(kCurveColor, 2.2));
        p.drawPath(path);
    }
    p.setPen(QPen(kSampleColor.darker(130), 1));
    p.setBrush(kSampleColor);
    for (const SampleHeight& sample : m_data.samples)
        p.drawEllipse(s.at(sample.diameter, sample.height), 3.5, 3.5);
    if (m_data.meanDiameter > 0 && m_data.meanHeight > 0) {
        p.setPen(QPen(kMeanColor, 2.4));
        drawCross(p, s.at(m_data.meanDiameter, m_data.meanHeight), 6);
    }
    p.restore();

    // The legend, beside the plot or in its upper left corner.
    const std::vector<LegendEntry> entries = legendOf(m_data);
    const double line = fm.height() + 2;
    const double boxWidth = legendWidth(entries, fm);
    const QRectF box(s.legendBeside ? s.area.right() + 10 : s.area.left() + 8, s.area.top() + 6, boxWidth,
                     line * double(entries.size()) + 6);
    QColor back = pal.base().color();
    back.setAlpha(220);
    p.setPen(pal.mid().color());
    p.setBrush(back);
    p.drawRect(box);
    for (size_t i = 0; i < entries.size(); ++i) {
        const double y = box.top() + 3 + line * double(i) + line / 2;
        const QPointF mark(box.left() + 14, y);
        switch (entries[i].kind) {
        case 0:
            p.setPen(QPen(kSampleColor.darker(130), 1));
            p.setBrush(kSampleColor);
            p.drawEllipse(mark, 3.5, 3.5);
            break;
        case 1:
            p.setPen(QPen(kCurveColor, 2.2));
            p.drawLine(mark - QPointF(9, 0), mark + QPointF(9, 0));
            break;
        case 2:
            p.setPen(QPen(kJhkColor, 2, Qt::DashLine));
            p.drawLine(mark - QPointF(9, 0), mark + QPointF(9, 0));
            break;
        case 3:
            p.setPen(QPen(kMeanColor, 2.4));
            drawCross(p, mark, 4);
            break;
        default:
            break;
        }
        p.setPen(entries[i].kind < 0 ? pal.placeholderText().color() : pal.text().color());
        p.drawText(QRectF(box.left() + 30, y - line / 2, boxWidth - 30, line),
                   Qt::AlignLeft | Qt::AlignVCenter, entries[i].text);
    }
}

bool HeightChart::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const int i = sampleAt(help->pos());
        if (i >= 0) {
            const SampleHeight& s = m_data.samples[size_t(i)];
            QToolTip::showText(help->globalPos(), QString("Vzorník: tloušťka %1 cm, výška %2 m")
                                                      .arg(LocaleNumbers::Shortest(s.diameter),
                                                           LocaleNumbers::Shortest(s.height)));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(e);
}
