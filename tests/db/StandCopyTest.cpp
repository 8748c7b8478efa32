// db copy between a database directory and the tests' own server: a bulk import goes up and
// comes back unchanged; a stand changed on both sides is a conflict.
#include "DbTestSupport.h"

#include "TestSupport.h"
#include "ThrowawayCluster.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

class StandCopyTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        QString whyNot;
        if (!testsupport::ThrowawayCluster::Shared(&whyNot))
            GTEST_SKIP() << "no PostgreSQL server: " << whyNot.toStdString();
        server = testsupport::ThrowawayCluster::Shared(nullptr)->CreateDatabase();
    }
    CliRun cli(const QStringList& args, const QByteArray& input = {}) {
        const CliRun r = RunCli(settings(), args, input);
        EXPECT_EQ(r.code, 0) << args.join(' ').toStdString() << ": " << r.err.toStdString();
        return r;
    }
    QString local(const QString& name) {
        const QString path = QDir(dir()).filePath(name);
        QDir().mkpath(path);
        return path;
    }
    // Every stand of a database as rivwood-cli loads it, change counter included.
    QByteArrayList stands(const QString& db) {
        QByteArrayList out;
        for (const QJsonValue& s : cli({"db", "list", "--db", db}).json()["stands"].toArray())
            out << cli({"db", "load", QString::number(s.toObject()["key"].toInt()), "--db", db}).out;
        return out;
    }
    QString server;
};

QJsonArray keys(std::initializer_list<int> list) {
    QJsonArray a;
    for (int k : list)
        a.append(k);
    return a;
}

} // namespace

TEST_F(StandCopyTest, BulkImportGoesToTheServerAndBackWithNothingLost) {
    const QString field = local("field"), back = local("back");
    cli({"import-mantax", "--bulk", testsupport::dataPath("import/mantax_bulk_heights.txt"), "--db", field});
    const QByteArrayList imported = stands(field);
    ASSERT_EQ(imported.size(), 4);

    EXPECT_EQ(cli({"db", "copy", "--from", field, "--to", server, "--all"}).json(),
              (QJsonObject{{"copied", keys({1, 2, 3, 4})}, {"conflicts", QJsonArray()}}));
    EXPECT_EQ(stands(server), imported);
    EXPECT_EQ(cli({"db", "copy", "--from", server, "--to", back, "--all"}).json()["copied"].toArray(),
              keys({1, 2, 3, 4}));
    EXPECT_EQ(stands(back), imported);

    // Stand 2 changed in the office: taking it again from the field is a conflict, not an
    // overwrite, until asked for.
    const QByteArray changed = QJsonDocument(QJsonDocument::fromJson(imported[1]).object()).toJson();
    cli({"db", "save", "-", "--db", server, "--key", "2"}, changed);
    EXPECT_EQ(cli({"db", "copy", "--from", field, "--to", server, "--key", "1", "--key", "2"}).json(),
              (QJsonObject{{"copied", keys({1})}, {"conflicts", keys({2})}}));
    EXPECT_NE(stands(server)[1], imported[1]);
    EXPECT_EQ(cli({"db", "copy", "--from", field, "--to", server, "--key", "2", "--conflict", "yes"})
                  .json()["copied"]
                  .toArray(),
              keys({2}));
    EXPECT_EQ(stands(server), imported);
}
