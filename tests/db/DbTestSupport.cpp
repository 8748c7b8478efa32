#include "DbTestSupport.h"

#include "ApplicationEnvironment.h"
#include "DatabaseChooser.h"
#include "RawQuery.h"
#include "SpeciesTables.h"
#include "TestSupport.h"
#include "ThrowawayCluster.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>

namespace {

[[maybe_unused]] const auto* const kApp = testsupport::InstallApplication<QCoreApplication>("db_tests");

} // namespace

void DbTest::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
}

StandDatabase& DbTest::openFresh() {
    m_db = std::make_unique<StandDatabase>(settings());
    EXPECT_TRUE(DatabaseChooser::UseDirectory(*m_db, dir(), {}));
    return *m_db;
}

std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Files ? "Files" : "Server";
}

void StoreTest::SetUp() {
    DbTest::SetUp();
    QString whyNot;
    if (GetParam() == Backend::Server && !testsupport::ThrowawayCluster::Shared(&whyNot))
        GTEST_SKIP() << "no PostgreSQL server: " << whyNot.toStdString();
}

QString StoreTest::freshLocation() {
    return GetParam() == Backend::Files ? dir()
                                        : testsupport::ThrowawayCluster::Shared(nullptr)->CreateDatabase();
}

StandDatabase& StoreTest::openFresh() {
    m_db = std::make_unique<StandDatabase>(settings());
    EXPECT_TRUE(DatabaseChooser::UseDirectory(*m_db, freshLocation(), {}));
    return *m_db;
}

QSqlDatabase DbTest::rawFile(const QString& fileName) {
    const QString name = "raw-" + fileName;
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(m_dir.filePath(fileName));
    EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
    m_raw.append(name);
    return db;
}

void DbTest::closeRaw() {
    for (const QString& name : m_raw) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    m_raw.clear();
}

void DbTest::rawExec(const QString& fileName, const QString& sql) {
    QSqlQuery q(rawFile(fileName));
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
}

QVariant DbTest::scalar(const QString& sql) {
    testsupport::RawQuery q(*m_db);
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().toStdString();
    return q.next() ? q.value(0) : QVariant();
}

QJsonObject CliRun::json() const {
    return QJsonDocument::fromJson(out).object();
}

CliRun RunCli(const QString& settings, QStringList args, const QByteArray& input) {
    QProcess p;
    p.setProgram(QDir(testsupport::binDir()).filePath("rivwood-cli"));
    args.prepend(settings);
    args.prepend("--settings");
    p.setArguments(args);
    p.start();
    EXPECT_TRUE(p.waitForStarted());
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

StandSession MakeStand(int species, int classes, int seed) {
    StandSession s;
    TManualy225& st = s.stand;
    st.name = "Zkušební";
    st.designation = QString("Porost %1").arg(seed);
    st.date = "12.5.2024";
    st.comment = "Poznámka\r\nna dva řádky";
    st.river = QString("Sázava %1").arg(seed);
    st.bank = "L";
    st.riverKm = "12,300-12,800";
    st.action = "Revize břehů";
    st.code = s.KodPorostu();
    st.shrubArea = 120.5;
    st.area = 8500 + seed;
    st.age = 40 + seed;
    st.summary = true;
    const QStringList& all = SpeciesTables::DrevZkratky();
    for (int k = 0; k < species; ++k) {
        TManual225 e;
        const QString abbr = all[(k * 7 + seed) % all.size()];
        e.abbreviation = StringToChars(abbr);
        e.curveSpecies = StringToChars(SpeciesTables::CurveSpeciesOf(abbr));
        e.tableSpecies = StringToChars(SpeciesTables::TableSpeciesOf(abbr));
        e.meanDiameter = 20.5 + k;
        e.meanDiameterComputed = k % 2 == 0;
        e.meanHeight = 18.25 + k;
        e.computed = true;
        e.tableStock = 300.125 + k;
        e.curve = std::int16_t(1200 + k);
        e.classWidth = 4;
        e.firstCentre = 10;
        e.classes.resize(size_t(s.layout.ElementCount()));
        e.classCount = std::int16_t(e.classes.size());
        for (size_t i = 1; i < e.classes.size(); ++i)
            e.classes[i].centre = s.layout.Centre(int(i));
        for (int c = 0; c < classes; ++c) {
            TTloustkoveStupne& el = e.classes[size_t(1 + c)];
            el.trees = 1 + (c + k + seed) % 9;
            el.treeVolume = 0.01 * (c + 1) + 0.001 * k;
            el.classVolume = el.trees * el.treeVolume;
            e.classes[0].trees += el.trees;
            e.classes[0].classVolume += el.classVolume;
        }
        e.classes[0].treeVolume = e.classes[0].classVolume / e.classes[0].trees;
        for (int p = 0; p < k + 2; ++p)
            e.sampleHeights.push_back({12.5 + 3.25 * p + k, 11.25 + 1.5 * p + 0.125 * seed});
        e.standStocking = 0.83;
        e.code = SpeciesTables::SpeciesCode(abbr);
        e.stocking = 0.1 * k;
        e.actualArea = 1000.5 + k;
        e.reducedArea = 900.25 + k;
        e.reducedAreaShare = 0.105 + k;
        e.share = 12.5 + k;
        e.conifer = SpeciesTables::IsConifer(abbr);
        e.basalArea = 3.14159 + k;
        e.basalAreaPerHa = 4.5 + k;
        e.stockPerHa = 250.75 + k;
        e.totalStock = e.classes[0].classVolume;
        st.append(abbr, e);
    }
    return s;
}
