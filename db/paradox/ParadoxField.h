#pragma once

#include <QString>
#include <QtGlobal>

// The fields of a Paradox table as its header lists them.
namespace Paradox {

// The type codes of the header's field list.
enum class FieldType : quint8 {
    Alpha = 0x01,
    Date = 0x02,
    Short = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Number = 0x06,
    Logical = 0x09,
    Memo = 0x0C,
    Blob = 0x0D,
    FormattedMemo = 0x0E,
    Ole = 0x0F,
    Graphic = 0x10,
    Time = 0x14,
    Timestamp = 0x15,
    AutoIncrement = 0x16,
    Bcd = 0x17,
    Bytes = 0x18,
};

struct Field {
    QString name;
    FieldType type = FieldType::Alpha;
    int size = 0;   // bytes in the record
    int offset = 0; // from the start of the record
};

// The type of a header's type code, or false for a code no table holds.
bool TypeOfCode(quint8 code, FieldType& type);
// The bytes a field takes in the record, from the size byte of the header; 0 when the size byte
// does not fit the type. A BCD field's size byte counts decimals, the field is always 17 bytes.
int FieldSize(FieldType type, int sizeByte);
// Memo, blob and graphic fields: a leader in the record followed by 10 bytes that locate the
// rest in the memo file.
bool IsBlob(FieldType type);
// A short Czech name of the type for messages ("datum", "BCD" …).
QString TypeName(FieldType type);

} // namespace Paradox
