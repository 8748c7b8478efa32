#pragma once

#include <QString>

// A report function as an F line of the template stores it: a named aggregate of an expression.
// The running report builds its evaluable functions from these.
struct TemplateFunction {
    QString name = QStringLiteral("Funkce");
    QString caption = QStringLiteral("Funkce");
    int resultType = 0; // 0 number, 1 text
    QString initialValue = QStringLiteral("0");
    int resetGroup = 0; // 0 never, 1 every page, n + 2 when group n changes
    QString expression;
    int aggregate = 0; // 0 value, 1 count, 2 sum, 3 average, 4 min, 5 max, 6 std. deviation, 7 variation
    int precision = 15;
    int digits = 2;
    int floatFormat = 2; // 0 general, 1 exponent, 2 fixed, 3 number, 4 currency
};
