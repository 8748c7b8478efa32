#pragma once

#include <QByteArrayView>
#include <QString>

namespace Paradox {

// Text of a table in the code page its header names (cp1250 or cp852). In any other code page,
// or none, only ASCII text is read: `ok` turns false at the first byte above 127.
QString DecodeText(QByteArrayView bytes, int codePage, bool& ok);

} // namespace Paradox
