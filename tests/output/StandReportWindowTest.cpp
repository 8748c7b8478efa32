// The stand report from a window: the preview shows the composed stand, a missing template ends
// in a message box.
#include "ModalWindow.h"
#include "ReportPreviewWindow.h"
#include "StandFixtures.h"
#include "StandReportPrinting.h"
#include "TFJHKSest.h"
#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class WidgetsEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "output_ui_tests";
        static char* argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

  private:
    QApplication* m_app = nullptr;
};
const auto* const kApp = ::testing::AddGlobalTestEnvironment(new WidgetsEnvironment);

} // namespace

TEST(StandReportWindow, PreviewOfOneStandAndOfAll) {
    ReportDatabase db;
    db.add(Stand(QStringLiteral("Sázava"), "L", "1,0", QStringLiteral("A"), 3), 1);
    const int key = db.add(Stand(QStringLiteral("Jizera"), "P", "2,0", QStringLiteral("A"), 70), 2);
    TFJHKSest report(db.database());
    report.setTemplateDirectory(testsupport::binDir());
    QString title, count;
    testsupport::OnModal<ReportPreviewWindow>([&](ReportPreviewWindow* w) {
        title = w->windowTitle();
        count = w->findChild<QLabel*>(QStringLiteral("pageCount"))->text();
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("close")), Qt::LeftButton);
    });
    EXPECT_TRUE(StandReportPrinting::printStand(report, key, nullptr));
    EXPECT_EQ(title, QStringLiteral("Prohlížení sestavy před tiskem"));
    EXPECT_EQ(count, QStringLiteral("2"));
    EXPECT_EQ(db.stranka(key), 1);

    testsupport::OnModal<ReportPreviewWindow>([&](ReportPreviewWindow* w) {
        count = w->findChild<QLabel*>(QStringLiteral("pageCount"))->text();
        w->reject();
    });
    EXPECT_FALSE(StandReportPrinting::printAllStands(report, nullptr));
    EXPECT_EQ(count, QStringLiteral("3"));
}

TEST(StandReportWindow, MissingTemplateEndsInAMessage) {
    ReportDatabase db;
    db.add(StandPlan(), 1);
    TFJHKSest report(db.database());
    QTemporaryDir empty;
    report.setTemplateDirectory(empty.path());
    QString text;
    testsupport::OnModal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        box->accept();
    });
    EXPECT_FALSE(StandReportPrinting::printAllStands(report, nullptr));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy")))
        << text.toStdString();
}
