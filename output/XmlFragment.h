#pragma once

#include <QString>

class QXmlStreamReader;
class QXmlStreamWriter;

// Elements of a workbook part kept as they were written (fonts, borders, page set-up, …). Only
// the plain SpreadsheetML vocabulary is kept: elements and attributes of other namespaces (a
// prefix such as "x14ac:" or "r:") are dropped, since their declarations do not travel along.
namespace XmlFragment {

// The element the reader stands on (a StartElement), with its content, as XML text; the reader
// is left on its EndElement.
QString read(QXmlStreamReader& reader);
// Writes a fragment produced by `read` into a document.
void write(QXmlStreamWriter& writer, const QString& fragment);

} // namespace XmlFragment
