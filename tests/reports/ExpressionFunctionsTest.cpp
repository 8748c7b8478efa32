#include "ExpressionFunctions.h"
#include "ExpressionErrors.h"
#include "ExpressionEvaluator.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

ExpressionResult eval(const QString& text) {
    ExpressionEvaluator e;
    e.setLocale(QLocale::c());
    return e.Evaluate(text);
}

double number(const QString& text) {
    const ExpressionResult r = eval(text);
    EXPECT_EQ(r.code, 0) << text.toStdString();
    return r.value.number;
}

QString text(const QString& expression, quint8 kind = ReportValue::Text) {
    const ExpressionResult r = eval(expression);
    EXPECT_EQ(r.code, 0) << expression.toStdString();
    EXPECT_EQ(r.value.kind, kind) << expression.toStdString();
    return r.value.text;
}

} // namespace

TEST(ExpressionFunctions, TableHasTwentyFiveFunctionsWithArgumentCounts) {
    EXPECT_EQ(expressionFunctions().size(), 25u);
    ASSERT_NE(findExpressionFunction("SUBSTR"), nullptr);
    EXPECT_EQ(findExpressionFunction("SUBSTR")->arguments, 3);
    EXPECT_EQ(findExpressionFunction("IIF")->arguments, 3);
    EXPECT_EQ(findExpressionFunction("FORMAT")->arguments, 2);
    EXPECT_EQ(findExpressionFunction("ACOTG")->arguments, 1);
    EXPECT_EQ(findExpressionFunction("abs"), nullptr); // the scanner upper-cases words
    EXPECT_EQ(findExpressionFunction("ROUND"), nullptr);
}

TEST(ExpressionFunctions, Numeric) {
    EXPECT_DOUBLE_EQ(number("abs(-5)"), 5);
    EXPECT_DOUBLE_EQ(number("Abs(2)"), 2);
    EXPECT_DOUBLE_EQ(number("INT(-2.7)"), -2);
    EXPECT_DOUBLE_EQ(number("INT(2.7)"), 2);
    EXPECT_DOUBLE_EQ(number("SGN(-0.1)"), -1);
    EXPECT_DOUBLE_EQ(number("SGN(0)"), 0);
    EXPECT_DOUBLE_EQ(number("SGN(7)"), 1);
    EXPECT_DOUBLE_EQ(number("MAX(3,5)"), 5);
    EXPECT_DOUBLE_EQ(number("MIN(3,5)"), 3);
    EXPECT_DOUBLE_EQ(number("MAX('9',5)"), 9);
}

TEST(ExpressionFunctions, Iif) {
    EXPECT_EQ(text("IIF(1,'ano','ne')"), "ano");
    EXPECT_EQ(text("IIF(0,'ano','ne')"), "ne");
    EXPECT_EQ(text("IIF(-1,'ano','ne')"), "ne");
    // Kind text only when both branches are texts.
    EXPECT_EQ(text("IIF(1,'ano',2)", ReportValue::Number), "ano");
    EXPECT_DOUBLE_EQ(number("IIF(0,1,2)"), 2);
    EXPECT_DOUBLE_EQ(number("IIF(2>1,10,20)+1"), 11);
}

TEST(ExpressionFunctions, TextFunctions) {
    EXPECT_EQ(text("LEFT('abcdef',2)"), "ab");
    EXPECT_EQ(text("LEFT('abc',2.9)"), "ab");
    EXPECT_EQ(text("LEFT('abc',-1)"), "");
    EXPECT_EQ(text("LEFT('abc',10)"), "abc");
    EXPECT_EQ(text("RIGHT('abcdef',2)"), "ef");
    EXPECT_EQ(text("SUBSTR('abcdef',2,3)"), "bcd");
    EXPECT_EQ(text("SUBSTR('abc',0,2)"), "ab");
    EXPECT_EQ(text("SUBSTR('abc',5,1)"), "");
    EXPECT_EQ(text("SUBSTR('abc',2,-1)"), "");
    EXPECT_EQ(text("UPPER('žluťoučký kůň')"), "ŽLUŤOUČKÝ KŮŇ");
    EXPECT_EQ(text("LOWER('ŘEKA')"), "řeka");
    EXPECT_EQ(text("LTRIM('  12 ')"), "12 ");
    EXPECT_EQ(text("RTRIM('  12 ')"), "  12");
    EXPECT_EQ(text("ALLTRIM('  12 ')"), "12");
    EXPECT_DOUBLE_EQ(number("ALLTRIM(' 12 ')"), 12);
    EXPECT_DOUBLE_EQ(number("LEFT('123',2)"), 12);
    EXPECT_EQ(text("LEFT(12345,3)"), "123"); // a number's text
}

TEST(ExpressionFunctions, Format) {
    EXPECT_EQ(text("FORMAT(1234.5,'#,##0.00')"), "1,234.50");
    EXPECT_EQ(text("FORMAT(1234567,'#,##0')"), "1,234,567");
    EXPECT_EQ(text("FORMAT(0.5,'#.##')"), ".5");
    EXPECT_EQ(text("FORMAT(0.5,'0.##')"), "0.5");
    EXPECT_EQ(text("FORMAT(3,'000')"), "003");
    EXPECT_EQ(text("FORMAT(1234,'00')"), "1234");
    EXPECT_EQ(text("FORMAT(-2.5,'0.0')"), "-2.5");
    EXPECT_EQ(text("FORMAT(2.675,'0.00')"), "2.68");
    EXPECT_EQ(text("FORMAT(-0.001,'0.00')"), "0.00");
    EXPECT_EQ(text("FORMAT(5,'0 m3')"), "5 m3");
    EXPECT_EQ(text("FORMAT(5,'\"č. \"0')"), "č. 5");
    EXPECT_EQ(text("FORMAT(-5,'0;(0)')"), "(5)");
    EXPECT_EQ(text("FORMAT(0,'0;(0);nula')"), "nula");
    EXPECT_EQ(text("FORMAT(0.25,'')"), "0.25");

    ExpressionEvaluator czech;
    czech.setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    EXPECT_EQ(czech.Evaluate("FORMAT(1234.5,'#,##0.00')").value.text, QString("1\u00A0234,50"));
}

TEST(ExpressionFunctions, Trigonometry) {
    const double pi = std::numbers::pi;
    EXPECT_DOUBLE_EQ(number("SIN(0)"), 0);
    EXPECT_DOUBLE_EQ(number("COS(0)"), 1);
    EXPECT_NEAR(number("TAN(1)"), std::tan(1.0), 1e-15);
    EXPECT_NEAR(number("COTG(1)"), 1 / std::tan(1.0), 1e-15);
    EXPECT_EQ(eval("COTG(0)").code, ExpressionError::Numeric);
    EXPECT_NEAR(number("ASIN(0.5)"), pi / 6, 1e-15);
    EXPECT_NEAR(number("ASIN(1)"), pi / 2, 1e-15);
    EXPECT_NEAR(number("ASIN(-1)"), -pi / 2, 1e-15);
    EXPECT_EQ(eval("ASIN(1.01)").code, ExpressionError::Numeric);
    EXPECT_NEAR(number("ACOS(1)"), 0, 1e-15);
    EXPECT_NEAR(number("ACOS(0)"), pi / 2, 1e-15);
    EXPECT_NEAR(number("ACOS(-1)"), pi, 1e-15);
    EXPECT_NEAR(number("ACOS(0.5)"), pi / 3, 1e-15);
    EXPECT_EQ(eval("ACOS(-2)").code, ExpressionError::Numeric);
    EXPECT_NEAR(number("ATAN(1)"), pi / 4, 1e-15);
    EXPECT_NEAR(number("ACOTG(1)"), pi / 4, 1e-15);
    EXPECT_NEAR(number("ACOTG(0)"), pi / 2, 1e-15);
}

TEST(ExpressionFunctions, ExponentialAndLogarithm) {
    EXPECT_DOUBLE_EQ(number("EXP(0)"), 1);
    EXPECT_NEAR(number("EXP(1)"), std::numbers::e, 1e-15);
    EXPECT_EQ(eval("EXP(1000)").code, ExpressionError::Numeric);
    EXPECT_DOUBLE_EQ(number("LOG(1)"), 0);
    EXPECT_NEAR(number("LOG(EXP(2.5))"), 2.5, 1e-15);
    EXPECT_EQ(eval("LOG(0)").code, ExpressionError::Numeric);
    EXPECT_EQ(eval("LOG(-1)").code, ExpressionError::Numeric);
    EXPECT_NEAR(number("2^0.5"), std::sqrt(2.0), 1e-15);
}
