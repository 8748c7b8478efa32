#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// Fonts of report elements and the measuring of their texts in hundredths of an inch. Texts are
// drawn at ten times that resolution (fonts sized in thousandths of an inch inside a painter scaled
// by 1/10), so that glyph metrics do not round to whole hundredths.
class ReportFonts {
  public:
    static constexpr int kScale = 10;

    // Font for a size in points and the style bits of an element (1 bold, 2 italic, 4 underline,
    // 8 strike-out), sized for drawing at kScale. Names with the " CE" suffix of central-European
    // font variants fall back to the base family.
    static QFont font(const QString& name, int pointSize, int style);

    ReportFonts(const QString& name, int pointSize, int style);
    // Height of one text line, hundredths of an inch.
    double lineHeight() const;
    double textWidth(const QString& text) const;
    // The text broken into lines no wider than `width` (at blanks where possible); '\n' always breaks.
    QStringList wrap(const QString& text, double width) const;

  private:
    QFont m_font;
    bool m_haveMetrics;
    double m_pointSize;
};
