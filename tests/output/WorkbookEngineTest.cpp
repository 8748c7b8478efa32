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
#include <random>

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

// A row edit leaves alone the formulas it does not reach: they keep their text as written.
TEST(WorkbookEngine, RowEditsLeaveFormulasTheyDoNotReachAsWritten) {
    Workbook book;
    Worksheet& data = book.addSheet("Data", 0);
    Worksheet& other = book.addSheet("Jiny", 1);
    data.setFormula(2, 1, "sum(b1:b2)");
    data.setFormula(60, 1, "a1*2");
    other.setFormula(1, 1, "Data!b1+b$2");
    InsertRow(data, 10);
    DeleteRow(data, 20);
    InsertRow(other, 3);
    EXPECT_EQ(data.cell(2, 1)->formula, "sum(b1:b2)");
    EXPECT_EQ(data.cell(60, 1)->formula, "a1*2");
    EXPECT_EQ(other.cell(1, 1)->formula, "Data!b1+b$2");
}

// Formulas above, below and across many row edits on two sheets, referring to their own sheet, to
// the other one, to whole rows and columns, end as rewriting every formula at every edit leaves them.
TEST(WorkbookEngine, FormulasFollowEveryRowEditAsAWholeRewriteWould) {
    struct Expected {
        int sheet, row, column;
        QString formula;
    };
    const QStringList names{"Data", "Jiny"};
    Workbook book;
    Worksheet* sheets[2] = {&book.addSheet(names[0], 0), &book.addSheet(names[1], 1)};
    std::vector<Expected> expected;
    std::mt19937 random(27);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const QStringList shapes{"A%1*2",        "SUM(B%1:B%2)", "$C$%1+C%2", "Jiny!D%1",
                             "Data!E%1:E%2", "%1:%2",        "F:F",       "\"A%1\"&G%2"};
    auto write = [&] {
        const int sheet = pick(2), row = 1 + pick(120), column = 1 + pick(8);
        const int a = 1 + pick(150), b = a + pick(30);
        const QString formula = shapes[pick(int(shapes.size()))].arg(a).arg(b);
        sheets[sheet]->setFormula(row, column, formula);
        std::erase_if(expected, [&](const Expected& e) {
            return e.sheet == sheet && e.row == row && e.column == column;
        });
        expected.push_back({sheet, row, column, formula});
    };
    for (int i = 0; i < 300; ++i)
        write();
    for (int edit = 0; edit < 400; ++edit) {
        if (edit % 8 == 0) // also into rows whose formulas have moved
            write();
        const int sheet = pick(2), row = 1 + pick(140), count = pick(3) == 0 ? -1 : 1;
        if (count > 0)
            sheets[sheet]->insertRow(row);
        else
            sheets[sheet]->deleteRow(row);
        std::erase_if(expected,
                      [&](const Expected& e) { return count < 0 && e.sheet == sheet && e.row == row; });
        for (Expected& e : expected) {
            e.formula = FormulaReferences::rowsShifted(e.formula, names[e.sheet], names[sheet], row, count);
            if (e.sheet == sheet && e.row >= row)
                e.row += count;
        }
        if (edit % 100 == 99) { // reading in between brings the moved texts up to date
            for (const Expected& e : expected)
                ASSERT_EQ(sheets[e.sheet]->cell(e.row, e.column)->formula, e.formula) << edit;
        }
    }
    for (const Expected& e : expected)
        EXPECT_EQ(sheets[e.sheet]->cell(e.row, e.column)->formula, e.formula);
    std::size_t formulas = 0;
    for (Worksheet* s : sheets)
        for (const auto& [row, r] : s->rows())
            for (const auto& [column, c] : r.cells)
                formulas += !c.formula.isEmpty();
    EXPECT_EQ(formulas, expected.size());
}
