#include "TemplateFields.h"
#include "TemplateCodec.h"

#include "TemplateTestPrint.h"

#include <gtest/gtest.h>

TEST(TemplateFields, QuotedFieldWithCommaAndDoubledQuote) {
    TemplateLineReader r(QStringLiteral("T,\"a, \"\"b\"\" c\",7"));
    EXPECT_EQ(r.next(), QStringLiteral("T"));
    EXPECT_EQ(r.next(), QStringLiteral("a, \"b\" c"));
    EXPECT_EQ(r.nextInt(), 7);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.next(), QString());
}

TEST(TemplateFields, TextAfterClosingQuoteIsAppended) {
    TemplateLineReader r(QStringLiteral("\"ab\"cd,x"));
    EXPECT_EQ(r.next(), QStringLiteral("abcd"));
    EXPECT_EQ(r.next(), QStringLiteral("x"));
}

TEST(TemplateFields, UnterminatedQuoteRunsToLineEnd) {
    TemplateLineReader r(QStringLiteral("\"ab,cd"));
    EXPECT_EQ(r.next(), QStringLiteral("ab,cd"));
    EXPECT_TRUE(r.atEnd());
}

TEST(TemplateFields, MissingAndEmptyFields) {
    TemplateLineReader r(QStringLiteral("a,,"));
    EXPECT_EQ(r.next(), QStringLiteral("a"));
    EXPECT_FALSE(r.atEnd());
    EXPECT_EQ(r.next(), QString());
    EXPECT_FALSE(r.atEnd()); // the trailing comma announces one more, empty field
    EXPECT_EQ(r.nextInt(42), 42);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.nextInt(5), 5);
    EXPECT_FALSE(r.nextBool(false));
}

TEST(TemplateFields, RestIsTheUnreadRemainder) {
    TemplateLineReader r(QStringLiteral("D3,T,1,\"x,y\""));
    EXPECT_EQ(r.next(), QStringLiteral("D3"));
    EXPECT_EQ(r.rest(), QStringLiteral("T,1,\"x,y\""));
}

TEST(TemplateFields, Integers) {
    bool ok = false;
    EXPECT_EQ(parseTemplateInt(QStringLiteral(" -12 "), 0, &ok), -12);
    EXPECT_TRUE(ok);
    EXPECT_EQ(parseTemplateInt(QStringLiteral("+7"), 0), 7);
    EXPECT_EQ(parseTemplateInt(QStringLiteral("12a"), 3, &ok), 3);
    EXPECT_FALSE(ok);
    EXPECT_EQ(parseTemplateInt(QStringLiteral("-"), 3), 3);
    EXPECT_EQ(parseTemplateInt(QStringLiteral("2147483647"), 0), 2147483647);
    EXPECT_EQ(parseTemplateInt(QStringLiteral("-2147483648"), 0), -2147483647 - 1);
    EXPECT_EQ(parseTemplateInt(QStringLiteral("2147483648"), 9), 9);
    EXPECT_EQ(parseTemplateInt(QStringLiteral("99999999999999999999999"), 9), 9);
    EXPECT_EQ(parseTemplateInt(QStringLiteral("1.5"), 9), 9);
}

TEST(TemplateFields, QuotingOnWrite) {
    EXPECT_EQ(quotedField(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
    EXPECT_EQ(plainField(QStringLiteral("Arial CE")), QStringLiteral("Arial CE"));
    EXPECT_EQ(plainField(QStringLiteral("a,b")), QStringLiteral("\"a,b\""));
    const QString tricky = QStringLiteral("\"x\",y\"");
    TemplateLineReader r(plainField(tricky) + QStringLiteral(",1"));
    EXPECT_EQ(r.next(), tricky);
    EXPECT_EQ(r.nextInt(), 1);
}

TEST(TemplateCodec, CzechLettersAndEveryByteRoundTrip) {
    const QString czech = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy ĚŠČŘŽÝÁÍÉŮÚŤĎŇ");
    const QByteArray bytes = TemplateCodec::encode(czech);
    EXPECT_EQ(bytes.size(), czech.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xF8); // ř
    EXPECT_EQ(TemplateCodec::decode(bytes), czech);
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(TemplateCodec::encode(TemplateCodec::decode(all)), all);
    EXPECT_EQ(TemplateCodec::decode(QByteArray("\x80\x8a\x9e")), QStringLiteral("€Šž"));
}

TEST(TemplateCodec, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(TemplateCodec::encode(QStringLiteral("a\u0416b")), QByteArray("a?b"));
    EXPECT_FALSE(TemplateCodec::canEncode(QStringLiteral("\u0416")));
    EXPECT_TRUE(TemplateCodec::canEncode(QStringLiteral("čř")));
}
