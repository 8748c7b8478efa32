#pragma once

#include "TStranaPrvku.h"

#include <QBrush>
#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QPen>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

class QPainter;
class QPaintDevice;

// Draws output items on a painter whose units are hundredths of an inch. A page is drawn at ten
// times that resolution (ReportFonts::kScale, where the report fonts are sized), so that the
// painter's transformation, pen and brush change only where the items differ. One painter object
// keeps the fonts and the texts it has laid out, and pages with the same labels and values reuse
// them: devices that draw glyphs (PDF, printers, images) get the laid-out glyphs, a recorded
// picture gets the texts (it cannot hold glyphs). Both draw what QPainter::drawText draws.
class ReportItemPainter {
  public:
    // Draws the page's items; `stopped`, when given, is asked before every item and ends the page
    // early (false is then returned).
    bool paintPage(QPainter& painter, const TStranaPrvku& page, const std::function<bool()>& stopped = {});

  private:
    struct TextKey {
        QString fontName;
        int fontSize;
        int style;
        QString text;
        int flags;
        QSizeF box;
        double scaleX; // of the painter: centred lines are placed on its whole pixels
        bool operator==(const TextKey& o) const {
            return fontSize == o.fontSize && style == o.style && flags == o.flags && box == o.box &&
                   scaleX == o.scaleX && fontName == o.fontName && text == o.text;
        }
    };
    friend size_t qHash(const TextKey& key, size_t seed);
    // A text laid out in its box: the glyphs relative to the box's corner and whether they reach
    // out of it (then they are clipped to it).
    struct LaidOutText {
        std::vector<QGlyphRun> runs;
        std::vector<QPointF> offsets; // of each run
        bool overflows = false;
    };

    void paintItem(QPainter& painter, const TVystPrvek& item);
    void paintText(QPainter& painter, const TVystPrvek& item);
    void paintShape(QPainter& painter, const TVystPrvek& item);
    void usePen(QPainter& painter, const QPen& pen);
    void useBrush(QPainter& painter, const QBrush& brush);
    struct Font {
        QFont font;       // as the element asks for it
        QFont deviceFont; // as the painter's device takes it
        double leading = 0;
    };
    const Font& fontOf(const QPainter& painter, const TVystPrvek& item);
    const LaidOutText& laidOut(QPainter& painter, const TVystPrvek& item, const QRectF& box, int flags);

    using FontKey = std::tuple<QString, int, int>; // name, size, style
    std::map<FontKey, Font> m_fonts;               // of m_device
    const QPaintDevice* m_device = nullptr;
    QHash<TextKey, LaidOutText> m_texts;
    // The painter's pen, brush and font as this object last set them on the current page.
    std::optional<QPen> m_pen;
    std::optional<QBrush> m_brush;
    const QFont* m_font = nullptr;
};
