#pragma once

#include <QString>

// One token of a report expression.
struct ExpressionToken {
    enum Type { End, Number, Text, Set, Reference, Word, Open, Close, Comma, Operator, Error };
    enum Op { Plus, Minus, Times, Divide, Power, Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };

    Type type = End;
    int start = 0;           // 0-based index of the token's first character
    QString text;            // number literal, text literal, set content, upper-cased word, reference name
    double number = 0;       // value of a number literal
    QChar reference;         // '#', '&' or '@'
    int referenceNumber = 0; // n of "#n"; 0 when the reference is by name (in text)
    Op op = Plus;
    int errorCode = 0;  // for Error tokens
    int errorIndex = 0; // 0-based index where the error was found
};

// Reads a report expression left to right, one token at a time, skipping blanks.
class ExpressionScanner {
  public:
    explicit ExpressionScanner(const QString& text) : m_text(text) {}

    ExpressionToken next();
    int index() const { return m_index; }
    const QString& text() const { return m_text; }

    // Character classes of the language (letters are the 26 ASCII letters).
    static bool isDigit(QChar c) { return c >= QChar('0') && c <= QChar('9'); }
    static bool isLetter(QChar c);
    static bool isWordChar(QChar c) { return isLetter(c) || isReferenceChar(c); }
    static bool isNameStart(QChar c) { return isLetter(c) || c == QChar('_'); }
    static bool isNameChar(QChar c) {
        return isLetter(c) || isDigit(c) || c == QChar('_') || c == QChar('$');
    }
    static bool isReferenceChar(QChar c) { return c == QChar('#') || c == QChar('&') || c == QChar('@'); }
    static bool isBlank(QChar c);

    // Reads a reference starting at text[index] (a reference character): one to three digits, or
    // for "#" and "@" a name of at most 32 characters. Returns the index past it; number 0 and an
    // empty name when neither follows.
    static int scanReference(const QString& text, int index, int* number, QString* name);

  private:
    ExpressionToken scanNumber(int start);
    ExpressionToken error(int code, int index, int start) const;

    QString m_text;
    int m_index = 0;
};
