// The workbook commands as the windows run them: dialogs, messages and the results window.
#include "WorkbookCommands.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "StandFixtures.h"
#include "StandSession.h"
#include "TFFormOne.h"
#include "TestSupport.h"

#include <QFileInfo>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class WorkbookCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        MessageBox::setScripted(true);
        FileDialog::setScripted(true);
        MessageBox::takeLog();
        FileDialog::takeRequests();
        m_key = m_db.add(StandPlan{}, 1);
        m_session.stand = MakeReportStand(StandPlan{}, 1);
        m_session.stand.code = QStringLiteral("Sázava              L 12,300");
    }
    QStringList messages() {
        QStringList texts;
        for (const MessageBox::Entry& e : MessageBox::takeLog())
            texts << e.message.text;
        return texts;
    }

    ReportDatabase m_db;
    StandSession m_session;
    int m_key = 0;
    QTemporaryDir m_out;
    QWidget m_parent;
};

} // namespace

TEST_F(WorkbookCommandsTest, ExportWritesTheChosenFileAndSaysWhere) {
    FileDialog::setNextFileName(m_out.filePath("porost.xlsx"));
    WorkbookCommands::ExportStand(m_db.database(), m_session, m_key, testsupport::binDir(), &m_parent);
    EXPECT_EQ(FileDialog::takeRequests(), QStringList{"Export do sešitu"});
    EXPECT_TRUE(QFileInfo::exists(m_out.filePath("porost.xlsx")));
    EXPECT_EQ(messages(), QStringList{"Sešit byl uložen do souboru\r" + m_out.filePath("porost.xlsx")});

    // Without a template the command ends with the reader's message.
    FileDialog::setNextFileName(m_out.filePath("dalsi.xlsx"));
    WorkbookCommands::ExportStand(m_db.database(), m_session, m_key, m_out.path(), &m_parent);
    const QStringList failed = messages();
    ASSERT_EQ(failed.size(), 1);
    EXPECT_TRUE(failed[0].contains("Rivwood.xltx")) << failed[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(m_out.filePath("dalsi.xlsx")));
}

TEST_F(WorkbookCommandsTest, DoExceluShowsTheWindowAfterACancelledSave) {
    WorkbookCommands::DoExcelu(m_db.database(), m_session, m_key, m_out.path(), &m_parent);
    EXPECT_EQ(FileDialog::takeRequests(), QStringList{"Uložení výsledků do excelu"});
    EXPECT_EQ(messages(), QStringList{" Uložení do excelu NEPROBĚHLO !!!"});
    TFFormOne& window = TFFormOne::of(&m_parent);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Tabulka výsledků");
    const QTableWidget* view = window.sheetView();
    EXPECT_EQ(view->item(1, 0)->text(), "Sázava");
    EXPECT_EQ(view->item(6, 0)->font().family(), QFont("Arial CE").family());

    // "Tento porost" of the main menu saves in the proposed file, the window stays as it is.
    window.hide();
    FileDialog::setNextFileName(m_out.filePath("Sázava_L_12,300.xls"));
    WorkbookCommands::ResultsOfStand(m_db.database(), m_session, m_key, m_out.path(), &m_parent);
    EXPECT_TRUE(QFileInfo::exists(m_out.filePath("Sázava_L_12,300.xls")));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(messages().isEmpty());
}
