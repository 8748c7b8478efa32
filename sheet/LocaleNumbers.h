#pragma once

#include <QChar>
#include <QString>

// Numbers as the windows show and read them: the printf formats of the program with the decimal
// separator of the user's locale. The caliper imports switch the separator to "." while they
// run, as the program always did.
namespace LocaleNumbers {

QChar decimalPoint();
void setDecimalPoint(QChar separator);
// Back to the separator of the current locale.
void resetDecimalPoint();

// printf formatting ("%8.2f", "%8.4g") with the current separator.
QString Format(const char* format, double value);
// The trimmed text as a number (the current separator, or "." / ","); the fallback otherwise.
double Read(const QString& text, double fallback);
bool IsNumber(const QString& text);
// A shown cell text of the core (always ".") with the current separator.
QString Localize(const QString& text);
// The shortest decimal representation of a value, with the current separator.
QString Shortest(double value);

// Sets "." as the separator for its lifetime.
class DotScope {
  public:
    DotScope() : m_previous(decimalPoint()) { setDecimalPoint('.'); }
    ~DotScope() { setDecimalPoint(m_previous); }
    DotScope(const DotScope&) = delete;
    DotScope& operator=(const DotScope&) = delete;

  private:
    QChar m_previous;
};

} // namespace LocaleNumbers
