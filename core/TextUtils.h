#pragma once

#include <QString>
#include <array>

// A 3-character, space-padded code field (species abbreviation, curve species, table species),
// held as the cp1250 bytes that records and files store.
struct Kod3 {
    std::array<char, 3> c{' ', ' ', ' '};
    friend bool operator==(const Kod3&, const Kod3&) = default;
};

// The three characters, trimmed of spaces and control characters at both ends.
QString CharsToString(const Kod3& code);
// Three spaces filled from the text; a text longer than three characters is a RangeError.
Kod3 StringToChars(const QString& text);
// At most `width` UTF-16 units of the text, one fewer where the cut would split a character
// (a surrogate pair), so a text cut to a column width stays valid.
QString CutAtCharacter(const QString& text, qsizetype width);
// The length of a cut at most `width` units into the text that splits no surrogate pair.
qsizetype CharacterBoundary(QStringView text, qsizetype width);
// Removes the space character (only) from both ends.
QString TrimSet(const QString& text);
// The trimmed text before the first "=" of a key=value line.
QString NamePart(const QString& line);
// The trimmed text after the first "=" (empty when there is none).
QString ValuePart(const QString& line);
// True when the text is empty or consists of spaces only.
bool IsBlank(const QString& text);
// The trimmed text as a double, or the fallback when it is not a number. Accepts "." and ",".
double ToNumber(const QString& text, double fallback);
// The trimmed text as an integer, or the fallback when it is not an integer.
int ToInteger(const QString& text, int fallback);
// Rounds halves to the even neighbour, as every integer rounding of the program does.
double RoundHalfEven(double x);
// C printf formatting of one number ("%8.2f", "%8.4g", …), always with "." as separator.
QString FormatNumber(const char* format, double value);
