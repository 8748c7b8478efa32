#include "TListFunkci.h"
#include "ExpressionEvaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

// A data set of one numeric field whose current record the test moves through.
struct Records {
    std::vector<double> values;
    int current = 0;
};

ExpressionEvaluator evaluatorOver(Records& records, TListFunkci& functions,
                                  QStringList* parameters = nullptr) {
    ReportDataAccess access;
    access.fieldValue = [&records](int field) {
        if (field != 0)
            return ReportValue();
        return ReportValue::fromNumber(records.values[size_t(records.current)], '.');
    };
    access.fieldIndex = [](const QString& name) {
        return name.compare("objem", Qt::CaseInsensitive) == 0 ? 0 : -1;
    };
    access.functions = &functions;
    access.parameters = parameters;
    ExpressionEvaluator e(makeReportCallbacks(access, '.'));
    e.setLocale(QLocale::c());
    return e;
}

TRadekFunkce::Fields aggregate(const QString& name, int kind, int restartGroup = 0) {
    TRadekFunkce::Fields f;
    f.name = name;
    f.expression = "#Objem";
    f.aggregate = kind;
    f.restartGroup = restartGroup;
    return f;
}

// Runs every record through the functions, restarting at the start as the engine does.
void runAll(Records& records, TListFunkci& functions, const ExpressionEvaluator& e) {
    functions.requestRestart(-1);
    for (records.current = 0; records.current < int(records.values.size()); ++records.current)
        functions.evaluateAll(e);
    records.current = int(records.values.size()) - 1;
}

} // namespace

TEST(TRadekFunkce, Defaults) {
    TRadekFunkce f;
    EXPECT_EQ(f.fields().name, "Funkce");
    EXPECT_EQ(f.fields().caption, "Funkce");
    EXPECT_EQ(f.fields().initialValue, "0");
    EXPECT_EQ(f.fields().precision, 15);
    EXPECT_EQ(f.fields().digits, 2);
    EXPECT_EQ(f.fields().floatFormat, 2);
    EXPECT_FALSE(f.restartPending());
    EXPECT_EQ(f.value().kind, ReportValue::Number);

    TRadekFunkce::Fields fields;
    fields.resultType = TRadekFunkce::Textual;
    fields.floatFormat = 7;
    f.setFields(fields);
    EXPECT_EQ(f.fields().floatFormat, 2);
    EXPECT_EQ(f.value().kind, ReportValue::Text);
}

TEST(TRadekFunkce, AllAggregates) {
    Records records{{2, 4, 4, 4, 5, 5, 7, 9}};
    TListFunkci list;
    list.add(aggregate("hodnota", TRadekFunkce::None));
    list.add(aggregate("pocet", TRadekFunkce::Count));
    list.add(aggregate("soucet", TRadekFunkce::Sum));
    list.add(aggregate("prumer", TRadekFunkce::Average));
    list.add(aggregate("minimum", TRadekFunkce::Minimum));
    list.add(aggregate("maximum", TRadekFunkce::Maximum));
    list.add(aggregate("smodch", TRadekFunkce::StdDev));
    list.add(aggregate("relsm", TRadekFunkce::VarCoef));
    const ExpressionEvaluator e = evaluatorOver(records, list);
    runAll(records, list, e);

    EXPECT_DOUBLE_EQ(list.value(0).number, 9);
    EXPECT_DOUBLE_EQ(list.value(1).number, 8);
    EXPECT_DOUBLE_EQ(list.value(2).number, 40);
    EXPECT_DOUBLE_EQ(list.value(3).number, 5);
    EXPECT_DOUBLE_EQ(list.value(4).number, 2);
    EXPECT_DOUBLE_EQ(list.value(5).number, 9);
    const double sd = std::sqrt(32.0 / 7);
    EXPECT_NEAR(list.value(6).number, sd, 1e-12);
    EXPECT_NEAR(list.value(7).number, sd / 5, 1e-12);
    EXPECT_EQ(list.item(6)->outputText(QLocale::c()), "2.14");
}

TEST(TRadekFunkce, SpreadOfOneRecordIsEmpty) {
    Records records{{3}};
    TListFunkci list;
    list.add(aggregate("smodch", TRadekFunkce::StdDev));
    list.add(aggregate("relsm", TRadekFunkce::VarCoef));
    const ExpressionEvaluator e = evaluatorOver(records, list);
    runAll(records, list, e);
    EXPECT_EQ(list.value(0).kind, ReportValue::Empty);
    EXPECT_EQ(list.item(0)->outputText(QLocale::c()), "");
    EXPECT_EQ(list.value(1).kind, ReportValue::Empty);

    // A coefficient of variation over values summing to zero is empty too.
    Records zero{{-1, 1}};
    TListFunkci list2;
    list2.add(aggregate("relsm", TRadekFunkce::VarCoef));
    const ExpressionEvaluator e2 = evaluatorOver(zero, list2);
    runAll(zero, list2, e2);
    EXPECT_EQ(list2.value(0).kind, ReportValue::Empty);
}

TEST(TRadekFunkce, RestartGroups) {
    Records records{{1, 2, 3, 4, 5}};
    TListFunkci list;
    list.add(aggregate("stranka", TRadekFunkce::Sum, TRadekFunkce::RestartPage));
    list.add(aggregate("sestava", TRadekFunkce::Sum, TRadekFunkce::RestartNever));
    list.add(aggregate("skupina0", TRadekFunkce::Sum, TRadekFunkce::RestartFirstGroup));
    const ExpressionEvaluator e = evaluatorOver(records, list);

    list.requestRestart(-1);
    EXPECT_TRUE(list.item(0)->restartPending());
    EXPECT_TRUE(list.item(1)->restartPending());
    for (records.current = 0; records.current < 5; ++records.current) {
        if (records.current == 3)
            list.requestRestart(1); // new page before the fourth body
        if (records.current == 2)
            list.requestRestart(2); // group 0 changed before the third record
        list.evaluateAll(e);
    }
    EXPECT_DOUBLE_EQ(list.value(0).number, 4 + 5);
    EXPECT_DOUBLE_EQ(list.value(1).number, 15);
    EXPECT_DOUBLE_EQ(list.value(2).number, 3 + 4 + 5);
    EXPECT_FALSE(list.item(0)->restartPending());
    EXPECT_EQ(list.item(0)->count(), 2);
    EXPECT_EQ(list.item(1)->count(), 5);
}

TEST(TRadekFunkce, InitialValues) {
    Records records{{1, 2}};
    TListFunkci list;
    TRadekFunkce::Fields start = aggregate("od10", TRadekFunkce::None);
    start.expression = "@od10 + #1";
    start.initialValue = "10";
    list.add(start);
    TRadekFunkce::Fields bad = aggregate("spatne", TRadekFunkce::None);
    bad.expression.clear();
    bad.initialValue = "x";
    list.add(bad);
    TRadekFunkce::Fields words;
    words.name = "slova";
    words.resultType = TRadekFunkce::Textual;
    words.initialValue = "Začátek";
    words.expression = "@slova + '.'";
    list.add(words);
    const ExpressionEvaluator e = evaluatorOver(records, list);

    list.requestRestart(-1);
    records.current = 0;
    list.item(1)->evaluate(e);
    EXPECT_EQ(list.value(1).kind, ReportValue::Empty); // an empty expression gives an empty value
    list.evaluateAll(e);
    records.current = 1;
    list.evaluateAll(e);
    EXPECT_DOUBLE_EQ(list.value(0).number, 13); // 10 + 1 + 2, through its own previous value
    EXPECT_EQ(list.value(2).text, "Začátek..");
    EXPECT_EQ(list.item(2)->outputText(), "Začátek..");

    TRadekFunkce bare(bad);
    bare.requestRestart(0);
    EXPECT_TRUE(bare.restartPending());
    bare.evaluate(e);
    EXPECT_EQ(bare.outputText(), "");
}

TEST(TRadekFunkce, ExpressionErrorsGiveEmptyValues) {
    Records records{{1, 2, 3}};
    TListFunkci list;
    TRadekFunkce::Fields f = aggregate("deleni", TRadekFunkce::Sum);
    f.expression = "10/(#1-2)"; // fails on the second record
    list.add(f);
    TRadekFunkce::Fields g = aggregate("hodnota", TRadekFunkce::None);
    g.expression = "10/(#1-2)";
    list.add(g);
    const ExpressionEvaluator e = evaluatorOver(records, list);
    list.requestRestart(-1);
    records.current = 1;
    list.evaluateAll(e);
    EXPECT_EQ(list.value(1).kind, ReportValue::Empty);
    records.current = 2;
    list.evaluateAll(e);
    EXPECT_DOUBLE_EQ(list.value(0).number, 10);
    EXPECT_EQ(list.item(0)->count(), 2);
    EXPECT_DOUBLE_EQ(list.value(1).number, 10);

    // A callback that throws yields an empty value as well.
    ExpressionCallbacks throwing;
    throwing.valueRequest = [](int) -> ReportValue { throw std::runtime_error("záznam nelze číst"); };
    const ExpressionEvaluator bad(throwing);
    list.item(1)->evaluate(bad);
    EXPECT_EQ(list.value(1).kind, ReportValue::Empty);
}

TEST(TRadekFunkce, OutputFormats) {
    TRadekFunkce::Fields f;
    f.expression = "1234.5678";
    f.precision = 15;
    f.digits = 2;
    const QLocale c = QLocale::c();
    const ExpressionEvaluator e;
    const char* expected[] = {"1234.5678", "1.23456780000000E+03", "1234.57", "1,234.57"};
    for (int format = 0; format < 4; ++format) {
        f.floatFormat = format;
        TRadekFunkce fn(f);
        fn.evaluate(e);
        EXPECT_EQ(fn.outputText(c), expected[format]) << format;
    }
}

TEST(TListFunkci, ListOperations) {
    TListFunkci list;
    EXPECT_EQ(list.item(0), nullptr);
    list.add(aggregate("Suma", TRadekFunkce::Sum));
    list.add(aggregate("Prumer", TRadekFunkce::Average));
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.indexOf("suma"), 0);
    EXPECT_EQ(list.indexOf("PRUMER"), 1);
    EXPECT_EQ(list.indexOf("nic"), -1);
    EXPECT_EQ(list.listCaption(0), "#1  Suma");
    EXPECT_EQ(list.item(2), nullptr);
    EXPECT_EQ(list.item(-1), nullptr);
    EXPECT_EQ(list.value(5).kind, ReportValue::Empty);
    list.deleteLast();
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->name(), "Suma");
    list.clear();
    EXPECT_EQ(list.count(), 0);
    list.deleteLast();
    EXPECT_EQ(list.count(), 0);
    for (int i = 0; i < 12; ++i)
        list.add(aggregate(QString("f%1").arg(i), 0));
    EXPECT_EQ(list.listCaption(11), "#12 f11");
}

TEST(TListFunkci, ReportCallbacksAnswerParametersFieldsAndFunctions) {
    Records records{{7}};
    TListFunkci list;
    list.add(aggregate("Suma", TRadekFunkce::Sum));
    QStringList parameters{"Labe", "2,5"};
    const ExpressionEvaluator e = evaluatorOver(records, list, &parameters);
    runAll(records, list, e);
    EXPECT_EQ(e.Evaluate("&1").value.text, "Labe");
    EXPECT_EQ(e.Evaluate("&1").value.kind, ReportValue::Text);
    EXPECT_DOUBLE_EQ(e.Evaluate("&2*2").value.number, 5);
    EXPECT_EQ(e.Evaluate("&3").value.kind, ReportValue::Empty);
    EXPECT_DOUBLE_EQ(e.Evaluate("@suma + #objem").value.number, 14);
    EXPECT_DOUBLE_EQ(e.Evaluate("@1").value.number, 7);
    EXPECT_EQ(e.Evaluate("@2").value.kind, ReportValue::Empty);
    EXPECT_EQ(e.Evaluate("#2").value.kind, ReportValue::Empty);
}
