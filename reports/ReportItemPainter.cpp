#include "ReportItemPainter.h"

#include "ReportColors.h"
#include "ReportFonts.h"
#include "TSiReportElement.h"

#include <QPainter>

namespace {

Qt::PenStyle penStyle(int style) {
    switch (style) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

QBrush brush(const TVystPrvek& item) {
    if (item.flags & TSiReportElement::FlagNoFill)
        return Qt::NoBrush;
    static const Qt::BrushStyle styles[8] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                             Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                             Qt::CrossPattern, Qt::DiagCrossPattern};
    const Qt::BrushStyle style =
        item.fillStyle >= 0 && item.fillStyle < 8 ? styles[item.fillStyle] : Qt::SolidPattern;
    return QBrush(ReportColors::color(item.fillColour), style);
}

void paintText(QPainter& painter, const TVystPrvek& item) {
    if (item.text.isEmpty())
        return;
    const int k = ReportFonts::kScale;
    painter.save();
    painter.scale(1.0 / k, 1.0 / k);
    painter.setFont(ReportFonts::font(item.fontName, item.fontSize, item.style));
    painter.setPen(ReportColors::color(item.colour));
    const QRectF box(item.rect.x() * k, item.rect.y() * k, item.rect.width() * k, item.rect.height() * k);
    painter.setClipRect(box);
    int flags = Qt::AlignTop;
    switch (item.horizontalAlignment()) {
    case TSiReportElement::AlignRight:
        flags |= Qt::AlignRight;
        break;
    case TSiReportElement::AlignCenter:
        flags |= Qt::AlignHCenter;
        break;
    default:
        flags |= Qt::AlignLeft;
        break;
    }
    if (item.alignment & TSiReportElement::OptionWordWrap)
        flags |= Qt::TextWordWrap;
    painter.drawText(box, flags, item.text);
    painter.restore();
}

void paintShape(QPainter& painter, const TVystPrvek& item) {
    painter.save();
    QPen pen(ReportColors::color(item.lineColour));
    pen.setStyle(penStyle(item.lineStyle));
    pen.setWidthF(qMax(1, item.lineWidth));
    painter.setPen(pen);
    const QRectF r = item.rect;
    switch (item.kind) {
    case TSiReportElement::Line: {
        // Source: 0 horizontal through the middle of the box, 1 vertical, 2 and 3 the diagonals.
        QLineF line(r.left(), r.center().y(), r.right(), r.center().y());
        if (item.source == 1)
            line = QLineF(r.center().x(), r.top(), r.center().x(), r.bottom());
        else if (item.source == 2)
            line = QLineF(r.topLeft(), r.bottomRight());
        else if (item.source == 3)
            line = QLineF(r.bottomLeft(), r.topRight());
        painter.drawLine(line);
        break;
    }
    case TSiReportElement::Frame:
        painter.setBrush(brush(item));
        painter.drawRect(r);
        break;
    case TSiReportElement::RoundFrame: {
        painter.setBrush(brush(item));
        const double radius = qMin(r.width(), r.height()) / 4;
        painter.drawRoundedRect(r, radius, radius);
        break;
    }
    case TSiReportElement::Ellipse:
        painter.setBrush(brush(item));
        painter.drawEllipse(r);
        break;
    default:
        break;
    }
    painter.restore();
}

} // namespace

namespace ReportItemPainter {

void paintItem(QPainter& painter, const TVystPrvek& item) {
    if (item.hasPicture()) {
        painter.drawImage(QRectF(item.rect), item.picture);
        return;
    }
    if (item.kind >= TSiReportElement::Text && item.kind <= TSiReportElement::Function)
        paintText(painter, item);
    else
        paintShape(painter, item);
}

void paintPage(QPainter& painter, const TStranaPrvku& page) {
    for (const TVystPrvek& item : page.items)
        paintItem(painter, item);
}

} // namespace ReportItemPainter
