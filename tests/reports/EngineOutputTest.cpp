#include "EngineTestSupport.h"
#include "ModelDataSet.h"
#include "ReportItemPainter.h"
#include "ReportPdfWriter.h"
#include "TSiReportElement.h"
#include "TemplateTestPrint.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const auto* const kGui = InstallGuiApplication();

// A page rendered at one pixel per hundredth of an inch.
QImage render(const TSestVystup& out, int page) {
    QImage image(out.pageSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPicture(0, 0, out.picture(page));
    painter.end();
    return image;
}

int darkPixels(const QImage& image, const QRect& area) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++n;
    return n;
}

} // namespace

TEST(EngineOutput, PagesAreRecordedDrawingsInHundredthsOfAnInch) {
    TSestavaD report;
    loadTemplate(report, {QStringLiteral("I,2,0,400,300,0,0,0,0,1,0"), QStringLiteral("I,3,2,1,100,0"),
                          QStringLiteral("T,1,0,20,10,200,30,Arial,14,0,1,0,0,1,\"WWWW\",0"),
                          QStringLiteral("T,8,8,20,60,100,30,,2,0,0,8,15,0"),
                          QStringLiteral("T,1,0,300,10,60,30,Arial,14,0,0,1,0,1,\"\",0")});
    MemoryDataSet data;
    fillNumbers(data, 2);
    report.setDataSet(&data);
    ASSERT_EQ(report.compose(), TSestavaD::ComposeOk);
    const TSestVystup& out = report.output();
    ASSERT_EQ(out.pageCount(), 1);
    EXPECT_EQ(out.pageSize(), QSize(400, 300));
    const QPicture picture = out.picture(0);
    EXPECT_EQ(picture.boundingRect(), QRect(0, 0, 400, 300));
    const QImage image = render(out, 0);
    // The text is drawn inside its box and nowhere else; the frame only along its edges.
    EXPECT_GT(darkPixels(image, QRect(20, 10, 200, 30)), 40);
    EXPECT_EQ(darkPixels(image, QRect(230, 0, 60, 50)), 0);
    EXPECT_GT(darkPixels(image, QRect(20, 60, 100, 3)), 80);
    EXPECT_EQ(darkPixels(image, QRect(25, 65, 90, 20)), 0);
    // The second record's body, 100 lower.
    EXPECT_GT(darkPixels(image, QRect(20, 110, 200, 30)), 40);
    EXPECT_EQ(darkPixels(image, QRect(0, 250, 400, 50)), 0);

    // Played back three times larger (as on a printer), the text scales with the drawing.
    QImage big(QSize(1200, 900), QImage::Format_RGB32);
    big.fill(Qt::white);
    QPainter painter(&big);
    painter.scale(3, 3);
    painter.drawPicture(0, 0, picture);
    painter.end();
    const QRect textBox(60, 30, 600, 90);
    int right = 0;
    for (int y = textBox.top(); y <= textBox.bottom(); ++y)
        for (int x = textBox.left(); x <= textBox.right(); ++x)
            if (qGray(big.pixel(x, y)) < 128)
                right = std::max(right, x);
    int smallRight = 0;
    for (int y = 10; y < 40; ++y)
        for (int x = 20; x < 220; ++x)
            if (qGray(image.pixel(x, y)) < 128)
                smallRight = std::max(smallRight, x);
    EXPECT_NEAR(right, smallRight * 3, 12);
}

TEST(EngineOutput, PdfHoldsThePageRange) {
    TSestavaD report;
    QStringList lines = basicLayout();
    lines.append(QStringLiteral("T,8,8,0,0,300,100,,1,0,0,8,15,0"));
    loadTemplate(report, lines);
    MemoryDataSet data;
    fillNumbers(data, 20);
    report.setDataSet(&data);
    ASSERT_EQ(report.compose(), TSestavaD::ComposeOk);
    ASSERT_EQ(report.output().pageCount(), 3);
    QTemporaryDir dir;
    const QString file = dir.filePath("sestava.pdf");
    ReportPdfWriter writer;
    ASSERT_TRUE(writer.write(report.output(), file, QStringLiteral("Výsledky"), 2, 3, 2))
        << writer.errorString().toStdString();
    EXPECT_EQ(writer.pagesWritten(), 4);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    const QString text = QString::fromLatin1(pdf);
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type /Page(?!s)"))), 4);
    // 8 x 10 inches is 576 x 720 points.
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/MediaBox \\[0 0 576(\\.0+)? 720(\\.0+)?\\]"))),
              4);

    // The component writes its own page range and copies, with the background under each page.
    report.StartPage = 3;
    report.PrintCopies = 1;
    QImage background(20, 20, QImage::Format_RGB32);
    background.fill(Qt::gray);
    const QString single = dir.filePath("jedna.pdf");
    ASSERT_TRUE(report.exportPdf(single, background));
    QFile g(single);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    const QString one = QString::fromLatin1(g.readAll());
    EXPECT_EQ(one.count(QRegularExpression(QStringLiteral("/Type /Page(?!s)"))), 1);
    EXPECT_TRUE(one.contains(QStringLiteral("/Subtype /Image")));

    EXPECT_FALSE(writer.write(report.output(), file, QString(), 5, 9));
    EXPECT_FALSE(writer.write(report.output(), dir.filePath("chybí/x.pdf"), QString()));
    EXPECT_TRUE(writer.errorString().contains("x.pdf"));
}

TEST(EngineOutput, TableModelAsDataSet) {
    QStandardItemModel model(0, 3);
    model.setHorizontalHeaderLabels({"dr_zkr", "pocet", "objem"});
    const QList<QVariantList> rows = {{"SM", 12, 1.25}, {"BK", 3, 0.5}, {"DB", 7, 2.0}};
    for (const QVariantList& row : rows) {
        QList<QStandardItem*> items;
        for (const QVariant& v : row) {
            auto* item = new QStandardItem;
            item->setData(v, Qt::EditRole);
            items.append(item);
        }
        model.appendRow(items);
    }
    ModelDataSet data(&model);
    EXPECT_EQ(data.fieldCount(), 3);
    EXPECT_EQ(data.fieldIndex("OBJEM"), 2);
    EXPECT_EQ(data.fieldType(0), ReportDataSet::String);
    EXPECT_EQ(data.fieldType(1), ReportDataSet::Integer);
    EXPECT_EQ(data.fieldType(2), ReportDataSet::Number);

    TSestavaD report;
    loadTemplate(report,
                 {QStringLiteral("I,3,2,1,10,0"), QStringLiteral("F,0,S,\"\",0,\"0\",0,\"#objem\",2,15,2,2"),
                  QStringLiteral("T,2,dr_zkr,0,0,50,10,A,10,0,0,0,0,1,\"\",0"),
                  QStringLiteral("T,2,objem,60,0,50,10,A,10,0,0,0,0,1,\"\",0"),
                  QStringLiteral("T,6,S,120,0,50,10,A,10,0,0,0,0,1,\"\",0")});
    report.setDataSet(&data);
    QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    report.setLocale(czech);
    data.setLocale(czech);
    ASSERT_EQ(report.compose(), TSestavaD::ComposeOk);
    EXPECT_EQ(pageTexts(report.output(), 0).join(u' '), QStringLiteral("SM 1,25 1,25 BK 0,5 1,75 DB 2 3,75"));
    EXPECT_EQ(data.currentRow(), 2);
    EXPECT_TRUE(data.eof());
    data.prior();
    EXPECT_EQ(data.currentRow(), 1);
    EXPECT_FALSE(data.eof());
}

TEST(EngineOutput, GlyphsDrawnAreWhatDrawTextDraws) {
    // Texts of every alignment, wrapped, broken at line ends, reaching out of their boxes, bold and
    // italic: drawn as laid-out glyphs (images, PDF) and as texts (a recorded picture, which
    // QPainter::drawText lays out), they give the same pixels. (Underlines and strike-outs may
    // differ by a pixel; the sizes stay below those the raster engine draws as outlines.)
    TStranaPrvku page;
    auto text = [&](QRect rect, const QString& s, int alignment, int style = 0, int size = 10) {
        TVystPrvek item;
        item.kind = TSiReportElement::Text;
        item.rect = rect;
        item.text = s;
        item.fontName = QStringLiteral("Arial CE");
        item.fontSize = size;
        item.style = style;
        item.alignment = alignment;
        page.items.push_back(item);
    };
    const QString memo =
        QStringLiteral("Břehový porost, zápoj mezernatý; olše a vrby podél toku.\nDruhý řádek");
    text({10, 10, 200, 18}, QStringLiteral("Zjišťování zásob"), 0);
    text({10, 30, 200, 18}, QStringLiteral("1 234,56"), TSiReportElement::AlignRight);
    text({10, 50, 200, 18}, QStringLiteral("Celkem tok"), TSiReportElement::AlignCenter, 1);
    text({10, 70, 61, 18}, QStringLiteral("Strana 12"), TSiReportElement::AlignCenter, 2, 9);
    text({10, 90, 40, 18}, QStringLiteral("Příliš dlouhý text pro své pole"), 0, 3);
    text({10, 110, 150, 60}, memo, TSiReportElement::OptionWordWrap);
    text({10, 180, 150, 30}, memo, int(TSiReportElement::OptionWordWrap) | int(TSiReportElement::AlignRight));
    text({10, 220, 200, 40}, memo, TSiReportElement::AlignCenter, 1, 11);

    auto render = [&](auto draw) {
        QImage image(QSize(880, 1100), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(4, 4);
        draw(painter);
        painter.end();
        return image;
    };
    const QImage glyphs = render([&](QPainter& p) { ReportItemPainter().paintPage(p, page); });
    QPicture picture;
    QPainter recorder(&picture);
    ReportItemPainter().paintPage(recorder, page);
    recorder.end();
    const QImage texts = render([&](QPainter& p) { p.drawPicture(0, 0, picture); });
    EXPECT_GT(darkPixels(glyphs, glyphs.rect()), 2000);
    int differing = 0;
    for (int y = 0; y < glyphs.height(); ++y)
        for (int x = 0; x < glyphs.width(); ++x)
            differing += glyphs.pixel(x, y) != texts.pixel(x, y);
    EXPECT_EQ(differing, 0);
}
