#include "ExpressionFunctions.h"

#include "ExpressionErrors.h"
#include "ReportValueFormat.h"
#include "ReportValuePattern.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Counts and positions of text functions, kept in a safe integer range.
int truncatedCount(double x) {
    if (std::isnan(x))
        return 0;
    return int(std::trunc(std::clamp(x, -1.0e9, 1.0e9)));
}

bool isTrimmed(QChar c) {
    return c.unicode() <= 32;
}

int numberResult(double x, ReportValue* result, QChar sep) {
    if (!std::isfinite(x))
        return ExpressionError::Numeric;
    *result = ReportValue::fromNumber(x, sep);
    return 0;
}

int textResult(const QString& text, ReportValue* result, QChar sep) {
    *result = ReportValue::fromText(text, sep);
    return 0;
}

// Pascal-style Copy: 1-based start (below 1 counts as 1), count clipped to the text.
QString copyText(const QString& s, int index, int count) {
    if (index < 1)
        index = 1;
    if (count <= 0 || index > s.size())
        return {};
    return s.mid(index - 1, count);
}

} // namespace

const std::array<ExpressionFunctionInfo, 25>& expressionFunctions() {
    static const std::array<ExpressionFunctionInfo, 25> table{{
        {"ABS", 1, ExpressionFunction::Abs},       {"INT", 1, ExpressionFunction::Int},
        {"SGN", 1, ExpressionFunction::Sgn},       {"MAX", 2, ExpressionFunction::Max},
        {"MIN", 2, ExpressionFunction::Min},       {"IIF", 3, ExpressionFunction::Iif},
        {"LEFT", 2, ExpressionFunction::Left},     {"RIGHT", 2, ExpressionFunction::Right},
        {"SUBSTR", 3, ExpressionFunction::Substr}, {"UPPER", 1, ExpressionFunction::Upper},
        {"LOWER", 1, ExpressionFunction::Lower},   {"LTRIM", 1, ExpressionFunction::Ltrim},
        {"RTRIM", 1, ExpressionFunction::Rtrim},   {"ALLTRIM", 1, ExpressionFunction::Alltrim},
        {"FORMAT", 2, ExpressionFunction::Format}, {"SIN", 1, ExpressionFunction::Sin},
        {"COS", 1, ExpressionFunction::Cos},       {"TAN", 1, ExpressionFunction::Tan},
        {"COTG", 1, ExpressionFunction::Cotg},     {"EXP", 1, ExpressionFunction::Exp},
        {"LOG", 1, ExpressionFunction::Log},       {"ASIN", 1, ExpressionFunction::Asin},
        {"ACOS", 1, ExpressionFunction::Acos},     {"ATAN", 1, ExpressionFunction::Atan},
        {"ACOTG", 1, ExpressionFunction::Acotg},
    }};
    return table;
}

const ExpressionFunctionInfo* findExpressionFunction(const QString& upperName) {
    for (const ExpressionFunctionInfo& f : expressionFunctions())
        if (upperName == QLatin1String(f.name))
            return &f;
    return nullptr;
}

int applyExpressionFunction(ExpressionFunction function, const ReportValue* args, ReportValue* result,
                            const QLocale& locale) {
    const QChar sep = decimalSeparatorOf(locale);
    const double x = args[0].number;
    switch (function) {
    case ExpressionFunction::Abs:
        return numberResult(std::fabs(x), result, sep);
    case ExpressionFunction::Int:
        return numberResult(std::trunc(x), result, sep);
    case ExpressionFunction::Sgn:
        return numberResult(x > 0 ? 1 : (x < 0 ? -1 : 0), result, sep);
    case ExpressionFunction::Max:
        return numberResult(args[1].number > x ? args[1].number : x, result, sep);
    case ExpressionFunction::Min:
        return numberResult(args[1].number < x ? args[1].number : x, result, sep);
    case ExpressionFunction::Iif: {
        *result = x > 0 ? args[1] : args[2];
        result->kind = args[1].isText() && args[2].isText() ? ReportValue::Text : ReportValue::Number;
        return 0;
    }
    case ExpressionFunction::Left:
        return textResult(args[0].text.left(std::max(0, truncatedCount(args[1].number))), result, sep);
    case ExpressionFunction::Right:
        return textResult(args[0].text.right(std::max(0, truncatedCount(args[1].number))), result, sep);
    case ExpressionFunction::Substr:
        return textResult(
            copyText(args[0].text, truncatedCount(args[1].number), truncatedCount(args[2].number)), result,
            sep);
    case ExpressionFunction::Upper:
        return textResult(locale.toUpper(args[0].text), result, sep);
    case ExpressionFunction::Lower:
        return textResult(locale.toLower(args[0].text), result, sep);
    case ExpressionFunction::Ltrim:
    case ExpressionFunction::Rtrim:
    case ExpressionFunction::Alltrim: {
        const QString& s = args[0].text;
        int from = 0, to = s.size();
        if (function != ExpressionFunction::Rtrim)
            while (from < to && isTrimmed(s[from]))
                ++from;
        if (function != ExpressionFunction::Ltrim)
            while (to > from && isTrimmed(s[to - 1]))
                --to;
        return textResult(s.mid(from, to - from), result, sep);
    }
    case ExpressionFunction::Format:
        return textResult(FormatPattern(x, args[1].text, locale), result, sep);
    case ExpressionFunction::Sin:
        return numberResult(std::sin(x), result, sep);
    case ExpressionFunction::Cos:
        return numberResult(std::cos(x), result, sep);
    case ExpressionFunction::Tan:
        if (std::cos(x) == 0)
            return ExpressionError::Numeric;
        return numberResult(std::sin(x) / std::cos(x), result, sep);
    case ExpressionFunction::Cotg:
        if (std::sin(x) == 0)
            return ExpressionError::Numeric;
        return numberResult(std::cos(x) / std::sin(x), result, sep);
    case ExpressionFunction::Exp:
        return numberResult(std::exp(x), result, sep);
    case ExpressionFunction::Log:
        // Natural logarithm, defined for positive arguments only.
        if (!(x > 0))
            return ExpressionError::Numeric;
        return numberResult(std::log(x), result, sep);
    case ExpressionFunction::Asin:
        if (!(x >= -1 && x <= 1))
            return ExpressionError::Numeric;
        return numberResult(std::asin(x), result, sep);
    case ExpressionFunction::Acos:
        if (!(x >= -1 && x <= 1))
            return ExpressionError::Numeric;
        return numberResult(std::acos(x), result, sep);
    case ExpressionFunction::Atan:
        return numberResult(std::atan(x), result, sep);
    case ExpressionFunction::Acotg:
        return numberResult(std::numbers::pi / 2 - std::atan(x), result, sep);
    }
    return ExpressionError::Syntax;
}
