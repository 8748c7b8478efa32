#include "XlsxReader.h"

#include "FileErrorText.h"
#include "FormulaReferences.h"
#include "XmlFragment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace {

using CellReference::MaxColumn;
using CellReference::MaxRow;

const QString kOfficeDocument =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument");

struct Relationship {
    QString type, target;
};
using Relationships = std::map<QString, Relationship>; // id -> relationship

// "xl/workbook.xml" + "worksheets/sheet1.xml" -> "xl/worksheets/sheet1.xml".
QString resolveTarget(const QString& partDirectory, const QString& target) {
    if (target.startsWith(u'/'))
        return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(partDirectory.isEmpty() ? target : partDirectory + u'/' + target);
}

Relationships readRelationships(const ZipArchive::Parts& parts, const QString& relsName, const QString& dir) {
    Relationships rels;
    const auto it = parts.find(relsName);
    if (it == parts.end())
        return rels;
    QXmlStreamReader r(it->second);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"Relationship") {
            const QXmlStreamAttributes a = r.attributes();
            rels[a.value(QStringLiteral("Id")).toString()] = {
                a.value(QStringLiteral("Type")).toString(),
                resolveTarget(dir, a.value(QStringLiteral("Target")).toString())};
        }
    }
    return rels;
}

QString relsOf(const QString& part) {
    const QFileInfo fi(part);
    const QString dir = fi.path() == QStringLiteral(".") ? QString() : fi.path() + u'/';
    return dir + QStringLiteral("_rels/") + fi.fileName() + QStringLiteral(".rels");
}

QString directoryOf(const QString& part) {
    const QString dir = QFileInfo(part).path();
    return dir == QStringLiteral(".") ? QString() : dir;
}

// The text of an <si> or <is> element: its <t> runs, without phonetic runs.
QString readRichText(QXmlStreamReader& r) {
    QString text;
    int depth = 1, phonetic = 0;
    while (depth > 0 && !r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            ++depth;
            if (r.name() == u"rPh")
                ++phonetic;
            else if (r.name() == u"t" && phonetic == 0)
                text += r.readElementText(QXmlStreamReader::IncludeChildElements), --depth;
        } else if (r.isEndElement()) {
            if (r.name() == u"rPh")
                --phonetic;
            --depth;
        }
    }
    return text;
}

class SheetParser {
  public:
    SheetParser(Worksheet& sheet, const std::vector<QString>& strings, const XlsxReader::Limits& limits,
                std::size_t& cells)
        : m_sheet(sheet), m_styles(sheet.book().styles()), m_strings(strings), m_limits(limits),
          m_cells(cells) {}

    bool parse(const QByteArray& xml, QString& error) {
        m_r.addData(xml);
        if (!m_r.readNextStartElement() || m_r.name() != u"worksheet")
            return failed(error, QStringLiteral("část listu nezačíná prvkem worksheet"));
        SheetLayout& layout = m_sheet.layout();
        while (m_r.readNextStartElement() && m_problem.isEmpty()) {
            const QStringView n = m_r.name();
            if (n == u"sheetPr")
                layout.sheetPr = XmlFragment::read(m_r);
            else if (n == u"sheetFormatPr")
                layout.sheetFormatPr = XmlFragment::read(m_r);
            else if (n == u"printOptions")
                layout.printOptions = XmlFragment::read(m_r);
            else if (n == u"pageMargins")
                layout.pageMargins = XmlFragment::read(m_r);
            else if (n == u"pageSetup")
                layout.pageSetup = XmlFragment::read(m_r);
            else if (n == u"headerFooter")
                layout.headerFooter = XmlFragment::read(m_r);
            else if (n == u"sheetViews")
                readViews();
            else if (n == u"cols")
                readColumns();
            else if (n == u"sheetData")
                readData();
            else if (n == u"mergeCells")
                readMerges();
            else
                m_r.skipCurrentElement();
        }
        if (m_r.hasError())
            return failed(error,
                          QStringLiteral("%1 (řádek %2)").arg(m_r.errorString()).arg(m_r.lineNumber()));
        if (!m_problem.isEmpty())
            return failed(error, m_problem);
        return true;
    }

  private:
    bool failed(QString& error, const QString& why) {
        error = QStringLiteral("List „%1“ je poškozený: %2.").arg(m_sheet.name(), why);
        return false;
    }
    void problem(const QString& why) {
        if (m_problem.isEmpty())
            m_problem = why;
        m_r.raiseError(why);
    }

    void readViews() {
        while (m_r.readNextStartElement()) {
            if (m_r.name() == u"sheetView" &&
                m_r.attributes().value(QStringLiteral("showGridLines")) == QStringLiteral("0"))
                m_sheet.layout().showGridLines = false;
            m_r.skipCurrentElement();
        }
    }

    void readColumns() {
        while (m_r.readNextStartElement()) {
            const QXmlStreamAttributes a = m_r.attributes();
            SheetColumns c;
            c.first = a.value(QStringLiteral("min")).toInt();
            c.last = a.value(QStringLiteral("max")).toInt();
            c.width = a.value(QStringLiteral("width")).toDouble();
            c.customWidth = a.value(QStringLiteral("customWidth")) == QStringLiteral("1");
            c.hidden = a.value(QStringLiteral("hidden")) == QStringLiteral("1");
            c.style = a.hasAttribute(QStringLiteral("style"))
                          ? m_styles.valid(a.value(QStringLiteral("style")).toInt())
                          : -1;
            if (c.first < 1 || c.last < c.first || c.last > MaxColumn || !(c.width >= 0 && c.width <= 255))
                return problem(QStringLiteral("neplatný popis sloupců"));
            if (m_sheet.columns().size() >= size_t(MaxColumn))
                return problem(QStringLiteral("příliš mnoho popisů sloupců"));
            m_sheet.columns().push_back(c);
            m_r.skipCurrentElement();
        }
    }

    void readMerges() {
        while (m_r.readNextStartElement()) {
            CellReference::Area area;
            if (!CellReference::parseArea(m_r.attributes().value(QStringLiteral("ref")), area))
                return problem(QStringLiteral("neplatná sloučená oblast"));
            if (int(m_sheet.merges().size()) >= m_limits.maxMerges)
                return problem(QStringLiteral("příliš mnoho sloučených oblastí"));
            m_sheet.merges().push_back(area);
            m_r.skipCurrentElement();
        }
    }

    void readData() {
        int row = 0;
        while (m_r.readNextStartElement()) {
            if (m_r.name() != u"row") {
                m_r.skipCurrentElement();
                continue;
            }
            const QXmlStreamAttributes a = m_r.attributes();
            row = a.hasAttribute(QStringLiteral("r")) ? a.value(QStringLiteral("r")).toInt() : row + 1;
            if (row < 1 || row > MaxRow)
                return problem(QStringLiteral("číslo řádku mimo list"));
            SheetRow& r = m_sheet.rowAt(row);
            if (a.value(QStringLiteral("customHeight")) == QStringLiteral("1") ||
                a.hasAttribute(QStringLiteral("ht"))) {
                const double ht = a.value(QStringLiteral("ht")).toDouble();
                r.height = ht > 0 && ht <= 409.5 ? ht : 0;
            }
            r.hidden = a.value(QStringLiteral("hidden")) == QStringLiteral("1");
            if (a.value(QStringLiteral("customFormat")) == QStringLiteral("1"))
                r.style = m_styles.valid(a.value(QStringLiteral("s")).toInt());
            readCells(row);
            if (!m_problem.isEmpty())
                return;
        }
    }

    void readCells(int row) {
        int column = 0;
        while (m_r.readNextStartElement()) {
            if (m_r.name() != u"c") {
                m_r.skipCurrentElement();
                continue;
            }
            const QXmlStreamAttributes a = m_r.attributes();
            if (a.hasAttribute(QStringLiteral("r"))) {
                CellReference::Cell ref;
                if (!CellReference::parseCell(a.value(QStringLiteral("r")), ref) || ref.row != row)
                    return problem(QStringLiteral("neplatná adresa buňky"));
                column = ref.column;
            } else if (++column > MaxColumn) {
                return problem(QStringLiteral("buňka mimo list"));
            }
            if (++m_cells > m_limits.maxCells)
                return problem(QStringLiteral("příliš mnoho buněk"));
            SheetCell& cell = m_sheet.cellAt(row, column);
            cell.style = m_styles.valid(a.value(QStringLiteral("s")).toInt());
            readCell(cell, a.value(QStringLiteral("t")).toString(), row, column);
            if (!cell.formula.isEmpty())
                m_sheet.setFormula(row, column, cell.formula);
            if (!m_problem.isEmpty())
                return;
        }
    }

    void readCell(SheetCell& cell, const QString& type, int row, int column) {
        QString value;
        bool hasValue = false;
        while (m_r.readNextStartElement()) {
            const QStringView n = m_r.name();
            if (n == u"v") {
                value = m_r.readElementText();
                hasValue = true;
            } else if (n == u"is") {
                value = readRichText(m_r);
                hasValue = true;
            } else if (n == u"f") {
                readFormula(cell, row, column);
            } else {
                m_r.skipCurrentElement();
            }
        }
        if (!hasValue)
            return;
        if (type == u"s") {
            bool ok = false;
            const int index = value.toInt(&ok);
            if (!ok || index < 0 || size_t(index) >= m_strings.size())
                return problem(QStringLiteral("odkaz na neexistující text"));
            cell.type = SheetCell::Text;
            cell.text = m_strings[size_t(index)];
        } else if (type == u"inlineStr" || type == u"str") {
            cell.type = SheetCell::Text;
            cell.text = value;
        } else if (type == u"b") {
            cell.type = SheetCell::Boolean;
            cell.number = value.trimmed() == QStringLiteral("1") ? 1 : 0;
        } else if (type == u"e") {
            cell.type = SheetCell::Error;
            cell.text = value;
        } else {
            bool ok = false;
            cell.number = value.trimmed().toDouble(&ok);
            if (!ok && !value.trimmed().isEmpty())
                return problem(
                    QStringLiteral("neplatné číslo v buňce %1").arg(CellReference::cellName(row, column)));
            cell.type = ok ? SheetCell::Number : SheetCell::Empty;
        }
    }

    void readFormula(SheetCell& cell, int row, int column) {
        const QXmlStreamAttributes a = m_r.attributes();
        const bool shared = a.value(QStringLiteral("t")) == QStringLiteral("shared");
        const QString index = a.value(QStringLiteral("si")).toString();
        const QString text = m_r.readElementText();
        if (!shared) {
            cell.formula = text;
            return;
        }
        if (!text.isEmpty()) {
            m_shared[index] = {row, column, text};
            cell.formula = text;
        } else if (const auto it = m_shared.find(index); it != m_shared.end()) {
            cell.formula =
                FormulaReferences::moved(it->second.text, row - it->second.row, column - it->second.column);
        }
    }

    struct SharedFormula {
        int row, column;
        QString text;
    };

    Worksheet& m_sheet;
    const XlsxStyles& m_styles;
    const std::vector<QString>& m_strings;
    const XlsxReader::Limits& m_limits;
    std::size_t& m_cells;
    QXmlStreamReader m_r;
    QString m_problem;
    std::map<QString, SharedFormula> m_shared;
};

} // namespace

bool XlsxReader::fail(const QString& message) {
    m_error = message;
    return false;
}

std::unique_ptr<Workbook> XlsxReader::read(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists()) {
        fail(QStringLiteral("Soubor „%1“ neexistuje.").arg(QDir::toNativeSeparators(fileName)));
        return nullptr;
    }
    if (info.size() > m_limits.maxFileSize) {
        fail(QStringLiteral("Soubor „%1“ je příliš velký.").arg(QDir::toNativeSeparators(fileName)));
        return nullptr;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("Soubor „%1“ nelze otevřít: %2.")
                 .arg(QDir::toNativeSeparators(fileName), FileErrorText::ReadFailure(fileName)));
        return nullptr;
    }
    return readPackage(file.read(m_limits.maxFileSize + 1));
}

std::unique_ptr<Workbook> XlsxReader::readPackage(const QByteArray& package) {
    m_error.clear();
    if (package.size() > m_limits.maxFileSize) {
        fail(QStringLiteral("Sešit je příliš velký."));
        return nullptr;
    }
    ZipArchive::Parts parts;
    QString error;
    if (!ZipArchive::read(package, parts, error, m_limits.zip)) {
        fail(error);
        return nullptr;
    }

    QString workbookPart = QStringLiteral("xl/workbook.xml");
    for (const auto& [id, rel] : readRelationships(parts, QStringLiteral("_rels/.rels"), QString()))
        if (rel.type == kOfficeDocument)
            workbookPart = rel.target;
    const auto workbookXml = parts.find(workbookPart);
    if (workbookXml == parts.end()) {
        fail(QStringLiteral("Soubor není sešit (chybí část %1).").arg(workbookPart));
        return nullptr;
    }
    const QString dir = directoryOf(workbookPart);
    const Relationships rels = readRelationships(parts, relsOf(workbookPart), dir);

    auto book = std::make_unique<Workbook>();
    std::vector<QString> strings;
    for (const auto& [id, rel] : rels) {
        const auto part = parts.find(rel.target);
        if (part == parts.end())
            continue;
        if (rel.type.endsWith(QStringLiteral("/styles"))) {
            if (!book->styles().read(part->second, error)) {
                fail(error);
                return nullptr;
            }
        } else if (rel.type.endsWith(QStringLiteral("/sharedStrings"))) {
            QXmlStreamReader r(part->second);
            while (!r.atEnd()) {
                r.readNext();
                if (r.isStartElement() && r.name() == u"si")
                    strings.push_back(readRichText(r));
            }
            if (r.hasError()) {
                fail(QStringLiteral("Část se sdílenými texty je poškozená: %1.").arg(r.errorString()));
                return nullptr;
            }
        }
    }

    struct SheetEntry {
        QString name, part;
    };
    std::vector<SheetEntry> sheets;
    struct NameEntry {
        DefinedName name;
        int localSheet = -1;
    };
    std::vector<NameEntry> names;
    int activeTab = 0;
    QXmlStreamReader r(workbookXml->second);
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement())
            continue;
        const QXmlStreamAttributes a = r.attributes();
        if (r.name() == u"workbookView") {
            activeTab = a.value(QStringLiteral("activeTab")).toInt();
        } else if (r.name() == u"sheet") {
            QString relId;
            for (const QXmlStreamAttribute& at : a)
                if (at.name() == u"id")
                    relId = at.value().toString();
            const auto rel = rels.find(relId);
            if (rel == rels.end()) {
                fail(QStringLiteral("List „%1“ nemá svou část v sešitu.")
                         .arg(a.value(QStringLiteral("name"))));
                return nullptr;
            }
            if (int(sheets.size()) >= m_limits.maxSheets) {
                fail(QStringLiteral("Sešit má příliš mnoho listů."));
                return nullptr;
            }
            sheets.push_back({a.value(QStringLiteral("name")).toString(), rel->second.target});
        } else if (r.name() == u"definedName") {
            NameEntry n;
            n.name.name = a.value(QStringLiteral("name")).toString();
            n.name.hidden = a.value(QStringLiteral("hidden")) == QStringLiteral("1");
            n.localSheet = a.hasAttribute(QStringLiteral("localSheetId"))
                               ? a.value(QStringLiteral("localSheetId")).toInt()
                               : -1;
            n.name.formula = r.readElementText();
            if (int(names.size()) >= m_limits.maxNames) {
                fail(QStringLiteral("Sešit má příliš mnoho pojmenovaných oblastí."));
                return nullptr;
            }
            names.push_back(n);
        }
    }
    if (r.hasError()) {
        fail(QStringLiteral("Část %1 je poškozená: %2 (řádek %3).")
                 .arg(workbookPart, r.errorString())
                 .arg(r.lineNumber()));
        return nullptr;
    }
    if (sheets.empty()) {
        fail(QStringLiteral("Sešit nemá žádný list."));
        return nullptr;
    }

    std::size_t cells = 0;
    for (const SheetEntry& s : sheets) {
        Worksheet* sheet = nullptr;
        try {
            sheet = &book->addSheet(s.name, book->sheetCount());
        } catch (const std::exception&) {
            fail(QStringLiteral("Sešit má neplatný nebo opakovaný název listu „%1“.").arg(s.name));
            return nullptr;
        }
        const auto part = parts.find(s.part);
        if (part == parts.end()) {
            fail(QStringLiteral("Chybí část %1 listu „%2“.").arg(s.part, s.name));
            return nullptr;
        }
        SheetParser parser(*sheet, strings, m_limits, cells);
        if (!parser.parse(part->second, error)) {
            fail(error);
            return nullptr;
        }
    }
    for (NameEntry& n : names) {
        if (n.localSheet >= book->sheetCount())
            continue; // a name of a sheet that is not there
        n.name.scope = n.localSheet >= 0 ? &book->sheet(n.localSheet) : nullptr;
        book->names().push_back(n.name);
    }
    book->activate(book->sheet(activeTab >= 0 && activeTab < book->sheetCount() ? activeTab : 0));
    return book;
}
