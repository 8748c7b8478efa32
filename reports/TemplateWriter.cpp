#include "TemplateWriter.h"

#include "TemplateFields.h"

namespace {

QString join(std::initializer_list<QString> fields) {
    QStringList list(fields);
    return list.join(u',');
}

QString num(int v) {
    return QString::number(v);
}
QString flag(bool v) {
    return v ? QStringLiteral("1") : QStringLiteral("0");
}

void writeSection(QStringList& out, const QString& tag, const TOddilSestavy& section) {
    for (const TSiReportElement& e : section.elements)
        out.append(TemplateWriter::elementLine(tag, e));
}

} // namespace

QString TemplateWriter::elementLine(const QString& section, const TSiReportElement& e) {
    const bool named = !e.sourceName.isEmpty() &&
                       (e.kind == TSiReportElement::FieldValue || e.kind == TSiReportElement::FieldCaption ||
                        e.kind == TSiReportElement::Function);
    QStringList f{section,      num(e.kind), named ? plainField(e.sourceName) : num(e.source),
                  num(e.x),     num(e.y),    num(e.width),
                  num(e.height)};
    if (e.kind == TSiReportElement::SubReport)
        return f.join(u',');
    f.append(plainField(e.fontName));
    if (e.isTextLike()) {
        f << num(e.fontSize) << num(e.colour) << num(e.style) << num(e.alignment) << num(e.flags)
          << num(e.charset) << quotedField(e.text) << num(e.extra);
    } else {
        f << num(e.lineWidth) << num(e.lineColour) << num(e.lineStyle) << num(e.flags) << num(e.fillColour)
          << num(e.fillStyle);
        if (e.kind == TSiReportElement::Picture)
            f << quotedField(e.pictureFile);
    }
    return f.join(u',');
}

QString TemplateWriter::functionLine(int index, const TemplateFunction& fn) {
    return join({QStringLiteral("F"), num(index), plainField(fn.name), quotedField(fn.caption),
                 num(fn.resultType), quotedField(fn.initialValue), num(fn.resetGroup),
                 quotedField(fn.expression), num(fn.aggregate), num(fn.precision), num(fn.digits),
                 num(fn.floatFormat)});
}

QStringList TemplateWriter::write(const TSestavaTyp& report) {
    QStringList out;
    out.append(QStringLiteral("I,0,") + quotedField(report.description()));
    out.append(QStringLiteral("I,1,4,0,0"));

    const ReportPaper& p = report.paper();
    QString paper =
        join({QStringLiteral("I,2"), num(p.orientation), num(p.width), num(p.height), num(p.marginLeft),
              num(p.marginRight), num(p.marginTop), num(p.marginBottom), num(p.columns), num(p.columnGap)});
    if (p.reservedPresent || p.reserved != 0)
        paper += u',' + num(p.reserved);
    out.append(paper);

    for (int s = 0; s < 5; ++s) {
        const TOddilSestavy* section = report.section(s);
        QString line = join({QStringLiteral("I,3"), num(s), flag(section->visible), num(section->height)});
        if (s < 4)
            line += u',' + flag(section->option);
        out.append(line);
    }
    for (const TPolSkup& g : report.groups()) {
        QString line = join({QStringLiteral("I,4"), num(g.number), num(g.fieldIndex), flag(g.head.visible),
                             num(g.head.height), flag(g.foot.visible), num(g.foot.height), flag(g.newPage)});
        if (g.repeatHead)
            line += QStringLiteral(",1");
        out.append(line);
    }
    out.append(QStringLiteral("I,5,") + num(report.i5Value()));
    const ReportGrid& grid = report.grid();
    out.append(join({QStringLiteral("I,6"), num(grid.type), num(grid.x), num(grid.y), num(grid.lineSpacing),
                     num(grid.pitch)}));

    for (size_t i = 0; i < report.functions().size(); ++i)
        out.append(functionLine(int(i), report.functions()[i]));

    static const char* const letters[5] = {"Z", "H", "T", "K", "P"};
    for (int s = 0; s < 5; ++s) {
        if (!report.hasPageSections() && (s == TOddilSestavy::Hlava || s == TOddilSestavy::Pata))
            continue;
        writeSection(out, QString::fromLatin1(letters[s]), *report.section(s));
    }
    for (const TPolSkup& g : report.groups()) {
        writeSection(out, QStringLiteral("S") + num(g.number), g.head);
        writeSection(out, QStringLiteral("U") + num(g.number), g.foot);
    }
    for (size_t n = 0; n < report.subReports().size(); ++n) {
        const QString prefix = QStringLiteral("D") + num(int(n)) + u',';
        for (const QString& line : write(*report.subReports()[n]))
            out.append(prefix + line);
    }
    // A line break inside a text would split its line in the file; it is written as a blank.
    for (QString& line : out) {
        line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        line.replace(u'\n', u' ');
        line.replace(u'\r', u' ');
    }
    return out;
}
