#include "CodePages.h"

#include "Cp1250.h"
#include "Cp852.h"

#include <QChar>

namespace CodePages {

namespace {

// Kamenický: the 44 letters at 0x80–0xAB, then ¼ § « » and the graphics of cp437.
const std::array<char16_t, 128> cp867Table{{
    0x010C, 0x00FC, 0x00E9, 0x010F, 0x00E4, 0x010E, 0x0164, 0x010D, 0x011B, 0x011A, 0x0139, 0x00CD, 0x013E,
    0x013A, 0x00C4, 0x00C1, 0x00C9, 0x017E, 0x017D, 0x00F4, 0x00F6, 0x00D3, 0x016F, 0x00DA, 0x00FD, 0x00D6,
    0x00DC, 0x0160, 0x013D, 0x00DD, 0x0158, 0x0165, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0148, 0x0147, 0x016E,
    0x00D4, 0x0161, 0x0159, 0x0155, 0x0154, 0x00BC, 0x00A7, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
}};

const std::array<Letter, 44> letterTable{{
    {u'Č', 'C', 128, 172, 200}, {u'ü', 'u', 129, 129, 252}, {u'é', 'e', 130, 130, 233},
    {u'ď', 'd', 131, 212, 239}, {u'ä', 'a', 132, 132, 228}, {u'Ď', 'D', 133, 210, 207},
    {u'Ť', 'T', 134, 155, 141}, {u'č', 'c', 135, 159, 232}, {u'ě', 'e', 136, 216, 236},
    {u'Ě', 'E', 137, 183, 204}, {u'Ĺ', 'L', 138, 145, 197}, {u'Í', 'I', 139, 214, 205},
    {u'ľ', 'l', 140, 150, 190}, {u'ĺ', 'l', 141, 146, 229}, {u'Ä', 'A', 142, 142, 196},
    {u'Á', 'A', 143, 181, 193}, {u'É', 'E', 144, 144, 201}, {u'ž', 'z', 145, 167, 158},
    {u'Ž', 'Z', 146, 166, 142}, {u'ô', 'o', 147, 147, 244}, {u'ö', 'o', 148, 148, 246},
    {u'Ó', 'O', 149, 224, 211}, {u'ů', 'u', 150, 133, 249}, {u'Ú', 'U', 151, 233, 218},
    {u'ý', 'y', 152, 236, 253}, {u'Ö', 'O', 153, 153, 214}, {u'Ü', 'U', 154, 154, 220},
    {u'Š', 'S', 155, 230, 138}, {u'Ľ', 'L', 156, 149, 188}, {u'Ý', 'Y', 157, 237, 221},
    {u'Ř', 'R', 158, 252, 216}, {u'ť', 't', 159, 156, 157}, {u'á', 'a', 160, 160, 225},
    {u'í', 'i', 161, 161, 237}, {u'ó', 'o', 162, 162, 243}, {u'ú', 'u', 163, 163, 250},
    {u'ň', 'n', 164, 229, 242}, {u'Ň', 'N', 165, 213, 210}, {u'Ů', 'U', 166, 222, 217},
    {u'Ô', 'O', 167, 226, 212}, {u'š', 's', 168, 231, 154}, {u'ř', 'r', 169, 253, 248},
    {u'ŕ', 'r', 170, 234, 224}, {u'Ŕ', 'R', 171, 232, 192},
}};

int findInTable(const std::array<char16_t, 128>& table, char32_t c) {
    for (int i = 0; i < 128; ++i)
        if (table[size_t(i)] != 0 && table[size_t(i)] == c)
            return 128 + i;
    return -1;
}

} // namespace

const std::array<Letter, 44>& letters() {
    return letterTable;
}

const Letter* findLetter(QChar c) {
    for (const Letter& l : letterTable)
        if (l.unicode == c.unicode())
            return &l;
    return nullptr;
}

const std::array<char16_t, 128>* upperHalf(TSestLanguage codePage) {
    switch (codePage) {
    case slUndefined:
    case slCP1250:
        return &Cp1250::UpperHalf();
    case slCP852:
        return &Cp852::UpperHalf();
    case slCP867:
        return &cp867Table;
    case slASCII:
        break;
    }
    return nullptr;
}

int encodeChar(char32_t c, TSestLanguage codePage) {
    if (c < 128)
        return int(c);
    const std::array<char16_t, 128>* table = upperHalf(codePage);
    return table ? findInTable(*table, c) : -1;
}

QString decode(const QByteArray& bytes, TSestLanguage codePage) {
    const std::array<char16_t, 128>* table = upperHalf(codePage);
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 128)
            out += QChar(b);
        else if (table && (*table)[b - 128] != 0)
            out += QChar((*table)[b - 128]);
        else
            out += QChar(QChar::ReplacementCharacter);
    }
    return out;
}

QByteArray asciiFallback(char32_t c) {
    switch (c) {
    case 0x00A0: // no-break space
    case 0x202F: // narrow no-break space
        return " ";
    case 0x2013:
    case 0x2014:
    case 0x2212:
        return "-";
    case 0x201A:
    case 0x2018:
    case 0x2019:
        return "'";
    case 0x201E:
    case 0x201C:
    case 0x201D:
    case 0x00AB:
    case 0x00BB:
        return "\"";
    case 0x2026:
        return "...";
    default:
        break;
    }
    // The base letter of a letter with combining accents.
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_D);
    if (!decomposed.isEmpty() && decomposed[0].unicode() < 128) {
        bool onlyMarks = true;
        for (int i = 1; i < decomposed.size(); ++i)
            if (decomposed[i].category() != QChar::Mark_NonSpacing)
                onlyMarks = false;
        if (onlyMarks)
            return QByteArray(1, char(decomposed[0].unicode()));
    }
    return "?";
}

} // namespace CodePages
