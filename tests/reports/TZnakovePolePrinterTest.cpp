#include "TZnakovePolePrinter.h"
#include "ApplicationEnvironment.h"
#include "TZnakovePole.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const auto* const kApp =
    testsupport::InstallApplication<QGuiApplication>("reports_grid_test", true);

class TZnakovePolePrinterTest : public ::testing::Test {
  protected:
    // A page 4 × 2 inches at 200 dots per inch, drawn from the grid.
    static QImage render(const TZnakovePole& grid) {
        QImage image(800, 400, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(200 / 0.0254));
        image.setDotsPerMeterY(qRound(200 / 0.0254));
        image.fill(Qt::white);
        QPainter painter(&image);
        PrintZnakovePole(painter, grid);
        return image;
    }

    // Bounding box of all dark pixels.
    static QRect inkBounds(const QImage& image) {
        QRect r;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    r |= QRect(x, y, 1, 1);
        return r;
    }

    // Dark pixels inside a rectangle of the image.
    static int ink(const QImage& image, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = std::max(0, y0); y < std::min(image.height(), y1); ++y)
            for (int x = std::max(0, x0); x < std::min(image.width(), x1); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    ++n;
        return n;
    }
};

} // namespace

TEST_F(TZnakovePolePrinterTest, CharactersLandInTheirCells) {
    TZnakovePole grid;
    grid.size(200, 0);                             // 12 rows, each 200 / 6 ≈ 33 dots high
    grid.PlaceText(30, 34, 40, 50, "X", 0, 0, 12); // row 2, column 4 at 10 cpi: x 60–80
    const QImage image = render(grid);
    const int rowTop = 2 * 200 / 6;
    const int inside = ink(image, 60, rowTop, 80, rowTop + 34);
    EXPECT_GT(inside, 20);
    const QRect bounds = inkBounds(image);
    EXPECT_EQ(ink(image, 0, 0, 800, 400), inside) // nothing anywhere else
        << bounds.x() << "," << bounds.y() << " " << bounds.width() << "x" << bounds.height();
}

TEST_F(TZnakovePolePrinterTest, PitchesOverprintAtTheStartOfTheRow) {
    TZnakovePole grid;
    grid.size(200, 0);
    grid.PlaceText(0, 0, 100, 16, "MMMMMMMMMM", 0, 0, 12);        // 10 cpi: 10 characters = 1 inch
    grid.PlaceText(0, 17, 100, 33, "MMMMMMMMMMMMMMMMM", 0, 0, 8); // 17 cpi: 17 characters = 1 inch
    grid.PlaceText(0, 34, 100, 50, "MMMMMMMMMM", 0, 1, 12);       // bold
    const QImage image = render(grid);
    const int row = 200 / 6;
    // Both plain rows span one inch (200 dots) and end there.
    EXPECT_GT(ink(image, 170, 0, 200, row), 0);
    EXPECT_EQ(ink(image, 205, 0, 800, row), 0);
    EXPECT_GT(ink(image, 180, row, 200, 2 * row), 0);
    EXPECT_EQ(ink(image, 205, row, 800, 2 * row), 0);
    // Bold prints darker than plain.
    EXPECT_GT(ink(image, 0, 2 * row, 800, 3 * row), ink(image, 0, 0, 800, row));

    // Texts of two pitches on one row are printed over each other from x = 0.
    TZnakovePole both;
    both.size(200, 0);
    both.PlaceText(0, 0, 100, 16, "I", 0, 0, 12);
    both.PlaceText(0, 0, 100, 16, "I", 0, 0, 8);
    const QImage overprinted = render(both);
    EXPECT_GT(ink(overprinted, 0, 0, 20, row), 0);
    EXPECT_EQ(ink(overprinted, 20, 0, 800, 400), 0);
}
