#include "Workbook.h"

#include "FormulaReferences.h"
#include "RivwoodError.h"

#include <algorithm>

using CellReference::Area;
using CellReference::MaxColumn;
using CellReference::MaxRow;

const std::map<int, SheetRow>& Worksheet::rows() const {
    settle(1, MaxRow);
    return m_rows;
}

SheetRow& Worksheet::rowAt(int row) {
    settle(row);
    return m_rows[row];
}

const SheetCell* Worksheet::cell(int row, int column) const {
    const auto r = m_rows.find(row);
    if (r == m_rows.end())
        return nullptr;
    const auto c = r->second.cells.find(column);
    if (c == r->second.cells.end())
        return nullptr;
    settle(row);
    return &c->second;
}

SheetCell& Worksheet::cellAt(int row, int column) {
    if (row < 1 || row > MaxRow || column < 1 || column > MaxColumn)
        throw RivwoodError(QStringLiteral("Buňka na řádku %1 ve sloupci %2 leží mimo list „%3“.")
                               .arg(row)
                               .arg(column)
                               .arg(m_name));
    return m_rows[row].cells[column];
}

void Worksheet::setNumber(int row, int column, double value) {
    SheetCell& c = cellAt(row, column);
    c.type = SheetCell::Number;
    c.number = value;
    c.text.clear();
    c.formula.clear();
}

void Worksheet::setText(int row, int column, const QString& text) {
    SheetCell& c = cellAt(row, column);
    c.type = text.isEmpty() ? SheetCell::Empty : SheetCell::Text;
    c.text = text;
    c.number = 0;
    c.formula.clear();
}

void Worksheet::setFormula(int row, int column, const QString& formula) {
    SheetCell& c = cellAt(row, column);
    noteFormula(row);
    c.type = SheetCell::Empty;
    c.text.clear();
    c.formula = formula;
}

void Worksheet::noteFormula(int row) {
    settle(row);
    const auto [it, added] = m_formulaRows.try_emplace(row);
    if (added || it->second.measured) {
        it->second.measured = false;
        m_unmeasured.push_back(row);
    }
}

void Worksheet::settle(int row) const {
    const auto f = m_formulaRows.find(row);
    if (f == m_formulaRows.end() || f->second.shift == 0)
        return;
    if (const auto r = m_rows.find(row); r != m_rows.end())
        for (auto& [column, c] : r->second.cells)
            if (!c.formula.isEmpty())
                c.formula = FormulaReferences::rowsTranslated(c.formula, m_name, m_name, f->second.shift);
    f->second.shift = 0;
}

void Worksheet::settle(int first, int last) const {
    for (auto it = m_formulaRows.lower_bound(first); it != m_formulaRows.end() && it->first <= last; ++it)
        if (it->second.shift != 0)
            settle(it->first);
}

namespace {

// What the formulas of a row refer to; false when the row holds none.
bool measureRow(const SheetRow* row, const QString& sheet, FormulaReferences::RowSpan& span) {
    span = {};
    bool any = false;
    if (row)
        for (const auto& [column, c] : row->cells)
            if (!c.formula.isEmpty()) {
                any = true;
                FormulaReferences::rewrite(c.formula, [&](const FormulaReferences::Reference& in) {
                    FormulaReferences::addToSpan(span, in, sheet);
                    return std::optional(in);
                });
            }
    return any;
}

} // namespace

void Worksheet::measureFormulas() {
    for (int row : m_unmeasured) {
        const auto it = m_formulaRows.find(row);
        if (it == m_formulaRows.end() || it->second.measured)
            continue;
        settle(row);
        const auto r = m_rows.find(row);
        FormulaRow& f = it->second;
        if (!measureRow(r == m_rows.end() ? nullptr : &r->second, m_name, f.span)) {
            m_formulaRows.erase(it);
        } else {
            f.measured = true;
            noteSpan(row, f.span);
        }
    }
    m_unmeasured.clear();
}

void Worksheet::shiftRows(int from, int count) {
    auto move = [&](auto& map) {
        std::vector<int> keys;
        for (auto it = map.lower_bound(from); it != map.end(); ++it)
            keys.push_back(it->first);
        if (count > 0)
            std::reverse(keys.begin(), keys.end());
        for (int key : keys) {
            auto node = map.extract(key);
            if (key + count > MaxRow || key + count < 1)
                continue;
            node.key() = key + count;
            map.insert(std::move(node));
        }
    };
    move(m_rows);
    move(m_formulaRows);
    std::vector<int> reaching(m_reachDown.lower_bound(from), m_reachDown.end());
    m_reachDown.erase(m_reachDown.lower_bound(from), m_reachDown.end());
    for (int key : reaching)
        if (key + count <= MaxRow && key + count >= 1)
            m_reachDown.insert(key + count);
}

void Worksheet::insertRow(int row) {
    if (row < 1 || row > MaxRow)
        throw RivwoodError(QStringLiteral("Řádek %1 nelze vložit do listu „%2“.").arg(row).arg(m_name));
    m_book->measureFormulas();
    shiftRows(row, 1);
    if (const auto above = m_rows.find(row - 1); above != m_rows.end()) {
        SheetRow fresh;
        fresh.height = above->second.height;
        fresh.style = above->second.style;
        for (const auto& [column, c] : above->second.cells)
            if (c.style != 0)
                fresh.cells[column].style = c.style;
        m_rows[row] = std::move(fresh);
    }
    m_book->rowsChanged(*this, row, 1);
}

void Worksheet::deleteRow(int row) {
    if (row < 1 || row > MaxRow)
        throw RivwoodError(QStringLiteral("Řádek %1 nelze odstranit z listu „%2“.").arg(row).arg(m_name));
    m_book->measureFormulas();
    m_rows.erase(row);
    m_formulaRows.erase(row);
    shiftRows(row + 1, -1);
    m_book->rowsChanged(*this, row, -1);
}

void Worksheet::rewriteFormulas(int row, FormulaRow& state, const QString& sheet, int at, int count) {
    settle(row);
    state.span = {};
    state.measured = false;
    const auto r = m_rows.find(row);
    if (r == m_rows.end())
        return;
    for (auto& [column, c] : r->second.cells) {
        if (c.formula.isEmpty())
            continue;
        state.measured = true;
        c.formula = FormulaReferences::rewrite(c.formula, [&](const FormulaReferences::Reference& in) {
            const std::optional<FormulaReferences::Reference> out =
                FormulaReferences::rowsShifted(in, m_name, sheet, at, count);
            if (out)
                FormulaReferences::addToSpan(state.span, *out, m_name);
            return out;
        });
    }
    noteSpan(row, state.span);
}

void Worksheet::noteSpan(int row, const FormulaReferences::RowSpan& span) {
    m_referOtherSheets = m_referOtherSheets || span.otherSheets;
    if (span.last > row)
        m_reachDown.insert(row);
}

void Worksheet::shiftFormulas(const QString& sheet, int row, int count) {
    const bool own = sheet.compare(m_name, Qt::CaseInsensitive) == 0;
    if (!own) {
        if (!m_referOtherSheets)
            return;
        for (auto it = m_formulaRows.begin(); it != m_formulaRows.end();) {
            if (it->second.span.otherSheets)
                rewriteFormulas(it->first, it->second, sheet, row, count);
            it = it->second.measured ? std::next(it) : m_formulaRows.erase(it);
        }
        return;
    }
    const int lastDeleted = row - count - 1; // for count < 0
    auto follow = [&](int key, FormulaRow& f) {
        FormulaReferences::RowSpan& span = f.span;
        if (span.last < row)
            return;
        // Wholly below the edit: the formulas move with their references.
        const bool below =
            count > 0 ? span.first >= row && span.last + count <= MaxRow : span.first > lastDeleted;
        if (below) {
            f.shift += count;
            span.first += count;
            span.last += count;
        } else {
            rewriteFormulas(key, f, sheet, row, count);
        }
    };
    // Rows above the edit reach it only through references below themselves; the rows from the
    // edit on have moved with it. The others are not looked at.
    for (auto k = m_reachDown.begin(); k != m_reachDown.end() && *k < row;) {
        const auto it = m_formulaRows.find(*k);
        if (it == m_formulaRows.end() || !it->second.measured || it->second.span.last <= *k) {
            k = m_reachDown.erase(k);
            continue;
        }
        follow(*k, it->second);
        if (!it->second.measured)
            m_formulaRows.erase(it);
        ++k;
    }
    for (auto it = m_formulaRows.lower_bound(row); it != m_formulaRows.end();) {
        follow(it->first, it->second);
        it = it->second.measured ? std::next(it) : m_formulaRows.erase(it);
    }
}

void Worksheet::copyFrom(const Worksheet& source, const Area& area, int row, int column) {
    const int dr = row - area.firstRow, dc = column - area.firstColumn;
    const bool wholeRows = area.firstColumn == 1 && area.lastColumn == MaxColumn;
    const Area target{row, column, std::min(MaxRow, area.lastRow + dr),
                      std::min(MaxColumn, area.lastColumn + dc)};
    const bool sameBook = &source.book() == m_book;

    source.settle(area.firstRow, area.lastRow);
    struct Item {
        int row, column;
        SheetCell cell;
    };
    struct RowFormat {
        int row;
        double height;
        bool hidden;
        int style;
    };
    std::vector<Item> items;
    std::vector<RowFormat> rowFormats;
    for (auto r = source.m_rows.lower_bound(area.firstRow);
         r != source.m_rows.end() && r->first <= area.lastRow; ++r) {
        if (wholeRows)
            rowFormats.push_back({r->first, r->second.height, r->second.hidden, r->second.style});
        const auto& cells = r->second.cells;
        for (auto c = cells.lower_bound(area.firstColumn); c != cells.end() && c->first <= area.lastColumn;
             ++c)
            items.push_back({r->first, c->first, c->second});
    }
    std::vector<Area> merges;
    for (const Area& m : source.m_merges)
        if (m.firstRow >= area.firstRow && m.lastRow <= area.lastRow && m.firstColumn >= area.firstColumn &&
            m.lastColumn <= area.lastColumn)
            merges.push_back(m);

    for (auto r = m_rows.lower_bound(target.firstRow); r != m_rows.end() && r->first <= target.lastRow; ++r) {
        auto& cells = r->second.cells;
        cells.erase(cells.lower_bound(target.firstColumn), cells.upper_bound(target.lastColumn));
        if (wholeRows) {
            r->second = SheetRow{};
            m_formulaRows.erase(r->first);
        }
    }
    std::erase_if(m_merges, [&](const Area& m) {
        return m.firstRow <= target.lastRow && m.lastRow >= target.firstRow &&
               m.firstColumn <= target.lastColumn && m.lastColumn >= target.firstColumn;
    });

    auto style = [&](int s) { return sameBook ? s : m_book->styles().import(source.book().styles(), s); };
    for (const RowFormat& f : rowFormats) {
        if (f.row + dr > MaxRow)
            continue;
        SheetRow& r = m_rows[f.row + dr];
        r.height = f.height;
        r.hidden = f.hidden;
        r.style = f.style < 0 ? -1 : style(f.style);
    }
    for (Item& it : items) {
        const int r = it.row + dr, c = it.column + dc;
        if (r > MaxRow || c > MaxColumn)
            continue;
        SheetCell cell = std::move(it.cell);
        cell.style = style(cell.style);
        if (!cell.formula.isEmpty()) {
            cell.formula = FormulaReferences::moved(cell.formula, dr, dc);
            noteFormula(r);
        }
        m_rows[r].cells[c] = std::move(cell);
    }
    for (Area m : merges) {
        m.firstRow += dr;
        m.lastRow += dr;
        m.firstColumn += dc;
        m.lastColumn += dc;
        if (m.lastRow <= MaxRow && m.lastColumn <= MaxColumn)
            m_merges.push_back(m);
    }
}

void Worksheet::copyWholeSheet(const Worksheet& source) {
    copyFrom(source, {1, 1, MaxRow, MaxColumn}, 1, 1);
    const bool sameBook = &source.book() == m_book;
    m_columns = source.m_columns;
    if (!sameBook)
        for (SheetColumns& c : m_columns)
            if (c.style >= 0)
                c.style = m_book->styles().import(source.book().styles(), c.style);
    m_layout = source.m_layout;
}

int Worksheet::lastRow() const {
    for (auto r = m_rows.rbegin(); r != m_rows.rend(); ++r)
        if (!r->second.cells.empty())
            return r->first;
    return 0;
}

int Worksheet::lastColumn() const {
    int last = 0;
    for (const auto& [row, r] : m_rows)
        if (!r.cells.empty())
            last = std::max(last, r.cells.rbegin()->first);
    return last;
}

std::size_t Worksheet::cellCount() const {
    std::size_t n = 0;
    for (const auto& [row, r] : m_rows)
        n += r.cells.size();
    return n;
}

int Workbook::indexOf(const Worksheet& sheet) const {
    for (size_t i = 0; i < m_sheets.size(); ++i)
        if (m_sheets[i].get() == &sheet)
            return int(i);
    return -1;
}

Worksheet* Workbook::findSheet(const QString& name) const {
    for (const auto& s : m_sheets)
        if (s->name().compare(name, Qt::CaseInsensitive) == 0)
            return s.get();
    return nullptr;
}

QString Workbook::sheetNameProblem(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("List sešitu musí mít název.");
    if (name.size() > 31)
        return QStringLiteral("Název listu „%1“ je delší než 31 znaků.").arg(name);
    for (QChar c : name)
        if (QStringLiteral("[]:*?/\\").contains(c))
            return QStringLiteral("Název listu „%1“ obsahuje znak, který název listu mít nesmí (%2).")
                .arg(name, c);
    if (name.startsWith(u'\'') || name.endsWith(u'\''))
        return QStringLiteral("Název listu „%1“ nesmí začínat ani končit apostrofem.").arg(name);
    return {};
}

Worksheet& Workbook::addSheet(const QString& name, int index) {
    if (const QString problem = sheetNameProblem(name); !problem.isEmpty())
        throw RivwoodError(problem);
    if (findSheet(name))
        throw RivwoodError(QStringLiteral("Sešit už má list „%1“.").arg(name));
    index = std::clamp(index, 0, sheetCount());
    auto sheet = std::make_unique<Worksheet>(*this, name);
    Worksheet& added = *sheet;
    m_sheets.insert(m_sheets.begin() + index, std::move(sheet));
    if (!m_active)
        m_active = &added;
    return added;
}

std::optional<std::pair<Worksheet*, Area>> Workbook::namedArea(const QString& name) const {
    for (const DefinedName& n : m_names) {
        if (n.scope || n.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QString text = n.formula.trimmed();
        if (text.startsWith(u'='))
            text.remove(0, 1);
        QString sheetName;
        qsizetype i = 0;
        if (text.startsWith(u'\'')) {
            for (i = 1; i < text.size(); ++i) {
                if (text[i] == u'\'') {
                    if (i + 1 < text.size() && text[i + 1] == u'\'') {
                        sheetName += u'\'';
                        ++i;
                        continue;
                    }
                    break;
                }
                sheetName += text[i];
            }
            ++i;
        } else {
            i = text.indexOf(u'!');
            if (i < 0)
                return std::nullopt;
            sheetName = text.left(i);
        }
        if (i >= text.size() || text[i] != u'!')
            return std::nullopt;
        QString ref = text.mid(i + 1);
        ref = ref.left(ref.indexOf(u',') < 0 ? ref.size() : ref.indexOf(u','));
        Area area;
        Worksheet* sheet = findSheet(sheetName);
        if (!sheet || !CellReference::parseArea(ref, area))
            return std::nullopt;
        return std::make_pair(sheet, area);
    }
    return std::nullopt;
}

void Workbook::measureFormulas() {
    for (const auto& s : m_sheets)
        s->measureFormulas();
}

void Workbook::rowsChanged(Worksheet& sheet, int row, int count) {
    std::vector<Area>& merges = sheet.m_merges;
    size_t kept = 0;
    for (const Area& m : merges)
        if (const auto a = m.lastRow < row ? std::optional(m) : FormulaReferences::areaShifted(m, row, count);
            a && !(a->firstRow == a->lastRow && a->firstColumn == a->lastColumn))
            merges[kept++] = *a;
    merges.resize(kept);
    for (DefinedName& n : m_names)
        n.formula = FormulaReferences::rowsShifted(n.formula, QString(), sheet.name(), row, count);
    for (const auto& s : m_sheets)
        s->shiftFormulas(sheet.name(), row, count);
}
