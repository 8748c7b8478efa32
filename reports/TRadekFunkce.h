#pragma once

#include "ReportValue.h"

#include <QLocale>
#include <QString>

class ExpressionEvaluator;

// A report function: an expression evaluated once per record and turned into a value, count,
// sum, average, extreme or spread, restarting at the start of the run, per page or per group.
class TRadekFunkce {
  public:
    enum ResultType { Numeric = 0, Textual = 1 };
    enum Aggregate {
        None = 0,
        Count = 1,
        Sum = 2,
        Average = 3,
        Minimum = 4,
        Maximum = 5,
        StdDev = 6,
        VarCoef = 7
    };
    // Restart groups: 0 never (only at the start of the run), 1 every new page begun before a body,
    // n + 2 whenever group n changes.
    enum RestartGroup { RestartNever = 0, RestartPage = 1, RestartFirstGroup = 2 };

    // Every setting of a function, as the template's F line carries it.
    struct Fields {
        QString name = QStringLiteral("Funkce");
        QString caption = QStringLiteral("Funkce");
        QString expression;
        int resultType = Numeric;
        QString initialValue = QStringLiteral("0");
        int restartGroup = RestartNever;
        int aggregate = None;
        int precision = 15;
        int digits = 2;
        int floatFormat = 2; // 0 general, 1 exponent, 2 fixed, 3 number, 4 currency
    };

    TRadekFunkce();
    explicit TRadekFunkce(const Fields& fields);

    // Sets all fields; a float format outside 0–4 is stored as 2, and the value takes the kind of
    // the result type.
    void setFields(const Fields& fields);
    const Fields& fields() const { return m_fields; }
    const QString& name() const { return m_fields.name; }

    // Marks a restart as pending when `group` is this function's restart group or negative.
    void requestRestart(int group);
    bool restartPending() const { return m_restartPending; }

    // One record: restart if pending, evaluate the expression (an error gives an empty value) and
    // update the aggregate.
    void evaluate(const ExpressionEvaluator& evaluator);

    const ReportValue& value() const { return m_value; }
    int count() const { return m_count; }
    double sum() const { return m_sum; }
    double sumOfSquares() const { return m_sumOfSquares; }

    // The value as printed: numbers in the function's float format, precision and digits, texts as
    // they are; an empty value prints as nothing.
    QString outputText(const QLocale& locale = QLocale()) const;

  private:
    void restart(QChar decimalSeparator);
    void setNumber(double x, QChar decimalSeparator);

    Fields m_fields;
    bool m_restartPending = false;
    ReportValue m_value;
    int m_count = 0;
    double m_sum = 0;
    double m_sumOfSquares = 0;
};
