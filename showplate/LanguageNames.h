#pragma once

#include <QString>

// The name Windows gives a language id (as VerLanguageName does on an English system):
// "Czech" for 0x0405, "English (United States)" for 0x0409. A sublanguage missing from the
// table is named by its primary language; an unknown language is "Language Neutral".
QString languageName(quint16 languageId);
