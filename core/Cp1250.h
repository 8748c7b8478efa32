#pragma once

#include <QByteArray>
#include <QString>
#include <array>

// Windows code page 1250 (Central European), the encoding of the program's binary and text files.
// The one table of the program: the report code pages and the template codec build on it.
namespace Cp1250 {

// Unicode of the bytes 0x80..0xFF; 0 for the five bytes the code page leaves undefined.
const std::array<char16_t, 128>& UpperHalf();

// What an undefined byte decodes to: U+FFFD, or the C1 control character of the same number, so
// that any file survives a read and a write unchanged (report templates).
enum class Undefined { Replacement, Control };

QString decode(const char* data, qsizetype size, Undefined undefined = Undefined::Replacement);
QString decode(const QByteArray& bytes, Undefined undefined = Undefined::Replacement);
// The byte of a character, or -1 when cp1250 has none. C1 controls of undefined bytes map back.
int encodeCode(char16_t c);
// Characters without a cp1250 code become '?'.
QByteArray encode(const QString& text);
char encodeChar(QChar c, bool* ok = nullptr);
// True when every character of the text has a cp1250 code.
bool canEncode(const QString& text);
// A text file's bytes as UTF-8, or as cp1250 when they are not valid UTF-8 (a file from Windows);
// a byte-order mark is dropped.
QString decodeUtf8OrCp1250(const QByteArray& bytes);

} // namespace Cp1250
