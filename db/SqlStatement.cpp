#include "SqlStatement.h"

SqlStatement& SqlStatement::bindValue(int index, const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return bindNull(index);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return bindBool(index, value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return bind(index, std::int64_t(value.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return bind(index, value.toDouble());
    case QMetaType::QByteArray:
        return bind(index, QString::fromUtf8(value.toByteArray()));
    default:
        return bind(index, value.toString());
    }
}
