#include "ApplicationEnvironment.h"
#include "ImportTestSupport.h"
#include "IniFile.h"
#include "SettingsKeys.h"
#include "TFPMant.h"
#include "TPrumerka.h"
#include "TPrumvad.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using importtest::samplePath;

namespace {

[[maybe_unused]] const auto* const kApp = testsupport::InstallApplication<QApplication>("import_ui_test");

class CaliperDialogs : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    StandSession session;
    std::vector<QString> messages;

    QString settings() const { return dir.filePath("Rivwood.INI"); }

    template <class Dialog> void watch(Dialog& d) {
        d.setMessageHandler([this](const UserMessage& m) { messages.push_back(m.text); });
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    }

    static QTableWidget* grid(QWidget& d) { return d.findChild<QTableWidget*>("grid"); }
    static QListWidget* list(QWidget& d) { return d.findChild<QListWidget*>("speciesList"); }
    static void click(QWidget& d, const char* button) {
        QPushButton* b = d.findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static QString cell(QWidget& d, int row, int column) {
        QTableWidgetItem* item = grid(d)->item(row, column);
        return item ? item->text() : QString();
    }
    // Clicks a grid cell, then the abbreviation in the list box that appears.
    static void assign(QWidget& d, int row, const QString& abbreviation) {
        QTableWidget* g = grid(d);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(row, 0)).center());
        QListWidget* l = list(d);
        ASSERT_TRUE(l->isVisible());
        const QList<QListWidgetItem*> found = l->findItems(abbreviation, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        l->scrollToItem(found[0]);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(found[0]).center());
        EXPECT_FALSE(l->isVisible());
    }
};

} // namespace

TEST_F(CaliperDialogs, MantaxAssignSaveAndImport) {
    TPrumerka d(settings());
    EXPECT_EQ(d.windowTitle(), "Data z registrační průměrky HAGLOV ");
    ASSERT_TRUE(d.PrepareSingleImport(samplePath("mantax_records.txt"), session));
    watch(d);
    ASSERT_EQ(grid(d)->rowCount(), 3);
    EXPECT_EQ(cell(d, 0, 0), "SM");
    EXPECT_EQ(cell(d, 0, 1), "SM");
    EXPECT_EQ(cell(d, 2, 0), "12");
    EXPECT_EQ(cell(d, 2, 1), "");
    EXPECT_FALSE(list(d)->isVisible());
    EXPECT_EQ(list(d)->count(), 81);

    click(d, "okButton");
    EXPECT_EQ(messages, std::vector<QString>{" Nejsou přiřazeny všechny dřeviny !"});
    EXPECT_TRUE(d.isVisible());

    assign(d, 2, "SM");
    EXPECT_EQ(cell(d, 2, 1), "SM");
    click(d, "okButton");
    EXPECT_EQ(messages.back(), " Duplicita drevin. \r  Opravte drevinu!");
    EXPECT_TRUE(d.isVisible());

    assign(d, 2, "OLS");
    EXPECT_TRUE(grid(d)->selectedItems().isEmpty());
    click(d, "saveCodesButton");
    EXPECT_EQ(IniFile(settings()).ReadString(SettingsKeys::KodyDrevin, "12"), "OLS");
    EXPECT_EQ(IniFile(settings()).ReadString(SettingsKeys::KodyDrevin, "SM"), "SM");

    click(d, "okButton");
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(d.ImportHotov());
    const TManualy225& imported = d.importedStand().stand;
    ASSERT_EQ(imported.count(), 3);
    EXPECT_EQ(imported.abbreviationAt(2), "OLS");
    EXPECT_EQ(imported.name, "Olšina u mlýna");
}

TEST_F(CaliperDialogs, MantaxEmptyFileClosesWithoutChange) {
    TPrumerka d(settings());
    EXPECT_TRUE(d.PrepareSingleImport(samplePath("broken_garbage.bin"), session));
    watch(d);
    EXPECT_EQ(grid(d)->rowCount(), 1);
    click(d, "okButton");
    EXPECT_EQ(messages, std::vector<QString>{"Prázdný datový soubor !"});
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.ImportHotov());
}

TEST_F(CaliperDialogs, MantaxDamagedFileShowsItsMessage) {
    TPrumerka d(settings());
    d.setMessageHandler([this](const UserMessage& m) { messages.push_back(m.text); });
    EXPECT_FALSE(d.PrepareSingleImport(samplePath("broken_huge_count.txt"), session));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("poškozený"));
    EXPECT_EQ(grid(d)->rowCount(), 1);
    EXPECT_EQ(cell(d, 0, 0), "");
}

TEST_F(CaliperDialogs, MantaxBulkAllowsSharedSpeciesAndKeepsTheOpenStand) {
    importtest::MemorySink sink;
    TPrumerka d(settings());
    ASSERT_TRUE(d.PrepareBulkImport(samplePath("mantax_bulk_three.txt"), sink, session.layout));
    watch(d);
    ASSERT_EQ(grid(d)->rowCount(), 4);
    assign(d, 2, "SM");
    assign(d, 3, "SM");
    click(d, "okButton");
    EXPECT_EQ(messages, (std::vector<QString>{"Počet porostů uložených do databáze: 3 z 3."}));
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.bulkResult().keys, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(sink.saved.size(), 3u);
    EXPECT_FALSE(d.ImportHotov());
}

TEST_F(CaliperDialogs, WindowPositionsInPracPlo) {
    IniFile ini(settings());
    ini.WriteInteger(SettingsKeys::PracPlo, "PrumerkaHaglovLeva", 123);
    ini.WriteInteger(SettingsKeys::PracPlo, "PrumerkaHaglovHorni", 77);
    {
        TPrumerka d(settings());
        EXPECT_EQ(d.pos(), QPoint(123, 77));
        d.move(200, 150);
    }
    EXPECT_EQ(ini.ReadInteger(SettingsKeys::PracPlo, "PrumerkaHaglovLeva", 0), 200);
    EXPECT_EQ(ini.ReadInteger(SettingsKeys::PracPlo, "PrumerkaHaglovHorni", 0), 150);
    {
        TPrumvad v(settings());
        v.move(31, 41);
    }
    EXPECT_EQ(ini.ReadInteger(SettingsKeys::PracPlo, "PrumerkaVaduzLeva", 0), 31);
    EXPECT_EQ(ini.ReadInteger(SettingsKeys::PracPlo, "PrumerkaVaduzHorni", 0), 41);
}

TEST_F(CaliperDialogs, VaduzScanOnShowAndImport) {
    IniFile(settings()).WriteString(SettingsKeys::KodyDrevin, "Buche", "BK");
    TPrumvad d(settings());
    EXPECT_EQ(d.windowTitle(), "Data z registrační průměrky VADUZ");
    d.SetFileName(samplePath("vaduz_de.txt"), session);
    watch(d);
    ASSERT_EQ(grid(d)->rowCount(), 2);
    EXPECT_EQ(cell(d, 0, 0), "Fichte");
    EXPECT_EQ(cell(d, 0, 1), "");
    EXPECT_EQ(cell(d, 1, 1), "BK");
    click(d, "okButton");
    EXPECT_EQ(messages, std::vector<QString>{" Nejsou přiřazeny všechny dřeviny !"});
    assign(d, 0, "SM");
    click(d, "okButton");
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(d.ImportHotov());
    const TManualy225& imported = d.importedStand().stand;
    ASSERT_EQ(imported.count(), 2);
    EXPECT_EQ(imported.designation, "12 Nord3a");
    EXPECT_EQ(imported.at(0).classes[0].trees, 4);
}

TEST_F(CaliperDialogs, VaduzCancelChangesNothing) {
    TPrumvad d(settings());
    d.SetFileName(samplePath("vaduz_cz.txt"), session);
    watch(d);
    assign(d, 0, "SM");
    assign(d, 1, "BK");
    click(d, "cancelButton");
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.ImportHotov());
    // Nothing was saved either.
    EXPECT_FALSE(IniFile(settings()).ValueExists(SettingsKeys::KodyDrevin, "Smrk"));
}

TEST_F(CaliperDialogs, ReaderWindowShowsFileKindAndRecords) {
    TFPMant d;
    EXPECT_EQ(d.windowTitle(), "FPMant");
    d.setFileChooser([] { return samplePath("mantax_class_totals.txt"); });
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    click(d, "NactiData");
    EXPECT_TRUE(d.findChild<QPlainTextEdit*>("leftPane")->toPlainText().startsWith("LIST 5\nMANTAX\n"));
    click(d, "PrevedData");
    EXPECT_EQ(d.findChild<QLineEdit*>("kindEdit")->text(), "souh");
    const QString records = d.findChild<QPlainTextEdit*>("rightPane")->toPlainText();
    EXPECT_TRUE(records.startsWith("$ALIST 5\n$B4\n$d20.06.2023\n$1 SM    10\n")) << records.toStdString();
    EXPECT_TRUE(records.endsWith("$2 BK 0 180\n$9"));

    d.setFileChooser([] { return samplePath("mantax_records.txt"); });
    click(d, "NactiData");
    click(d, "PrevedData");
    EXPECT_EQ(d.findChild<QLineEdit*>("kindEdit")->text(), "zakl");
}
