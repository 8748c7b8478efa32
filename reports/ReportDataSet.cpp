#include "ReportDataSet.h"

#include "ReportValueFormat.h"

#include <QDateTime>

int ReportDataSet::fieldIndex(const QString& name) const {
    for (int i = 0; i < fieldCount(); ++i)
        if (fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString ReportDataSet::displayText(int field) const {
    return formatValue(value(field), fieldType(field), m_locale);
}

QString ReportDataSet::formatValue(const QVariant& value, FieldType type, const QLocale& locale) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (type) {
    case Integer:
        return QString::number(value.toLongLong());
    case Number:
        return FormatGeneral(value.toDouble(), 15, decimalSeparatorOf(locale));
    case Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Date:
        return value.toDate().toString(QStringLiteral("d.M.yyyy"));
    case Time:
        return value.toTime().toString(QStringLiteral("H:mm:ss"));
    case DateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.date().toString(QStringLiteral("d.M.yyyy")) +
               (dt.time() == QTime(0, 0) ? QString() : u' ' + dt.time().toString(QStringLiteral("H:mm:ss")));
    }
    case Graphic:
    case Binary:
        return {};
    default:
        return value.toString();
    }
}
