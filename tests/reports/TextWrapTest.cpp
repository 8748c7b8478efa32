#include "TextMeasure.h"

#include <gtest/gtest.h>

// A word longer than a line is cut at the line width, never inside a surrogate pair, and however
// long the word, each of its characters is measured only a few times (a comment of one long word
// must not freeze the report).
TEST(WrapText, ALongWordIsCutAtTheWidthInFewMeasurements) {
    qsizetype measured = 0;
    const auto widthOf = [&](QStringView s) {
        measured += s.size();
        return double(s.size());
    };
    const QString word(30000, u'x');
    const QStringList lines = WrapText("ab " + word + " cd", 80, widthOf);
    ASSERT_EQ(lines.size(), 2 + 375);
    EXPECT_EQ(lines.front(), "ab");
    EXPECT_EQ(lines.back(), "cd");
    for (qsizetype i = 1; i <= 375; ++i)
        EXPECT_EQ(lines[i].size(), 80) << i;
    EXPECT_LT(measured, 20 * word.size());

    const QString trees = QString::fromUtf8("\xF0\x9F\x8C\xB2").repeated(100); // U+1F332 each
    const QStringList cut = WrapText(trees, 81, widthOf);
    ASSERT_EQ(cut.size(), 3);
    EXPECT_EQ(cut[0].size(), 80);
    EXPECT_EQ(cut[1].size(), 80);
    EXPECT_EQ(cut.join(QString()), trees);
}
