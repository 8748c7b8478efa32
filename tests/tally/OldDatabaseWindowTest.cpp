#include "FileDialog.h"
#include "OldStandTables.h"
#include "TallyFixture.h"
#include "TestSupport.h"

#include <QAction>
#include <QDir>
#include <map>

namespace {

// One stand of one species in the older program's tables.
void writeOldDatabase(const QString& dir) {
    QDir().mkpath(dir);
    const QVariant null;
    testsupport::WriteOldTable(dir, "RivwoodPor",
                               {{7,
                                 true,
                                 QString("Sázava"),
                                 QString("L"),
                                 QString("3,2"),
                                 QString("Prořezávka"),
                                 900.0,
                                 30,
                                 1,
                                 null,
                                 QString("Olšina"),
                                 QString("Břeh podemlet."),
                                 null,
                                 null,
                                 false,
                                 false,
                                 null,
                                 null,
                                 null,
                                 null}});
    testsupport::WriteOldTable(
        dir, "RivwoodDre",
        {{7, QString("OL"), QString("OL"), QString("OL"), 0, 0.0, false, 0.0, false, 0.0, 4, 8, 10.0}});
    testsupport::WriteOldTable(dir, "RivwoodTlo", {{7, QString("OL"), 14.0, 5.0, 0.0, 0.0}});
    testsupport::WriteOldTable(dir, "RivwoodSes", {});
    testsupport::WriteOldTable(dir, "RivwoodVys", {{7, QString("OL"), 14.0, 12.5}});
}

} // namespace

TEST_F(TallyFixture, ChosenOldDirectoryOffersTheTakeOverAndStaysUntouched) {
    const QString old = tempPath("stara");
    writeOldDatabase(old);
    const auto before = testsupport::directoryContents(old);
    start();
    messages();
    const QString offer =
        "? Složka obsahuje databázi starší verze programu. Převzít porosty do nové databáze?";

    // No: the directory dialog comes again; cancelled, the database stays where it was.
    FileDialog::setNextFileName(QDir(old).filePath("RivwoodPor.db"));
    FileDialog::setNextFileName(QString());
    MessageBox::setNextAnswer(false);
    action("Nastaveniadresare1")->trigger();
    EXPECT_EQ(messages(), QStringList{offer});
    EXPECT_EQ(FileDialog::takeRequests(),
              QStringList({"Výběr složky s databází", "Výběr složky s databází"}));
    EXPECT_EQ(ctx().database.directory(), dbDir());

    // Yes: the new directory offered beside the old one is confirmed and the stand taken over.
    const QString fresh = tempPath("stara (nová databáze)");
    FileDialog::setNextFileName(QDir(old).filePath("RivwoodPor.db"));
    FileDialog::setNextFileName(QDir(fresh).filePath("RivwoodPor.db"));
    MessageBox::setNextAnswer(true);
    action("Nastaveniadresare1")->trigger();
    EXPECT_EQ(FileDialog::takeRequests(), QStringList({"Výběr složky s databází", "Složka nové databáze"}));
    EXPECT_EQ(messages(), QStringList({offer, "Převzato porostů: 1 (výškových vzorníků: 1)."}));
    EXPECT_EQ(QDir(ctx().database.directory()), QDir(fresh));
    EXPECT_EQ(ctx().store.StandKeys(), std::vector<int>{7});

    // The menu command into the current database: the key is there already.
    FileDialog::setNextFileName(QDir(old).filePath("RivwoodPor.db"));
    action("PrevzitDatabazi1")->trigger();
    const QStringList shown = messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("už porost má (nepřepsány, 1): 7")) << shown[0].toStdString();

    EXPECT_EQ(testsupport::directoryContents(old), before);
}
