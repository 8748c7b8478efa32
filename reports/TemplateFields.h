#pragma once

#include <QString>

// Reads the comma-separated fields of one template line. A field that starts with a double quote runs to
// the next quote not followed by another one ("" stands for one quote); whatever stands between that
// quote and the next comma is appended. A field missing at the end of the line reads as empty.
class TemplateLineReader {
  public:
    explicit TemplateLineReader(const QString& line);

    QString next();
    // Decimal integer; an empty, malformed or out-of-range field gives the default.
    int nextInt(int defaultValue = 0);
    // Integer field, 0 = false, anything else = true; an empty or malformed field gives the default.
    bool nextBool(bool defaultValue = false);
    // True once every field of the line has been read.
    bool atEnd() const { return m_done; }
    // The unread part of the line after the last comma consumed.
    QString rest() const;

  private:
    QString m_line;
    qsizetype m_pos = 0;
    bool m_done = false;
};

// Integer of a template field: optional blanks and sign, decimal digits, 32-bit range.
int parseTemplateInt(const QString& field, int defaultValue, bool* ok = nullptr);

// A text written as a quoted field: enclosed in quotes, every quote inside doubled.
QString quotedField(const QString& text);
// A text written as a plain field; quoted only when a comma or a leading quote would split or
// change it on reading.
QString plainField(const QString& text);
