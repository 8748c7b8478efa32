#include "FormulaReferences.h"

#include <algorithm>

namespace FormulaReferences {

namespace {

using CellReference::Cell;

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$' || c == u'\\';
}

bool allDigits(QStringView s) {
    if (s.isEmpty() || s.size() > 7)
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// One side of a whole-row or whole-column reference: "$3" or "C".
bool parseRowPart(QStringView s, Cell& cell) {
    cell.absoluteRow = s.startsWith(u'$');
    const QStringView digits = cell.absoluteRow ? s.mid(1) : s;
    if (!allDigits(digits))
        return false;
    cell.row = digits.toInt();
    return cell.row >= 1 && cell.row <= CellReference::MaxRow;
}

bool parseColumnPart(QStringView s, Cell& cell) {
    cell.absoluteColumn = s.startsWith(u'$');
    cell.column = CellReference::columnNumber(cell.absoluteColumn ? s.mid(1) : s);
    return cell.column > 0;
}

// The reference written in `text` (no sheet prefix), or false when it is none.
bool parseReference(QStringView text, Reference& ref) {
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0) {
        ref.kind = Reference::Cells;
        ref.range = false;
        if (!CellReference::parseCell(text, ref.first))
            return false;
        ref.last = ref.first;
        return true;
    }
    const QStringView a = text.left(colon), b = text.mid(colon + 1);
    ref.range = true;
    if (CellReference::parseCell(a, ref.first) && CellReference::parseCell(b, ref.last)) {
        ref.kind = Reference::Cells;
        return true;
    }
    if (parseRowPart(a, ref.first) && parseRowPart(b, ref.last)) {
        ref.kind = Reference::Rows;
        return true;
    }
    if (parseColumnPart(a, ref.first) && parseColumnPart(b, ref.last)) {
        ref.kind = Reference::Columns;
        return true;
    }
    return false;
}

void appendPart(QString& out, const Cell& c, Reference::Kind kind) {
    if (kind != Reference::Rows) {
        if (c.absoluteColumn)
            out += u'$';
        out += CellReference::columnLetters(c.column);
    }
    if (kind != Reference::Columns) {
        if (c.absoluteRow)
            out += u'$';
        out += QString::number(c.row);
    }
}

void appendReference(QString& out, const Reference& ref) {
    if (!ref.sheet.isEmpty()) {
        out += quotedSheetName(ref.sheet);
        out += u'!';
    }
    appendPart(out, ref.first, ref.kind);
    if (ref.range) {
        out += u':';
        appendPart(out, ref.last, ref.kind);
    }
}

bool sameCell(const Cell& a, const Cell& b) {
    return a.row == b.row && a.column == b.column && a.absoluteRow == b.absoluteRow &&
           a.absoluteColumn == b.absoluteColumn;
}

bool sameReference(const Reference& a, const Reference& b) {
    return a.kind == b.kind && a.range == b.range && sameCell(a.first, b.first) && sameCell(a.last, b.last) &&
           a.sheet == b.sheet;
}

// Length of the run of reference characters from `i` (letters, digits, $, :).
qsizetype referenceEnd(const QString& f, qsizetype i) {
    qsizetype j = i;
    while (j < f.size() && (isWordChar(f[j]) || f[j] == u':'))
        ++j;
    return j;
}

} // namespace

QString quotedSheetName(const QString& name) {
    bool plain = !name.isEmpty() && !name[0].isDigit();
    for (QChar c : name)
        if (!(c.isLetterOrNumber() || c == u'_' || c == u'.'))
            plain = false;
    Cell cell;
    if (plain && CellReference::parseCell(name, cell))
        plain = false; // a sheet called "A1" must be quoted
    if (plain)
        return name;
    QString q = name;
    q.replace(u'\'', QStringLiteral("''"));
    return u'\'' + q + u'\'';
}

QString rewrite(const QString& f, const Rewrite& change) {
    QString out;
    out.reserve(f.size() + 8);
    const QStringView view(f);
    qsizetype i = 0;
    // The reference written at [start, end): as written while it stays the same.
    auto put = [&](const Reference& ref, qsizetype start, qsizetype end) {
        if (const std::optional<Reference> r = change(ref)) {
            if (sameReference(*r, ref))
                out += view.mid(start, end - start);
            else
                appendReference(out, *r);
        } else {
            out += QStringLiteral("#REF!");
        }
    };
    while (i < f.size()) {
        const QChar c = f[i];
        if (c == u'"') { // string literal, "" inside
            qsizetype j = i + 1;
            while (j < f.size()) {
                if (f[j] == u'"') {
                    if (j + 1 < f.size() && f[j + 1] == u'"') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += view.mid(i, j + 1 - i);
            i = j + 1;
            continue;
        }
        if (c == u'\'') { // quoted sheet name, then '!' and a reference
            QString sheet;
            qsizetype j = i + 1;
            while (j < f.size()) {
                if (f[j] == u'\'') {
                    if (j + 1 < f.size() && f[j + 1] == u'\'') {
                        sheet += u'\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                sheet += f[j++];
            }
            if (j + 1 < f.size() && f[j + 1] == u'!') {
                const qsizetype start = j + 2;
                const qsizetype end = referenceEnd(f, start);
                Reference ref;
                if (parseReference(view.mid(start, end - start), ref)) {
                    ref.sheet = sheet;
                    put(ref, i, end);
                    i = end;
                    continue;
                }
            }
            const qsizetype stop = std::min(j + 1, f.size());
            out += view.mid(i, stop - i);
            i = stop;
            continue;
        }
        if (isWordChar(c)) {
            qsizetype j = i;
            while (j < f.size() && isWordChar(f[j]))
                ++j;
            const QStringView word = view.mid(i, j - i);
            if (j < f.size() && f[j] == u'!') { // Sheet!ref
                const qsizetype start = j + 1;
                const qsizetype end = referenceEnd(f, start);
                Reference ref;
                if (parseReference(view.mid(start, end - start), ref)) {
                    ref.sheet = word.toString();
                    put(ref, i, end);
                    i = end;
                    continue;
                }
                out += view.mid(i, start - i);
                i = start;
                continue;
            }
            if (j < f.size() && f[j] == u'(') { // a function name
                out += word;
                i = j;
                continue;
            }
            const qsizetype end = referenceEnd(f, i);
            Reference ref;
            if (parseReference(view.mid(i, end - i), ref)) {
                put(ref, i, end);
                i = end;
                continue;
            }
            out += word;
            i = j;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

QString moved(const QString& formula, int rows, int columns) {
    return rewrite(formula, [rows, columns](const Reference& in) -> std::optional<Reference> {
        Reference r = in;
        for (Cell* c : {&r.first, &r.last}) {
            if (r.kind != Reference::Columns && !c->absoluteRow)
                c->row += rows;
            if (r.kind != Reference::Rows && !c->absoluteColumn)
                c->column += columns;
            if ((r.kind != Reference::Columns && (c->row < 1 || c->row > CellReference::MaxRow)) ||
                (r.kind != Reference::Rows && (c->column < 1 || c->column > CellReference::MaxColumn)))
                return std::nullopt;
        }
        return r;
    });
}

std::optional<CellReference::Area> areaShifted(CellReference::Area a, int row, int count) {
    if (count > 0) {
        if (a.firstRow >= row)
            a.firstRow += count;
        if (a.lastRow >= row)
            a.lastRow += count;
        if (a.lastRow > CellReference::MaxRow)
            a.lastRow = CellReference::MaxRow;
        if (a.firstRow > CellReference::MaxRow)
            return std::nullopt;
        return a;
    }
    const int n = -count, lastDeleted = row + n - 1;
    auto shiftDown = [&](int r) { return r > lastDeleted ? r - n : r; };
    if (a.firstRow >= row && a.lastRow <= lastDeleted)
        return std::nullopt;
    a.firstRow = a.firstRow >= row && a.firstRow <= lastDeleted ? row : shiftDown(a.firstRow);
    a.lastRow = a.lastRow >= row && a.lastRow <= lastDeleted ? row - 1 : shiftDown(a.lastRow);
    return a;
}

std::optional<Reference> rowsShifted(const Reference& in, const QString& ownSheet, const QString& sheet,
                                     int row, int count) {
    const QString& target = in.sheet.isEmpty() ? ownSheet : in.sheet;
    if (in.kind == Reference::Columns || target.compare(sheet, Qt::CaseInsensitive) != 0)
        return in;
    const std::optional<CellReference::Area> a = areaShifted({in.first.row, 1, in.last.row, 1}, row, count);
    if (!a)
        return std::nullopt;
    Reference r = in;
    r.first.row = a->firstRow;
    r.last.row = a->lastRow;
    return r;
}

QString rowsShifted(const QString& formula, const QString& ownSheet, const QString& sheet, int row,
                    int count) {
    return rewrite(formula,
                   [&](const Reference& in) { return rowsShifted(in, ownSheet, sheet, row, count); });
}

QString rowsTranslated(const QString& formula, const QString& ownSheet, const QString& sheet, int rows) {
    return rewrite(formula, [&](const Reference& in) -> std::optional<Reference> {
        const QString& target = in.sheet.isEmpty() ? ownSheet : in.sheet;
        if (in.kind == Reference::Columns || target.compare(sheet, Qt::CaseInsensitive) != 0)
            return in;
        Reference r = in;
        r.first.row += rows;
        r.last.row += rows;
        return r;
    });
}

void addToSpan(RowSpan& span, const Reference& in, const QString& ownSheet) {
    if (!in.sheet.isEmpty() && in.sheet.compare(ownSheet, Qt::CaseInsensitive) != 0) {
        span.otherSheets = true;
    } else if (in.kind != Reference::Columns) {
        const int low = std::min(in.first.row, in.last.row), high = std::max(in.first.row, in.last.row);
        span.first = span.last == 0 ? low : std::min(span.first, low);
        span.last = std::max(span.last, high);
    }
}

RowSpan rowSpan(const QString& formula, const QString& ownSheet) {
    RowSpan span;
    rewrite(formula, [&](const Reference& in) -> std::optional<Reference> {
        addToSpan(span, in, ownSheet);
        return in;
    });
    return span;
}

} // namespace FormulaReferences
