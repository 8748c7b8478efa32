// libs: rivwood_output rivwood_core
// Feeds damaged workbooks to the template reader. The first byte chooses what the rest is: 0 a
// whole package, 1-3 the sheet, workbook or styles part of a small valid workbook. A workbook that
// is read must take row inserts, deletes and copies, and be written and read again.
#include "ExcelLink.h"
#include "XlsxReader.h"
#include "XlsxWriter.h"
#include "ZipArchive.h"

#include <cstdlib>

namespace {

ZipArchive::Parts smallWorkbook() {
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    return {
        {"_rels/.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel +
             "officeDocument\" Target=\"xl/workbook.xml\"/>"
             "</Relationships>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel +
             "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
             "<Relationship Id=\"rId2\" Type=\"" +
             rel + "styles\" Target=\"styles.xml\"/></Relationships>"},
        {"xl/workbook.xml",
         "<workbook><sheets><sheet name=\"s\" sheetId=\"1\" r:id=\"rId1\" "
         "xmlns:r=\"" +
             rel.chopped(1) +
             "\"/></sheets><definedNames>"
             "<definedName name=\"a\">s!$A$1:$B$3</definedName></definedNames></workbook>"},
        {"xl/styles.xml",
         "<styleSheet><fonts><font/></fonts><fills><fill/></fills><borders><border/></borders>"
         "<cellXfs><xf/><xf fontId=\"0\"/></cellXfs></styleSheet>"},
        {"xl/worksheets/sheet1.xml",
         "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>1</v></c><c "
         "r=\"B1\"><f>A1*2</f></c></row>"
         "<row r=\"3\"><c r=\"A3\" t=\"inlineStr\"><is><t>x</t></is></c></row></sheetData>"
         "<mergeCells><mergeCell ref=\"A3:B3\"/></mergeCells></worksheet>"},
    };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    QByteArray package;
    QString error;
    if (data[0] % 4 == 0) {
        package = rest;
    } else {
        ZipArchive::Parts parts = smallWorkbook();
        const char* names[] = {"xl/worksheets/sheet1.xml", "xl/workbook.xml", "xl/styles.xml"};
        parts[QString::fromLatin1(names[data[0] % 4 - 1])] = rest;
        if (!ZipArchive::write(parts, package, error))
            std::abort();
    }
    XlsxReader::Limits limits;
    limits.maxCells = 20000;
    XlsxReader reader(limits);
    std::unique_ptr<Workbook> book = reader.readPackage(package);
    if (!book) {
        if (reader.errorString().isEmpty())
            std::abort();
        return 0;
    }
    for (int i = 0; i < book->sheetCount(); ++i) {
        Worksheet& sheet = book->sheet(i);
        ExcelLink::InsertRow(sheet, 2);
        ExcelLink::CopyRange(sheet, 1, 1, 3, 3, sheet, 2, 2);
        ExcelLink::DeleteRow(sheet, 1);
    }
    if (!XlsxWriter::writePackage(*book, package, error))
        std::abort();
    if (!XlsxReader().readPackage(package))
        std::abort();
    return 0;
}
