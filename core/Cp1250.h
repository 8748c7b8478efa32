#pragma once

#include <QByteArray>
#include <QString>

// Windows code page 1250 (Central European), the encoding of the program's binary and text files.
namespace Cp1250 {

QString decode(const QByteArray& bytes);
QString decode(const char* data, qsizetype size);
// Characters without a cp1250 code become '?'.
QByteArray encode(const QString& text);
char encodeChar(QChar c, bool* ok = nullptr);

} // namespace Cp1250
