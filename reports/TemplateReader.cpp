#include "TemplateReader.h"

#include "TemplateFields.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace {

enum class LineKind { Ignored, Info, Function, Element, Detail };

struct ParsedTag {
    LineKind kind = LineKind::Ignored;
    int section = -1;  // 0..4 fixed sections
    int group = -1;    // S n / U n
    bool foot = false; // U n
    int detail = -1;   // D n
    bool outOfRange = false;
};

// Number written after a section letter: decimal digits only.
bool parseIndex(QStringView digits, int& value) {
    if (digits.isEmpty() || digits.size() > 9)
        return false;
    value = 0;
    for (QChar c : digits) {
        if (!c.isDigit() || c.unicode() > u'9')
            return false;
        value = value * 10 + (c.unicode() - u'0');
    }
    return true;
}

ParsedTag parseTag(const QString& tag) {
    ParsedTag t;
    if (tag == u"I") {
        t.kind = LineKind::Info;
    } else if (tag == u"F") {
        t.kind = LineKind::Function;
    } else if (tag.size() == 1) {
        static const QString letters = QStringLiteral("ZHTKP");
        const qsizetype s = letters.indexOf(tag[0]);
        if (s >= 0) {
            t.kind = LineKind::Element;
            t.section = int(s);
        }
    } else if (tag.size() > 1 && (tag[0] == u'S' || tag[0] == u'U' || tag[0] == u'D')) {
        int n = 0;
        const QStringView digits = QStringView(tag).mid(1);
        if (!parseIndex(digits, n)) {
            // A long run of digits is a number too large for the model, not an unknown line.
            bool allDigits = true;
            for (QChar c : digits)
                allDigits = allDigits && c.unicode() >= u'0' && c.unicode() <= u'9';
            if (!allDigits)
                return t;
            t.outOfRange = true;
            n = -1;
        }
        if (tag[0] == u'D') {
            t.kind = LineKind::Detail;
            t.detail = n;
        } else {
            t.kind = LineKind::Element;
            t.group = n;
            t.foot = tag[0] == u'U';
        }
    }
    return t;
}

QString lineError(int line, const QString& text) {
    return QStringLiteral("Chyba na řádku %1 předlohy tiskové sestavy: %2").arg(line).arg(text);
}

} // namespace

bool TemplateReader::fail(const QString& message) {
    m_error = message;
    return false;
}

bool TemplateReader::read(const QStringList& lines, TSestavaTyp& report) {
    m_error.clear();
    m_items = 0;
    std::vector<int> numbers(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        numbers[i] = int(i + 1);
    report.clear();
    if (!readType(lines, numbers, report, 0)) {
        report.clear();
        return false;
    }
    return true;
}

bool TemplateReader::readType(const QStringList& lines, const std::vector<int>& lineNumbers,
                              TSestavaTyp& report, int depth) {
    std::vector<ParsedTag> tags(lines.size());
    int recognised = 0;
    bool anyText = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        TemplateLineReader fields(lines[i]);
        tags[i] = parseTag(fields.next());
        if (tags[i].kind != LineKind::Ignored)
            ++recognised;
        if (!lines[i].trimmed().isEmpty())
            anyText = true;
    }
    if (depth == 0 && anyText && recognised == 0)
        return fail(QStringLiteral("Soubor neobsahuje předlohu tiskové sestavy."));

    // The version decides how I,2 and the kind 5 elements are read, so it comes first.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (tags[i].kind != LineKind::Info || lines[i].size() <= 1)
            continue;
        TemplateLineReader fields(lines[i]);
        fields.next();
        bool ok = false;
        if (parseTemplateInt(fields.next(), 0, &ok) == 1 && ok) {
            const int major = fields.nextInt();
            const int minor = fields.nextInt();
            const int release = fields.nextInt();
            report.setVersion(major, minor, release);
        }
    }

    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (tags[i].kind != LineKind::Info || lines[i].size() <= 1)
            continue;
        TemplateLineReader fields(lines[i]);
        fields.next();
        bool ok = false;
        const int type = parseTemplateInt(fields.next(), 0, &ok);
        if (!ok || type == 1)
            continue;
        if (type == 4) {
            TemplateLineReader probe(lines[i]);
            probe.next();
            probe.next();
            bool groupOk = false;
            const int group = parseTemplateInt(probe.next(), 0, &groupOk);
            if (groupOk && (group < 0 || group >= TSestavaTyp::kMaxGroups))
                return fail(
                    lineError(lineNumbers[i], QStringLiteral("číslo skupiny %1 je mimo rozsah 0 až %2.")
                                                  .arg(group)
                                                  .arg(TSestavaTyp::kMaxGroups - 1)));
        }
        readInfo(fields, type, report);
    }

    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (tags[i].kind != LineKind::Function || lines[i].size() <= 1)
            continue;
        if (++m_items > kMaxItems)
            return fail(
                QStringLiteral("Předloha tiskové sestavy má více než %1 prvků a funkcí.").arg(kMaxItems));
        TemplateLineReader fields(lines[i]);
        fields.next();
        readFunction(fields, report);
    }

    std::vector<QStringList> detailLines;
    std::vector<std::vector<int>> detailNumbers;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ParsedTag& tag = tags[i];
        if (tag.kind == LineKind::Element) {
            TOddilSestavy* section = nullptr;
            if (tag.section >= 0) {
                if (!report.hasPageSections() &&
                    (tag.section == TOddilSestavy::Hlava || tag.section == TOddilSestavy::Pata))
                    continue;
                section = report.section(tag.section);
            } else {
                if (tag.outOfRange || tag.group >= TSestavaTyp::kMaxGroups)
                    return fail(
                        lineError(lineNumbers[i], QStringLiteral("číslo skupiny je mimo rozsah 0 až %1.")
                                                      .arg(TSestavaTyp::kMaxGroups - 1)));
                TPolSkup& group = report.ensureGroup(tag.group);
                section = tag.foot ? &group.foot : &group.head;
            }
            TemplateLineReader fields(lines[i]);
            fields.next();
            if (readElement(fields, *section, report) && ++m_items > kMaxItems)
                return fail(
                    QStringLiteral("Předloha tiskové sestavy má více než %1 prvků a funkcí.").arg(kMaxItems));
        } else if (tag.kind == LineKind::Detail) {
            if (tag.outOfRange || tag.detail >= TSestavaTyp::kMaxSubReports)
                return fail(
                    lineError(lineNumbers[i], QStringLiteral("číslo podsestavy je mimo rozsah 0 až %1.")
                                                  .arg(TSestavaTyp::kMaxSubReports - 1)));
            if (depth + 1 > kMaxSubReportDepth)
                return fail(
                    lineError(lineNumbers[i], QStringLiteral("podsestavy jsou vnořeny příliš hluboko.")));
            if (int(detailLines.size()) <= tag.detail) {
                detailLines.resize(tag.detail + 1);
                detailNumbers.resize(tag.detail + 1);
            }
            TemplateLineReader fields(lines[i]);
            fields.next();
            detailLines[tag.detail].append(fields.rest());
            detailNumbers[tag.detail].push_back(lineNumbers[i]);
            report.ensureSubReport(tag.detail);
        }
    }

    for (size_t n = 0; n < detailLines.size(); ++n) {
        if (detailNumbers[n].empty())
            continue;
        if (!readType(detailLines[n], detailNumbers[n], report.ensureSubReport(int(n)), depth + 1))
            return false;
    }
    return true;
}

void TemplateReader::readInfo(TemplateLineReader& fields, int type, TSestavaTyp& report) {
    switch (type) {
    case 0:
        report.setDescription(fields.next());
        break;
    case 2: {
        // A type without page sections does not use the paper values; they are kept for writing back.
        ReportPaper& p = report.paper();
        p.orientation = fields.nextInt();
        if (report.versionMajor() > 0) {
            p.width = fields.nextInt(850);
            p.height = fields.nextInt(1200);
        }
        p.marginLeft = fields.nextInt();
        p.marginRight = fields.nextInt();
        p.marginTop = fields.nextInt();
        p.marginBottom = fields.nextInt();
        p.columns = std::max(1, fields.nextInt(1));
        p.columnGap = fields.nextInt();
        p.reservedPresent = !fields.atEnd();
        p.reserved = fields.nextInt();
        break;
    }
    case 3: {
        bool ok = false;
        const int number = parseTemplateInt(fields.next(), 0, &ok);
        if (!ok || number < 0 || number > 4)
            break;
        TOddilSestavy* s = report.section(number);
        s->visible = fields.nextBool();
        s->height = std::max(0, fields.nextInt());
        s->option = number < 4 && fields.nextBool();
        break;
    }
    case 4: {
        bool ok = false;
        const int number = parseTemplateInt(fields.next(), 0, &ok);
        if (!ok || number < 0 || number >= TSestavaTyp::kMaxGroups)
            break;
        TPolSkup& g = report.ensureGroup(number);
        g.fieldIndex = fields.nextInt();
        g.head.visible = fields.nextBool();
        g.head.height = std::max(0, fields.nextInt());
        g.foot.visible = fields.nextBool();
        g.foot.height = std::max(0, fields.nextInt());
        g.newPage = fields.nextBool();
        g.repeatHead = fields.nextBool();
        break;
    }
    case 5:
        report.setI5Value(fields.nextInt());
        break;
    case 6: {
        ReportGrid& g = report.grid();
        g.type = fields.nextInt() == 1 ? 1 : 0;
        g.x = fields.nextInt(8);
        g.y = fields.nextInt(8);
        if (g.x <= 0)
            g.x = 8;
        if (g.y <= 0)
            g.y = 8;
        g.lineSpacing = fields.nextInt();
        g.pitch = fields.nextInt();
        break;
    }
    default:
        break;
    }
}

void TemplateReader::readFunction(TemplateLineReader& fields, TSestavaTyp& report) {
    TemplateFunction f;
    fields.next(); // index: the list order is the file order
    f.name = fields.next();
    f.caption = fields.next();
    f.resultType = fields.nextInt();
    f.initialValue = fields.next();
    f.resetGroup = fields.nextInt();
    f.expression = fields.next();
    f.aggregate = fields.nextInt();
    f.precision = fields.nextInt(15);
    f.digits = fields.nextInt(2);
    f.floatFormat = fields.nextInt(2);
    if (f.floatFormat < 0 || f.floatFormat > 4)
        f.floatFormat = 2;
    report.functions().push_back(f);
}

bool TemplateReader::readElement(TemplateLineReader& fields, TOddilSestavy& section,
                                 const TSestavaTyp& report) {
    TSiReportElement e;
    bool kindOk = false;
    e.kind = parseTemplateInt(fields.next(), 0, &kindOk);
    if (!kindOk || !TSiReportElement::isKnownKind(e.kind))
        return false;
    const QString source = fields.next();
    const bool byName = (e.kind == TSiReportElement::FieldValue || e.kind == TSiReportElement::FieldCaption ||
                         e.kind == TSiReportElement::Function) &&
                        !source.isEmpty() && !source[0].isDigit();
    if (byName) {
        e.sourceName = source;
        // Data field names are resolved against the data set when the report runs.
        e.source = e.kind == TSiReportElement::Function ? std::max(0, report.findFunction(source)) : 0;
    } else {
        e.source = parseTemplateInt(source, 0);
    }
    e.x = fields.nextInt();
    e.y = fields.nextInt();
    e.width = fields.nextInt();
    e.height = fields.nextInt();
    if (e.kind == TSiReportElement::SubReport) {
        section.elements.push_back(e);
        return true;
    }
    e.fontName = fields.next().left(32);
    if (e.isTextLike()) {
        e.fontSize = fields.nextInt();
        if (e.fontSize < 0)
            e.fontSize = int(-qint64(e.fontSize) * 72 / 100);
        e.colour = fields.nextInt();
        e.style = fields.nextInt();
        e.alignment = fields.nextInt();
        e.flags = fields.nextInt();
        e.charset = fields.nextInt(1);
        e.text = fields.next();
        e.extra = fields.nextInt();
        if (e.kind == TSiReportElement::Variable && report.versionMajor() <= 1 &&
            report.versionRelease() < 3 && e.source > 3 && e.source < std::numeric_limits<int>::max())
            ++e.source; // older files lacked the number of pages
    } else {
        e.lineWidth = fields.nextInt();
        if (e.lineWidth < 0)
            e.lineWidth = 1;
        e.lineColour = fields.nextInt();
        e.lineStyle = fields.nextInt();
        e.flags = fields.nextInt();
        e.fillColour = fields.nextInt();
        e.fillStyle = fields.nextInt();
        if (e.kind >= TSiReportElement::Frame && e.kind <= TSiReportElement::Ellipse)
            e.source = e.kind;
        if (e.kind == TSiReportElement::Picture) {
            e.pictureFile = QFileInfo(QString(fields.next()).replace(u'\\', u'/')).fileName();
            if (!m_pictureDirectory.isEmpty() && !e.pictureFile.isEmpty()) {
                const QString path = QDir(m_pictureDirectory).filePath(e.pictureFile);
                if (QFileInfo(path).isFile())
                    e.picture.load(path);
            }
        }
    }
    section.elements.push_back(e);
    return true;
}
