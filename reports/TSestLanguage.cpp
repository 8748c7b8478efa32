#include "TSestLanguage.h"

#include <array>

namespace {
struct Entry {
    TSestLanguage language;
    const char* name;
    const char* shortName;
};
constexpr std::array<Entry, 5> entries{{
    {slUndefined, "slUndefined", "undefined"},
    {slASCII, "slASCII", "ascii"},
    {slCP867, "slCP867", "cp867"},
    {slCP852, "slCP852", "cp852"},
    {slCP1250, "slCP1250", "cp1250"},
}};
} // namespace

QString languageName(TSestLanguage language) {
    for (const Entry& e : entries)
        if (e.language == language)
            return QLatin1String(e.name);
    return QStringLiteral("slUndefined");
}

TSestLanguage languageFromName(const QString& name, bool* ok) {
    const QString n = name.trimmed();
    for (const Entry& e : entries) {
        if (n.compare(QLatin1String(e.name), Qt::CaseInsensitive) == 0 ||
            n.compare(QLatin1String(e.shortName), Qt::CaseInsensitive) == 0) {
            if (ok)
                *ok = true;
            return e.language;
        }
    }
    if (ok)
        *ok = false;
    return slUndefined;
}
