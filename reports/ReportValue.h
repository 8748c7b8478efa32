#pragma once

#include <QChar>
#include <QString>
#include <QtGlobal>

// The typed value of every step of a report expression: operands, results and function values.
struct ReportValue {
    enum Kind : quint8 { Empty = 0, Number = 1, Text = 2, Set = 5 };
    // Texts of values are kept within this many characters.
    static constexpr int MaxText = 255;

    quint8 kind = Empty;
    double number = 0;
    QString text;

    // A number whose text is the number in general format with 15 significant digits.
    static ReportValue fromNumber(double value, QChar decimalSeparator);
    // A number that keeps the text it was written with (numeric literals).
    static ReportValue fromLiteral(double value, const QString& literal);
    // A text whose number is the text read by TextToNumber (0 when it is no number).
    static ReportValue fromText(const QString& text, QChar decimalSeparator);
    // A bracketed set; its text is everything between the brackets.
    static ReportValue fromSet(const QString& items);

    bool isEmpty() const { return kind == Empty; }
    bool isText() const { return kind == Text; }
};

// Cuts a text to the length a value can hold.
QString limitValueText(const QString& text);
