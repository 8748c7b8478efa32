// The generator program against the shipped files and the copies the build writes.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kShipped = QStringLiteral(RIVWOOD_SHIPPED_DATA_DIR);

// Whole-file comparison that names the first differing offset.
void expectSameBytes(const QByteArray& actual, const QByteArray& expected, const QString& what) {
    SCOPED_TRACE(what.toStdString());
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(actual.size(), expected.size());
    const qsizetype n = std::min(actual.size(), expected.size());
    for (qsizetype i = 0; i < n; ++i)
        if (actual[i] != expected[i]) {
            ADD_FAILURE() << "first difference at byte " << i;
            return;
        }
}

struct GeneratorRun {
    int exitCode = -1;
    QByteArray err;
};

GeneratorRun runGenerator(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(RIVWOOD_REFGEN), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), p.readAllStandardError()};
}

TEST(Generator, ReproducesTheShippedFilesByteForByte) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath("nested/out");
    const GeneratorRun run = runGenerator({out});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files), (QStringList{"JHK.HMO", "JHK.KRI"}));
    for (const char* name : {"JHK.KRI", "JHK.HMO"})
        expectSameBytes(testsupport::readFile(out + "/" + name), testsupport::readFile(kShipped + "/" + name),
                        name);

    // Running again over the existing files leaves the same bytes.
    ASSERT_EQ(runGenerator({out}).exitCode, 0);
    for (const char* name : {"JHK.KRI", "JHK.HMO"})
        expectSameBytes(testsupport::readFile(out + "/" + name), testsupport::readFile(kShipped + "/" + name),
                        QStringLiteral("%1 again").arg(name));
}

TEST(Generator, BuildPutsTheSameFilesBesideThePrograms) {
    const QString bin =
        testsupport::binDir().isEmpty() ? QStringLiteral(RIVWOOD_BUILD_BIN_DIR) : testsupport::binDir();
    for (const char* name : {"JHK.KRI", "JHK.HMO"})
        expectSameBytes(testsupport::readFile(bin + "/" + name), testsupport::readFile(kShipped + "/" + name),
                        name);
}

TEST(Generator, ReportsUsageAndWriteFailures) {
    EXPECT_EQ(runGenerator({}).exitCode, 2);
    EXPECT_EQ(runGenerator({"a", "b"}).exitCode, 2);

    // A regular file where the output directory should be.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString blocker = dir.filePath("file");
    ASSERT_TRUE(testsupport::writeFile(blocker, "x"));
    const GeneratorRun run = runGenerator({blocker});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.err.isEmpty());
    EXPECT_EQ(testsupport::readFile(blocker), QByteArray("x"));
}

} // namespace
