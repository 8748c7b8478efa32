#include "ReportItemPainter.h"

#include "ReportColors.h"
#include "ReportFonts.h"
#include "TSiReportElement.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace {

constexpr int kScale = ReportFonts::kScale;
// Laid-out texts kept; beyond it the cache starts again.
constexpr qsizetype kMaxTexts = 20000;

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

QRectF scaled(const QRect& r, double by) {
    return QRectF(r.x() * by, r.y() * by, r.width() * by, r.height() * by);
}

int textFlags(const TVystPrvek& item) {
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
    return flags;
}

// A recorded picture holds texts, not glyphs.
bool drawsGlyphs(const QPainter& painter) {
    return painter.device() && painter.device()->devType() != QInternal::Picture;
}

} // namespace

size_t qHash(const ReportItemPainter::TextKey& key, size_t seed) {
    return qHashMulti(seed, key.fontName, key.fontSize, key.style, key.text, key.flags, key.box.width(),
                      key.box.height(), key.scaleX);
}

bool ReportItemPainter::paintPage(QPainter& painter, const TStranaPrvku& page,
                                  const std::function<bool()>& stopped) {
    painter.save();
    painter.scale(1.0 / kScale, 1.0 / kScale);
    m_pen.reset();
    m_brush.reset();
    m_font = nullptr;
    bool whole = true;
    for (const TVystPrvek& item : page.items) {
        if (stopped && stopped()) {
            whole = false;
            break;
        }
        paintItem(painter, item);
    }
    painter.restore();
    return whole;
}

void ReportItemPainter::paintItem(QPainter& painter, const TVystPrvek& item) {
    if (item.hasPicture()) {
        painter.drawImage(scaled(item.rect, kScale), item.picture);
        return;
    }
    if (item.kind >= TSiReportElement::Text && item.kind <= TSiReportElement::Function)
        paintText(painter, item);
    else
        paintShape(painter, item);
}

void ReportItemPainter::usePen(QPainter& painter, const QPen& pen) {
    if (m_pen && *m_pen == pen)
        return;
    painter.setPen(pen);
    m_pen = pen;
}

void ReportItemPainter::useBrush(QPainter& painter, const QBrush& brush) {
    if (m_brush && *m_brush == brush)
        return;
    painter.setBrush(brush);
    m_brush = brush;
}

const ReportItemPainter::Font& ReportItemPainter::fontOf(const QPainter& painter, const TVystPrvek& item) {
    if (painter.device() != m_device) {
        m_fonts.clear();
        m_device = painter.device();
    }
    const FontKey key{item.fontName, item.fontSize, item.style};
    auto it = m_fonts.find(key);
    if (it == m_fonts.end()) {
        Font f;
        f.font = ReportFonts::font(item.fontName, item.fontSize, item.style);
        // As QPainter::setFont resolves it for the device.
        f.deviceFont = QFont(f.font, m_device);
        f.leading = QFontMetricsF(f.deviceFont).leading();
        it = m_fonts.emplace(key, f).first;
    }
    return it->second;
}

void ReportItemPainter::paintText(QPainter& painter, const TVystPrvek& item) {
    if (item.text.isEmpty())
        return;
    const QRectF box = scaled(item.rect, kScale);
    const int flags = textFlags(item);
    usePen(painter, QPen(ReportColors::color(item.colour)));
    if (!drawsGlyphs(painter)) {
        const QFont& font = fontOf(painter, item).font;
        if (m_font != &font) {
            painter.setFont(font);
            m_font = &font;
        }
        painter.drawText(box, flags, item.text);
        return;
    }
    const LaidOutText& text = laidOut(painter, item, box, flags);
    if (text.overflows) {
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
    }
    for (size_t i = 0; i < text.runs.size(); ++i)
        painter.drawGlyphRun(box.topLeft() + text.offsets[i], text.runs[i]);
    if (text.overflows)
        painter.restore();
}

// The lines as QPainter::drawText lays them out in a box with these flags: the same breaks, the
// lines one leading apart on whole units, no lines below the box, the same horizontal places.
const ReportItemPainter::LaidOutText& ReportItemPainter::laidOut(QPainter& painter, const TVystPrvek& item,
                                                                 const QRectF& box, int flags) {
    const double scaleX = painter.transform().m11();
    const TextKey key{item.fontName, item.fontSize, item.style, item.text, flags, box.size(), scaleX};
    if (const auto found = m_texts.constFind(key); found != m_texts.cend())
        return *found;
    if (m_texts.size() >= kMaxTexts)
        m_texts.clear();

    QString text = item.text;
    for (QChar& c : text) {
        if (c == u'\r' || c == u'\t')
            c = u' ';
        else if (c == u'\n')
            c = QChar::LineSeparator;
    }
    const Font& font = fontOf(painter, item);
    QTextLayout layout(text, font.deviceFont);
    QTextOption option;
    option.setTextDirection(painter.layoutDirection());
    option.setAlignment(Qt::AlignLeft);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    const double lineWidth = flags & Qt::TextWordWrap ? std::max(0.0, box.width()) : double(0x01000000);
    const double leading = font.leading;
    double height = -leading, width = 0;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(lineWidth);
        height = std::ceil(height + leading);
        line.setPosition(QPointF(0, height));
        height += line.height();
        width = std::max(width, line.naturalTextWidth());
        if (height >= box.height())
            break;
    }
    layout.endLayout();

    double xoff = 0;
    if (flags & Qt::AlignRight) {
        xoff = box.width() - width;
    } else if (flags & Qt::AlignHCenter) {
        xoff = (box.width() - width) / 2;
        if (painter.transform().type() <= QTransform::TxScale && scaleX != 0)
            xoff = qRound(xoff * scaleX) / scaleX;
    }
    LaidOutText out;
    out.overflows = !QRectF(QPointF(0, 0), box.size()).contains(QRectF(xoff, 0, width, height));
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const double advance = line.horizontalAdvance();
        double x = 0;
        if (flags & Qt::AlignRight)
            x = box.width() - advance;
        else if (flags & Qt::AlignHCenter)
            x = (box.width() - advance) / 2;
        for (const QGlyphRun& run : line.glyphRuns()) {
            out.runs.push_back(run);
            out.offsets.emplace_back(x, 0);
        }
    }
    return *m_texts.insert(key, std::move(out));
}

void ReportItemPainter::paintShape(QPainter& painter, const TVystPrvek& item) {
    QPen pen(ReportColors::color(item.lineColour));
    pen.setStyle(penStyle(item.lineStyle));
    const QBrush fill = brush(item);
    // Hatched fills are laid on the device at the size they have in hundredths of an inch.
    const bool hatched = fill.style() != Qt::SolidPattern && fill.style() != Qt::NoBrush &&
                         item.kind != TSiReportElement::Line;
    const double unit = hatched ? 1 : kScale;
    if (hatched) {
        painter.save();
        painter.scale(kScale, kScale);
        m_pen.reset();
        m_brush.reset();
    }
    pen.setWidthF(qMax(1, item.lineWidth) * unit);
    usePen(painter, pen);
    const QRectF r = scaled(item.rect, unit);
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
        useBrush(painter, fill);
        painter.drawRect(r);
        break;
    case TSiReportElement::RoundFrame: {
        useBrush(painter, fill);
        const double radius = qMin(r.width(), r.height()) / 4;
        painter.drawRoundedRect(r, radius, radius);
        break;
    }
    case TSiReportElement::Ellipse:
        useBrush(painter, fill);
        painter.drawEllipse(r);
        break;
    default:
        break;
    }
    if (hatched) {
        painter.restore();
        m_pen.reset();
        m_brush.reset();
    }
}
