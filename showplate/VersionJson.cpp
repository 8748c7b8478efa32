#include "VersionJson.h"

#include "TFileVersion.h"

#include <QMetaProperty>

namespace {

QByteArray jsonString(const QString& text) {
    QByteArray out = "\"";
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c.unicode() < 0x20 || c.isSurrogate())
                out += QByteArray("\\u") + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
            else
                out += QString(c).toUtf8();
        }
    }
    return out + '"';
}

} // namespace

QByteArray versionInfoJson(const TFileVersion& version) {
    const QMetaObject& meta = TFileVersion::staticMetaObject;
    QByteArray out = "{";
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        if (property.isWritable()) // FileName is the input, not a field
            continue;
        const QVariant value = property.readOnGadget(&version);
        if (out.size() > 1)
            out += ',';
        out += jsonString(QString::fromLatin1(property.name())) + ':';
        if (value.typeId() == QMetaType::QString)
            out += jsonString(value.toString());
        else
            out += QByteArray::number(value.toULongLong());
    }
    return out + '}';
}
