#include "TZnakovePole.h"
#include "RivwoodError.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A grid of one A4 page at 6 lines per inch.
TZnakovePole a4() {
    TZnakovePole grid;
    grid.size(1169, 0);
    return grid;
}

// Slot of plain text at 10 cpi (12-point fonts).
constexpr int Plain10 = 0;
constexpr int Font10cpi = 12;

} // namespace

TEST(TZnakovePole, SizingByLineSpacing) {
    TZnakovePole grid;
    grid.size(1169, 0);
    EXPECT_EQ(grid.rowCount(), 70);
    EXPECT_EQ(grid.linesPerInch(), 6);
    grid.size(1169, 1);
    EXPECT_EQ(grid.rowCount(), 46);
    grid.size(1169, 2);
    EXPECT_EQ(grid.rowCount(), 35);
    grid.size(1169, 9); // unknown settings count as 6 lines per inch
    EXPECT_EQ(grid.rowCount(), 70);
    grid.size(-5, 0);
    EXPECT_EQ(grid.rowCount(), 0);
    grid.size(2000000000, 0);
    EXPECT_EQ(grid.rowCount(), TZnakovePole::MaxRows);
}

TEST(TZnakovePole, PitchRowAndColumn) {
    EXPECT_EQ(TZnakovePole::pitchOfFontSize(10), 1);
    EXPECT_EQ(TZnakovePole::pitchOfFontSize(9), 1);
    EXPECT_EQ(TZnakovePole::pitchOfFontSize(8), 2);
    EXPECT_EQ(TZnakovePole::pitchOfFontSize(12), 0);
    EXPECT_EQ(TZnakovePole::pitchOfFontSize(11), 0);
    EXPECT_EQ(TZnakovePole::charsPerInch(0), 10);
    EXPECT_EQ(TZnakovePole::charsPerInch(1), 12);
    EXPECT_EQ(TZnakovePole::charsPerInch(2), 17);
    EXPECT_EQ(TZnakovePole::rowOfY(25, 6), 2); // 1.5 → 2
    EXPECT_EQ(TZnakovePole::rowOfY(75, 6), 4); // 4.5 → 4
    EXPECT_EQ(TZnakovePole::rowOfY(17, 6), 1);
    EXPECT_EQ(TZnakovePole::rowOfY(50, 3), 2);
    EXPECT_EQ(TZnakovePole::columnOfX(99, 0), 9);
    EXPECT_EQ(TZnakovePole::columnOfX(100, 2), 17);
    EXPECT_EQ(TZnakovePole::columnOfX(50, 1), 6);
    EXPECT_EQ(TZnakovePole::variantOfStyle(1 | 4 | 8), 5);
}

TEST(TZnakovePole, TextsGoToTheSlotOfTheirPitchAndVariant) {
    TZnakovePole grid = a4();
    grid.PlaceText(0, 0, 200, 16, "deset", 0, 0, 10, 0);
    grid.PlaceText(0, 0, 200, 16, "osm", 0, 0, 8, 0);
    grid.PlaceText(0, 0, 200, 16, "dvanact", 0, 1, 12, 0);
    // Each line is padded to the end of its box: 200 is 24 columns at 12 cpi, 34 at 17 cpi.
    EXPECT_EQ(grid.row(0).slot(8), QString("deset").leftJustified(24));
    EXPECT_EQ(grid.row(0).slot(16), QString("osm").leftJustified(34));
    EXPECT_EQ(grid.row(0).slot(1), QString("dvanact").leftJustified(20));
    EXPECT_TRUE(grid.row(1).isEmpty());
}

TEST(TZnakovePole, Alignment) {
    TZnakovePole grid = a4();
    // Box from x = 100 (column 10) 60 wide (6 columns): columns 11–16, 1-based.
    grid.PlaceText(100, 0, 160, 16, "abcdefghij", TZnakovePole::AlignLeft, 0, Font10cpi);
    EXPECT_EQ(grid.row(0).slot(Plain10), QString(10, ' ') + "abcdef");
    grid.PlaceText(100, 17, 160, 33, "abcdefghij", TZnakovePole::AlignRight, 0, Font10cpi);
    EXPECT_EQ(grid.row(1).slot(Plain10), QString(10, ' ') + "efghij");
    grid.PlaceText(100, 34, 160, 50, "abcdefghij", TZnakovePole::AlignCentre, 0, Font10cpi);
    EXPECT_EQ(grid.row(2).slot(Plain10), QString(10, ' ') + "cdefgh"); // characters 3 to 8

    grid.PlaceText(100, 51, 160, 67, "ab", TZnakovePole::AlignRight, 0, Font10cpi);
    EXPECT_EQ(grid.row(3).slot(Plain10), QString(14, ' ') + "ab");
    grid.PlaceText(100, 68, 160, 84, "abc", TZnakovePole::AlignCentre, 0, Font10cpi);
    EXPECT_EQ(grid.row(4).slot(Plain10), QString(11, QChar(0x20)) + "abc  "); // (6 − 3) div 2 = 1
    grid.PlaceText(100, 85, 160, 101, "ab", TZnakovePole::AlignLeft, 0, Font10cpi);
    EXPECT_EQ(grid.row(5).slot(Plain10), QString(10, ' ') + "ab    "); // padded to the box end
}

TEST(TZnakovePole, TwoTextsShareOneLine) {
    TZnakovePole grid = a4();
    grid.PlaceText(0, 100, 50, 116, "Labe", 0, 0, Font10cpi);
    grid.PlaceText(100, 100, 200, 116, "km 12", 0, 0, Font10cpi);
    EXPECT_EQ(grid.row(6).slot(Plain10), "Labe      km 12     ");
    // A later text overwrites what lies under it.
    grid.PlaceText(20, 100, 40, 116, "XY", 0, 0, Font10cpi);
    EXPECT_EQ(grid.row(6).slot(Plain10), "LaXY      km 12     ");
    // Row offsets move a text down by rows.
    grid.PlaceText(0, 100, 50, 116, "dole", 0, 0, Font10cpi, 2);
    EXPECT_EQ(grid.row(8).slot(Plain10), "dole ");
}

TEST(TZnakovePole, ClippingAndDropping) {
    TZnakovePole grid = a4();
    grid.PlaceText(2500, 0, 2560, 16, "konec", 0, 0, Font10cpi); // columns up to 256
    EXPECT_TRUE(grid.row(0).isEmpty());
    grid.PlaceText(2500, 0, 2550, 16, "konec", 0, 0, Font10cpi); // ends at 255
    EXPECT_EQ(grid.row(0).slot(Plain10).size(), 255);
    grid.PlaceText(0, 1160, 100, 1176, "pod", 0, 0, Font10cpi); // row 70 of 70
    grid.PlaceText(0, -20, 100, 0, "nad", 0, 0, Font10cpi);
    grid.PlaceText(-30, 17, 100, 33, "vlevo", 0, 0, Font10cpi);
    grid.PlaceText(100, 17, 50, 33, "obracene", 0, 0, Font10cpi);
    grid.PlaceText(0, 17, 100, 33, "", 0, 0, Font10cpi);
    for (int i = 1; i < grid.rowCount(); ++i)
        EXPECT_TRUE(grid.row(i).isEmpty()) << i;
    grid.PlaceText(0, 17, 100, 33, "a\tb\nc", 0, 0, Font10cpi);
    EXPECT_EQ(grid.row(1).slot(Plain10), "a b c     ");
}

TEST(TZnakovePole, MultiLineTexts) {
    TZnakovePole grid = a4();
    grid.placeLines(0, 0, 100, 50, "první\r\ndruhý\ntřetí", 0, 0, Font10cpi);
    EXPECT_EQ(grid.row(0).slot(Plain10).trimmed(), "první");
    EXPECT_EQ(grid.row(1).slot(Plain10).trimmed(), "druhý");
    EXPECT_EQ(grid.row(2).slot(Plain10).trimmed(), "třetí");
}

TEST(TZnakovePole, ExportLinesAndBuffer) {
    TZnakovePole grid;
    grid.size(50, 0); // 3 rows
    grid.setOutputFile("ignored");
    grid.PlaceText(0, 0, 100, 16, "Čáp", 0, 0, Font10cpi);
    grid.PlaceText(50, 0, 100, 16, "tučně", 0, 1, Font10cpi); // bold, same pitch
    grid.PlaceText(0, 0, 100, 16, "jiná rozteč", 0, 0, 8);    // 17 cpi: not exported over 10 cpi
    grid.PlaceText(0, 34, 100, 50, "ř", 0, 0, 8);
    EXPECT_EQ(grid.exportLine(0), "Čáp  tučně");
    EXPECT_EQ(grid.exportLine(1), "");
    grid.appendToBuffer(slCP867);
    const QByteArray expected =
        QByteArray("\x80\xA0p  tu\x87n\x88\r\n\r\n\xA9", 15) + QByteArray(16, ' ') + "\r\n";
    EXPECT_EQ(grid.buffer(), expected);
    grid.clearSlots();
    EXPECT_TRUE(grid.row(0).isEmpty());
    grid.PlaceText(0, 0, 100, 16, "Čáp ř", 0, 0, Font10cpi);
    grid.appendToBuffer(slASCII);
    EXPECT_TRUE(grid.buffer().endsWith("Cap r     \r\n\r\n\r\n"));
    grid.setOutputFile("other");
    EXPECT_TRUE(grid.buffer().isEmpty());
    EXPECT_TRUE(grid.row(0).isEmpty());
}

TEST(TZnakovePole, SavesTheBuffer) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TZnakovePole grid;
    grid.size(17, 0); // one row
    grid.setOutputFile(dir.filePath("sestava.txt"));
    grid.PlaceText(0, 0, 100, 16, "Řeka", 0, 0, Font10cpi);
    grid.appendToBuffer(slCP1250);
    grid.saveToFile();
    QFile file(dir.filePath("sestava.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xD8"
                                         "eka      \r\n"));

    grid.setOutputFile(dir.filePath("chybi/sestava.txt"));
    EXPECT_THROW(grid.saveToFile(), IoError);
}
