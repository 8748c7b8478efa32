#pragma once

#include <QString>
#include <array>

// IBM code page 852 (Latin 2), the DOS encoding of Czech text: tables of older programs and the
// report text export.
namespace Cp852 {

// Unicode of the bytes 0x80..0xFF; every byte has a character.
const std::array<char16_t, 128>& UpperHalf();

QString decode(const char* data, qsizetype size);

} // namespace Cp852
