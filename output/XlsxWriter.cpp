#include "XlsxWriter.h"

#include "AtomicFileWriter.h"
#include "FormulaValues.h"
#include "Workbook.h"
#include "XmlFragment.h"
#include "ZipArchive.h"

#include <QDateTime>
#include <QDir>
#include <QXmlStreamWriter>
#include <charconv>
#include <cmath>
#include <unordered_map>

namespace {

const QString kMain = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString kRel = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString kPackageRel = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");

// Characters XML cannot carry are written as Excel's _xHHHH_ escapes.
QString xmlSafe(const QString& text) {
    QString out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF)
            out += QStringLiteral("_x%1_").arg(QString::number(u, 16).rightJustified(4, u'0').toUpper());
        else
            out += c;
    }
    return out;
}

class SharedStrings {
  public:
    int index(const QString& text) {
        const auto [it, added] = m_index.try_emplace(text, int(m_list.size()));
        if (added)
            m_list.push_back(text);
        return it->second;
    }
    QByteArray write() const {
        QByteArray out;
        QXmlStreamWriter w(&out);
        w.writeStartDocument(QStringLiteral("1.0"), true);
        w.writeStartElement(QStringLiteral("sst"));
        w.writeDefaultNamespace(kMain);
        w.writeAttribute(QStringLiteral("uniqueCount"), QString::number(m_list.size()));
        for (const QString& s : m_list) {
            w.writeStartElement(QStringLiteral("si"));
            w.writeStartElement(QStringLiteral("t"));
            if (s.startsWith(u' ') || s.endsWith(u' ') || s.contains(u'\n'))
                w.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            w.writeCharacters(xmlSafe(s));
            w.writeEndElement();
            w.writeEndElement();
        }
        w.writeEndElement();
        w.writeEndDocument();
        return out;
    }

  private:
    std::unordered_map<QString, int> m_index;
    std::vector<QString> m_list;
};

QString number(double v) {
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

// Text escaped for XML content and quoted attributes.
void appendEscaped(QByteArray& out, const QString& text) {
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
}

void appendNumber(QByteArray& out, double v) {
    out += QByteArray::number(v, 'g', QLocale::FloatingPointShortest);
}

void appendInt(QByteArray& out, int v) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    out.append(digits, end - digits);
}

// "AB12".
void appendCellName(QByteArray& out, int row, int column) {
    char letters[8];
    int n = 0;
    for (int c = column; c > 0; c = (c - 1) / 26)
        letters[n++] = char('A' + (c - 1) % 26);
    while (n > 0)
        out += letters[--n];
    appendInt(out, row);
}

// A formula with the value it computes to, so that readers which do not calculate show it.
void appendFormula(QByteArray& out, const QString& formula, const std::optional<FormulaValue>& value) {
    if (value) {
        switch (value->type) {
        case FormulaValue::Number:
            break;
        case FormulaValue::Text:
            out += " t=\"str\"";
            break;
        case FormulaValue::Boolean:
            out += " t=\"b\"";
            break;
        case FormulaValue::Error:
            out += " t=\"e\"";
            break;
        }
    }
    out += "><f>";
    appendEscaped(out, xmlSafe(formula));
    out += "</f>";
    if (!value)
        return;
    out += "<v>";
    switch (value->type) {
    case FormulaValue::Number:
        appendNumber(out, value->number);
        break;
    case FormulaValue::Boolean:
        out += value->number != 0 ? '1' : '0';
        break;
    case FormulaValue::Text:
    case FormulaValue::Error:
        appendEscaped(out, xmlSafe(value->text));
        break;
    }
    out += "</v>";
}

// One cell element. The cells make most of a sheet: they are written as bytes directly, where the
// stream writer took several times as long.
void appendCell(QByteArray& out, int row, int column, const SheetCell& c, SharedStrings& strings,
                FormulaValues& values, const Worksheet& sheet) {
    out += "<c r=\"";
    appendCellName(out, row, column);
    out += '"';
    if (c.style != 0) {
        out += " s=\"";
        appendInt(out, c.style);
        out += '"';
    }
    if (!c.formula.isEmpty()) {
        appendFormula(out, c.formula, values.valueOf(sheet, row, column));
        out += "</c>";
        return;
    }
    switch (c.type) {
    case SheetCell::Empty:
        out += "/>";
        return;
    case SheetCell::Number:
        if (std::isfinite(c.number)) {
            out += "><v>";
            appendNumber(out, c.number);
        } else {
            out += " t=\"e\"><v>#NUM!";
        }
        break;
    case SheetCell::Text:
        out += " t=\"s\"><v>";
        appendInt(out, strings.index(c.text));
        break;
    case SheetCell::Boolean:
        out += " t=\"b\"><v>";
        out += c.number != 0 ? '1' : '0';
        break;
    case SheetCell::Error:
        out += " t=\"e\"><v>";
        appendEscaped(out, xmlSafe(c.text));
        break;
    }
    out += "</v></c>";
}

// The rows of sheetData.
QByteArray sheetRows(const Worksheet& sheet, SharedStrings& strings, FormulaValues& values) {
    QByteArray out;
    for (const auto& [row, r] : sheet.rows()) {
        const bool attributes = r.height > 0 || r.hidden || r.style >= 0;
        bool anyCell = false;
        for (const auto& [column, c] : r.cells)
            if (c.type != SheetCell::Empty || c.style != 0 || !c.formula.isEmpty())
                anyCell = true;
        if (!attributes && !anyCell)
            continue;
        out += "<row r=\"";
        appendInt(out, row);
        out += '"';
        if (r.style >= 0) {
            out += " s=\"";
            appendInt(out, r.style);
            out += "\" customFormat=\"1\"";
        }
        if (r.height > 0) {
            out += " ht=\"";
            appendNumber(out, r.height);
            out += "\" customHeight=\"1\"";
        }
        if (r.hidden)
            out += " hidden=\"1\"";
        if (!anyCell) {
            out += "/>";
            continue;
        }
        out += '>';
        for (const auto& [column, c] : r.cells)
            if (c.type != SheetCell::Empty || c.style != 0 || !c.formula.isEmpty())
                appendCell(out, row, column, c, strings, values, sheet);
        out += "</row>";
    }
    return out;
}

// Where the rows go into the sheet written by the stream writer.
constexpr char kRowsMark[] = "rivwood-rows";

QByteArray writeSheet(const Worksheet& sheet, bool selected, SharedStrings& strings, FormulaValues& values) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeStartElement(QStringLiteral("worksheet"));
    w.writeDefaultNamespace(kMain);
    w.writeNamespace(kRel, QStringLiteral("r"));
    const SheetLayout& layout = sheet.layout();
    if (!layout.sheetPr.isEmpty())
        XmlFragment::write(w, layout.sheetPr);
    const int lastRow = sheet.lastRow(), lastColumn = sheet.lastColumn();
    w.writeEmptyElement(QStringLiteral("dimension"));
    w.writeAttribute(QStringLiteral("ref"), lastRow > 0
                                                ? CellReference::formatArea({1, 1, lastRow, lastColumn})
                                                : QStringLiteral("A1"));
    w.writeStartElement(QStringLiteral("sheetViews"));
    w.writeEmptyElement(QStringLiteral("sheetView"));
    if (!layout.showGridLines)
        w.writeAttribute(QStringLiteral("showGridLines"), QStringLiteral("0"));
    if (selected)
        w.writeAttribute(QStringLiteral("tabSelected"), QStringLiteral("1"));
    w.writeAttribute(QStringLiteral("workbookViewId"), QStringLiteral("0"));
    w.writeEndElement();
    if (!layout.sheetFormatPr.isEmpty())
        XmlFragment::write(w, layout.sheetFormatPr);
    else {
        w.writeEmptyElement(QStringLiteral("sheetFormatPr"));
        w.writeAttribute(QStringLiteral("defaultRowHeight"), QStringLiteral("12.75"));
    }
    if (!sheet.columns().empty()) {
        w.writeStartElement(QStringLiteral("cols"));
        for (const SheetColumns& c : sheet.columns()) {
            w.writeEmptyElement(QStringLiteral("col"));
            w.writeAttribute(QStringLiteral("min"), QString::number(c.first));
            w.writeAttribute(QStringLiteral("max"), QString::number(c.last));
            w.writeAttribute(QStringLiteral("width"), number(c.width > 0 ? c.width : 9.140625));
            if (c.style >= 0)
                w.writeAttribute(QStringLiteral("style"), QString::number(c.style));
            if (c.hidden)
                w.writeAttribute(QStringLiteral("hidden"), QStringLiteral("1"));
            if (c.customWidth || c.width > 0)
                w.writeAttribute(QStringLiteral("customWidth"), QStringLiteral("1"));
        }
        w.writeEndElement();
    }
    w.writeStartElement(QStringLiteral("sheetData"));
    w.writeComment(QString::fromLatin1(kRowsMark));
    w.writeEndElement();
    if (!sheet.merges().empty()) {
        w.writeStartElement(QStringLiteral("mergeCells"));
        w.writeAttribute(QStringLiteral("count"), QString::number(sheet.merges().size()));
        for (const CellReference::Area& m : sheet.merges()) {
            w.writeEmptyElement(QStringLiteral("mergeCell"));
            w.writeAttribute(QStringLiteral("ref"), CellReference::formatArea(m));
        }
        w.writeEndElement();
    }
    for (const QString* f :
         {&layout.printOptions, &layout.pageMargins, &layout.pageSetup, &layout.headerFooter})
        if (!f->isEmpty())
            XmlFragment::write(w, *f);
    w.writeEndElement();
    w.writeEndDocument();
    const QByteArray mark = QByteArray("<!--") + kRowsMark + "-->";
    const qsizetype at = out.indexOf(mark);
    out.replace(at, mark.size(), sheetRows(sheet, strings, values));
    return out;
}

QByteArray writeWorkbookPart(const Workbook& book) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeStartElement(QStringLiteral("workbook"));
    w.writeDefaultNamespace(kMain);
    w.writeNamespace(kRel, QStringLiteral("r"));
    w.writeStartElement(QStringLiteral("bookViews"));
    w.writeEmptyElement(QStringLiteral("workbookView"));
    const int active = book.activeSheet() ? std::max(0, book.indexOf(*book.activeSheet())) : 0;
    w.writeAttribute(QStringLiteral("activeTab"), QString::number(active));
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("sheets"));
    for (int i = 0; i < book.sheetCount(); ++i) {
        w.writeEmptyElement(QStringLiteral("sheet"));
        w.writeAttribute(QStringLiteral("name"), book.sheet(i).name());
        w.writeAttribute(QStringLiteral("sheetId"), QString::number(i + 1));
        w.writeAttribute(kRel, QStringLiteral("id"), QStringLiteral("rId%1").arg(i + 1));
    }
    w.writeEndElement();
    bool anyName = false;
    for (const DefinedName& n : book.names())
        if (!n.scope || book.indexOf(*n.scope) >= 0)
            anyName = true;
    if (anyName) {
        w.writeStartElement(QStringLiteral("definedNames"));
        for (const DefinedName& n : book.names()) {
            const int local = n.scope ? book.indexOf(*n.scope) : -1;
            if (n.scope && local < 0)
                continue;
            w.writeStartElement(QStringLiteral("definedName"));
            w.writeAttribute(QStringLiteral("name"), n.name);
            if (local >= 0)
                w.writeAttribute(QStringLiteral("localSheetId"), QString::number(local));
            if (n.hidden)
                w.writeAttribute(QStringLiteral("hidden"), QStringLiteral("1"));
            w.writeCharacters(xmlSafe(n.formula));
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEmptyElement(QStringLiteral("calcPr"));
    w.writeAttribute(QStringLiteral("calcId"), QStringLiteral("191029"));
    w.writeAttribute(QStringLiteral("fullCalcOnLoad"), QStringLiteral("1"));
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QByteArray relationships(const std::vector<std::pair<QString, QString>>& typeAndTarget) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeStartElement(QStringLiteral("Relationships"));
    w.writeDefaultNamespace(kPackageRel);
    int id = 0;
    for (const auto& [type, target] : typeAndTarget) {
        w.writeEmptyElement(QStringLiteral("Relationship"));
        w.writeAttribute(QStringLiteral("Id"), QStringLiteral("rId%1").arg(++id));
        w.writeAttribute(QStringLiteral("Type"), type);
        w.writeAttribute(QStringLiteral("Target"), target);
    }
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QByteArray contentTypes(int sheets) {
    const QString ml = QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.");
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeStartElement(QStringLiteral("Types"));
    w.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
    auto def = [&](const QString& ext, const QString& type) {
        w.writeEmptyElement(QStringLiteral("Default"));
        w.writeAttribute(QStringLiteral("Extension"), ext);
        w.writeAttribute(QStringLiteral("ContentType"), type);
    };
    auto over = [&](const QString& part, const QString& type) {
        w.writeEmptyElement(QStringLiteral("Override"));
        w.writeAttribute(QStringLiteral("PartName"), part);
        w.writeAttribute(QStringLiteral("ContentType"), type);
    };
    def(QStringLiteral("rels"), QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    def(QStringLiteral("xml"), QStringLiteral("application/xml"));
    over(QStringLiteral("/xl/workbook.xml"), ml + QStringLiteral("sheet.main+xml"));
    for (int i = 1; i <= sheets; ++i)
        over(QStringLiteral("/xl/worksheets/sheet%1.xml").arg(i), ml + QStringLiteral("worksheet+xml"));
    over(QStringLiteral("/xl/styles.xml"), ml + QStringLiteral("styles+xml"));
    over(QStringLiteral("/xl/sharedStrings.xml"), ml + QStringLiteral("sharedStrings+xml"));
    over(QStringLiteral("/docProps/core.xml"),
         QStringLiteral("application/vnd.openxmlformats-package.core-properties+xml"));
    over(QStringLiteral("/docProps/app.xml"),
         QStringLiteral("application/vnd.openxmlformats-officedocument.extended-properties+xml"));
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QByteArray coreProperties() {
    const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
               "<cp:coreProperties "
               "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
               "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
               "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><dc:creator>Rivwood</dc:creator>"
               "<dcterms:created xsi:type=\"dcterms:W3CDTF\">%1</dcterms:created>"
               "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">%1</dcterms:modified></cp:coreProperties>")
        .arg(now)
        .toUtf8();
}

QByteArray appProperties() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
        "<Application>Rivwood</Application></Properties>");
}

} // namespace

namespace XlsxWriter {

bool writePackage(const Workbook& book, QByteArray& package, QString& error) {
    if (book.sheetCount() == 0) {
        error = QStringLiteral("Sešit nemá žádný list.");
        return false;
    }
    const QString officeRel =
        QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");
    ZipArchive::Parts parts;
    SharedStrings strings;
    FormulaValues values(book);
    std::vector<std::pair<QString, QString>> bookRels;
    for (int i = 0; i < book.sheetCount(); ++i) {
        const Worksheet& sheet = book.sheet(i);
        parts[QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1)] =
            writeSheet(sheet, &sheet == book.activeSheet(), strings, values);
        bookRels.emplace_back(officeRel + QStringLiteral("worksheet"),
                              QStringLiteral("worksheets/sheet%1.xml").arg(i + 1));
    }
    bookRels.emplace_back(officeRel + QStringLiteral("styles"), QStringLiteral("styles.xml"));
    bookRels.emplace_back(officeRel + QStringLiteral("sharedStrings"), QStringLiteral("sharedStrings.xml"));
    parts[QStringLiteral("xl/workbook.xml")] = writeWorkbookPart(book);
    parts[QStringLiteral("xl/_rels/workbook.xml.rels")] = relationships(bookRels);
    parts[QStringLiteral("xl/styles.xml")] = book.styles().write();
    parts[QStringLiteral("xl/sharedStrings.xml")] = strings.write();
    parts[QStringLiteral("[Content_Types].xml")] = contentTypes(book.sheetCount());
    parts[QStringLiteral("_rels/.rels")] = relationships(
        {{officeRel + QStringLiteral("officeDocument"), QStringLiteral("xl/workbook.xml")},
         {QStringLiteral(
              "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties"),
          QStringLiteral("docProps/core.xml")},
         {officeRel + QStringLiteral("extended-properties"), QStringLiteral("docProps/app.xml")}});
    parts[QStringLiteral("docProps/core.xml")] = coreProperties();
    parts[QStringLiteral("docProps/app.xml")] = appProperties();
    return ZipArchive::write(parts, package, error);
}

bool write(const Workbook& book, const QString& fileName, QString& error) {
    QByteArray package;
    if (!writePackage(book, package, error)) {
        error = QStringLiteral("Sešit „%1“ nelze uložit: %2").arg(QDir::toNativeSeparators(fileName), error);
        return false;
    }
    if (const QString cause = AtomicFileWriter::Write(fileName, package); !cause.isEmpty()) {
        error = QStringLiteral("Sešit „%1“ nelze uložit: %2.").arg(QDir::toNativeSeparators(fileName), cause);
        return false;
    }
    return true;
}

} // namespace XlsxWriter
