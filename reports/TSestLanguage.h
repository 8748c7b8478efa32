#pragma once

#include <QString>

// Target code page of the text export of a report.
enum TSestLanguage {
    slUndefined = 0, // no conversion: the program's own encoding (cp1250)
    slASCII = 1,     // Czech and Slovak letters without their diacritics
    slCP867 = 2,     // Kamenický
    slCP852 = 3,     // IBM Latin 2
    slCP1250 = 4,    // Windows Central European
};

// "slUndefined", "slASCII", … as the report component's property names them.
QString languageName(TSestLanguage language);
// Accepts the property names and the short forms "ascii", "cp867", "cp852", "cp1250"
// (case-insensitive); *ok is false for anything else (the result is then slUndefined).
TSestLanguage languageFromName(const QString& name, bool* ok = nullptr);
