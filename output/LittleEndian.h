#pragma once

#include <QByteArray>
#include <cstdint>
#include <cstring>

// Appending and patching little-endian fields of the binary formats we write.
namespace LittleEndian {

inline void append16(QByteArray& out, std::uint16_t v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}
inline void append32(QByteArray& out, std::uint32_t v) {
    append16(out, std::uint16_t(v & 0xFFFF));
    append16(out, std::uint16_t(v >> 16));
}
inline void appendDouble(QByteArray& out, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    append32(out, std::uint32_t(bits & 0xFFFFFFFFu));
    append32(out, std::uint32_t(bits >> 32));
}
inline void put32(QByteArray& out, qsizetype at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = char((v >> (8 * i)) & 0xFF);
}

} // namespace LittleEndian
