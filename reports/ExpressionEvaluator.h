#pragma once

#include "ExpressionCallbacks.h"
#include "ReportValue.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <vector>

// Outcome of one evaluation. On an error the value is what the first value slot held and the
// position is the 1-based index of the character where evaluation stopped (one past the last
// character when the error is found at the end of the text).
struct ExpressionResult {
    int code = 0;
    ReportValue value;
    int position = 0; // 0 on success
    bool ok() const { return code == 0; }
};

// Evaluates report expressions. References to data fields, parameters and report functions are
// answered through the callbacks; numbers are written with the locale's decimal separator.
class ExpressionEvaluator {
  public:
    // Depth of the operator stack and of the value stack.
    static constexpr int StackSize = 19;

    ExpressionEvaluator();
    explicit ExpressionEvaluator(ExpressionCallbacks callbacks);

    void setCallbacks(ExpressionCallbacks callbacks) { m_callbacks = std::move(callbacks); }
    const ExpressionCallbacks& callbacks() const { return m_callbacks; }
    void setLocale(const QLocale& locale);
    const QLocale& locale() const { return m_locale; }
    QChar decimalSeparator() const { return m_separator; }

    ExpressionResult Evaluate(const QString& expression) const;

    // Items of a comma-separated list of quoted texts, references and plain items.
    QStringList ParseList(const QString& text) const;
    // The same items as values: quoted and plain items as texts (number read by TextToNumber),
    // references as the callback answers them.
    std::vector<ReportValue> parseListValues(const QString& text) const;

    double TextToNumber(const QString& text) const;

    // Value of reference n (from 1) of kind '#', '&' or '@'; empty without a callback.
    ReportValue referenceValue(QChar reference, int n) const;
    // n of a reference written by name ("#name", "@name"), or 0 when the name is unknown.
    int referenceNumberOfName(QChar reference, const QString& name) const;

  private:
    ExpressionCallbacks m_callbacks;
    QLocale m_locale;
    QChar m_separator;
};
