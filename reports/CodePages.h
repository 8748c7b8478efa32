#pragma once

#include "TSestLanguage.h"

#include <QByteArray>
#include <QString>
#include <array>

// Code-page tables for the text export: the 44 Czech and Slovak letters in every target code
// page, and the upper halves (bytes 0x80–0xFF) of cp1250, cp852 and Kamenický cp867.
namespace CodePages {

struct Letter {
    char16_t unicode;
    char ascii;   // the letter without its diacritic
    quint8 cp867; // Kamenický: 128 + position in the table
    quint8 cp852;
    quint8 cp1250;
};

// Č ü é ď ä Ď Ť č ě Ě Ĺ Í ľ ĺ Ä Á É ž Ž ô ö Ó ů Ú ý Ö Ü Š Ľ Ý Ř ť á í ó ú ň Ň Ů Ô š ř ŕ Ŕ
const std::array<Letter, 44>& letters();
// The table entry of a character, or nullptr.
const Letter* findLetter(QChar c);

// Unicode of the bytes 0x80–0xFF of a code page (cp1250, cp852, cp867); 0 where the byte has
// no character. ASCII and slUndefined have no table (nullptr).
const std::array<char16_t, 128>* upperHalf(TSestLanguage codePage);

// Byte of a character in a code page (slUndefined meaning cp1250), or -1 when the code page
// lacks it. Characters below 128 are their own byte in every code page.
int encodeChar(char32_t c, TSestLanguage codePage);
// Text from bytes of a code page; bytes without a character become U+FFFD.
QString decode(const QByteArray& bytes, TSestLanguage codePage);
// Plain ASCII stand-in for a character outside a code page: the base letter of an accented
// letter, a blank for a no-break space, simple quotes and dashes; "?" otherwise.
QByteArray asciiFallback(char32_t c);

} // namespace CodePages
