// The values stored beside formulas: what a spreadsheet computes, or nothing where unsure.
#include "FormulaValues.h"
#include "Workbook.h"

#include <gtest/gtest.h>

namespace {

QString shown(const std::optional<FormulaValue>& v) {
    if (!v)
        return QStringLiteral("(none)");
    switch (v->type) {
    case FormulaValue::Number:
        return QString::number(v->number, 'g', 15);
    case FormulaValue::Boolean:
        return v->number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case FormulaValue::Text:
        return u'"' + v->text + u'"';
    case FormulaValue::Error:
        return v->text;
    }
    return {};
}

} // namespace

TEST(FormulaValues, ComputeWhatASpreadsheetComputesAndNothingWhereUnsure) {
    Workbook book;
    Worksheet& data = book.addSheet(QStringLiteral("Data"), 0);
    Worksheet& other = book.addSheet(QStringLiteral("Stand list"), 1);
    data.setNumber(1, 1, 21.87);
    data.setNumber(2, 1, 23.81);
    data.setText(3, 1, QStringLiteral("text in a sum"));
    data.setNumber(4, 1, 2.675);
    other.setText(1, 2, QStringLiteral("Svratka"));
    other.setNumber(2, 2, 12);
    book.names().push_back({QStringLiteral("stocks"), QStringLiteral("Data!$A$1:$A$3"), nullptr, false});

    const std::pair<const char*, const char*> cases[] = {
        {"SUM(A1:A3)", "45.68"},
        {"SUM(stocks)*2", "91.36"},
        {"\"\"&'Stand list'!B1&\" \"&'Stand list'!B2", "\"Svratka 12\""},
        {"ROUND(A4,2)", "2.68"},
        {"-2^2+10%", "4.1"},
        {"IF(A1>A2,\"more\",A1/0)", "#DIV/0!"},
        {"IF(A1<A2,\"less\",A1/0)", "\"less\""},
        {"AVERAGE(A1:A2)>22", "TRUE"},
        {"A3+1", "#VALUE!"},
        {"COUNT(A1:A4)+COUNTA(A1:A4)", "7"},
        {"B9", "0"},                      // an empty cell
        {"C12", "(none)"},                // refers to itself
        {"VLOOKUP(1,A1:A2,1)", "(none)"}, // a function not known here
        {"Missing!A1", "(none)"},         // a sheet the workbook lacks
    };
    int row = 1;
    for (const auto& [formula, expected] : cases) {
        data.setFormula(row, 3, QString::fromUtf8(formula));
        FormulaValues values(book);
        EXPECT_EQ(shown(values.valueOf(data, row, 3)), QString::fromUtf8(expected)) << formula;
        ++row;
    }
}
