#include "ExpressionEvaluator.h"
#include "ExpressionErrors.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

ExpressionEvaluator plainEvaluator() {
    ExpressionEvaluator e;
    e.setLocale(QLocale::c());
    return e;
}

ExpressionResult eval(const QString& text) {
    return plainEvaluator().Evaluate(text);
}

void expectNumber(const QString& text, double expected) {
    const ExpressionResult r = eval(text);
    EXPECT_EQ(r.code, 0) << text.toStdString() << " position " << r.position;
    EXPECT_EQ(r.value.kind, ReportValue::Number) << text.toStdString();
    EXPECT_DOUBLE_EQ(r.value.number, expected) << text.toStdString();
}

void expectError(const QString& text, int code, int position) {
    const ExpressionResult r = eval(text);
    EXPECT_EQ(r.code, code) << text.toStdString();
    EXPECT_EQ(r.position, position) << text.toStdString();
}

} // namespace

TEST(ExpressionEvaluator, PrioritiesAndLeftAssociation) {
    expectNumber("2+3*4", 14);
    expectNumber("(2+3)*4", 20);
    expectNumber("2^3^2", 64);
    EXPECT_EQ(eval("2^3^2").value.number, 64.0);
    EXPECT_EQ(eval("2^3^2").value.text, "64");
    expectNumber("10-4-3", 3);
    expectNumber("8/4/2", 1);
    expectNumber("2*3^2", 18);
    expectNumber("1+2=3", 1); // "=" binds loosest: (1+2)=3
    expectNumber("2<3=1", 1); // equal priorities, left to right: (2<3)=1
    expectNumber(" 1 +\t2 ", 3);
}

TEST(ExpressionEvaluator, UnarySignRules) {
    // The unary minus binds tighter than the power: (-2)^2 has a negative base.
    EXPECT_EQ(eval("-2^2").code, ExpressionError::Numeric);
    expectNumber("-2*3", -6);
    expectError("2*-3", ExpressionError::Syntax, 3);
    expectNumber("2*(-3)", -6);
    expectNumber("MAX(-1,-5)", -1);
    expectError("--2", ExpressionError::Syntax, 2);
    expectError("+2", ExpressionError::Syntax, 1);
    expectError("1+*2", ExpressionError::Syntax, 3);
    expectNumber("NOT 0", 1);
    expectNumber("NOT 5", 0);
    expectNumber("NOT NOT 3", 1);
    expectNumber("1 AND NOT 0", 1);
    expectNumber("NOT 1 + 1", 1);
    expectError("NOT -1", ExpressionError::Syntax, 5);
}

TEST(ExpressionEvaluator, LogicalOperators) {
    expectNumber("1 AND 2", 1);
    expectNumber("1 and 0", 0);
    expectNumber("0 OR 0.5", 1);
    expectNumber("0 OR (-1)", 0);
    expectNumber("1 OR 0 AND 0", 1); // AND binds tighter
    expectNumber("3>=3", 1);
    expectNumber("3<=2", 0);
    expectNumber("3<>2", 1);
    expectNumber("3>2", 1);
}

TEST(ExpressionEvaluator, TextsAndNumbers) {
    ExpressionResult r = eval("'ab'+'cd'");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.value.kind, ReportValue::Text);
    EXPECT_EQ(r.value.text, "abcd");

    r = eval("'12'+3");
    EXPECT_EQ(r.value.kind, ReportValue::Number);
    EXPECT_DOUBLE_EQ(r.value.number, 15);
    EXPECT_EQ(r.value.text, "15");

    expectNumber("'abc'='ABC'", 0);
    expectNumber("'abc'='abc'", 1);
    expectNumber("'abc'<>'ABC'", 1);
    expectNumber("'12'=12", 1); // a text and a number compare as numbers
    expectNumber("'x'*2", 0);   // a text that is no number counts as 0

    r = eval("'a b'");
    EXPECT_EQ(r.value.kind, ReportValue::Text);
    EXPECT_EQ(r.value.text, "a b");
    EXPECT_EQ(r.value.number, 0);
}

TEST(ExpressionEvaluator, NumberTexts) {
    ExpressionResult r = eval("1.50");
    EXPECT_EQ(r.value.text, "1.50"); // a literal keeps its spelling
    r = eval("1.5*2");
    EXPECT_EQ(r.value.text, "3");
    r = eval("1/3");
    EXPECT_EQ(r.value.text, "0.333333333333333");
    r = eval("2.5E3");
    EXPECT_DOUBLE_EQ(r.value.number, 2500);
    r = eval("1E20*10");
    EXPECT_EQ(r.value.text, "1E21");
    r = eval("1e-2");
    EXPECT_DOUBLE_EQ(r.value.number, 0.01);

    ExpressionEvaluator czech;
    czech.setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    EXPECT_EQ(czech.Evaluate("1/4").value.text, "0,25");
    EXPECT_DOUBLE_EQ(czech.Evaluate("'1,5'*2").value.number, 3);
    EXPECT_DOUBLE_EQ(czech.Evaluate("'1.5'*2").value.number, 3);
}

TEST(ExpressionEvaluator, EmptyExpression) {
    for (const char* text : {"", "   "}) {
        const ExpressionResult r = eval(text);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.value.kind, ReportValue::Empty);
        EXPECT_EQ(r.position, 0);
    }
}

TEST(ExpressionEvaluator, SyntaxErrorsAndPositions) {
    expectError("1 +", ExpressionError::Syntax, 4);
    expectError("2 3", ExpressionError::Syntax, 3);
    expectError("()", ExpressionError::Syntax, 2);
    expectError("(1)(2)", ExpressionError::Syntax, 4);
    expectError("1 ? 2", ExpressionError::Syntax, 3);
    expectError("1 . 2", ExpressionError::Syntax, 3);
    expectError("ABS 1", ExpressionError::Syntax, 5);
    expectError("ABS", ExpressionError::Syntax, 4);
    expectError("1 ABS(2)", ExpressionError::Syntax, 3);
    expectError("x1", ExpressionError::UnknownIdentifier, 1);
    expectError("FOO(1)", ExpressionError::UnknownIdentifier, 1);
    expectError("1 + _a", ExpressionError::Syntax, 5);
    expectError("č", ExpressionError::Syntax, 1);
}

TEST(ExpressionEvaluator, ParenthesesAndCommas) {
    expectError("(1", ExpressionError::MissingClosing, 3);
    expectError("((1)", ExpressionError::MissingClosing, 5);
    expectError("1)", ExpressionError::TooFewOpening, 2);
    expectError("1,2", ExpressionError::TooManyCommas, 2);
    expectError("(1,2)", ExpressionError::TooManyCommas, 3);
    expectError("MAX(1)", ExpressionError::ExpectComma, 6);
    expectError("MAX(1,2,3)", ExpressionError::TooManyCommas, 8);
    expectError("MAX(1,)", ExpressionError::Syntax, 7);
    expectError("MAX(,1)", ExpressionError::Syntax, 5);
    expectError("IIF(1,2)", ExpressionError::ExpectComma, 8);
    expectNumber("MAX(1,2)+MIN(3,4)", 5);
}

TEST(ExpressionEvaluator, NestedCommaLevels) {
    // A plain parenthesis inside a function takes no commas of its own.
    EXPECT_EQ(eval("MAX((1),(2,3))").code, ExpressionError::TooManyCommas);
    expectNumber("MAX(MIN(1,2),IIF(0,5,6))", 6);
    expectNumber("ABS(-(2+3))", 5);
}

TEST(ExpressionEvaluator, MalformedLiterals) {
    expectError("1E123", ExpressionError::BadNumber, 5);
    expectError("12a", ExpressionError::BadNumber, 3);
    expectError("1E", ExpressionError::BadNumber, 3);
    expectError("3#", ExpressionError::BadNumber, 2);
    expectNumber("1E12", 1e12);
    expectError("'abc", ExpressionError::BadString, 1);
    expectError("1+'abc", ExpressionError::BadString, 3);
    expectError("1 IN [1,2", ExpressionError::BadSet, 6);
}

TEST(ExpressionEvaluator, NumericErrorsKeepFirstSlot) {
    ExpressionResult r = eval("5+1/0");
    EXPECT_EQ(r.code, ExpressionError::Numeric);
    EXPECT_EQ(r.position, 6);
    EXPECT_DOUBLE_EQ(r.value.number, 5);
    r = eval("1/0+2");
    EXPECT_EQ(r.code, ExpressionError::Numeric);
    EXPECT_EQ(r.position, 4); // reduced when the "+" arrived
    EXPECT_EQ(eval("0^2").code, ExpressionError::Numeric);
    EXPECT_EQ(eval("1E99*1E99*1E99*1E99").code, ExpressionError::Numeric);
}

TEST(ExpressionEvaluator, StackLimits) {
    // 19 nested parentheses fill the operator stack.
    QString deep = QString(18, '(') + "1" + QString(18, ')');
    expectNumber(deep, 1);
    deep = QString(20, '(') + "1" + QString(20, ')');
    EXPECT_EQ(eval(deep).code, ExpressionError::StackOverflow);
    // Values waiting for their operators.
    QString values;
    for (int i = 0; i < 19; ++i)
        values += "1+(";
    values += "1" + QString(19, ')');
    EXPECT_EQ(eval(values).code, ExpressionError::StackOverflow);
    QString chain;
    for (int i = 0; i < 200; ++i)
        chain += "1+";
    chain += "1";
    expectNumber(chain, 201);
}

TEST(ExpressionEvaluator, InSets) {
    expectNumber("3 IN [1,3,5]", 1);
    expectNumber("4 IN [1,3,5]", 0);
    expectNumber("3 IN [1, 3 ,5]", 1);
    expectNumber("0 IN [0]", 1); // only through the text
    expectNumber("0 IN [1,2]", 0);
    expectNumber("0.0 IN [0]", 0); // texts differ, and a zero number never matches
    expectNumber("1.0 IN [1]", 1); // numbers match
    expectNumber("'b' IN ['a','b']", 1);
    expectNumber("'b' IN ['a','c']", 0);
    expectNumber("'a,b' IN ['a,b']", 1);
    expectNumber("2+1 IN [3]", 1); // IN binds looser than "+"
    expectNumber("[1] + 1", 1);    // a set has no number
}

TEST(ExpressionEvaluator, ReferencesThroughCallbacks) {
    std::vector<int> requests;
    std::vector<std::pair<int, QString>> lookups;
    ExpressionCallbacks cb;
    cb.valueRequest = [&](int code) {
        requests.push_back(code);
        if (code == 4001)
            return ReportValue::fromText("olše", '.');
        return ReportValue::fromNumber(code, '.');
    };
    cb.nameLookup = [&](int kind, const QString& name) {
        lookups.push_back({kind, name});
        if (kind == 2 && name.compare("Druh", Qt::CaseInsensitive) == 0)
            return 1;
        if (kind == 3 && name == "Suma_1$")
            return 4;
        return -1;
    };
    ExpressionEvaluator e(cb);
    e.setLocale(QLocale::c());

    EXPECT_DOUBLE_EQ(e.Evaluate("&1").value.number, 2000);
    EXPECT_DOUBLE_EQ(e.Evaluate("#3 + 1").value.number, 4003);
    EXPECT_DOUBLE_EQ(e.Evaluate("@12").value.number, 6011);
    EXPECT_DOUBLE_EQ(e.Evaluate("@Suma_1$").value.number, 6004);
    const ExpressionResult r = e.Evaluate("#Druh + 'x'");
    EXPECT_EQ(r.value.kind, ReportValue::Text);
    EXPECT_EQ(r.value.text, "olšex");
    EXPECT_EQ(requests, (std::vector<int>{2000, 4002, 6011, 6004, 4001}));
    ASSERT_EQ(lookups.size(), 2u);
    EXPECT_EQ(lookups[0], (std::pair<int, QString>{3, "Suma_1$"}));
    EXPECT_EQ(lookups[1], (std::pair<int, QString>{2, "Druh"}));

    EXPECT_EQ(e.Evaluate("#Nic").code, ExpressionError::UnknownIdentifier);
    EXPECT_EQ(e.Evaluate("&abc").code, ExpressionError::UnknownIdentifier);
    EXPECT_EQ(e.Evaluate("1 + #").code, ExpressionError::UnknownIdentifier);
    EXPECT_EQ(e.Evaluate("#0").code, ExpressionError::UnknownIdentifier);
    EXPECT_EQ(e.Evaluate("1 #1").code, ExpressionError::Syntax);
    EXPECT_EQ(e.Evaluate("#1234").code, ExpressionError::Syntax); // three digits, then a number
    EXPECT_DOUBLE_EQ(e.Evaluate("3 IN [&4, #2]").value.number, 0);
    EXPECT_DOUBLE_EQ(e.Evaluate("2003 IN [1, &4]").value.number, 1);
}

TEST(ExpressionEvaluator, ReferencesWithoutCallbacks) {
    ExpressionResult r = eval("#1");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.value.kind, ReportValue::Empty);
    EXPECT_EQ(eval("#Druh").code, ExpressionError::UnknownIdentifier);
    expectNumber("&2 + 1", 1);
}

TEST(ExpressionEvaluator, ParseListAndTextToNumber) {
    ExpressionCallbacks cb;
    cb.valueRequest = [](int code) { return ReportValue::fromText(QString("v%1").arg(code), '.'); };
    ExpressionEvaluator e(cb);
    e.setLocale(QLocale::c());
    EXPECT_EQ(e.ParseList("'a,b', 3 ,#1, &2,x y"), (QStringList{"a,b", "3", "v4000", "v2001", "x y"}));
    EXPECT_EQ(e.ParseList(""), QStringList());
    EXPECT_EQ(e.ParseList("1,"), (QStringList{"1", ""}));
    EXPECT_EQ(e.ParseList("'open"), (QStringList{"open"}));
    EXPECT_EQ(e.ParseList("#1x"), (QStringList{"#1x"})); // not a reference: taken as it stands

    EXPECT_DOUBLE_EQ(e.TextToNumber("12"), 12);
    EXPECT_DOUBLE_EQ(e.TextToNumber("  12"), 12);
    EXPECT_DOUBLE_EQ(e.TextToNumber("12 "), 0);
    EXPECT_DOUBLE_EQ(e.TextToNumber("-3.25"), -3.25);
    EXPECT_DOUBLE_EQ(e.TextToNumber("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(e.TextToNumber("3-"), 0);
    EXPECT_DOUBLE_EQ(e.TextToNumber("1e5"), 0);
    EXPECT_DOUBLE_EQ(e.TextToNumber("1.2.3"), 0);
    EXPECT_DOUBLE_EQ(e.TextToNumber("-"), 0);
    EXPECT_DOUBLE_EQ(e.TextToNumber(""), 0);
    EXPECT_DOUBLE_EQ(e.TextToNumber("+1"), 0);

    ExpressionEvaluator czech;
    czech.setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    EXPECT_DOUBLE_EQ(czech.TextToNumber("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(czech.TextToNumber("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(czech.TextToNumber("1,5.2"), 0);
}

TEST(ExpressionEvaluator, ErrorTexts) {
    EXPECT_EQ(ErrorText(1), "Neznamý identifikátor");
    EXPECT_EQ(ErrorText(2), "Syntaktická chyba");
    EXPECT_EQ(ErrorText(3), "Přetečení zásobníku");
    EXPECT_EQ(ErrorText(4), "Málo otevíracích závorek");
    EXPECT_EQ(ErrorText(5), "Chybí uzavírací závorky");
    EXPECT_EQ(ErrorText(6), "Numerická chyba");
    EXPECT_EQ(ErrorText(7), "Chybný zápis čísla");
    EXPECT_EQ(ErrorText(8), "Příliš mnoho proměnných");
    EXPECT_EQ(ErrorText(9), "Chybný název proměnné");
    EXPECT_EQ(ErrorText(10), "Očekávám čárku");
    EXPECT_EQ(ErrorText(11), "Příliš mnoho čárek");
    EXPECT_EQ(ErrorText(12), "Chybný zápis řetězce");
    EXPECT_EQ(ErrorText(13), "Chybný zápis množiny");
    EXPECT_EQ(ErrorText(14), "Ukončeno uživatelem");
    EXPECT_EQ(ErrorText(0), "");
    EXPECT_EQ(ErrorText(15), "");
    EXPECT_EQ(CheckMessage(0, 0), "Výraz je v pořádku.");
    EXPECT_EQ(CheckMessage(10, 6), "Chyba : \"Očekávám čárku\" na pozici 6");
}

TEST(ExpressionEvaluator, LongTextsAreCut) {
    const QString longText = QString(300, 'a');
    const ExpressionResult r = eval("'" + longText + "'+'b'");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.value.text.size(), ReportValue::MaxText);
}
