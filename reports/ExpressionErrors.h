#pragma once

#include <QString>

// Error codes of report expressions; 0 is success.
namespace ExpressionError {
enum Code {
    None = 0,
    UnknownIdentifier = 1,
    Syntax = 2,
    StackOverflow = 3,
    TooFewOpening = 4,
    MissingClosing = 5,
    Numeric = 6,
    BadNumber = 7,
    TooManyVariables = 8,
    BadVariableName = 9,
    ExpectComma = 10,
    TooManyCommas = 11,
    BadString = 12,
    BadSet = 13,
    Interrupted = 14,
};
} // namespace ExpressionError

// Message of an error code; empty for an unknown code.
QString ErrorText(int code);

// What the expression editor's check reports: "Výraz je v pořádku." for code 0, else the
// message filled with the error text and the 1-based position.
QString CheckMessage(int code, int position);
