#include "ExpressionEvaluator.h"

#include "ExpressionErrors.h"
#include "ExpressionFunctions.h"
#include "ExpressionOperators.h"
#include "ExpressionScanner.h"
#include "ReportValueFormat.h"

#include <array>

namespace {

// An entry of the operator stack: an operator, a pending function or a "(" marker.
struct PendingOperator {
    enum Kind { Marker, Operator, Function };
    Kind kind = Marker;
    ExpressionOperator op = ExpressionOperator::Plus;
    const ExpressionFunctionInfo* function = nullptr;
    int priority = 0;
};

// Commas seen and required inside one parenthesis level.
struct Level {
    int commas = 0;
    int required = 0;
};

// State of one evaluation: the two stacks and the parenthesis levels.
class Evaluation {
  public:
    Evaluation(const ExpressionEvaluator& evaluator, const QString& text)
        : m_evaluator(evaluator), m_text(text), m_scanner(text) {}

    ExpressionResult run();

  private:
    using Stack = ExpressionEvaluator;

    int pushValue(const ReportValue& v);
    int pushOperator(const PendingOperator& op);
    // Applies pending operators of priority `minPriority` or more, down to a "(" marker.
    int reduce(int minPriority);
    int applyTop();
    int binaryOperator(ExpressionOperator op);
    int operand(const ExpressionToken& t);
    int reference(const ExpressionToken& t, ReportValue* value);
    int word(const ExpressionToken& t);
    ExpressionResult fail(int code, int index) const;

    const ExpressionEvaluator& m_evaluator;
    const QString& m_text;
    ExpressionScanner m_scanner;
    std::array<PendingOperator, Stack::StackSize> m_operators;
    int m_operatorCount = 0;
    std::array<ReportValue, Stack::StackSize> m_values;
    int m_valueCount = 0;
    std::array<Level, Stack::StackSize + 1> m_levels;
    int m_depth = 0;
    bool m_operandExpected = true;
    bool m_signAllowed = true;
    const ExpressionFunctionInfo* m_namedFunction = nullptr; // a function name waiting for its "("
};

int Evaluation::pushValue(const ReportValue& v) {
    if (m_valueCount >= Stack::StackSize)
        return ExpressionError::StackOverflow;
    m_values[m_valueCount++] = v;
    return 0;
}

int Evaluation::pushOperator(const PendingOperator& op) {
    if (m_operatorCount >= Stack::StackSize)
        return ExpressionError::StackOverflow;
    m_operators[m_operatorCount++] = op;
    return 0;
}

int Evaluation::applyTop() {
    const PendingOperator top = m_operators[--m_operatorCount];
    const QChar sep = m_evaluator.decimalSeparator();
    ReportValue result;
    int code = 0;
    if (top.kind == PendingOperator::Function) {
        const int n = top.function->arguments;
        if (m_valueCount < n)
            return ExpressionError::Syntax;
        m_valueCount -= n;
        code =
            applyExpressionFunction(top.function->id, &m_values[m_valueCount], &result, m_evaluator.locale());
    } else if (isUnary(top.op)) {
        if (m_valueCount < 1)
            return ExpressionError::Syntax;
        --m_valueCount;
        code = applyUnaryOperator(top.op, m_values[m_valueCount], &result, sep);
    } else {
        if (m_valueCount < 2)
            return ExpressionError::Syntax;
        m_valueCount -= 2;
        code = applyBinaryOperator(top.op, m_values[m_valueCount], m_values[m_valueCount + 1], &result, sep,
                                   [this](const QString& set) { return m_evaluator.parseListValues(set); });
    }
    if (code != 0) {
        // Keep the operands in place so that the first value slot shows what was being computed.
        m_valueCount = std::max(m_valueCount, 1);
        return code;
    }
    m_values[m_valueCount++] = result;
    return 0;
}

int Evaluation::reduce(int minPriority) {
    while (m_operatorCount > 0) {
        const PendingOperator& top = m_operators[m_operatorCount - 1];
        if (top.kind == PendingOperator::Marker || top.priority < minPriority)
            break;
        if (const int code = applyTop())
            return code;
    }
    return 0;
}

int Evaluation::binaryOperator(ExpressionOperator op) {
    if (m_operandExpected)
        return ExpressionError::Syntax;
    const int priority = priorityOf(op);
    if (const int code = reduce(priority))
        return code;
    m_operandExpected = true;
    m_signAllowed = false;
    return pushOperator({PendingOperator::Operator, op, nullptr, priority});
}

int Evaluation::reference(const ExpressionToken& t, ReportValue* value) {
    int n = t.referenceNumber;
    if (n == 0 && !t.text.isEmpty())
        n = m_evaluator.referenceNumberOfName(t.reference, t.text);
    if (n <= 0)
        return ExpressionError::UnknownIdentifier;
    *value = m_evaluator.referenceValue(t.reference, n);
    return 0;
}

int Evaluation::operand(const ExpressionToken& t) {
    if (!m_operandExpected)
        return ExpressionError::Syntax;
    ReportValue v;
    switch (t.type) {
    case ExpressionToken::Number:
        v = ReportValue::fromLiteral(t.number, t.text);
        break;
    case ExpressionToken::Text:
        v = ReportValue::fromText(t.text, m_evaluator.decimalSeparator());
        break;
    case ExpressionToken::Set:
        v = ReportValue::fromSet(t.text);
        break;
    default:
        if (const int code = reference(t, &v))
            return code;
        break;
    }
    m_operandExpected = false;
    m_signAllowed = false;
    return pushValue(v);
}

int Evaluation::word(const ExpressionToken& t) {
    if (const ExpressionFunctionInfo* f = findExpressionFunction(t.text)) {
        if (!m_operandExpected)
            return ExpressionError::Syntax;
        m_namedFunction = f;
        m_signAllowed = false;
        return pushOperator(
            {PendingOperator::Function, ExpressionOperator::Plus, f, ExpressionPriority::Function});
    }
    if (t.text == QLatin1String("NOT")) {
        if (!m_operandExpected)
            return ExpressionError::Syntax;
        m_signAllowed = false;
        return pushOperator(
            {PendingOperator::Operator, ExpressionOperator::Not, nullptr, ExpressionPriority::Unary});
    }
    if (t.text == QLatin1String("AND"))
        return binaryOperator(ExpressionOperator::And);
    if (t.text == QLatin1String("OR"))
        return binaryOperator(ExpressionOperator::Or);
    if (t.text == QLatin1String("IN"))
        return binaryOperator(ExpressionOperator::In);
    return ExpressionError::UnknownIdentifier;
}

ExpressionResult Evaluation::fail(int code, int index) const {
    ExpressionResult r;
    r.code = code;
    r.position = index + 1;
    if (m_valueCount > 0)
        r.value = m_values[0];
    return r;
}

ExpressionResult Evaluation::run() {
    bool anyToken = false;
    for (;;) {
        const ExpressionToken t = m_scanner.next();
        if (t.type == ExpressionToken::End)
            break;
        if (t.type == ExpressionToken::Error)
            return fail(t.errorCode, t.errorIndex);
        anyToken = true;
        // A function name must be followed by its "(".
        if (m_namedFunction && t.type != ExpressionToken::Open)
            return fail(ExpressionError::Syntax, t.start);
        int code = 0;
        switch (t.type) {
        case ExpressionToken::Number:
        case ExpressionToken::Text:
        case ExpressionToken::Set:
        case ExpressionToken::Reference:
            code = operand(t);
            break;
        case ExpressionToken::Word:
            code = word(t);
            break;
        case ExpressionToken::Open:
            if (!m_operandExpected) {
                code = ExpressionError::Syntax;
                break;
            }
            if (m_depth >= Stack::StackSize) {
                code = ExpressionError::StackOverflow;
                break;
            }
            code = pushOperator({PendingOperator::Marker, ExpressionOperator::Plus, nullptr, m_depth + 1});
            if (code)
                break;
            ++m_depth;
            m_levels[m_depth] = {0, m_namedFunction ? m_namedFunction->arguments - 1 : 0};
            m_namedFunction = nullptr;
            m_operandExpected = true;
            m_signAllowed = true;
            break;
        case ExpressionToken::Comma:
            if (m_operandExpected) {
                code = ExpressionError::Syntax;
            } else if (m_depth == 0) {
                code = ExpressionError::TooManyCommas;
            } else if (!(code = reduce(0))) {
                Level& level = m_levels[m_depth];
                if (++level.commas > level.required)
                    code = ExpressionError::TooManyCommas;
                m_operandExpected = true;
                m_signAllowed = true;
            }
            break;
        case ExpressionToken::Close:
            if (m_operandExpected) {
                code = ExpressionError::Syntax;
            } else if (m_depth == 0) {
                code = ExpressionError::TooFewOpening;
            } else if (!(code = reduce(0))) {
                if (m_levels[m_depth].commas != m_levels[m_depth].required) {
                    code = ExpressionError::ExpectComma;
                } else {
                    --m_operatorCount; // the "(" marker
                    --m_depth;
                }
            }
            break;
        case ExpressionToken::Operator:
            if (t.op == ExpressionToken::Minus && m_operandExpected) {
                if (!m_signAllowed) {
                    code = ExpressionError::Syntax;
                    break;
                }
                m_signAllowed = false;
                code = pushOperator({PendingOperator::Operator, ExpressionOperator::Negate, nullptr,
                                     ExpressionPriority::Unary});
                break;
            }
            switch (t.op) {
            case ExpressionToken::Plus:
                code = binaryOperator(ExpressionOperator::Plus);
                break;
            case ExpressionToken::Minus:
                code = binaryOperator(ExpressionOperator::Minus);
                break;
            case ExpressionToken::Times:
                code = binaryOperator(ExpressionOperator::Times);
                break;
            case ExpressionToken::Divide:
                code = binaryOperator(ExpressionOperator::Divide);
                break;
            case ExpressionToken::Power:
                code = binaryOperator(ExpressionOperator::Power);
                break;
            case ExpressionToken::Equal:
                code = binaryOperator(ExpressionOperator::Equal);
                break;
            case ExpressionToken::NotEqual:
                code = binaryOperator(ExpressionOperator::NotEqual);
                break;
            case ExpressionToken::Less:
                code = binaryOperator(ExpressionOperator::Less);
                break;
            case ExpressionToken::Greater:
                code = binaryOperator(ExpressionOperator::Greater);
                break;
            case ExpressionToken::LessEqual:
                code = binaryOperator(ExpressionOperator::LessEqual);
                break;
            case ExpressionToken::GreaterEqual:
                code = binaryOperator(ExpressionOperator::GreaterEqual);
                break;
            }
            break;
        case ExpressionToken::End:
        case ExpressionToken::Error:
            break;
        }
        if (code)
            return fail(code, t.start);
    }

    const int end = int(m_text.size());
    if (!anyToken)
        return {};
    if (m_namedFunction || m_operandExpected)
        return fail(ExpressionError::Syntax, end);
    if (const int code = reduce(0))
        return fail(code, end);
    if (m_depth > 0)
        return fail(ExpressionError::MissingClosing, end);
    ExpressionResult r;
    r.value = m_valueCount > 0 ? m_values[0] : ReportValue();
    return r;
}

} // namespace

ExpressionEvaluator::ExpressionEvaluator() : ExpressionEvaluator(ExpressionCallbacks{}) {}

ExpressionEvaluator::ExpressionEvaluator(ExpressionCallbacks callbacks) : m_callbacks(std::move(callbacks)) {
    setLocale(QLocale());
}

void ExpressionEvaluator::setLocale(const QLocale& locale) {
    m_locale = locale;
    m_separator = decimalSeparatorOf(locale);
}

ExpressionResult ExpressionEvaluator::Evaluate(const QString& expression) const {
    Evaluation evaluation(*this, expression);
    return evaluation.run();
}

double ExpressionEvaluator::TextToNumber(const QString& text) const {
    return ::TextToNumber(text, m_separator);
}

ReportValue ExpressionEvaluator::referenceValue(QChar reference, int n) const {
    if (!m_callbacks.valueRequest || n <= 0)
        return {};
    const int base = reference == QChar('&')   ? ExpressionCallbacks::ParameterBase
                     : reference == QChar('#') ? ExpressionCallbacks::FieldBase
                                               : ExpressionCallbacks::FunctionBase;
    ReportValue v = m_callbacks.valueRequest(base + n - 1);
    v.text = limitValueText(v.text);
    return v;
}

int ExpressionEvaluator::referenceNumberOfName(QChar reference, const QString& name) const {
    if (!m_callbacks.nameLookup || name.isEmpty() || reference == QChar('&'))
        return 0;
    const int kind =
        reference == QChar('#') ? ExpressionCallbacks::FieldName : ExpressionCallbacks::FunctionName;
    const int index = m_callbacks.nameLookup(kind, name);
    return index >= 0 ? index + 1 : 0;
}

std::vector<ReportValue> ExpressionEvaluator::parseListValues(const QString& text) const {
    std::vector<ReportValue> items;
    const int n = text.size();
    int i = 0;
    bool afterComma = false;
    for (;;) {
        while (i < n && ExpressionScanner::isBlank(text[i]))
            ++i;
        if (i >= n) {
            if (afterComma)
                items.push_back(ReportValue::fromText(QString(), m_separator));
            break;
        }
        const int start = i;
        const int comma = text.indexOf(QChar(','), start);
        int itemEnd = comma < 0 ? n : comma;
        if (text[start] == QChar('\'')) {
            const int close = text.indexOf(QChar('\''), start + 1);
            const int contentEnd = close < 0 ? n : close;
            items.push_back(ReportValue::fromText(text.mid(start + 1, contentEnd - start - 1), m_separator));
            const int after = close < 0 ? n : close + 1;
            const int nextComma = text.indexOf(QChar(','), after);
            itemEnd = nextComma < 0 ? n : nextComma;
        } else {
            const QString plain = text.mid(start, itemEnd - start).trimmed();
            bool isReference = false;
            if (ExpressionScanner::isReferenceChar(text[start])) {
                int number = 0;
                QString name;
                const int past = ExpressionScanner::scanReference(text, start, &number, &name);
                if (text.mid(past, itemEnd - past).trimmed().isEmpty()) {
                    isReference = true;
                    if (number == 0)
                        number = referenceNumberOfName(text[start], name);
                    items.push_back(referenceValue(text[start], number));
                }
            }
            if (!isReference)
                items.push_back(ReportValue::fromText(plain, m_separator));
        }
        if (itemEnd >= n)
            break;
        i = itemEnd + 1;
        afterComma = true;
    }
    return items;
}

QStringList ExpressionEvaluator::ParseList(const QString& text) const {
    QStringList out;
    for (const ReportValue& v : parseListValues(text))
        out << v.text;
    return out;
}
