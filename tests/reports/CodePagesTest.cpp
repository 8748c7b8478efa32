#include "CodePages.h"
#include "ConvertText.h"
#include "TSestLanguage.h"

#include <gtest/gtest.h>

namespace {
const QString allLetters = QString::fromUtf8("ČüéďäĎŤčěĚĹÍľĺÄÁÉžŽôöÓůÚýÖÜŠĽÝŘťáíóúňŇŮÔšřŕŔ");
}

TEST(CodePages, LetterTableMatchesTheCodePages) {
    const auto& letters = CodePages::letters();
    ASSERT_EQ(letters.size(), 44u);
    for (size_t i = 0; i < letters.size(); ++i) {
        const CodePages::Letter& l = letters[i];
        EXPECT_EQ(QChar(l.unicode), allLetters[int(i)]);
        EXPECT_EQ(l.cp867, 128 + i);
        // Every column agrees with the full table of its code page.
        EXPECT_EQ(CodePages::decode(QByteArray(1, char(l.cp852)), slCP852), QString(QChar(l.unicode)));
        EXPECT_EQ(CodePages::decode(QByteArray(1, char(l.cp1250)), slCP1250), QString(QChar(l.unicode)));
        EXPECT_EQ(CodePages::decode(QByteArray(1, char(l.cp867)), slCP867), QString(QChar(l.unicode)));
    }
    EXPECT_EQ(CodePages::findLetter(QChar(u'Č'))->cp852, 0xAC);
    EXPECT_EQ(CodePages::findLetter(QChar(u'ř'))->cp1250, 0xF8);
    EXPECT_EQ(CodePages::findLetter(QChar('C')), nullptr);
}

TEST(CodePages, ConvertTextPerTarget) {
    EXPECT_EQ(ConvertText(allLetters, slASCII), QByteArray("CuedaDTceELIllAAEzZooOuUyOUSLYRtaiounNUOsrrR"));
    QByteArray kamenicky;
    for (int i = 0; i < 44; ++i)
        kamenicky += char(128 + i);
    EXPECT_EQ(ConvertText(allLetters, slCP867), kamenicky);
    EXPECT_EQ(ConvertText("Č", slCP867), QByteArray("\x80"));
    EXPECT_EQ(ConvertText("ř", slCP867), QByteArray("\xA9"));
    EXPECT_EQ(ConvertText("Čř", slASCII), QByteArray("Cr"));
    EXPECT_EQ(ConvertText("Čř", slCP852), QByteArray("\xAC\xFD"));
    EXPECT_EQ(ConvertText("Čř", slCP1250), QByteArray("\xC8\xF8"));
    EXPECT_EQ(ConvertText("Čř", slUndefined), QByteArray("\xC8\xF8"));
    EXPECT_EQ(ConvertText("Stav 1: ok", slCP867), QByteArray("Stav 1: ok"));
}

TEST(CodePages, CharactersOutsideTheLetterTable) {
    // Kept in the target code page where it has them.
    EXPECT_EQ(ConvertText("§ €", slCP1250), QByteArray("\xA7 \x80"));
    EXPECT_EQ(ConvertText("§", slCP852), QByteArray("\xF5"));
    EXPECT_EQ(ConvertText("ł", slCP852), QByteArray("\x88"));
    EXPECT_EQ(ConvertText("─", slCP867), QByteArray("\xC4"));
    // Otherwise a plain stand-in.
    EXPECT_EQ(ConvertText("ł€", slASCII), QByteArray("??"));
    EXPECT_EQ(ConvertText("ñ", slCP852), QByteArray("n"));
    EXPECT_EQ(ConvertText("→", slCP1250), QByteArray("?"));
    EXPECT_EQ(ConvertText(QString::fromUcs4(U"\U0001F332"), slCP1250), QByteArray("?"));
    EXPECT_EQ(ConvertText("1\u00A0234 – „x“", slASCII), QByteArray("1 234 - \"x\""));
    EXPECT_EQ(ConvertText("1\u00A0234", slCP1250), QByteArray("1\xA0"
                                                              "234"));
}

TEST(CodePages, DecodeCp1250) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = CodePages::decode(all, slCP1250);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x8A], QChar(u'Š'));
    EXPECT_EQ(text[0x81], QChar(QChar::ReplacementCharacter));
    // Every defined byte encodes back to itself.
    for (int b = 0; b < 256; ++b) {
        if (text[b] == QChar(QChar::ReplacementCharacter))
            continue;
        EXPECT_EQ(ConvertText(QString(text[b]), slCP1250), QByteArray(1, char(b))) << b;
    }
}

TEST(TSestLanguage, Names) {
    bool ok = false;
    EXPECT_EQ(languageFromName("cp867", &ok), slCP867);
    EXPECT_TRUE(ok);
    EXPECT_EQ(languageFromName("ASCII"), slASCII);
    EXPECT_EQ(languageFromName("slCP852"), slCP852);
    EXPECT_EQ(languageFromName("cp1250"), slCP1250);
    EXPECT_EQ(languageFromName("latin2", &ok), slUndefined);
    EXPECT_FALSE(ok);
    EXPECT_EQ(languageName(slCP1250), "slCP1250");
    EXPECT_EQ(languageName(slUndefined), "slUndefined");
}
