#include "CaliperLines.h"
#include "CaliperFile.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A file read line by line gives the lines of the whole file split at once: CR LF, LF and a lone
// CR end a line, also where a CR LF spans two reads, and a last line needs no end.
TEST(CaliperLines, AFileReadLineByLineGivesTheLinesOfTheWholeFile) {
    QByteArray bytes;
    for (int i = 0; bytes.size() < (1 << 20) - 200; ++i)
        bytes += "$1 SM " + QByteArray::number(i % 500) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    bytes += QByteArray((1 << 20) - 1 - bytes.size(), 'x') + "\r\n"; // this CR LF spans two reads
    bytes += "\xd8\x65ka\r\n\r\nposledn\xed";
    QTemporaryDir dir;
    const QString path = dir.filePath("MANTAX.TXT");
    ASSERT_TRUE(testsupport::writeFile(path, bytes));

    QStringList read;
    CaliperLines::FromFile(path).ForEach([&](qsizetype i, const QString& line) {
        EXPECT_EQ(i, read.size());
        read << line;
        return true;
    });
    const QStringList whole = CaliperFile::SplitLines(bytes);
    ASSERT_EQ(read.size(), whole.size());
    EXPECT_EQ(read, whole);
    EXPECT_EQ(read.last(), QStringLiteral("poslední"));
}
