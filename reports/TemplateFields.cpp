#include "TemplateFields.h"

#include <limits>

TemplateLineReader::TemplateLineReader(const QString& line) : m_line(line) {}

QString TemplateLineReader::next() {
    if (m_done)
        return {};
    QString field;
    const qsizetype n = m_line.size();
    qsizetype i = m_pos;
    if (i < n && m_line[i] == u'"') {
        ++i;
        while (i < n) {
            if (m_line[i] == u'"') {
                if (i + 1 < n && m_line[i + 1] == u'"') {
                    field += u'"';
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            field += m_line[i++];
        }
    }
    const qsizetype comma = m_line.indexOf(u',', i);
    if (comma < 0) {
        field += QStringView(m_line).mid(i);
        m_pos = n;
        m_done = true;
    } else {
        field += QStringView(m_line).mid(i, comma - i);
        m_pos = comma + 1;
    }
    return field;
}

int TemplateLineReader::nextInt(int defaultValue) {
    return parseTemplateInt(next(), defaultValue);
}

bool TemplateLineReader::nextBool(bool defaultValue) {
    bool ok = false;
    const int v = parseTemplateInt(next(), 0, &ok);
    return ok ? v != 0 : defaultValue;
}

QString TemplateLineReader::rest() const {
    return m_done ? QString() : m_line.mid(m_pos);
}

int parseTemplateInt(const QString& field, int defaultValue, bool* ok) {
    if (ok)
        *ok = false;
    const QString t = field.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i >= t.size())
        return defaultValue;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return defaultValue;
        value = value * 10 + (c - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return defaultValue;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return defaultValue;
    if (ok)
        *ok = true;
    return static_cast<int>(value);
}

QString quotedField(const QString& text) {
    QString out = text;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

QString plainField(const QString& text) {
    if (text.contains(u',') || text.startsWith(u'"'))
        return quotedField(text);
    return text;
}
