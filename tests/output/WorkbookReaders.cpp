#include "WorkbookReaders.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace WorkbookReaders {

namespace {

const char* const kXlsxDump = R"(
import json, sys, openpyxl
from openpyxl.utils import get_column_letter
wb = openpyxl.load_workbook(sys.argv[1])
stored = openpyxl.load_workbook(sys.argv[1], data_only=True)
out = {"sheets": [], "names": {}}
for d in wb.defined_names.definedName:
    out["names"][d.name] = d.attr_text
for ws in wb:
    cells = {}
    for row in ws.iter_rows():
        for c in row:
            if c.value is not None:
                cells[c.coordinate] = c.value
    values = {c.coordinate: c.value for row in stored[ws.title].iter_rows() for c in row if c.value is not None}
    out["sheets"].append({
        "name": ws.title, "cells": cells, "values": values,
        "merged": sorted(str(m) for m in ws.merged_cells.ranges),
        "printArea": ",".join(ws.print_area) if isinstance(ws.print_area, list) else (ws.print_area or ""),
        "widths": {k: v.width for k, v in ws.column_dimensions.items() if v.width},
        "hidden": [r for r, d in ws.row_dimensions.items() if d.hidden],
        "bold": sorted(c.coordinate for row in ws.iter_rows() for c in row if c.font and c.font.b)})
print(json.dumps(out, default=str))
)";

const char* const kXlsDump = R"(
import json, sys, xlrd
b = xlrd.open_workbook(sys.argv[1], formatting_info=True)
out = {"sheets": [], "fonts": []}
for s in b.sheets():
    out["sheets"].append({"name": s.name, "rows": [s.row_values(r) for r in range(s.nrows)]})
s = b.sheet_by_index(0)
for r in range(s.nrows):
    for c in range(s.ncols):
        if s.cell_type(r, c) != xlrd.XL_CELL_EMPTY:
            out["fonts"].append(b.font_list[b.xf_list[s.cell_xf_index(r, c)].font_index].name)
print(json.dumps(out))
)";

QJsonObject runDump(const QString& module, const char* script, const QString& file, QString* problem) {
    const QString python = testsupport::pythonWith(module);
    if (python.isEmpty()) {
        *problem = QStringLiteral("no python3 with %1").arg(module);
        return {};
    }
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QString::fromUtf8(script), file});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        *problem = QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

} // namespace

QJsonObject readXlsx(const QString& file, QString* problem) {
    return runDump(QStringLiteral("openpyxl"), kXlsxDump, file, problem);
}

QJsonObject readXls(const QString& file, QString* problem) {
    return runDump(QStringLiteral("xlrd"), kXlsDump, file, problem);
}

QStringList libreOfficeCsv(const QString& file, QString* problem) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        *problem = QStringLiteral("no soffice");
        return {};
    }
    QTemporaryDir dir;
    // Every sheet in its own file (the last token, -1), values as stored rather than as shown.
    const QString filter =
        QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1");
    QProcess p;
    p.start(soffice, {QStringLiteral("-env:UserInstallation=") +
                          QUrl::fromLocalFile(dir.filePath("profile")).toString(),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter,
                      QStringLiteral("--outdir"), dir.filePath(QStringLiteral("csv")), file});
    if (!p.waitForFinished(180000) || p.exitCode() != 0) {
        *problem = QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    // LibreOffice names the files <base>-<sheet>.csv; its log gives them in sheet order.
    QStringList sheets;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
        const qsizetype arrow = line.indexOf(QStringLiteral(" -> "));
        if (!line.startsWith(QStringLiteral("Writing sheet")) || arrow < 0)
            continue;
        QFile csv(line.mid(arrow + 4).trimmed());
        if (csv.open(QIODevice::ReadOnly))
            sheets << QString::fromUtf8(csv.readAll());
    }
    if (sheets.isEmpty())
        *problem =
            QStringLiteral("LibreOffice wrote no sheet: ") + QString::fromUtf8(p.readAllStandardError());
    return sheets;
}

} // namespace WorkbookReaders
