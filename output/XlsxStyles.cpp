#include "XlsxStyles.h"

#include "XmlFragment.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

constexpr int kMaxRecords = 65536;
const char* const kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

QString fragmentAttributes(const QXmlStreamAttributes& attributes) {
    QString out;
    for (const QXmlStreamAttribute& a : attributes) {
        const QStringView n = a.qualifiedName();
        if (n.contains(u':') || n == u"numFmtId" || n == u"fontId" || n == u"fillId" || n == u"borderId" ||
            n == u"xfId")
            continue;
        out += QStringLiteral(" %1=\"%2\"").arg(n.toString(), a.value().toString().toHtmlEscaped());
    }
    return out;
}

// The list elements of styles.xml whose children are kept as fragments.
void readList(QXmlStreamReader& r, std::vector<QString>& list) {
    list.clear();
    while (r.readNextStartElement()) {
        if (list.size() >= size_t(kMaxRecords)) {
            r.raiseError(QStringLiteral("příliš mnoho formátů"));
            return;
        }
        list.push_back(XmlFragment::read(r));
    }
}

void writeList(QXmlStreamWriter& w, const char* name, const std::vector<QString>& list) {
    if (list.empty())
        return;
    w.writeStartElement(QString::fromLatin1(name));
    w.writeAttribute(QStringLiteral("count"), QString::number(list.size()));
    for (const QString& f : list)
        XmlFragment::write(w, f);
    w.writeEndElement();
}

} // namespace

XlsxStyles::XlsxStyles() {
    m_fonts = {QStringLiteral("<font><sz val=\"10\"/><name val=\"Arial\"/><family val=\"2\"/><charset "
                              "val=\"238\"/></font>")};
    m_fills = {QStringLiteral("<fill><patternFill patternType=\"none\"/></fill>"),
               QStringLiteral("<fill><patternFill patternType=\"gray125\"/></fill>")};
    m_borders = {QStringLiteral("<border><left/><right/><top/><bottom/><diagonal/></border>")};
    m_cellStyleXfs = {QStringLiteral("<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>")};
    m_cellXfs = {CellFormat{}};
    m_cellStyles = {QStringLiteral("<cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>")};
}

void XlsxStyles::readCellFormats(QXmlStreamReader& r) {
    m_cellXfs.clear();
    while (r.readNextStartElement()) {
        if (r.name() != u"xf" || m_cellXfs.size() >= size_t(kMaxRecords)) {
            r.raiseError(QStringLiteral("neplatný formát buňky"));
            return;
        }
        CellFormat f;
        const QXmlStreamAttributes a = r.attributes();
        f.numFmtId = a.value(QStringLiteral("numFmtId")).toInt();
        f.fontId = a.value(QStringLiteral("fontId")).toInt();
        f.fillId = a.value(QStringLiteral("fillId")).toInt();
        f.borderId = a.value(QStringLiteral("borderId")).toInt();
        f.attributes = fragmentAttributes(a);
        while (r.readNextStartElement())
            f.children += XmlFragment::read(r);
        m_cellXfs.push_back(f);
    }
}

bool XlsxStyles::read(const QByteArray& xml, QString& error) {
    QXmlStreamReader r(xml);
    if (!r.readNextStartElement() || r.name() != u"styleSheet") {
        error = QStringLiteral("Část xl/styles.xml není seznam formátů.");
        return false;
    }
    while (r.readNextStartElement()) {
        const QStringView n = r.name();
        if (n == u"numFmts") {
            m_numFmts.clear();
            while (r.readNextStartElement()) {
                const QXmlStreamAttributes a = r.attributes();
                if (m_numFmts.size() < size_t(kMaxRecords))
                    m_numFmts[a.value(QStringLiteral("numFmtId")).toInt()] =
                        a.value(QStringLiteral("formatCode")).toString();
                r.skipCurrentElement();
            }
        } else if (n == u"fonts") {
            readList(r, m_fonts);
        } else if (n == u"fills") {
            readList(r, m_fills);
        } else if (n == u"borders") {
            readList(r, m_borders);
        } else if (n == u"cellStyleXfs") {
            readList(r, m_cellStyleXfs);
        } else if (n == u"cellXfs") {
            readCellFormats(r);
        } else if (n == u"cellStyles") {
            readList(r, m_cellStyles);
        } else if (n == u"dxfs") {
            readList(r, m_dxfs);
        } else {
            r.skipCurrentElement();
        }
    }
    if (r.hasError()) {
        error = QStringLiteral("Část xl/styles.xml je poškozená: %1 (řádek %2).")
                    .arg(r.errorString())
                    .arg(r.lineNumber());
        return false;
    }
    if (m_fonts.empty() || m_fills.empty() || m_borders.empty() || m_cellXfs.empty()) {
        error = QStringLiteral("Část xl/styles.xml nemá písma, výplně, ohraničení nebo formáty buněk.");
        return false;
    }
    // Records that point past the lists fall back to the first entry.
    for (CellFormat& f : m_cellXfs) {
        if (f.fontId < 0 || f.fontId >= int(m_fonts.size()))
            f.fontId = 0;
        if (f.fillId < 0 || f.fillId >= int(m_fills.size()))
            f.fillId = 0;
        if (f.borderId < 0 || f.borderId >= int(m_borders.size()))
            f.borderId = 0;
    }
    if (m_cellStyleXfs.empty())
        m_cellStyleXfs = XlsxStyles().m_cellStyleXfs;
    return true;
}

QByteArray XlsxStyles::write() const {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeStartElement(QStringLiteral("styleSheet"));
    w.writeDefaultNamespace(QString::fromLatin1(kMain));
    if (!m_numFmts.empty()) {
        w.writeStartElement(QStringLiteral("numFmts"));
        w.writeAttribute(QStringLiteral("count"), QString::number(m_numFmts.size()));
        for (const auto& [id, code] : m_numFmts) {
            w.writeEmptyElement(QStringLiteral("numFmt"));
            w.writeAttribute(QStringLiteral("numFmtId"), QString::number(id));
            w.writeAttribute(QStringLiteral("formatCode"), code);
        }
        w.writeEndElement();
    }
    writeList(w, "fonts", m_fonts);
    writeList(w, "fills", m_fills);
    writeList(w, "borders", m_borders);
    writeList(w, "cellStyleXfs", m_cellStyleXfs);
    w.writeStartElement(QStringLiteral("cellXfs"));
    w.writeAttribute(QStringLiteral("count"), QString::number(m_cellXfs.size()));
    for (const CellFormat& f : m_cellXfs) {
        QString xml =
            QStringLiteral(
                "<xf numFmtId=\"%1\" fontId=\"%2\" fillId=\"%3\" borderId=\"%4\" xfId=\"0\"%5>%6</xf>")
                .arg(f.numFmtId)
                .arg(f.fontId)
                .arg(f.fillId)
                .arg(f.borderId)
                .arg(f.attributes, f.children);
        XmlFragment::write(w, xml);
    }
    w.writeEndElement();
    writeList(w, "cellStyles", m_cellStyles);
    writeList(w, "dxfs", m_dxfs);
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QString XlsxStyles::numberFormatCode(int numFmtId) const {
    const auto it = m_numFmts.find(numFmtId);
    return it == m_numFmts.end() ? QString() : it->second;
}

int XlsxStyles::addUnique(std::vector<QString>& list, const QString& item) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == item)
            return int(i);
    list.push_back(item);
    return int(list.size()) - 1;
}

int XlsxStyles::import(const XlsxStyles& other, int index) {
    if (&other == this)
        return valid(index);
    const auto key = std::make_pair(&other, index);
    if (const auto it = m_imported.find(key); it != m_imported.end())
        return it->second;
    CellFormat f = other.format(other.valid(index));
    f.fontId = addUnique(m_fonts, other.m_fonts[size_t(f.fontId)]);
    f.fillId = addUnique(m_fills, other.m_fills[size_t(f.fillId)]);
    f.borderId = addUnique(m_borders, other.m_borders[size_t(f.borderId)]);
    if (other.m_numFmts.count(f.numFmtId)) {
        const QString code = other.m_numFmts.at(f.numFmtId);
        int id = -1;
        for (const auto& [mine, c] : m_numFmts)
            if (c == code)
                id = mine;
        if (id < 0) {
            id = std::max(164, m_numFmts.empty() ? 164 : m_numFmts.rbegin()->first + 1);
            m_numFmts[id] = code;
        }
        f.numFmtId = id;
    }
    int result = -1;
    for (size_t i = 0; i < m_cellXfs.size() && result < 0; ++i)
        if (m_cellXfs[i] == f)
            result = int(i);
    if (result < 0) {
        m_cellXfs.push_back(f);
        result = int(m_cellXfs.size()) - 1;
    }
    m_imported[key] = result;
    return result;
}
