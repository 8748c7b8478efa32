#include "LanguageNames.h"

#include <algorithm>
#include <iterator>

namespace {

struct LanguageEntry {
    quint16 id;
    const char* name;
};

// Language ids with their sublanguage.
constexpr LanguageEntry Languages[] = {
    {0x0000, "Language Neutral"},
    {0x0401, "Arabic (Saudi Arabia)"},
    {0x0402, "Bulgarian"},
    {0x0403, "Catalan"},
    {0x0404, "Chinese (Taiwan)"},
    {0x0405, "Czech"},
    {0x0406, "Danish"},
    {0x0407, "German (Germany)"},
    {0x0408, "Greek"},
    {0x0409, "English (United States)"},
    {0x040A, "Spanish (Traditional Sort)"},
    {0x040B, "Finnish"},
    {0x040C, "French (France)"},
    {0x040D, "Hebrew"},
    {0x040E, "Hungarian"},
    {0x040F, "Icelandic"},
    {0x0410, "Italian (Italy)"},
    {0x0411, "Japanese"},
    {0x0412, "Korean"},
    {0x0413, "Dutch (Netherlands)"},
    {0x0414, "Norwegian (Bokmal)"},
    {0x0415, "Polish"},
    {0x0416, "Portuguese (Brazil)"},
    {0x0417, "Romansh"},
    {0x0418, "Romanian"},
    {0x0419, "Russian"},
    {0x041A, "Croatian"},
    {0x041B, "Slovak"},
    {0x041C, "Albanian"},
    {0x041D, "Swedish"},
    {0x041E, "Thai"},
    {0x041F, "Turkish"},
    {0x0420, "Urdu"},
    {0x0421, "Indonesian"},
    {0x0422, "Ukrainian"},
    {0x0423, "Belarusian"},
    {0x0424, "Slovenian"},
    {0x0425, "Estonian"},
    {0x0426, "Latvian"},
    {0x0427, "Lithuanian"},
    {0x0429, "Farsi"},
    {0x042A, "Vietnamese"},
    {0x042B, "Armenian"},
    {0x042D, "Basque"},
    {0x042F, "Macedonian (FYROM)"},
    {0x0436, "Afrikaans"},
    {0x0437, "Georgian"},
    {0x0438, "Faroese"},
    {0x0439, "Hindi"},
    {0x043E, "Malay (Malaysia)"},
    {0x043F, "Kazakh"},
    {0x0441, "Swahili"},
    {0x0443, "Uzbek (Latin)"},
    {0x0456, "Galician"},
    {0x0804, "Chinese (PRC)"},
    {0x0807, "German (Switzerland)"},
    {0x0809, "English (United Kingdom)"},
    {0x080A, "Spanish (Mexico)"},
    {0x080C, "French (Belgium)"},
    {0x0810, "Italian (Switzerland)"},
    {0x0813, "Dutch (Belgium)"},
    {0x0814, "Norwegian (Nynorsk)"},
    {0x0816, "Portuguese (Portugal)"},
    {0x081A, "Serbian (Latin)"},
    {0x081D, "Swedish (Finland)"},
    {0x0C07, "German (Austria)"},
    {0x0C09, "English (Australia)"},
    {0x0C0A, "Spanish (International Sort)"},
    {0x0C0C, "French (Canada)"},
    {0x0C1A, "Serbian (Cyrillic)"},
    {0x1007, "German (Luxembourg)"},
    {0x1009, "English (Canada)"},
    {0x100C, "French (Switzerland)"},
    {0x1407, "German (Liechtenstein)"},
    {0x1409, "English (New Zealand)"},
    {0x1809, "English (Ireland)"},
};

// Names of primary languages for sublanguages the table does not list.
constexpr LanguageEntry PrimaryLanguages[] = {
    {0x01, "Arabic"},  {0x04, "Chinese"},    {0x05, "Czech"},     {0x07, "German"},    {0x09, "English"},
    {0x0A, "Spanish"}, {0x0C, "French"},     {0x10, "Italian"},   {0x13, "Dutch"},     {0x14, "Norwegian"},
    {0x15, "Polish"},  {0x16, "Portuguese"}, {0x19, "Russian"},   {0x1A, "Croatian"},  {0x1B, "Slovak"},
    {0x1D, "Swedish"}, {0x22, "Ukrainian"},  {0x24, "Slovenian"}, {0x0E, "Hungarian"}, {0x0B, "Finnish"},
};

const char* find(const LanguageEntry* begin, const LanguageEntry* end, quint16 id) {
    const LanguageEntry* it = std::find_if(begin, end, [id](const LanguageEntry& e) { return e.id == id; });
    return it == end ? nullptr : it->name;
}

} // namespace

QString languageName(quint16 languageId) {
    if (const char* name = find(std::begin(Languages), std::end(Languages), languageId))
        return QString::fromLatin1(name);
    if (const char* name = find(std::begin(PrimaryLanguages), std::end(PrimaryLanguages), languageId & 0x3FF))
        return QString::fromLatin1(name);
    return QStringLiteral("Language Neutral");
}
