// The workbook engine: references in formulas and names follow inserted and deleted rows, copies
// move relative references and bring their formats, texts typed as numbers; the written .xlsx as
// openpyxl reads it.
#include "ExcelLink.h"
#include "FormulaReferences.h"
#include "NumberText.h"
#include "RivwoodError.h"
#include "TestSupport.h"
#include "WorkbookReaders.h"
#include "XlsxReader.h"

#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ExcelLink;

namespace {

QString templatePath() {
    return QDir(testsupport::binDir()).filePath(QStringLiteral("Sablony/Rivwood.xltx"));
}

QJsonObject sheetNamed(const QJsonObject& book, const QString& name) {
    for (const QJsonValue& s : book["sheets"].toArray())
        if (s["name"].toString() == name)
            return s.toObject();
    return {};
}

} // namespace

TEST(FormulaReferences, InsertedAndDeletedRowsMoveOnlyReferencesIntoThatSheet) {
    using FormulaReferences::rowsShifted;
    EXPECT_EQ(rowsShifted("SUM(D15:D16)+D14", "Data", "Data", 16, 1), "SUM(D15:D17)+D14");
    EXPECT_EQ(rowsShifted("'Stand list'!$B$20&\"A20\"", "Data", "Stand list", 5, 1),
              "'Stand list'!$B$21&\"A20\"");
    EXPECT_EQ(rowsShifted("Other!A20+A20", "Data", "Data", 5, 1), "Other!A20+A21");
    EXPECT_EQ(rowsShifted("A5+SUM(A4:A6)+3:5", "Data", "Data", 5, -1), "#REF!+SUM(A4:A5)+3:4");
    EXPECT_EQ(rowsShifted("LOG10(A1)", "Data", "Data", 1, 1), "LOG10(A2)");
}

TEST(FormulaReferences, ACopyMovesRelativePartsOnly) {
    EXPECT_EQ(FormulaReferences::moved("SUM($A$1:A1)*B$2+C:C", 3, 1), "SUM($A$1:B4)*C$2+D:D");
    EXPECT_EQ(FormulaReferences::moved("A1", -1, 0), "#REF!");
}

TEST(NumberText, TypedTextsBecomeNumbersOnlyInTheirPlainForm) {
    const QLocale cz(QLocale::Czech, QLocale::CzechRepublic);
    EXPECT_EQ(NumberText::shortest(-0.0, cz), "0");
    EXPECT_EQ(NumberText::shortest(0.33, cz), "0,33");
    EXPECT_EQ(NumberText::typed("12,5", cz), 12.5);
    EXPECT_FALSE(NumberText::typed("12.5.2026", cz));
    QLocale::setDefault(cz);
    Workbook book;
    Worksheet& sheet = book.addSheet("List", 0);
    SetCellText(sheet, 1, 1, "12,5");
    SetCellText(sheet, 1, 2, "12,300"); // a river kilometre keeps its zeros
    SetCellText(sheet, 1, 3, "007");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(sheet.cell(1, 1)->type, SheetCell::Number);
    EXPECT_EQ(sheet.cell(1, 2)->text, "12,300");
    EXPECT_EQ(sheet.cell(1, 3)->text, "007");
}

TEST(WorkbookEngine, SheetNamesExcelRefusesAreRefused) {
    Workbook book;
    book.addSheet("Akce", 0);
    EXPECT_THROW(book.addSheet("AKCE", 1), RivwoodError);
    EXPECT_THROW(book.addSheet("a/b", 1), RivwoodError);
    EXPECT_THROW(book.addSheet(QString(32, u'x'), 1), RivwoodError);
    EXPECT_EQ(book.sheetCount(), 1);
}

// Rows inserted into and deleted from the template's summary sheet, ranges and sheets copied,
// then the file read back by openpyxl.
TEST(WorkbookEngine, WrittenWorkbookKeepsNamesMergesFormulasAndFormats) {
    QTemporaryDir dir;
    ExcelApplication app;
    Workbook& book = OpenWorkbook(app, templatePath());
    EXPECT_TRUE(app.visible);
    Worksheet& sestava = GetWorksheet(book, "sestava");
    Worksheet& zapisnik = GetWorksheet(book, "zapisnik");
    int r = 0, c = 0, r2 = 0, c2 = 0;
    GetNamedRange(book, "zacatek", r, c, r2, c2);
    EXPECT_EQ((std::array{r, c, r2, c2}), (std::array{15, 1, 15, 15}));
    GetNamedRange(book, "nic", r, c, r2, c2);
    EXPECT_EQ((std::array{r, c, r2, c2}), (std::array{0, 0, 0, 0}));
    GetNamedRange(book, "akce", r, c, r2, c2);
    EXPECT_EQ(r2, r); // a one-cell name
    EXPECT_EQ(c2, c);

    InsertRow(sestava, 16);
    InsertRow(sestava, 16);
    CopyRange(sestava, 15, 1, 15, 15, sestava, 16, 1);
    DeleteRow(sestava, 3); // above everything: names move up
    sestava.setFormula(30, 1, "sestava!A7+zapisnik!C6");
    InsertRow(zapisnik, 6); // moves zapisnik!C6 in sestava's formula
    Worksheet& copy = AddWorksheetAfterActive(book, "kopie");
    CopySheetCells(zapisnik, copy);

    // Cells of the template copied into a new workbook bring their formats with them.
    Workbook& other = AddWorkbook(app);
    Worksheet& target = AddFirstWorksheet(other, "jiny");
    CopyRows(sestava, 1, 20, target, 3);

    SaveWorkbookAs(book, dir.filePath("engine.xlsx"));
    SaveWorkbookAs(other, dir.filePath("other.xlsx"));
    CloseWorkbook(app, other);
    EXPECT_TRUE(app.visible);
    CloseWorkbook(app, book);
    EXPECT_FALSE(app.visible);

    QString problem;
    const QJsonObject read = WorkbookReaders::readXlsx(dir.filePath("engine.xlsx"), &problem);
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    const QJsonObject names = read["names"].toObject();
    EXPECT_EQ(names["zacatek"].toString(), "sestava!$A$14:$O$14");
    EXPECT_EQ(names["akce"].toString(), "sestava!$D$2");
    EXPECT_EQ(names["tloustka_radek"].toString(), "zapisnik!$A$7:$K$7");
    const QJsonObject s = sheetNamed(read, "sestava");
    EXPECT_TRUE(s["printArea"].toString().endsWith("$A$1:$O$19")) << s["printArea"].toString().toStdString();
    EXPECT_EQ(s["cells"]["F18"].toString(), "=SUM(F14:F17)");
    EXPECT_EQ(s["cells"]["A30"].toString(), "=sestava!A7+zapisnik!C7");
    EXPECT_TRUE(s["merged"].toArray().contains("D11:F11")); // was D12:F12
    EXPECT_EQ(s["hidden"].toArray(), QJsonArray{13});       // the species pattern, was row 14
    const QJsonObject k = sheetNamed(read, "kopie");
    EXPECT_TRUE(k["merged"].toArray().contains("C4:E4"));
    EXPECT_EQ(k["cells"]["A1"].toString(), "Průměrkovací zápisník");
    EXPECT_DOUBLE_EQ(k["widths"]["C"].toDouble(), 10.5);
    EXPECT_EQ(k["cells"]["C9"].toString(), "=SUM(C7:C8)");

    const QJsonObject o = WorkbookReaders::readXlsx(dir.filePath("other.xlsx"), &problem);
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    const QJsonObject j = sheetNamed(o, "jiny");
    EXPECT_EQ(j["cells"]["A13"].toString(), "Dřevina");
    EXPECT_TRUE(j["bold"].toArray().contains("A13"));
    EXPECT_TRUE(j["merged"].toArray().contains("A3:O3"));
}
