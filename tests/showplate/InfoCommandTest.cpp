#include "TestSupport.h"
#include "VersionFixtures.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs bin/showplate with no display of any kind, so only a window-less start can succeed.
ProcessResult showplate(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    p.setProcessEnvironment(env);
    p.start(testsupport::binDir() + "/showplate", arguments);
    if (!p.waitForStarted())
        return {};
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

const QStringList Keys = {"MajorVersion",   "MinorVersion",     "Release",     "Build",
                          "FileFlagsMask",  "FileFlags",        "Error",       "Language",
                          "CompanyName",    "FileDescription",  "FileVersion", "InternalName",
                          "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};

// Keys in the order they appear in the printed object.
QStringList keyOrder(const QByteArray& json) {
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    QList<QPair<qsizetype, QString>> found;
    for (const QString& key : object.keys())
        found.append({json.indexOf('"' + key.toUtf8() + "\":"), key});
    std::sort(found.begin(), found.end());
    QStringList order;
    for (const auto& f : found)
        order.append(f.second);
    return order;
}

} // namespace

TEST(ShowplateInfo, PrintsAllFieldsOfAWindowsProgramInDeclarationOrder) {
    QTemporaryDir dir;
    const QString file = dir.filePath("ZAPISNIK.EXE");
    ASSERT_TRUE(testsupport::writeFile(file, fixtures::buildPe(fixtures::versionBlock())));
    const ProcessResult r = showplate({"--info", file});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.endsWith("}\n"));
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.constData();
    EXPECT_EQ(keyOrder(r.out), Keys);
    EXPECT_EQ(o["MajorVersion"], 2);
    EXPECT_EQ(o["MinorVersion"], 7);
    EXPECT_EQ(o["Release"], 1);
    EXPECT_EQ(o["Build"], 42);
    EXPECT_EQ(o["FileFlagsMask"], 63);
    EXPECT_EQ(o["FileFlags"], 1);
    EXPECT_EQ(o["Error"], "");
    EXPECT_EQ(o["Language"], "Czech");
    EXPECT_EQ(o["CompanyName"], QString("Lesní správa Poříčí"));
    EXPECT_EQ(o["ProductName"], QString("Zápisník"));
    EXPECT_EQ(o["OriginalFilename"], "ZAPISNIK.EXE");
}

TEST(ShowplateInfo, ReportsTheReaderErrorInTheObject) {
    const ProcessResult missing = showplate({"--info", "/nonexistent/file.exe"});
    ASSERT_EQ(missing.exitCode, 0);
    const QJsonObject o = QJsonDocument::fromJson(missing.out).object();
    EXPECT_EQ(o["Error"], "InfoSize=0");
    EXPECT_EQ(o["MajorVersion"], 0);
    EXPECT_EQ(o["ProductName"], "");
    EXPECT_EQ(keyOrder(missing.out), Keys);
}

TEST(ShowplateInfo, ReadsStandardInputAndItself) {
    const ProcessResult piped = showplate({"--info", "-"}, fixtures::buildElf(fixtures::versionBlock()));
    ASSERT_EQ(piped.exitCode, 0);
    EXPECT_EQ(QJsonDocument::fromJson(piped.out).object()["FileVersion"], "2.7.1.42");

    const ProcessResult self = showplate({"--info", testsupport::binDir() + "/showplate"});
    ASSERT_EQ(self.exitCode, 0);
    const QJsonObject o = QJsonDocument::fromJson(self.out).object();
    EXPECT_EQ(o["ProductName"], "Rivwood");
    EXPECT_EQ(o["Error"], "");
}

TEST(ShowplateInfo, MalformedCommandLinesAreUsageErrors) {
    for (const QStringList& args : {QStringList{"--info"}, QStringList{"--info", "a", "b"}}) {
        const ProcessResult r = showplate(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
}
