#include "TemplateCodec.h"

#include "Cp1250.h"

namespace TemplateCodec {

QString decode(const QByteArray& bytes) {
    return Cp1250::decode(bytes, Cp1250::Undefined::Control);
}

QByteArray encode(const QString& text) {
    return Cp1250::encode(text);
}

bool canEncode(const QString& text) {
    return Cp1250::canEncode(text);
}

} // namespace TemplateCodec
