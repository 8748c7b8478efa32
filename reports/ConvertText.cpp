#include "ConvertText.h"

#include "CodePages.h"

QByteArray ConvertText(const QString& text, TSestLanguage target) {
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 128) {
            out += char(c.unicode());
            continue;
        }
        if (const CodePages::Letter* letter = CodePages::findLetter(c)) {
            switch (target) {
            case slASCII:
                out += letter->ascii;
                break;
            case slCP867:
                out += char(letter->cp867);
                break;
            case slCP852:
                out += char(letter->cp852);
                break;
            case slUndefined:
            case slCP1250:
                out += char(letter->cp1250);
                break;
            }
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text[++i]);
        const int byte = CodePages::encodeChar(code, target);
        if (byte >= 0)
            out += char(byte);
        else
            out += CodePages::asciiFallback(code);
    }
    return out;
}
