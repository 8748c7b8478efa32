#include "XmlFragment.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace XmlFragment {

namespace {

bool foreign(QStringView qualifiedName) {
    return qualifiedName.contains(u':');
}

} // namespace

QString read(QXmlStreamReader& reader) {
    QString out;
    QXmlStreamWriter w(&out);
    int depth = 0;
    int skipFrom = -1; // depth at which a foreign element started
    do {
        if (reader.isStartElement()) {
            ++depth;
            if (skipFrom < 0 && foreign(reader.qualifiedName()))
                skipFrom = depth;
            if (skipFrom < 0) {
                w.writeStartElement(reader.name().toString());
                for (const QXmlStreamAttribute& a : reader.attributes())
                    if (!foreign(a.qualifiedName()))
                        w.writeAttribute(a.name().toString(), a.value().toString());
            }
        } else if (reader.isEndElement()) {
            if (skipFrom < 0)
                w.writeEndElement();
            if (skipFrom == depth)
                skipFrom = -1;
            --depth;
            if (depth == 0)
                break;
        } else if (reader.isCharacters() && skipFrom < 0 && !reader.isWhitespace()) {
            w.writeCharacters(reader.text().toString());
        }
        reader.readNext();
    } while (!reader.atEnd() && !reader.hasError());
    return out;
}

void write(QXmlStreamWriter& writer, const QString& fragment) {
    QXmlStreamReader r(fragment);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            writer.writeStartElement(r.name().toString());
            for (const QXmlStreamAttribute& a : r.attributes())
                writer.writeAttribute(a.name().toString(), a.value().toString());
        } else if (r.isEndElement()) {
            writer.writeEndElement();
        } else if (r.isCharacters()) {
            writer.writeCharacters(r.text().toString());
        }
    }
}

} // namespace XmlFragment
