#include "TZnakovePole.h"

#include "AtomicFileWriter.h"
#include "ConvertText.h"
#include "RivwoodError.h"

#include <QDir>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// a / b rounded to the nearest integer, halves to even (b > 0).
long long divideRoundEven(long long a, long long b) {
    long long q = a / b;
    long long r = a % b;
    if (r < 0) {
        r += b;
        --q;
    }
    if (2 * r > b || (2 * r == b && (q % 2 != 0)))
        ++q;
    return q;
}

} // namespace

int TZnakovePole::linesPerInch(int lineSpacing) {
    switch (lineSpacing) {
    case 1:
        return 4;
    case 2:
        return 3;
    default:
        return 6;
    }
}

int TZnakovePole::pitchOfFontSize(int fontSize) {
    if (fontSize < 9)
        return 2;
    if (fontSize <= 10)
        return 1;
    return 0;
}

int TZnakovePole::charsPerInch(int pitch) {
    switch (pitch) {
    case 1:
        return 12;
    case 2:
        return 17;
    default:
        return 10;
    }
}

int TZnakovePole::rowOfY(int y, int lpi) {
    return int(divideRoundEven((long long)y * lpi, 100));
}

int TZnakovePole::columnOfX(int x, int pitch) {
    return int((long long)x * charsPerInch(pitch) / 100); // C++ division truncates toward zero
}

void TZnakovePole::size(int pageHeight, int lineSpacing) {
    m_linesPerInch = linesPerInch(lineSpacing);
    const long long rows = std::max(0LL, (long long)pageHeight * m_linesPerInch / 100);
    m_rows.clear();
    m_rows.resize(size_t(std::min<long long>(rows, MaxRows)));
}

void TZnakovePole::clearSlots() {
    for (TZnakovyRadek& r : m_rows)
        r.clear();
}

void TZnakovePole::setOutputFile(const QString& fileName) {
    clearSlots();
    m_fileName = fileName;
    m_buffer.clear();
}

void TZnakovePole::PlaceText(int left, int top, int right, int bottom, const QString& text, int alignment,
                             int variant, int fontSize, int rowOffset) {
    Q_UNUSED(bottom);
    if (text.isEmpty())
        return;
    const long long row = (long long)rowOffset + rowOfY(top, m_linesPerInch);
    const int pitch = pitchOfFontSize(fontSize);
    const long long e = columnOfX(left, pitch);
    const long long w =
        columnOfX(int(std::clamp<long long>((long long)right - left, INT_MIN, INT_MAX)), pitch);
    const long long f = e + w;
    if (f > MaxColumn || f < 0 || row >= rowCount() || row < 0 || e < 0 || w <= 0)
        return;

    QString s = text;
    for (QChar& c : s)
        if (c.unicode() < 32)
            c = QChar(' ');
    const int length = s.size();
    const int width = int(w);
    int start = int(e); // 0-based column of the first character written
    switch (alignment & 3) {
    case AlignRight:
        if (length > width)
            s = s.right(width);
        start = int(f) - s.size();
        break;
    case AlignCentre:
        if (length > width) {
            s = s.mid((length - width) / 2, width);
        } else {
            start = int(e) + (width - length) / 2;
        }
        break;
    default:
        s = s.left(width);
        break;
    }

    TZnakovyRadek& r = m_rows[size_t(row)];
    const int slot = pitch * 8 + (variant & 7);
    QString line = r.slot(slot);
    if (line.size() < f)
        line = line.leftJustified(int(f), QChar(' '));
    line.replace(start, s.size(), s);
    r.setSlot(slot, line);
}

void TZnakovePole::placeLines(int left, int top, int right, int bottom, const QString& text, int alignment,
                              int variant, int fontSize) {
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    const QStringList lines = normalized.split(QChar('\n'));
    for (int n = 0; n < lines.size(); ++n)
        PlaceText(left, top, right, bottom, lines[n], alignment, variant, fontSize, n);
}

QString TZnakovePole::exportLine(int row) const {
    const TZnakovyRadek& r = m_rows[size_t(row)];
    for (int pitch = 0; pitch < 3; ++pitch) {
        QString line;
        bool any = false;
        for (int variant = 0; variant < 8; ++variant) {
            const QString& s = r.slot(pitch * 8 + variant);
            if (s.isEmpty())
                continue;
            any = true;
            if (line.size() < s.size())
                line = line.leftJustified(s.size(), QChar(' '));
            for (int i = 0; i < s.size(); ++i)
                if (line[i] == QChar(' '))
                    line[i] = s[i];
        }
        if (any)
            return line;
    }
    return {};
}

void TZnakovePole::appendToBuffer(TSestLanguage target) {
    for (int i = 0; i < rowCount(); ++i) {
        m_buffer += ConvertText(exportLine(i), target);
        m_buffer += "\r\n";
    }
}

void TZnakovePole::saveToFile() const {
    if (m_fileName.isEmpty())
        throw IoError(QStringLiteral("Není zvolen soubor pro výstup sestavy."));
    if (const QString cause = AtomicFileWriter::Write(m_fileName, m_buffer); !cause.isEmpty())
        throw IoError(
            QStringLiteral("Soubor %1 nelze uložit: %2.").arg(QDir::toNativeSeparators(m_fileName), cause));
}
