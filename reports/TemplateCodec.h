#pragma once

#include <QByteArray>
#include <QString>

// cp1250 bytes <-> QString for report templates and the paper-format list. Every byte decodes to one
// character (the five unassigned bytes to the control characters of the same number), so any file
// survives a read and write unchanged.
namespace TemplateCodec {

QString decode(const QByteArray& bytes);
// Characters that cp1250 cannot hold become '?'.
QByteArray encode(const QString& text);
// True when every character of the text has a cp1250 code.
bool canEncode(const QString& text);

} // namespace TemplateCodec
