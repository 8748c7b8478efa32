#include "ParadoxValue.h"

#include <bit>

namespace Paradox {

namespace {

// The big-endian bytes as an unsigned number; the field views are cut to their size beforehand.
quint64 bigEndian(ByteView bytes) {
    bool ok = true;
    switch (bytes.size()) {
    case 1:
        return bytes.u8(0, ok);
    case 2:
        return bytes.u16(0, ok, true);
    case 4:
        return bytes.u32(0, ok, true);
    case 8:
        return bytes.u64(0, ok, true);
    default:
        return 0;
    }
}

} // namespace

bool IsEmptyField(ByteView bytes) {
    for (char c : bytes.bytes())
        if (c != 0)
            return false;
    return true;
}

qint32 DecodeInteger(ByteView bytes) {
    const int bits = int(bytes.size()) * 8;
    if (bits != 16 && bits != 32)
        return 0;
    const quint64 raw = bigEndian(bytes) ^ (quint64(1) << (bits - 1));
    return bits == 16 ? qint32(qint16(quint16(raw))) : qint32(quint32(raw));
}

double DecodeNumber(ByteView bytes) {
    if (bytes.size() != 8)
        return 0;
    constexpr quint64 sign = quint64(1) << 63;
    const quint64 raw = bigEndian(bytes);
    return std::bit_cast<double>(raw & sign ? raw & ~sign : ~raw);
}

QVariant DecodeNumeric(FieldType type, ByteView bytes) {
    if (IsEmptyField(bytes))
        return {};
    switch (type) {
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement:
        return DecodeInteger(bytes);
    case FieldType::Number:
    case FieldType::Currency:
        return DecodeNumber(bytes);
    case FieldType::Logical:
        return (bigEndian(bytes) ^ 0x80) != 0;
    default:
        return {};
    }
}

} // namespace Paradox
