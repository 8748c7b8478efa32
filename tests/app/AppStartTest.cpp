#include "IniFile.h"
#include "SettingsKeys.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
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
