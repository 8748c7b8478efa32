#pragma once

#include "ReportValue.h"

#include <QLocale>
#include <QString>
#include <array>

// The built-in functions of report expressions.
enum class ExpressionFunction {
    Abs,
    Int,
    Sgn,
    Max,
    Min,
    Iif,
    Left,
    Right,
    Substr,
    Upper,
    Lower,
    Ltrim,
    Rtrim,
    Alltrim,
    Format,
    Sin,
    Cos,
    Tan,
    Cotg,
    Exp,
    Log,
    Asin,
    Acos,
    Atan,
    Acotg
};

struct ExpressionFunctionInfo {
    const char* name; // upper case, as written in expressions
    int arguments;    // fixed argument count
    ExpressionFunction id;
};

// All 25 functions in the order the expression editor lists them.
const std::array<ExpressionFunctionInfo, 25>& expressionFunctions();
// The function of an upper-cased word, or nullptr.
const ExpressionFunctionInfo* findExpressionFunction(const QString& upperName);

// Applies a function to its arguments (first argument first). Returns an error code (0 or
// ExpressionError::Numeric) and sets *result on success.
int applyExpressionFunction(ExpressionFunction function, const ReportValue* args, ReportValue* result,
                            const QLocale& locale);
