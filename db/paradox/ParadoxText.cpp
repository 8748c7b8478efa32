#include "ParadoxText.h"

#include "Cp1250.h"
#include "Cp852.h"

namespace Paradox {

QString DecodeText(QByteArrayView bytes, int codePage, bool& ok) {
    switch (codePage) {
    case 1250:
        return Cp1250::decode(bytes.data(), bytes.size());
    case 852:
        return Cp852::decode(bytes.data(), bytes.size());
    default:
        break;
    }
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            ok = false;
    return QString::fromLatin1(bytes);
}

} // namespace Paradox
