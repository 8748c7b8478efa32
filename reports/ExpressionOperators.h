#pragma once

#include "ReportValue.h"

#include <functional>
#include <vector>

// Operators of report expressions with their priorities (higher binds tighter).
enum class ExpressionOperator {
    Negate,
    Not,
    Power,
    Times,
    Divide,
    And,
    Plus,
    Minus,
    Or,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    In
};

namespace ExpressionPriority {
constexpr int Function = 255;
constexpr int Unary = 254;    // unary minus, NOT
constexpr int Power = 253;    // ^
constexpr int Product = 252;  // * / AND
constexpr int Sum = 251;      // + - OR
constexpr int Relation = 250; // = <> < > <= >= IN
} // namespace ExpressionPriority

int priorityOf(ExpressionOperator op);
bool isUnary(ExpressionOperator op);

// Splits the right-hand set of IN into its item values.
using SetItemReader = std::function<std::vector<ReportValue>(const QString& setText)>;

// Apply an operator; return an error code (0 or ExpressionError::Numeric) and set *result.
int applyUnaryOperator(ExpressionOperator op, const ReportValue& x, ReportValue* result,
                       QChar decimalSeparator);
int applyBinaryOperator(ExpressionOperator op, const ReportValue& left, const ReportValue& right,
                        ReportValue* result, QChar decimalSeparator, const SetItemReader& setItems);
