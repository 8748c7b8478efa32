#pragma once

#include "TSestLanguage.h"
#include "TZnakovyRadek.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The character grid a composed page is rendered on for line printers and text export.
// Positions are in hundredths of an inch; rows follow the line spacing (6, 4 or 3 lines per
// inch), columns the pitch chosen by a text's font size (10, 12 or 17 characters per inch).
class TZnakovePole {
  public:
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCentre = 2 };
    // Texts ending beyond this column are dropped.
    static constexpr int MaxColumn = 255;
    // A grid never has more rows than this, whatever page height it is given.
    static constexpr int MaxRows = 32767;

    // Lines per inch of a line-spacing setting: 0 → 6, 1 → 4, 2 → 3 (others as 0).
    static int linesPerInch(int lineSpacing);
    // Pitch of a font size in points: below 9 → 2 (17 cpi), 9–10 → 1 (12 cpi), 11 and up → 0 (10 cpi).
    static int pitchOfFontSize(int fontSize);
    // Characters per inch of a pitch: 0 → 10, 1 → 12, 2 → 17.
    static int charsPerInch(int pitch);
    // Font variant of an element's style bits (1 bold, 2 italic, 4 underline).
    static int variantOfStyle(int style) { return style & 7; }
    // Row of a y position: y × lines per inch / 100, halves to the even row.
    static int rowOfY(int y, int linesPerInch);
    // Column of an x position: x × characters per inch / 100, truncated.
    static int columnOfX(int x, int pitch);

    // Clears the rows and creates trunc(page height × lines per inch / 100) empty rows.
    void size(int pageHeight, int lineSpacing);
    int rowCount() const { return int(m_rows.size()); }
    int linesPerInch() const { return m_linesPerInch; }
    const TZnakovyRadek& row(int index) const { return m_rows[size_t(index)]; }
    // Empties every slot (between pages).
    void clearSlots();

    // Starts file output: clears the slots and begins an empty text buffer.
    void setOutputFile(const QString& fileName);
    const QString& outputFile() const { return m_fileName; }

    // Writes a text into its row and slot, aligned within the columns of the box (left, top,
    // right, bottom); `rowOffset` moves it down by whole rows. Texts that do not fit the grid are
    // dropped; characters below code 32 become blanks.
    void PlaceText(int left, int top, int right, int bottom, const QString& text, int alignment, int variant,
                   int fontSize, int rowOffset = 0);
    // A multi-line text, line n at row offset n.
    void placeLines(int left, int top, int right, int bottom, const QString& text, int alignment, int variant,
                    int fontSize);

    // One export line per row: the text at the first pitch (10, 12, 17 cpi) that has any, with its
    // variants laid over each other, in the target code page, ended by CR LF.
    void appendToBuffer(TSestLanguage target);
    // The export line of a row as text (before code-page conversion).
    QString exportLine(int row) const;
    const QByteArray& buffer() const { return m_buffer; }
    // Writes the buffer to the output file; throws IoError when it cannot.
    void saveToFile() const;

  private:
    std::vector<TZnakovyRadek> m_rows;
    int m_linesPerInch = 6;
    QString m_fileName;
    QByteArray m_buffer;
};
