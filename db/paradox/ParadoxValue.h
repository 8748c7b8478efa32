#pragma once

#include "ByteView.h"
#include "ParadoxField.h"

#include <QVariant>

// The values of a record's fields. Numbers are stored big-endian with the sign bit flipped, so
// that records sort bytewise; a negative Number has all its bits inverted. A field whose bytes
// are all zero is empty, whatever its type.
namespace Paradox {

bool IsEmptyField(ByteView bytes);
// Short, Long and AutoIncrement fields (2 or 4 bytes).
qint32 DecodeInteger(ByteView bytes);
// Number and Currency fields (8 bytes).
double DecodeNumber(ByteView bytes);
// A Short, Long, AutoIncrement, Number, Currency or Logical field: int, double or bool; a null
// QVariant when the field is empty or of another type.
QVariant DecodeNumeric(FieldType type, ByteView bytes);

} // namespace Paradox
