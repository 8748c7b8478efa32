#include "ParadoxField.h"

namespace Paradox {

bool TypeOfCode(quint8 code, FieldType& type) {
    switch (FieldType(code)) {
    case FieldType::Alpha:
    case FieldType::Date:
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::Currency:
    case FieldType::Number:
    case FieldType::Logical:
    case FieldType::Memo:
    case FieldType::Blob:
    case FieldType::FormattedMemo:
    case FieldType::Ole:
    case FieldType::Graphic:
    case FieldType::Time:
    case FieldType::Timestamp:
    case FieldType::AutoIncrement:
    case FieldType::Bcd:
    case FieldType::Bytes:
        type = FieldType(code);
        return true;
    }
    return false;
}

int FieldSize(FieldType type, int sizeByte) {
    int fixed = 0;
    switch (type) {
    case FieldType::Alpha:
    case FieldType::Bytes:
        return sizeByte >= 1 ? sizeByte : 0;
    case FieldType::Memo:
    case FieldType::Blob:
    case FieldType::FormattedMemo:
    case FieldType::Ole:
    case FieldType::Graphic:
        return sizeByte >= 10 ? sizeByte : 0;
    case FieldType::Bcd:
        return sizeByte <= 32 ? 17 : 0;
    case FieldType::Logical:
        fixed = 1;
        break;
    case FieldType::Short:
        fixed = 2;
        break;
    case FieldType::Date:
    case FieldType::Long:
    case FieldType::Time:
    case FieldType::AutoIncrement:
        fixed = 4;
        break;
    case FieldType::Currency:
    case FieldType::Number:
    case FieldType::Timestamp:
        fixed = 8;
        break;
    }
    return sizeByte == fixed ? fixed : 0;
}

bool IsBlob(FieldType type) {
    switch (type) {
    case FieldType::Memo:
    case FieldType::Blob:
    case FieldType::FormattedMemo:
    case FieldType::Ole:
    case FieldType::Graphic:
        return true;
    default:
        return false;
    }
}

QString TypeName(FieldType type) {
    switch (type) {
    case FieldType::Alpha:
        return "text";
    case FieldType::Date:
        return "datum";
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement:
        return "celé číslo";
    case FieldType::Currency:
    case FieldType::Number:
        return "číslo";
    case FieldType::Logical:
        return "logická hodnota";
    case FieldType::Memo:
        return "poznámka";
    case FieldType::FormattedMemo:
        return "formátovaná poznámka";
    case FieldType::Blob:
    case FieldType::Bytes:
        return "binární data";
    case FieldType::Ole:
        return "OLE";
    case FieldType::Graphic:
        return "obrázek";
    case FieldType::Time:
        return "čas";
    case FieldType::Timestamp:
        return "datum a čas";
    case FieldType::Bcd:
        return "BCD";
    }
    return {};
}

} // namespace Paradox
