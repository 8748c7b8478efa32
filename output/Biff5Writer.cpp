#include "Biff5Writer.h"

#include "AtomicFileWriter.h"
#include "Cp1250.h"
#include "LittleEndian.h"
#include "Ole2Writer.h"
#include "ResultsWorkbook.h"

#include <QDir>

namespace Biff5Writer {

namespace {

using LittleEndian::append16;
using LittleEndian::append32;

enum Record : std::uint16_t {
    Bof = 0x0809,
    Eof = 0x000A,
    Codepage = 0x0042,
    Window1 = 0x003D,
    FontRecord = 0x0031,
    Xf = 0x00E0,
    Style = 0x0293,
    BoundSheet = 0x0085,
    Dimensions = 0x0200,
    Number = 0x0203,
    Label = 0x0204,
    Window2 = 0x023E,
};

constexpr int kStyleXfs = 15;  // XF 0..14 are style formats, as every BIFF5 workbook has
constexpr int kMaxLabel = 255; // characters of a LABEL record
constexpr int kMaxSheetName = 31;

void record(QByteArray& out, Record type, const QByteArray& body) {
    append16(out, type);
    append16(out, std::uint16_t(body.size()));
    out.append(body);
}

QByteArray bof(std::uint16_t streamType) {
    QByteArray b;
    append16(b, 0x0500);
    append16(b, streamType);
    append16(b, 3218); // build and year of Excel 5.0
    append16(b, 1993);
    return b;
}

QByteArray shortString(const QString& text, int maxLength) {
    const QByteArray bytes = Cp1250::encode(text.left(maxLength));
    QByteArray b;
    b.append(char(bytes.size()));
    b.append(bytes);
    return b;
}

QByteArray font(const ResultsWorkbook::Font& f) {
    QByteArray b;
    append16(b, std::uint16_t(f.size));
    std::uint16_t options = 0;
    if (f.bold)
        options |= 0x0001;
    if (f.italic)
        options |= 0x0002;
    if (f.underline)
        options |= 0x0004;
    if (f.strikeOut)
        options |= 0x0008;
    if (f.outline)
        options |= 0x0010;
    if (f.shadow)
        options |= 0x0020;
    append16(b, options);
    append16(b, std::uint16_t(f.colour));
    append16(b, f.bold ? 700 : 400);
    append16(b, 0);                                                   // no escapement
    b.append(char(f.underline ? 1 : 0));                              // single underline
    b.append(char(2));                                                // swiss family
    b.append(char(f.name.endsWith(QStringLiteral(" CE")) ? 238 : 0)); // East European character set
    b.append(char(0));
    b.append(shortString(f.name, 31));
    return b;
}

QByteArray xf(int fontIndex, bool style) {
    QByteArray b;
    append16(b, std::uint16_t(fontIndex));
    append16(b, 0);                                           // General
    append16(b, style ? 0xFFF5 : 0x0001);                     // locked; a style format has no parent
    b.append(char(0x20));                                     // bottom aligned
    b.append(char(style ? 0x00 : (fontIndex ? 0x08 : 0x00))); // the font differs from the style
    append32(b, 0x000020C0); // automatic pattern colours, no fill, no borders
    append32(b, 0);
    return b;
}

// FONT records leave out index 4: the n-th written font has index n, or n + 1 from the fifth on.
int fontIndex(int written) {
    return written < 4 ? written : written + 1;
}

QByteArray sheetStream(const ResultsWorkbook::SheetData& sheet, bool first) {
    QByteArray s;
    record(s, Bof, bof(0x0010));
    int lastRow = 0, lastColumn = 0, firstRow = 0, firstColumn = 0;
    for (const auto& [pos, c] : sheet.cells) {
        if (firstRow == 0 || pos.first < firstRow)
            firstRow = pos.first;
        if (firstColumn == 0 || pos.second < firstColumn)
            firstColumn = pos.second;
        lastRow = std::max(lastRow, pos.first);
        lastColumn = std::max(lastColumn, pos.second);
    }
    QByteArray dim;
    append16(dim, std::uint16_t(firstRow > 0 ? firstRow - 1 : 0));
    append16(dim, std::uint16_t(lastRow));
    append16(dim, std::uint16_t(firstColumn > 0 ? firstColumn - 1 : 0));
    append16(dim, std::uint16_t(lastColumn));
    append16(dim, 0);
    record(s, Dimensions, dim);
    for (const auto& [pos, c] : sheet.cells) {
        QByteArray b;
        append16(b, std::uint16_t(pos.first - 1));
        append16(b, std::uint16_t(pos.second - 1));
        append16(b, std::uint16_t(kStyleXfs + c.font));
        if (c.isText) {
            const QByteArray bytes = Cp1250::encode(c.text.left(kMaxLabel));
            append16(b, std::uint16_t(bytes.size()));
            b.append(bytes);
            record(s, Label, b);
        } else {
            LittleEndian::appendDouble(b, c.number);
            record(s, Number, b);
        }
    }
    QByteArray w2;
    append16(w2, std::uint16_t(0x00B6 | (first ? 0x0600 : 0))); // grid, headers, zeros, outline; selected
    append16(w2, 0);
    append16(w2, 0);
    append32(w2, 0);
    record(s, Window2, w2);
    record(s, Eof, {});
    return s;
}

} // namespace

QByteArray bookStream(const ResultsWorkbook& book) {
    QByteArray globals;
    record(globals, Bof, bof(0x0005));
    QByteArray codepage;
    append16(codepage, 1250);
    record(globals, Codepage, codepage);
    QByteArray w1;
    for (std::uint16_t v : {0x0168, 0x001E, 0x3A5C, 0x2328, 0x0038, 0, 0, 1, 0x0258})
        append16(w1, v);
    record(globals, Window1, w1);
    // Fonts 0..3 are the default font; the cells' own fonts follow.
    const auto& fonts = book.fonts();
    for (int i = 0; i < 4; ++i)
        record(globals, FontRecord, font(fonts[0]));
    for (size_t i = 1; i < fonts.size(); ++i)
        record(globals, FontRecord, font(fonts[i]));
    for (int i = 0; i < kStyleXfs; ++i)
        record(globals, Xf, xf(0, true));
    for (size_t i = 0; i < fonts.size(); ++i)
        record(globals, Xf, xf(i == 0 ? 0 : fontIndex(int(i) + 3), false));
    QByteArray style;
    append16(style, 0x8000); // built-in style of XF 0
    style.append(char(0));   // "Normal"
    style.append(char(0xFF));
    record(globals, Style, style);

    std::vector<qsizetype> offsetFields;
    for (int i = 1; i <= book.NumSheets(); ++i) {
        QByteArray b;
        append32(b, 0); // patched below
        b.append(char(0));
        b.append(char(0));
        b.append(shortString(book.sheet(i).name, kMaxSheetName));
        offsetFields.push_back(globals.size() + 4);
        record(globals, BoundSheet, b);
    }
    record(globals, Eof, {});

    QByteArray out = globals;
    for (int i = 1; i <= book.NumSheets(); ++i) {
        LittleEndian::put32(out, offsetFields[size_t(i - 1)], std::uint32_t(out.size()));
        out.append(sheetStream(book.sheet(i), i == 1));
    }
    return out;
}

bool write(const ResultsWorkbook& book, const QString& fileName, QString& error) {
    QByteArray file;
    if (!Ole2Writer::write(QStringLiteral("Book"), bookStream(book), file, error)) {
        error = QStringLiteral("Sešit „%1“ nelze uložit: %2.").arg(QDir::toNativeSeparators(fileName), error);
        return false;
    }
    if (const QString cause = AtomicFileWriter::Write(fileName, file); !cause.isEmpty()) {
        error = QStringLiteral("Sešit „%1“ nelze uložit: %2.").arg(QDir::toNativeSeparators(fileName), cause);
        return false;
    }
    return true;
}

} // namespace Biff5Writer
