// Composed pages on the character grid: which items are placed and where, the text export over a
// page range and copies in a code page, the line printer's job bytes and its CUPS queue.
#include "ConvertText.h"
#include "Cp1250.h"
#include "MemoryDataSet.h"
#include "ReportLinePrinter.h"
#include "ReportProgress.h"
#include "ReportTextExport.h"
#include "RivwoodError.h"
#include "TSestavaD.h"
#include "TemplateReader.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TVystPrvek textItem(int x, int y, int w, const QString& text, int fontSize = 10, int style = 0,
                    int alignment = 0) {
    TVystPrvek item;
    item.kind = 1;
    item.rect = QRect(x, y, w, 20);
    item.text = text;
    item.fontSize = fontSize;
    item.style = style;
    item.alignment = alignment;
    return item;
}

// Pages "Strana 1" … "Strana n" at the top left, 11 inches high.
TSestVystup pages(int count) {
    TSestVystup out;
    out.setPageSize(QSize(850, 1100));
    for (int i = 1; i <= count; ++i)
        out.newPage().items.push_back(textItem(0, 0, 200, QStringLiteral("Strana %1").arg(i), 12));
    return out;
}

// Answers "interrupted" from the n-th question on.
class StopAfter : public ReportProgress {
  public:
    explicit StopAfter(int polls) : m_left(polls) {}
    void recordNumber(int) override {}
    bool poll() override { return --m_left < 0; }

  private:
    int m_left;
};

// A grid line holds its texts padded to the end of their boxes.
QString rtrim(const QString& s) {
    qsizetype end = s.size();
    while (end > 0 && s[end - 1] == u' ')
        --end;
    return s.left(end);
}

// The lines of an export, without their padding.
QList<QByteArray> lines(const QByteArray& text) {
    QList<QByteArray> l = text.split('\n');
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    for (QByteArray& line : l) {
        if (line.endsWith('\r'))
            line.chop(1);
        while (line.endsWith(' '))
            line.chop(1);
    }
    return l;
}

} // namespace

TEST(TextPlacing, TextItemsGoToTheirRowColumnAndSlot) {
    TZnakovePole grid;
    grid.size(1100, 0); // 66 rows at 6 lines per inch
    TVystPrvek bold = textItem(100, 50, 200, QStringLiteral("Tučně"), 12, 1);
    ReportTextPlacing::placeItem(grid, bold);
    // 12 points: 10 cpi, column 10; y 50: row 3; bold: variant 1.
    EXPECT_EQ(rtrim(grid.row(3).slot(1)), QStringLiteral("          Tučně"));
    // Offsets move the item; 8 points go to 17 cpi; right alignment ends at the box's last column.
    TVystPrvek small = textItem(0, 0, 100, QStringLiteral("abc"), 8, 0, 1);
    ReportTextPlacing::placeItem(grid, small, 100, 100);
    EXPECT_EQ(rtrim(grid.row(6).slot(16)), QString(17 + 17 - 3, u' ') + QStringLiteral("abc"));
    // Italic and underline make their own variants; strike-out is not one of them.
    ReportTextPlacing::placeItem(grid, textItem(0, 200, 100, QStringLiteral("x"), 10, 2 | 4 | 8));
    EXPECT_EQ(rtrim(grid.row(12).slot(8 + 6)), QStringLiteral("x"));
    // A multi-line item puts its lines on consecutive rows; control characters become blanks.
    TVystPrvek memo = textItem(0, 300, 300, QStringLiteral("první\ndruhá\tkonec"));
    memo.multiLine = true;
    ReportTextPlacing::placeItem(grid, memo);
    EXPECT_EQ(rtrim(grid.row(18).slot(8)), QStringLiteral("první"));
    EXPECT_EQ(rtrim(grid.row(19).slot(8)), QStringLiteral("druhá konec"));
}

TEST(TextPlacing, GraphicItemsAndPicturesAreLeftOut) {
    TZnakovePole grid;
    grid.size(1100, 0);
    TStranaPrvku page;
    for (int kind = 7; kind <= 11; ++kind) {
        TVystPrvek shape = textItem(0, 0, 300, QStringLiteral("tvar"));
        shape.kind = kind;
        page.items.push_back(shape);
    }
    TVystPrvek picture = textItem(0, 100, 300, QStringLiteral("obrázek"));
    picture.kind = 2;
    picture.picture = QImage(4, 4, QImage::Format_RGB32);
    page.items.push_back(picture);
    for (int kind = 2; kind <= 6; ++kind) {
        TVystPrvek t = textItem(0, 400 + kind * 50, 300, QStringLiteral("druh %1").arg(kind));
        t.kind = kind;
        page.items.push_back(t);
    }
    EXPECT_FALSE(ReportTextPlacing::placePage(grid, page, 0, 0));
    int placed = 0;
    for (int r = 0; r < grid.rowCount(); ++r)
        placed += grid.row(r).isEmpty() ? 0 : 1;
    EXPECT_EQ(placed, 5);
    EXPECT_TRUE(grid.row(0).isEmpty());
    EXPECT_TRUE(grid.row(6).isEmpty());
    EXPECT_EQ(rtrim(grid.row(33).slot(8)), QStringLiteral("druh 3"));
}

TEST(TextExport, PageRangeCopiesAndCodePage) {
    TSestVystup out = pages(3);
    out.page(1).items.push_back(textItem(0, 100, 300, QStringLiteral("Čáp ř")));
    ReportTextExport e;
    e.firstPage = 2;
    e.lastPage = 3;
    e.copies = 2;
    e.language = slCP867;
    QByteArray text;
    ASSERT_EQ(e.render(out, text), ReportTextExport::Ok);
    const QList<QByteArray> l = lines(text);
    ASSERT_EQ(l.size(), 4 * 66);
    EXPECT_EQ(text.count("\r\n"), 4 * 66);
    EXPECT_EQ(l[0], "Strana 2");
    EXPECT_EQ(l[66], "Strana 3");
    EXPECT_EQ(l[132], "Strana 2");
    EXPECT_EQ(l[198], "Strana 3");
    // Kamenický: Č 128, á 160, ř 169.
    EXPECT_EQ(l[6], QByteArray("\x80\xA0p \xA9"));
    EXPECT_EQ(l[1], QByteArray());

    e.language = slASCII;
    e.copies = 1;
    ASSERT_EQ(e.render(out, text), ReportTextExport::Ok);
    EXPECT_EQ(lines(text)[6], "Cap r");
    e.language = slUndefined; // the program's own cp1250
    ASSERT_EQ(e.render(out, text), ReportTextExport::Ok);
    EXPECT_EQ(lines(text)[6], ConvertText(QStringLiteral("Čáp ř"), slCP1250));

    // Four lines per inch give 44 rows per page; a range beyond the pages is cut to them.
    e.lineSpacing = 1;
    e.firstPage = 3;
    e.lastPage = 50;
    ASSERT_EQ(e.render(out, text), ReportTextExport::Ok);
    EXPECT_EQ(lines(text).size(), 44);
}

TEST(TextExport, FileIsWrittenWholeOrNotAtAll) {
    QTemporaryDir dir;
    const TSestVystup out = pages(4);
    ReportTextExport e;
    const QString file = dir.filePath(QStringLiteral("sestava.txt"));
    ASSERT_EQ(e.exportToFile(out, file), ReportTextExport::Ok);
    EXPECT_EQ(testsupport::readFile(file).count("\r\n"), 4 * 66);

    // An interrupt keeps the previous file as it was.
    StopAfter stop(2);
    e.progress = &stop;
    EXPECT_EQ(e.exportToFile(out, file), ReportTextExport::Interrupted);
    EXPECT_EQ(testsupport::readFile(file).count("\r\n"), 4 * 66);
    e.progress = nullptr;
    EXPECT_THROW(e.exportToFile(out, dir.filePath(QStringLiteral("chybí/sestava.txt"))), IoError);
}

TEST(TextExport, SettingsOfTheReportComponent) {
    TSestavaD report;
    report.ExportLanguage = slCP852;
    report.StartPage = 2;
    report.EndPage = 7;
    report.PrintCopies = 3;
    report.grid().lineSpacing = 2;
    const ReportTextExport e = ReportTextExport::forReport(report);
    EXPECT_EQ(e.language, slCP852);
    EXPECT_EQ(e.firstPage, 2);
    EXPECT_EQ(e.lastPage, 7);
    EXPECT_EQ(e.copies, 3);
    EXPECT_EQ(e.lineSpacing, 2);
}

TEST(LinePrinter, TextOnlyDrivers) {
    for (const char* model : {"Generic Text-Only Printer", "Local Raw Printer", "Raw Queue",
                              "Epson LX-300 text", "generic TEXT only"})
        EXPECT_TRUE(ReportLinePrinter::isTextOnlyDriver(QString::fromLatin1(model))) << model;
    for (const char* model : {"Generic PostScript Printer", "HP LaserJet 4 Plus, hpcups 3.22",
                              "Generic PCL Laser", "Brawny Label Maker", ""})
        EXPECT_FALSE(ReportLinePrinter::isTextOnlyDriver(QString::fromLatin1(model))) << model;
}

TEST(LinePrinter, RowsPrintTheirSlotsOverEachOther) {
    TZnakovePole grid;
    grid.size(1100, 0);
    ReportTextPlacing::placeItem(grid, textItem(0, 0, 300, QStringLiteral("Nadpis"), 12, 1));
    ReportTextPlacing::placeItem(grid, textItem(400, 0, 300, QStringLiteral("vpravo"), 10));
    ReportTextPlacing::placeItem(grid, textItem(0, 34, 300, QStringLiteral("malé š"), 8));
    const QByteArray bytes = ReportLinePrinter::gridBytes(grid, slCP852);
    const QByteArray row0 = QByteArray("\x1BP\x1B"
                                       "ENadpis\x1B"
                                       "F\r") +
                            "\x1BM" + QByteArray(48, ' ') + "vpravo\r\n";
    const QByteArray row1 = "\n";
    const QByteArray row2 = QByteArray("\x1BP\x0F") + "mal\x82 \xE7" + "\x12\r\n";
    EXPECT_EQ(bytes, row0 + row1 + row2); // nothing after the last row with text

    EXPECT_EQ(ReportLinePrinter::jobStart(0), QByteArray("\x1B@\x1B"
                                                         "3\x24"));
    EXPECT_EQ(ReportLinePrinter::jobStart(1), QByteArray("\x1B@\x1B"
                                                         "3\x36"));
    EXPECT_EQ(ReportLinePrinter::jobStart(2), QByteArray("\x1B@\x1B"
                                                         "3\x48"));
}

TEST(LinePrinter, JobHoldsThePageRangeWithFormFeeds) {
    const TSestVystup out = pages(3);
    LinePrinterJob job;
    job.firstPage = 2;
    job.lastPage = 3;
    job.dx = 20; // printer offsets
    QByteArray bytes;
    ASSERT_TRUE(job.render(out, bytes));
    EXPECT_TRUE(bytes.startsWith(ReportLinePrinter::jobStart(0)));
    EXPECT_EQ(bytes.count('\f'), 2);
    EXPECT_FALSE(bytes.contains("Strana 1"));
    EXPECT_GT(bytes.indexOf("  Strana 2"), 0);
    EXPECT_LT(bytes.indexOf("  Strana 2"), bytes.indexOf("  Strana 3"));
    EXPECT_TRUE(bytes.endsWith("\f"));

    StopAfter stop(1);
    job.progress = &stop;
    EXPECT_FALSE(job.render(out, bytes));
}

TEST(LinePrinter, JobsGoToTheQueueThroughLp) {
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("lp"));
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\nD='%1'\necho \"$@\" >> \"$D/args\"\n"
                               "n=$(ls \"$D\" | grep -c '^job')\ncat > \"$D/job$n\"\n")
                    .arg(dir.path())
                    .toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    TSestavaD report;
    report.output() = pages(3);
    report.PrintCopies = 2;
    report.StartPage = 3;
    report.ExportLanguage = slCP852;
    RawPrintQueue queue(QStringLiteral("Jehličková"));
    queue.setProgram(script);
    ASSERT_EQ(PrintReportOnLinePrinter(report, queue), 0) << queue.errorString().toStdString();
    // One job per copy, titled "Tisková sestava".
    EXPECT_EQ(testsupport::readFile(dir.filePath(QStringLiteral("args"))),
              QStringLiteral("-d Jehličková -o raw -t Tisková sestava -\n").repeated(2).toUtf8());
    for (const char* job : {"job0", "job1"}) {
        const QByteArray bytes = testsupport::readFile(dir.filePath(QString::fromLatin1(job)));
        EXPECT_TRUE(bytes.contains("Strana 3")) << job;
        EXPECT_EQ(bytes.count('\f'), 1) << job;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("job2"))));

    // A queue that refuses the job, and a missing command.
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("#!/bin/sh\ncat > /dev/null\necho 'lp: The printer or class does not exist.' >&2\nexit 1\n");
    f.close();
    EXPECT_EQ(PrintReportOnLinePrinter(report, queue), 1);
    EXPECT_TRUE(queue.errorString().contains(QStringLiteral("does not exist")))
        << queue.errorString().toStdString();
    queue.setProgram(dir.filePath(QStringLiteral("není")));
    EXPECT_FALSE(queue.send(QStringLiteral("x"), "abc"));
    EXPECT_TRUE(queue.errorString().contains(QStringLiteral("není k dispozici")));
    // An interrupt sends nothing.
    StopAfter stop(0);
    queue.setProgram(script);
    EXPECT_EQ(PrintReportOnLinePrinter(report, queue, &stop), 3);
}

TEST(TextExport, MemosWrapAtTheGridColumnsAndContinueOnTheNextPage) {
    // A stretching memo 300 wide at 10 points: 36 columns at 12 cpi; 66 rows a page.
    TSestavaD report;
    TemplateReader reader;
    ASSERT_TRUE(reader.read({"I,2,0,850,1100,0,0,0,0,1,0", "I,3,2,1,20,0", "I,3,4,1,20",
                             "T,2,poznamka,0,0,300,20,Arial,10,0,0,16,0,1,\"\",0",
                             "P,1,0,400,0,100,20,Arial,10,0,0,0,0,1,\"Pata\",0"},
                            report));
    MemoryDataSet data;
    data.addField(QStringLiteral("poznamka"), ReportDataSet::Memo);
    QStringList words;
    for (int i = 1; i <= 400; ++i)
        words << QStringLiteral("výskyt%1 jmelí,").arg(i);
    data.addRow({words.join(u' ')});
    data.addRow({QStringLiteral("konec")});
    report.setDataSet(&data);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sestava.txt"));
    ASSERT_EQ(ReportTextExport::exportReport(report, file), ReportTextExport::Ok);
    const QString text = Cp1250::decode(testsupport::readFile(file));
    const QStringList pages = text.split(QStringLiteral("Pata"));
    ASSERT_GE(pages.size(), 3); // the memo runs over two pages and more
    QStringList memo;
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        EXPECT_LE(rtrim(line.left(40)).size(), 36) << line.toStdString();
        memo << line.left(36).trimmed();
    }
    // Every word once, in order, and the next body after the memo.
    EXPECT_EQ(memo.join(u' ').simplified(), words.join(u' ') + QStringLiteral(" konec"));
    // The report's own pages (the preview's) are not touched.
    EXPECT_EQ(report.output().pageCount(), 0);
}
