#include "ExpressionScanner.h"

#include "ExpressionErrors.h"

#include <QLocale>
#include <cmath>

namespace {
constexpr int MaxNameLength = 32;
constexpr int MaxReferenceDigits = 3;
constexpr int MaxExponentDigits = 2;
} // namespace

bool ExpressionScanner::isLetter(QChar c) {
    return (c >= QChar('A') && c <= QChar('Z')) || (c >= QChar('a') && c <= QChar('z'));
}

bool ExpressionScanner::isBlank(QChar c) {
    return c == QChar(' ') || c == QChar('\t') || c == QChar('\r') || c == QChar('\n') || c == QChar('\f') ||
           c == QChar('\v');
}

int ExpressionScanner::scanReference(const QString& text, int index, int* number, QString* name) {
    *number = 0;
    name->clear();
    const QChar kind = text[index];
    int i = index + 1;
    if (i < text.size() && isDigit(text[i])) {
        int n = 0;
        for (int count = 0; count < MaxReferenceDigits && i < text.size() && isDigit(text[i]); ++count, ++i)
            n = n * 10 + text[i].digitValue();
        *number = n;
    } else if ((kind == QChar('#') || kind == QChar('@')) && i < text.size() && isNameStart(text[i])) {
        const int from = i;
        ++i;
        while (i < text.size() && i - from < MaxNameLength && isNameChar(text[i]))
            ++i;
        *name = text.mid(from, i - from);
    }
    return i;
}

ExpressionToken ExpressionScanner::error(int code, int index, int start) const {
    ExpressionToken t;
    t.type = ExpressionToken::Error;
    t.start = start;
    t.errorCode = code;
    t.errorIndex = index;
    return t;
}

ExpressionToken ExpressionScanner::scanNumber(int start) {
    const int n = m_text.size();
    int i = start;
    while (i < n && isDigit(m_text[i]))
        ++i;
    if (i < n && m_text[i] == QChar('.')) {
        ++i;
        while (i < n && isDigit(m_text[i]))
            ++i;
    }
    if (i < n && (m_text[i] == QChar('E') || m_text[i] == QChar('e'))) {
        ++i;
        if (i < n && (m_text[i] == QChar('+') || m_text[i] == QChar('-')))
            ++i;
        int digits = 0;
        while (i < n && isDigit(m_text[i])) {
            if (++digits > MaxExponentDigits)
                return error(ExpressionError::BadNumber, i, start);
            ++i;
        }
        if (digits == 0)
            return error(ExpressionError::BadNumber, i, start);
    }
    if (i < n && isWordChar(m_text[i]))
        return error(ExpressionError::BadNumber, i, start);
    ExpressionToken t;
    t.type = ExpressionToken::Number;
    t.start = start;
    t.text = m_text.mid(start, i - start);
    bool ok = false;
    t.number = QLocale::c().toDouble(t.text, &ok);
    if (!ok || !std::isfinite(t.number))
        return error(ExpressionError::BadNumber, start, start);
    m_index = i;
    return t;
}

ExpressionToken ExpressionScanner::next() {
    const int n = m_text.size();
    while (m_index < n && isBlank(m_text[m_index]))
        ++m_index;
    ExpressionToken t;
    t.start = m_index;
    if (m_index >= n) {
        t.type = ExpressionToken::End;
        return t;
    }
    const int start = m_index;
    const QChar c = m_text[start];

    if (isDigit(c))
        return scanNumber(start);

    if (c == QChar('\'') || c == QChar('[')) {
        const QChar close = c == QChar('\'') ? QChar('\'') : QChar(']');
        const int end = m_text.indexOf(close, start + 1);
        if (end < 0)
            return error(c == QChar('\'') ? ExpressionError::BadString : ExpressionError::BadSet, start,
                         start);
        t.type = c == QChar('\'') ? ExpressionToken::Text : ExpressionToken::Set;
        t.text = m_text.mid(start + 1, end - start - 1);
        m_index = end + 1;
        return t;
    }

    if (isReferenceChar(c)) {
        t.type = ExpressionToken::Reference;
        t.reference = c;
        m_index = scanReference(m_text, start, &t.referenceNumber, &t.text);
        return t;
    }

    if (isLetter(c)) {
        int i = start;
        while (i < n && isWordChar(m_text[i]))
            ++i;
        t.type = ExpressionToken::Word;
        t.text = m_text.mid(start, i - start).toUpper();
        m_index = i;
        return t;
    }

    m_index = start + 1;
    const QChar after = m_index < n ? m_text[m_index] : QChar();
    switch (c.unicode()) {
    case '(':
        t.type = ExpressionToken::Open;
        return t;
    case ')':
        t.type = ExpressionToken::Close;
        return t;
    case ',':
        t.type = ExpressionToken::Comma;
        return t;
    case '+':
    case '-':
    case '*':
    case '/':
    case '^':
    case '=':
        t.type = ExpressionToken::Operator;
        t.op = c == QChar('+')   ? ExpressionToken::Plus
               : c == QChar('-') ? ExpressionToken::Minus
               : c == QChar('*') ? ExpressionToken::Times
               : c == QChar('/') ? ExpressionToken::Divide
               : c == QChar('^') ? ExpressionToken::Power
                                 : ExpressionToken::Equal;
        return t;
    case '<':
        t.type = ExpressionToken::Operator;
        t.op = ExpressionToken::Less;
        if (after == QChar('>') || after == QChar('=')) {
            t.op = after == QChar('>') ? ExpressionToken::NotEqual : ExpressionToken::LessEqual;
            ++m_index;
        }
        return t;
    case '>':
        t.type = ExpressionToken::Operator;
        t.op = ExpressionToken::Greater;
        if (after == QChar('=')) {
            t.op = ExpressionToken::GreaterEqual;
            ++m_index;
        }
        return t;
    default:
        break;
    }
    m_index = start;
    return error(ExpressionError::Syntax, start, start);
}
