#pragma once

#include <QString>
#include <map>
#include <utility>
#include <vector>

// The results workbook behind the window "Tabulka výsledků": sheets of numbers and texts, each
// cell with its font, the current sheet and selection, and the calls the window and the caller
// sequences make on it. Written as an Excel 5.0 file by Biff5Writer.
class ResultsWorkbook {
  public:
    struct Font {
        QString name = QStringLiteral("Arial");
        int size = 200; // twentieths of a point
        bool bold = false, italic = false, underline = false, strikeOut = false;
        int colour = 0x7FFF; // palette index, 0x7FFF automatic
        bool outline = false, shadow = false;
        friend bool operator==(const Font&, const Font&) = default;
    };
    struct Cell {
        bool isText = false;
        double number = 0;
        QString text;
        int font = 0; // index into fonts()
    };
    struct SheetData {
        QString name;
        std::map<std::pair<int, int>, Cell> cells; // (row, column) from 1
    };

    // Excel 5.0 in the file-type numbering of the workbook control.
    static constexpr int Excel5 = 4;

    ResultsWorkbook() { ClearWorkbook(); }

    // One empty sheet "List1", the default font only.
    void ClearWorkbook();
    int NumSheets() const { return int(m_sheets.size()); }
    // Adds sheets "List2", … or drops the last ones; at least one stays.
    void SetNumSheets(int count);
    int Sheet() const { return m_sheet; }
    void SetSheet(int sheet);
    // Last used row and column of the current sheet (0 when it is empty).
    int LastRow() const;
    int LastCol() const;

    // Empties a sheet (its name stays).
    void ClearSheet(int sheet);
    void SetSheetName(int sheet, const QString& name);
    QString SheetName(int sheet) const;
    void SetNumber(int row, int column, double value);
    void SetText(int row, int column, const QString& text);
    const Cell* cell(int row, int column) const;

    void SetSelection(int row1, int column1, int row2, int column2);
    // The font of the first cell of the selection.
    Font GetFont() const;
    // Gives every cell of the selection the font; sizes in points here.
    void SetFont(const QString& name, int sizePoints, bool bold, bool italic, bool underline, bool strikeOut,
                 int colour, bool outline, bool shadow);

    const std::vector<Font>& fonts() const { return m_fonts; }
    const SheetData& sheet(int number) const { return m_sheets[size_t(number - 1)]; }

  private:
    Cell& cellAt(int row, int column);
    SheetData& current() { return m_sheets[size_t(m_sheet - 1)]; }
    const SheetData& current() const { return m_sheets[size_t(m_sheet - 1)]; }

    std::vector<SheetData> m_sheets;
    std::vector<Font> m_fonts;
    int m_sheet = 1;
    int m_selection[4] = {1, 1, 1, 1};
};
