#pragma once

#include "CellReference.h"
#include "FormulaReferences.h"
#include "XlsxStyles.h"

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class Workbook;

// One cell: a value (number, text, truth value or error code), an optional formula and a format.
struct SheetCell {
    enum Type { Empty, Number, Text, Boolean, Error };
    Type type = Empty;
    double number = 0;
    QString text;    // Text, or the code of an Error
    QString formula; // without "="
    int style = 0;   // record of the workbook's XlsxStyles
};

struct SheetRow {
    std::map<int, SheetCell> cells;
    double height = 0; // points; 0 = the sheet's default
    bool hidden = false;
    int style = -1; // the row's own format, -1 for none
};

struct SheetColumns {
    int first = 1, last = 1;
    double width = 0;
    bool customWidth = false;
    bool hidden = false;
    int style = -1;
};

// The page layout of a sheet as its part wrote it (sheetPr, sheetFormatPr, printOptions,
// pageMargins, pageSetup, headerFooter), plus whether gridlines show.
struct SheetLayout {
    QString sheetPr, sheetFormatPr, printOptions, pageMargins, pageSetup, headerFooter;
    bool showGridLines = true;
};

// A worksheet of a workbook. Structural edits (rows inserted and deleted) keep merged cells,
// defined names and the formulas of every sheet of the workbook pointing at the same cells. Their
// work on formulas follows the cells that move: a formula that refers only to rows above an edit is
// not looked at, one that refers only to rows below it is moved without being rewritten (its text
// is brought up to date when it is read), and only a formula whose references span the edit, or
// that refers to the edited sheet from another one, is rewritten.
class Worksheet {
  public:
    Worksheet(Workbook& book, QString name) : m_book(&book), m_name(std::move(name)) {}

    Workbook& book() const { return *m_book; }
    const QString& name() const { return m_name; }

    const std::map<int, SheetRow>& rows() const;
    const SheetCell* cell(int row, int column) const;
    SheetCell& cellAt(int row, int column);
    void setNumber(int row, int column, double value);
    void setText(int row, int column, const QString& text);
    void setFormula(int row, int column, const QString& formula);
    SheetRow& rowAt(int row);

    std::vector<SheetColumns>& columns() { return m_columns; }
    const std::vector<SheetColumns>& columns() const { return m_columns; }
    std::vector<CellReference::Area>& merges() { return m_merges; }
    const std::vector<CellReference::Area>& merges() const { return m_merges; }
    SheetLayout& layout() { return m_layout; }
    const SheetLayout& layout() const { return m_layout; }

    // A whole empty row before `row`; it takes the formats of the row above, as a typed insert does.
    void insertRow(int row);
    void deleteRow(int row);
    // The cells of `area` of `source` (any workbook) land with their top left at (row, column),
    // replacing what the target rectangle held: values, formulas (moved), formats and merged cells
    // inside the area. Whole rows bring their heights; the whole sheet its columns and page layout.
    void copyFrom(const Worksheet& source, const CellReference::Area& area, int row, int column);
    void copyWholeSheet(const Worksheet& source);

    // Last used row and column (0 when empty).
    int lastRow() const;
    int lastColumn() const;
    std::size_t cellCount() const;

  private:
    friend class Workbook;
    // A row that holds (or held) formula cells: the rows of this sheet its formulas refer to, whether
    // they refer to other sheets, and the rows by which all their references to this sheet have moved
    // since their texts were last written.
    struct FormulaRow {
        FormulaReferences::RowSpan span;
        bool measured = false; // false also once the row holds no formula
        int shift = 0;
    };

    void shiftRows(int row, int count);
    // Before a formula is written into the row.
    void noteFormula(int row);
    void measureFormulas();
    // Writes the pending moves into the formula texts of a row, or of rows first..last.
    void settle(int row) const;
    void settle(int first, int last) const;
    void rewriteFormulas(int row, FormulaRow& state, const QString& sheet, int at, int count);
    void shiftFormulas(const QString& sheet, int row, int count);
    // After the formulas of a row were measured.
    void noteSpan(int row, const FormulaReferences::RowSpan& span);

    Workbook* m_book;
    QString m_name;
    // Mutable: formula texts with pending moves are brought up to date when they are read.
    mutable std::map<int, SheetRow> m_rows;
    std::vector<SheetColumns> m_columns;
    std::vector<CellReference::Area> m_merges;
    SheetLayout m_layout;
    mutable std::map<int, FormulaRow> m_formulaRows;
    std::vector<int> m_unmeasured; // formula rows written since the last structural edit
    // Whether any formula of the sheet has referred to another sheet: edits of other sheets pass
    // over a sheet that never did without looking at its formulas.
    bool m_referOtherSheets = false;
    // Formula rows that have referred to rows below themselves (and maybe some that no longer do):
    // of the rows above an edit only these can reach it.
    std::set<int> m_reachDown;
};

// A name of the workbook ("zacatek" = sestava!$A$15:$O$15); `scope` set for a sheet's own name
// such as its print area "_xlnm.Print_Area".
struct DefinedName {
    QString name;
    QString formula;
    const Worksheet* scope = nullptr;
    bool hidden = false;
};

// An OOXML workbook held in memory: its sheets in order, the defined names and the formats.
class Workbook {
  public:
    Workbook() = default;
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    int sheetCount() const { return int(m_sheets.size()); }
    Worksheet& sheet(int index) const { return *m_sheets[size_t(index)]; }
    int indexOf(const Worksheet& sheet) const;
    // The sheet of that name (compared as Excel does, ignoring letter case), or nullptr.
    Worksheet* findSheet(const QString& name) const;
    // A new empty sheet at `index`. A name that is not a valid sheet name, or that the workbook
    // already has, is a RivwoodError.
    Worksheet& addSheet(const QString& name, int index);

    Worksheet* activeSheet() const { return m_active; }
    void activate(Worksheet& sheet) { m_active = &sheet; }

    std::vector<DefinedName>& names() { return m_names; }
    const std::vector<DefinedName>& names() const { return m_names; }
    // The first area a workbook-level name refers to: its sheet and cells.
    std::optional<std::pair<Worksheet*, CellReference::Area>> namedArea(const QString& name) const;

    XlsxStyles& styles() { return m_styles; }
    const XlsxStyles& styles() const { return m_styles; }

    // Why a sheet name is refused, or empty when Excel takes it (1–31 characters, none of
    // [ ] : * ? / \, not starting or ending with an apostrophe).
    static QString sheetNameProblem(const QString& name);

  private:
    friend class Worksheet;
    void measureFormulas();
    void rowsChanged(Worksheet& sheet, int row, int count);

    std::vector<std::unique_ptr<Worksheet>> m_sheets;
    std::vector<DefinedName> m_names;
    XlsxStyles m_styles;
    Worksheet* m_active = nullptr;
};
