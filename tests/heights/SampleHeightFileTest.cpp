#include "SampleHeightFile.h"

#include "Cp1250.h"

#include <gtest/gtest.h>

using SampleHeightFile::Pair;

// ";" or tab between fields, "," or "." in numbers, a header, quotes and blank lines; UTF-8 or
// cp1250.
TEST(SampleHeightFile, ReadsThePairs) {
    const QByteArray utf8 = "\xEF\xBB\xBF"
                            "dřevina;tloušťka;výška\r\n"
                            "SM;24,5;21.3\r\n"
                            "\r\n"
                            "\"bk\";\"31\";\"25,0\";;\r\n"
                            "OL\t18.2\t17,4\n";
    const SampleHeightFile::Result r = SampleHeightFile::Parse(utf8);
    EXPECT_TRUE(r.problems.isEmpty()) << r.problems.join('\n').toStdString();
    const std::vector<Pair> expected{{"SM", {24.5, 21.3}}, {"bk", {31, 25}}, {"OL", {18.2, 17.4}}};
    EXPECT_EQ(r.pairs, expected);
    EXPECT_EQ(SampleHeightFile::Parse(Cp1250::encode(QString::fromUtf8(utf8))).pairs, expected);
}

// Each bad line is reported with its number and left out; a long list ends with a count.
TEST(SampleHeightFile, ReportsBadLines) {
    const SampleHeightFile::Result r =
        SampleHeightFile::Parse("SM;20;18\nSM;20\nSMRK;20;18\nSM;x;18\nSM;20;1,2\nSM;-3;18\nSM;22;19\n");
    ASSERT_EQ(r.pairs.size(), 2u);
    EXPECT_EQ(r.pairs[1].sample, (SampleHeight{22, 19}));
    ASSERT_EQ(r.problems.size(), 5);
    EXPECT_TRUE(r.problems[0].startsWith("Řádek 2:"));
    EXPECT_TRUE(r.problems[2].contains("„x“"));
    EXPECT_TRUE(r.problems[3].contains("1,3 m"));

    QByteArray many;
    for (int i = 0; i < 50; ++i)
        many += "SM;?;?\n";
    const QStringList problems = SampleHeightFile::Parse("SM;20;18\n" + many).problems;
    EXPECT_EQ(problems.size(), 21);
    EXPECT_TRUE(problems.last().contains("30"));
}

// Garbage, a truncated line and binary data read without a crash and without pairs.
TEST(SampleHeightFile, SurvivesGarbage) {
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 7919 + 13) % 256);
    EXPECT_TRUE(SampleHeightFile::Parse(garbage).pairs.empty());
    EXPECT_EQ(SampleHeightFile::Parse("SM;24,5;2").pairs.size(), 1u);
    EXPECT_TRUE(SampleHeightFile::Parse("SM;24,").pairs.empty());
    EXPECT_TRUE(SampleHeightFile::Parse(QByteArray(1, '\0')).pairs.empty());
}
