#include "ExpressionOperators.h"

#include "ExpressionErrors.h"

#include <cmath>

namespace {

int numberResult(double x, ReportValue* result, QChar sep) {
    if (!std::isfinite(x))
        return ExpressionError::Numeric;
    *result = ReportValue::fromNumber(x, sep);
    return 0;
}

int truth(bool b, ReportValue* result, QChar sep) {
    return numberResult(b ? 1 : 0, result, sep);
}

} // namespace

int priorityOf(ExpressionOperator op) {
    switch (op) {
    case ExpressionOperator::Negate:
    case ExpressionOperator::Not:
        return ExpressionPriority::Unary;
    case ExpressionOperator::Power:
        return ExpressionPriority::Power;
    case ExpressionOperator::Times:
    case ExpressionOperator::Divide:
    case ExpressionOperator::And:
        return ExpressionPriority::Product;
    case ExpressionOperator::Plus:
    case ExpressionOperator::Minus:
    case ExpressionOperator::Or:
        return ExpressionPriority::Sum;
    default:
        return ExpressionPriority::Relation;
    }
}

bool isUnary(ExpressionOperator op) {
    return op == ExpressionOperator::Negate || op == ExpressionOperator::Not;
}

int applyUnaryOperator(ExpressionOperator op, const ReportValue& x, ReportValue* result, QChar sep) {
    if (op == ExpressionOperator::Not)
        return truth(!(x.number > 0), result, sep);
    return numberResult(-x.number, result, sep);
}

int applyBinaryOperator(ExpressionOperator op, const ReportValue& left, const ReportValue& right,
                        ReportValue* result, QChar sep, const SetItemReader& setItems) {
    const double a = left.number;
    const double b = right.number;
    const bool bothTexts = left.isText() && right.isText();
    switch (op) {
    case ExpressionOperator::Power:
        // Defined as e^(b·ln a), so the base must be positive; pow gives the same value without
        // the rounding of the logarithm (2^6 is exactly 64).
        if (!(a > 0))
            return ExpressionError::Numeric;
        return numberResult(std::pow(a, b), result, sep);
    case ExpressionOperator::Times:
        return numberResult(a * b, result, sep);
    case ExpressionOperator::Divide:
        if (b == 0)
            return ExpressionError::Numeric;
        return numberResult(a / b, result, sep);
    case ExpressionOperator::And:
        return truth(a > 0 && b > 0, result, sep);
    case ExpressionOperator::Plus:
        if (bothTexts) {
            *result = ReportValue::fromText(left.text + right.text, sep);
            return 0;
        }
        return numberResult(a + b, result, sep);
    case ExpressionOperator::Minus:
        return numberResult(a - b, result, sep);
    case ExpressionOperator::Or:
        return truth(a > 0 || b > 0, result, sep);
    case ExpressionOperator::Equal:
        return truth(bothTexts ? left.text == right.text : a == b, result, sep);
    case ExpressionOperator::NotEqual:
        return truth(bothTexts ? left.text != right.text : a != b, result, sep);
    case ExpressionOperator::Less:
        return truth(a < b, result, sep);
    case ExpressionOperator::Greater:
        return truth(a > b, result, sep);
    case ExpressionOperator::LessEqual:
        return truth(a <= b, result, sep);
    case ExpressionOperator::GreaterEqual:
        return truth(a >= b, result, sep);
    case ExpressionOperator::In: {
        bool found = false;
        for (const ReportValue& item : setItems(right.text)) {
            if (item.text == left.text || (item.number != 0 && item.number == a)) {
                found = true;
                break;
            }
        }
        return truth(found, result, sep);
    }
    case ExpressionOperator::Negate:
    case ExpressionOperator::Not:
        break;
    }
    return ExpressionError::Syntax;
}
