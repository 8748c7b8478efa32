#pragma once

#include "ReportValue.h"

#include <QString>
#include <functional>

// How a running report answers an expression's references. Both parts may be left empty
// (outside a report run): every reference then yields an empty value and every name -1.
struct ExpressionCallbacks {
    // Request codes: base + n - 1 for reference number n (n from 1).
    static constexpr int ParameterBase = 2000; // "&n"
    static constexpr int FieldBase = 4000;     // "#n" or "#name"
    static constexpr int FunctionBase = 6000;  // "@n" or "@name"
    // Name lookup kinds.
    static constexpr int FieldName = 2;
    static constexpr int FunctionName = 3;

    // value request (code) -> value
    std::function<ReportValue(int code)> valueRequest;
    // name lookup (kind, name) -> 0-based index or -1
    std::function<int(int kind, const QString& name)> nameLookup;
};
