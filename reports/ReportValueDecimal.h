#pragma once

#include <QString>

// A number as decimal digits, for the report's own number formatting (rounding on the decimal
// digits, halves away from zero, as printed output expects).
struct ReportValueDecimal {
    QString digits;   // significant digits without leading or trailing zeros; empty for zero
    int exponent = 0; // value = 0.digits × 10^exponent
    bool negative = false;

    bool isZero() const { return digits.isEmpty(); }
    // The number rounded to `significant` significant digits (1–17); value must be finite.
    static ReportValueDecimal fromDouble(double value, int significant);
    // Rounded to `decimals` places after the decimal point.
    ReportValueDecimal roundedTo(int decimals) const;
    // Digits before the decimal point ("0" when there are none).
    QString integerDigits() const;
    // Exactly `count` digits after the decimal point.
    QString fractionDigits(int count) const;
    // Number of digits after the decimal point needed to show every significant digit.
    int fractionLength() const;
};

// Inserts a group separator between every three digits of an integer digit string.
QString groupThousands(const QString& integerDigits, const QString& separator);
