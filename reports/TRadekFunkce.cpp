#include "TRadekFunkce.h"

#include "ExpressionEvaluator.h"
#include "ReportValueFormat.h"

#include <algorithm>
#include <cmath>
#include <exception>

TRadekFunkce::TRadekFunkce() {
    setFields(Fields());
}

TRadekFunkce::TRadekFunkce(const Fields& fields) {
    setFields(fields);
}

void TRadekFunkce::setFields(const Fields& fields) {
    m_fields = fields;
    if (m_fields.floatFormat < 0 || m_fields.floatFormat > 4)
        m_fields.floatFormat = 2;
    m_value = ReportValue();
    m_value.kind = m_fields.resultType == Textual ? ReportValue::Text : ReportValue::Number;
}

void TRadekFunkce::requestRestart(int group) {
    if (group < 0 || group == m_fields.restartGroup)
        m_restartPending = true;
}

void TRadekFunkce::restart(QChar sep) {
    if (m_fields.resultType == Textual) {
        m_value = ReportValue::fromText(m_fields.initialValue, sep);
    } else {
        bool ok = false;
        const double x = TextToNumber(m_fields.initialValue, sep, &ok);
        m_value = ok ? ReportValue::fromNumber(x, sep) : ReportValue();
    }
    m_count = 0;
    m_sum = 0;
    m_sumOfSquares = 0;
    m_restartPending = false;
}

void TRadekFunkce::setNumber(double x, QChar sep) {
    m_value = std::isfinite(x) ? ReportValue::fromNumber(x, sep) : ReportValue();
}

void TRadekFunkce::evaluate(const ExpressionEvaluator& evaluator) {
    const QChar sep = evaluator.decimalSeparator();
    if (m_restartPending)
        restart(sep);
    ReportValue x;
    if (m_fields.aggregate != Count) {
        try {
            const ExpressionResult r = evaluator.Evaluate(m_fields.expression);
            if (r.ok())
                x = r.value;
        } catch (const std::exception&) {
            x = ReportValue();
        }
    }
    ++m_count;
    switch (m_fields.aggregate) {
    case Count:
        setNumber(m_count, sep);
        break;
    case Sum:
        m_sum += x.number;
        setNumber(m_sum, sep);
        break;
    case Average:
        m_sum += x.number;
        setNumber(m_sum / m_count, sep);
        break;
    case Minimum:
        if (m_count == 1 || x.number < m_value.number)
            m_value = x;
        break;
    case Maximum:
        if (m_count == 1 || x.number > m_value.number)
            m_value = x;
        break;
    case StdDev:
    case VarCoef: {
        m_sum += x.number;
        m_sumOfSquares += x.number * x.number;
        if (m_count <= 1 || (m_fields.aggregate == VarCoef && m_sum == 0)) {
            m_value = ReportValue();
            break;
        }
        // Rounding can leave the sum of squared deviations a hair below zero.
        const double variance = std::max(0.0, (m_sumOfSquares - m_sum * m_sum / m_count) / (m_count - 1));
        double s = std::sqrt(variance);
        if (m_fields.aggregate == VarCoef)
            s *= m_count / m_sum;
        setNumber(s, sep);
        break;
    }
    default:
        m_value = x;
        break;
    }
}

QString TRadekFunkce::outputText(const QLocale& locale) const {
    if (m_value.isEmpty())
        return {};
    if (m_fields.resultType == Textual)
        return m_value.text;
    return FormatFloat(m_value.number, ReportFloatFormat(m_fields.floatFormat), m_fields.precision,
                       m_fields.digits, locale);
}
