// The stand report from a window: the preview shows the composed stand, a missing template ends
// in a message box.
#include "ApplicationEnvironment.h"
#include "MessageBox.h"
#include "ModalDialog.h"
#include "ReportPreviewWindow.h"
#include "StandFixtures.h"
#include "StandReportPrinting.h"
#include "TFJHKSest.h"
#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const auto* const kApp = testsupport::InstallApplication<QApplication>("output_ui_tests");

// The preview and the message boxes answered by script, as a user would.
class StandReportWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        MessageBox::setScripted(true);
        ModalDialog::setScripted(true);
    }
    void TearDown() override {
        EXPECT_EQ(ModalDialog::unanswered(), 0);
        MessageBox::setScripted(false);
        ModalDialog::setScripted(false);
    }
};

} // namespace

TEST_F(StandReportWindow, PreviewOfOneStandAndOfAll) {
    ReportDatabase db;
    db.add(Stand(QStringLiteral("Sázava"), "L", "1,0", QStringLiteral("A"), 3), 1);
    const int key = db.add(Stand(QStringLiteral("Jizera"), "P", "2,0", QStringLiteral("A"), 70), 2);
    TFJHKSest report(db.database());
    report.setTemplateDirectory(testsupport::binDir());
    QString title, count;
    ModalDialog::setNext([&](QDialog& w) {
        title = w.windowTitle();
        count = w.findChild<QLabel*>(QStringLiteral("pageCount"))->text();
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("close")), Qt::LeftButton);
    });
    EXPECT_TRUE(StandReportPrinting::printStand(report, key, nullptr));
    EXPECT_EQ(title, QStringLiteral("Prohlížení sestavy před tiskem"));
    EXPECT_EQ(count, QStringLiteral("2"));
    EXPECT_EQ(db.stranka(key), 1);

    ModalDialog::setNext([&](QDialog& w) {
        count = w.findChild<QLabel*>(QStringLiteral("pageCount"))->text();
        w.reject();
    });
    EXPECT_FALSE(StandReportPrinting::printAllStands(report, nullptr));
    EXPECT_EQ(count, QStringLiteral("3"));
}

TEST_F(StandReportWindow, MissingTemplateEndsInAMessage) {
    ReportDatabase db;
    db.add(StandPlan(), 1);
    TFJHKSest report(db.database());
    QTemporaryDir empty;
    report.setTemplateDirectory(empty.path());
    EXPECT_FALSE(StandReportPrinting::printAllStands(report, nullptr));
    const std::vector<MessageBox::Entry> log = MessageBox::takeLog();
    ASSERT_EQ(log.size(), 1u);
    const QString text = log[0].message.text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy")))
        << text.toStdString();
}
