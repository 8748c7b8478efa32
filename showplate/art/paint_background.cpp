// Paints the panel's background picture: a riparian forest along a river, in light watercolour
// tones so that black text stays readable. Usage: paint_background OUTPUT.jpg
// The drawing is procedural and seeded, so every build produces the same picture.
#include <QCoreApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int Width = 503;
constexpr int Height = 416;
constexpr double FarBank = 214;  // water line under the far tree belt
constexpr double NearBank = 330; // water line of the meadow in front

// Small deterministic generator (the standard distributions differ between libraries).
class Random {
  public:
    explicit Random(quint32 seed) : m_state(seed) {}
    double next() {
        m_state = m_state * 1664525u + 1013904223u;
        return double(m_state >> 8) / double(1u << 24);
    }
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }

  private:
    quint32 m_state;
};

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// Near bank line: a gentle meander across the picture.
double nearBankAt(double x) {
    return NearBank + 10 * std::sin(x / 70.0) + 6 * std::sin(x / 23.0 + 1.0);
}

void paintSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, FarBank);
    sky.setColorAt(0, QColor(214, 230, 240));
    sky.setColorAt(0.7, QColor(238, 242, 236));
    sky.setColorAt(1, QColor(246, 243, 228));
    p.fillRect(QRectF(0, 0, Width, FarBank + 1), sky);
    QRadialGradient glow(QPointF(400, 60), 160);
    glow.setColorAt(0, QColor(255, 250, 230, 150));
    glow.setColorAt(1, QColor(255, 250, 230, 0));
    p.fillRect(QRectF(0, 0, Width, FarBank), glow);
}

void paintHills(QPainter& p) {
    QPainterPath hills(QPointF(0, FarBank));
    for (int x = 0; x <= Width; x += 8)
        hills.lineTo(x, 158 + 14 * std::sin(x / 90.0) + 6 * std::sin(x / 31.0 + 2.0));
    hills.lineTo(Width, FarBank);
    hills.closeSubpath();
    p.fillPath(hills, QColor(200, 214, 200));
}

// One rounded crown made of overlapping blobs, lit from the upper right.
void paintCrown(QPainter& p, Random& r, QPointF centre, double radius, const QColor& base, int alpha) {
    const QColor dark = mix(base, QColor(60, 90, 60), 0.25);
    const QColor light = mix(base, QColor(250, 250, 225), 0.35);
    for (int i = 0; i < 26; ++i) {
        const double angle = r.range(0, 2 * M_PI);
        const double dist = radius * std::sqrt(r.next()) * 0.75;
        const QPointF at(centre.x() + dist * std::cos(angle), centre.y() + dist * std::sin(angle) * 0.85);
        const double blob = radius * r.range(0.35, 0.6);
        const double shade = std::clamp(
            0.5 + (at.x() - centre.x()) / (2 * radius) - (at.y() - centre.y()) / (2 * radius), 0.0, 1.0);
        QColor c = mix(dark, light, shade);
        c.setAlpha(alpha);
        p.setBrush(c);
        p.drawEllipse(at, blob, blob * 0.9);
    }
}

void paintTree(QPainter& p, Random& r, double x, double baseY, double height, const QColor& foliage,
               int alpha) {
    QColor bark(120, 104, 86, alpha);
    p.setPen(QPen(bark, std::max(1.5, height / 28), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x, baseY), QPointF(x + r.range(-2, 2), baseY - height * 0.6));
    p.setPen(Qt::NoPen);
    const double radius = height * r.range(0.26, 0.34);
    paintCrown(p, r, QPointF(x, baseY - height + radius), radius, foliage, alpha);
    if (r.next() < 0.6)
        paintCrown(p, r, QPointF(x + radius * 0.5, baseY - height + radius * 1.7), radius * 0.7, foliage,
                   alpha);
}

// The belt of alders, willows and poplars on the far bank.
void paintFarBelt(QPainter& p, Random& r) {
    const QColor greens[] = {QColor(150, 180, 130), QColor(132, 168, 120), QColor(170, 190, 140),
                             QColor(120, 156, 118)};
    for (int row = 0; row < 2; ++row) {
        for (double x = -10; x < Width + 10; x += r.range(12, 22)) {
            const double h = row == 0 ? r.range(34, 52) : r.range(24, 36);
            const double y = FarBank - (row == 0 ? 4 : 0) + r.range(-1, 2);
            paintTree(p, r, x, y, h, greens[int(r.next() * 4) % 4], row == 0 ? 170 : 220);
        }
    }
    // Tall poplars here and there.
    p.setPen(Qt::NoPen);
    for (double x : {60.0, 205.0, 330.0, 455.0}) {
        QColor c(118, 150, 112, 200);
        p.setBrush(c);
        p.drawEllipse(QPointF(x, FarBank - 48), 8, 40);
        p.setBrush(QColor(150, 178, 132, 170));
        p.drawEllipse(QPointF(x + 3, FarBank - 54), 4, 30);
    }
}

void paintWater(QPainter& p, Random& r, const QImage& belt) {
    QPainterPath water(QPointF(0, FarBank));
    water.lineTo(Width, FarBank);
    for (int x = Width; x >= 0; x -= 4)
        water.lineTo(x, nearBankAt(x));
    water.closeSubpath();

    QLinearGradient g(0, FarBank, 0, NearBank + 16);
    g.setColorAt(0, QColor(196, 214, 212));
    g.setColorAt(1, QColor(222, 234, 238));
    p.fillPath(water, g);

    // The tree belt mirrored in the water, faded and broken by ripples.
    p.save();
    p.setClipPath(water);
    p.setOpacity(0.35);
    // Row FarBank + d of the water shows row FarBank - d of the belt.
    const QImage mirrored = belt.mirrored(false, true);
    for (int d = 0; d < 90; d += 2) {
        const double shift = 3 * std::sin(d / 5.0);
        p.drawImage(QPointF(shift, FarBank + d), mirrored, QRectF(0, Height - 1 - FarBank + d, Width, 2));
    }
    p.setOpacity(1);
    p.setPen(QPen(QColor(245, 250, 252, 170), 1.2));
    for (int i = 0; i < 90; ++i) {
        const double y = r.range(FarBank + 4, NearBank + 10);
        const double x = r.range(-20, Width);
        p.drawLine(QPointF(x, y), QPointF(x + r.range(12, 46), y));
    }
    p.restore();
}

void paintMeadow(QPainter& p, Random& r) {
    QPainterPath meadow(QPointF(0, Height));
    for (int x = 0; x <= Width; x += 4)
        meadow.lineTo(x, nearBankAt(x));
    meadow.lineTo(Width, Height);
    meadow.closeSubpath();
    QLinearGradient g(0, NearBank, 0, Height);
    g.setColorAt(0, QColor(214, 226, 184));
    g.setColorAt(1, QColor(232, 236, 206));
    p.fillPath(meadow, g);

    // Reeds and grass tufts along the water line.
    for (int i = 0; i < 260; ++i) {
        const double x = r.range(0, Width);
        const double base = nearBankAt(x) + r.range(2, 30);
        const double h = r.range(6, 20) * (1.2 - (base - NearBank) / 90);
        QColor c = mix(QColor(140, 164, 96), QColor(190, 200, 140), r.next());
        c.setAlpha(200);
        p.setPen(QPen(c, 1.1, Qt::SolidLine, Qt::RoundCap));
        const double lean = r.range(-4, 4);
        QPainterPath blade(QPointF(x, base));
        blade.quadTo(QPointF(x + lean * 0.3, base - h * 0.6), QPointF(x + lean, base - h));
        p.drawPath(blade);
        if (r.next() < 0.06) { // bulrush head
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(150, 120, 90, 210));
            p.drawEllipse(QPointF(x + lean, base - h), 1.6, 4);
        }
    }
}

// A weeping willow on the near bank at the left edge.
void paintWillow(QPainter& p, Random& r) {
    p.setPen(QPen(QColor(112, 96, 80, 220), 7, Qt::SolidLine, Qt::RoundCap));
    QPainterPath trunk(QPointF(34, 372));
    trunk.cubicTo(QPointF(40, 300), QPointF(26, 230), QPointF(48, 150));
    p.drawPath(trunk);
    p.setPen(QPen(QColor(112, 96, 80, 200), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(44, 200), QPointF(70, 150));
    p.drawLine(QPointF(40, 240), QPointF(12, 190));
    p.setPen(Qt::NoPen);
    paintCrown(p, r, QPointF(44, 120), 46, QColor(160, 186, 120), 150);
    for (int i = 0; i < 70; ++i) {
        const double x = r.range(-6, 86);
        const double top = r.range(80, 150);
        const double length = r.range(70, 170);
        QColor c = mix(QColor(140, 170, 104), QColor(196, 212, 150), r.next());
        c.setAlpha(150);
        p.setPen(QPen(c, r.range(1.5, 3.0), Qt::SolidLine, Qt::RoundCap));
        QPainterPath strand(QPointF(x, top));
        strand.quadTo(QPointF(x + r.range(2, 8), top + length * 0.5),
                      QPointF(x + r.range(-2, 6), top + length));
        p.drawPath(strand);
    }
}

// An alder on the right edge, kept slender so the panel's texts stay clear.
void paintAlder(QPainter& p, Random& r) {
    p.setPen(QPen(QColor(110, 100, 92, 210), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(492, 350), QPointF(488, 40));
    p.setPen(Qt::NoPen);
    for (double y = 50; y < 300; y += 34)
        paintCrown(p, r, QPointF(494 + r.range(-4, 4), y), 18, QColor(140, 172, 120), 140);
}

// The plate behind the texts and a fine rim along the rounded edge of the panel.
void paintPlate(QPainter& p) {
    QPainterPath plate;
    plate.addRoundedRect(QRectF(80, 26, 414, 254), 18, 18);
    p.fillPath(plate, QColor(255, 255, 250, 135));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.5));
    p.drawPath(plate);

    QPainterPath bevel;
    bevel.addRoundedRect(QRectF(386, 339, 80, 28), 4, 4);
    p.fillPath(bevel, QColor(255, 255, 250, 120));

    p.setPen(QPen(QColor(88, 116, 84), 2));
    p.drawRoundedRect(QRectF(4, 4, Width - 5, Height - 5), 25, 25);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.jpg\n", argv[0]);
        return 2;
    }
    Random r(0x5a17u);

    QImage picture(Width, Height, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    paintSky(p);
    paintHills(p);

    // The far belt is painted on its own layer so the water can mirror it.
    QImage belt(Width, Height, QImage::Format_ARGB32_Premultiplied);
    belt.fill(Qt::transparent);
    {
        QPainter b(&belt);
        b.setRenderHint(QPainter::Antialiasing);
        paintFarBelt(b, r);
    }
    p.drawImage(0, 0, belt);
    paintWater(p, r, belt);
    paintMeadow(p, r);
    paintWillow(p, r);
    paintAlder(p, r);
    paintPlate(p);
    p.end();

    if (!picture.save(QString::fromLocal8Bit(argv[1]), "JPG", 90)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
