#include "IniFile.h"
#include "SettingsKeys.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QString program(const char* name) {
    return QDir(testsupport::binDir()).filePath(name);
}

} // namespace

// The program starts on the database named in its settings file: the tables are made there and
// the window keeps running until it is closed.
TEST(AppStart, OpensTheDatabaseOfTheSettingsFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString db = dir.filePath("data");
    ASSERT_TRUE(QDir().mkpath(db));
    const QString settings = dir.filePath("Rivwood.INI");
    IniFile(settings).WriteString(SettingsKeys::DataBase, SettingsKeys::Path, db);

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(program("rivwood"), {"--settings", settings});
    ASSERT_TRUE(p.waitForStarted(10000));
    bool created = false;
    for (int i = 0; i < 100 && !created; ++i) {
        QThread::msleep(100);
        created = QFileInfo::exists(QDir(db).filePath("RivwoodVys.db"));
        ASSERT_EQ(p.state(), QProcess::Running) << p.readAllStandardError().toStdString();
    }
    EXPECT_TRUE(created);
    for (const char* file : {"RivwoodPor.db", "RivwoodDre.db", "RivwoodTlo.db", "RivwoodSes.db"})
        EXPECT_TRUE(QFileInfo::exists(QDir(db).filePath(file))) << file;
    p.kill();
    p.waitForFinished(5000);
}

// Without a display: help and version are printed, and the program ends with a message that
// names the command line instead of Qt's abort.
TEST(AppStart, WithoutADisplayHelpsAndEndsWithAMessage) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    const auto run = [&](const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program("rivwood"), args);
        EXPECT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "no abort";
        return std::make_pair(p.exitCode(),
                              QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()));
    };
    const auto help = run({"--help"});
    EXPECT_EQ(help.first, 0);
    EXPECT_TRUE(help.second.contains("--settings")) << help.second.toStdString();
    const auto version = run({"--version"});
    EXPECT_EQ(version.first, 0);
    EXPECT_TRUE(QRegularExpression("^rivwood \\d+\\.\\d+").match(version.second).hasMatch())
        << version.second.toStdString();
    const auto window = run({});
    EXPECT_EQ(window.first, 1);
    EXPECT_TRUE(window.second.contains("rivwood-cli")) << window.second.toStdString();
}

TEST(AppStart, CarriesItsVersionBlock) {
    if (!QFileInfo::exists(program("showplate")))
        GTEST_SKIP() << "showplate is not built";
    QProcess p;
    p.start(program("showplate"), {"--info", program("rivwood")});
    ASSERT_TRUE(p.waitForFinished(10000));
    const QJsonObject info = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    EXPECT_EQ(info.value("Error").toString(), "");
    EXPECT_EQ(info.value("FileDescription").toString(), "Průměrkovací zápisník JHK");
    EXPECT_EQ(info.value("OriginalFilename").toString(), "rivwood");
    EXPECT_EQ(info.value("ProductName").toString(), "Rivwood");
}
