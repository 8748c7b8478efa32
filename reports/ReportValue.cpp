#include "ReportValue.h"

#include "ReportValueFormat.h"

QString limitValueText(const QString& text) {
    return text.size() > ReportValue::MaxText ? text.left(ReportValue::MaxText) : text;
}

ReportValue ReportValue::fromNumber(double value, QChar decimalSeparator) {
    ReportValue v;
    v.kind = Number;
    v.number = value;
    v.text = FormatGeneral(value, 15, decimalSeparator);
    return v;
}

ReportValue ReportValue::fromLiteral(double value, const QString& literal) {
    ReportValue v;
    v.kind = Number;
    v.number = value;
    v.text = limitValueText(literal);
    return v;
}

ReportValue ReportValue::fromText(const QString& text, QChar decimalSeparator) {
    ReportValue v;
    v.kind = Text;
    v.text = limitValueText(text);
    v.number = TextToNumber(v.text, decimalSeparator);
    return v;
}

ReportValue ReportValue::fromSet(const QString& items) {
    ReportValue v;
    v.kind = Set;
    v.text = limitValueText(items);
    return v;
}
