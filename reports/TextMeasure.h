#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

struct TSiReportElement;

// How a composition measures the texts that wrap: memo fields and stretching data fields are
// broken into lines no wider than their element and grow by the height of those lines. Graphic
// output measures with the report fonts. The character grid (text export, line printers) counts
// the element's columns at the pitch of its font size and gives every text line one grid line, so
// a memo breaks where the grid would cut it and no word is lost.
class TextMeasure {
  public:
    enum Kind { Fonts, CharacterGrid };

    TextMeasure() = default; // the report fonts
    // The grid of a line spacing (0 = 6, 1 = 4, 2 = 3 lines per inch).
    static TextMeasure characterGrid(int lineSpacing);

    Kind kind() const { return m_kind; }
    // Height of one line of the element's text, hundredths of an inch.
    double lineHeight(const TSiReportElement& e) const;
    // The text broken into lines that fit the element's width.
    QStringList wrap(const TSiReportElement& e, const QString& text) const;

  private:
    Kind m_kind = Fonts;
    int m_lineSpacing = 0;
};

// Breaks a text into lines no wider than `width` as `widthOf` measures them: at blanks where
// possible, a word wider than a line between characters; CR, LF and CR LF always break.
QStringList WrapText(const QString& text, double width, const std::function<double(QStringView)>& widthOf);
