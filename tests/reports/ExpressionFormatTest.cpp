#include "ReportValueDecimal.h"
#include "ReportValueFormat.h"

#include <gtest/gtest.h>

namespace {
const QLocale c = QLocale::c();
const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);

QString f(double v, ReportFloatFormat format, int precision, int digits, const QLocale& locale = c) {
    return FormatFloat(v, format, precision, digits, locale);
}
} // namespace

TEST(ReportValueFormat, GeneralFormat) {
    EXPECT_EQ(FormatGeneral(0, 15, '.'), "0");
    EXPECT_EQ(FormatGeneral(14, 15, '.'), "14");
    EXPECT_EQ(FormatGeneral(-2.5, 15, ','), "-2,5");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2, 15, '.'), "0.3");
    EXPECT_EQ(FormatGeneral(123456789012345.0, 15, '.'), "123456789012345");
    EXPECT_EQ(FormatGeneral(1e15, 15, '.'), "1E15");
    EXPECT_EQ(FormatGeneral(1.5e20, 15, '.'), "1.5E20");
    EXPECT_EQ(FormatGeneral(0.0001, 15, '.'), "0.0001");
    EXPECT_EQ(FormatGeneral(0.00001, 15, '.'), "1E-5");
    EXPECT_EQ(FormatGeneral(-1.25e-7, 15, '.', 2), "-1.25E-07");
    EXPECT_EQ(FormatGeneral(2.0 / 3, 4, '.'), "0.6667");
    EXPECT_EQ(FormatGeneral(99999, 3, '.'), "1E5");
}

TEST(ReportValueFormat, FixedAndNumber) {
    EXPECT_EQ(f(1234.5678, ReportFloatFormat::Fixed, 15, 2), "1234.57");
    EXPECT_EQ(f(1234.5678, ReportFloatFormat::Fixed, 15, 0), "1235");
    EXPECT_EQ(f(2.5, ReportFloatFormat::Fixed, 15, 0), "3"); // halves away from zero
    EXPECT_EQ(f(-2.5, ReportFloatFormat::Fixed, 15, 0), "-3");
    EXPECT_EQ(f(9.995, ReportFloatFormat::Fixed, 15, 2), "10.00");
    EXPECT_EQ(f(0.004, ReportFloatFormat::Fixed, 15, 2), "0.00");
    EXPECT_EQ(f(-0.004, ReportFloatFormat::Fixed, 15, 2), "0.00");
    EXPECT_EQ(f(123.456, ReportFloatFormat::Fixed, 4, 2), "123.50"); // four significant digits
    EXPECT_EQ(f(123456, ReportFloatFormat::Fixed, 4, 2), "1.235E5"); // more integer digits than the precision
    EXPECT_EQ(f(0, ReportFloatFormat::Fixed, 15, 3), "0.000");
    EXPECT_EQ(f(1234567.891, ReportFloatFormat::Number, 15, 2), "1,234,567.89");
    EXPECT_EQ(f(-999.5, ReportFloatFormat::Number, 15, 0), "-1,000");
    EXPECT_EQ(f(1234.5, ReportFloatFormat::Fixed, 15, 2, czech), "1234,50");
    EXPECT_EQ(f(1234.5, ReportFloatFormat::Number, 15, 2, czech), QString("1\u00A0234,50"));
}

TEST(ReportValueFormat, ExponentAndCurrency) {
    EXPECT_EQ(f(1234.5, ReportFloatFormat::Exponent, 4, 2), "1.235E+03");
    EXPECT_EQ(f(-0.00012, ReportFloatFormat::Exponent, 3, 0), "-1.20E-4");
    EXPECT_EQ(f(0, ReportFloatFormat::Exponent, 3, 1), "0.00E+0");
    EXPECT_EQ(f(5, ReportFloatFormat::Exponent, 1, 3), "5E+000");
    const QString kc = f(1234.5, ReportFloatFormat::Currency, 15, 2, czech);
    EXPECT_TRUE(kc.startsWith(QString("1\u00A0234,50"))) << kc.toStdString();
    EXPECT_TRUE(kc.endsWith(QString("Kč"))) << kc.toStdString();
    const QString usd =
        f(-5, ReportFloatFormat::Currency, 15, 2, QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(usd.contains("$")) << usd.toStdString();
    EXPECT_TRUE(usd.contains("5.00")) << usd.toStdString();
    EXPECT_TRUE(usd.contains("-") || usd.contains("(")) << usd.toStdString();
}

TEST(ReportValueFormat, DecimalRounding) {
    ReportValueDecimal d = ReportValueDecimal::fromDouble(999.96, 15).roundedTo(1);
    EXPECT_EQ(d.digits, "1");
    EXPECT_EQ(d.exponent, 4);
    EXPECT_EQ(d.integerDigits(), "1000");
    EXPECT_EQ(d.fractionDigits(2), "00");
    d = ReportValueDecimal::fromDouble(0.0449, 15).roundedTo(1);
    EXPECT_TRUE(d.isZero());
    d = ReportValueDecimal::fromDouble(0.05, 15).roundedTo(1);
    EXPECT_EQ(d.fractionDigits(1), "1");
    EXPECT_EQ(groupThousands("1234567", " "), "1 234 567");
    EXPECT_EQ(groupThousands("123", ","), "123");
}
