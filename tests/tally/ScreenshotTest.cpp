#include "HeightChart.h"
#include "SampleHeightGrid.h"
#include "TTabulka.h"
#include "TVyberNoveDrev.h"
#include "TallyFixture.h"
#include "TallyGrid.h"

#include "FileDialog.h"
#include "LocaleNumbers.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// The window as on the screen, with an open drop-down list (a completer's popup) over it.
QPixmap picture(QWidget* window) {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup)
        return window->grab();
    const QRect area = window->frameGeometry().united(popup->frameGeometry());
    return window->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
}

// Runs `command`, which shows a modal window of the class or object name `name`; once the window
// is up, `prepare` runs on it, the window is saved as `file` and closed.
void grabModal(const QString& name, const QString& file, const std::function<void()>& command,
               const std::function<void(QWidget*)>& prepare = {}) {
    QTimer timer;
    timer.setInterval(100);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || (w->objectName() != name && w->metaObject()->className() != name))
                continue;
            timer.stop();
            if (prepare)
                prepare(w);
            QTest::qWait(300);
            EXPECT_TRUE(picture(w).save(file)) << file.toStdString();
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            w->close();
            return;
        }
    });
    timer.start();
    command();
    EXPECT_FALSE(timer.isActive()) << name.toStdString() << " did not show";
}

} // namespace

void TallyFixture::fillSampleStand() {
    main()->move(0, 0);
    QApplication::setActiveWindow(main());
    addSpecies("Smrk ztepilý");
    typeCounts(2, {"3", "8", "15", "22", "19", "12", "6", "2"});
    main()->Refresh();
    click(main()->StrTl);
    typeInto(main()->EVyska, "24");
    QTest::keyClick(main()->EVyska, Qt::Key_Return);
    click(main()->VypZas);
    click(main()->Zaznam);
    main()->Refresh();
    addSpecies("Olše lepkavá");
    typeCounts(1, {"5", "9", "11", "7", "4"});
    main()->Refresh();
    click(main()->StrTl);
    typeInto(main()->EVyska, "19");
    QTest::keyClick(main()->EVyska, Qt::Key_Return);
    click(main()->VypZas);
    click(main()->Zaznam);
    for (const auto& [edit, text] : {std::pair{main()->ETok, QString("Sázava")},
                                     {main()->EBreh, QString("P")},
                                     {main()->ERKm, QString("23,4 - 24,1")},
                                     {main()->EAkce, QString("Revize 2024")},
                                     {main()->Edatum, QString("12.6.2024")},
                                     {main()->EKroviny, QString("350")}}) {
        edit->setFocus();
        typeInto(edit, text);
    }
    main()->Refresh();
}

// Pictures of the main window and the summary with a stand typed in, for looking at the layout:
// runs only when RIVWOOD_SCREENSHOT_DIR names a directory (e.g. under xvfb-run with a real
// platform plugin).
TEST_F(TallyFixture, Screenshots) {
    const QString out = qEnvironmentVariable("RIVWOOD_SCREENSHOT_DIR");
    if (out.isEmpty())
        GTEST_SKIP() << "RIVWOOD_SCREENSHOT_DIR not set";
    start();
    fillSampleStand();
    main()->ZapForm->setFocus();
    main()->ZapForm->setCurrentCell(4, 2);
    QTest::qWait(300);
    EXPECT_TRUE(main()->grab().save(QDir(out).filePath("zapisnik.png")));
    main()->actions().souhrn->trigger();
    ctx().tabulka->move(100, 80);
    QTest::qWait(300);
    EXPECT_TRUE(ctx().tabulka->grab().save(QDir(out).filePath("souhrn.png")));
    QTest::qWait(200);
}

// The pictures of the help (data/help/img): the windows of a typical run on a sample stand.
// Runs only when RIVWOOD_HELP_SCREENSHOTS names the output directory (scripts/help-screenshots.sh).
TEST_F(TallyFixture, HelpScreenshots) {
    const QString out = qEnvironmentVariable("RIVWOOD_HELP_SCREENSHOTS");
    if (out.isEmpty())
        GTEST_SKIP() << "RIVWOOD_HELP_SCREENSHOTS not set";
    const QDir dir(out);
    LocaleNumbers::setDecimalPoint(','); // as on a Czech desktop
    start();
    // The species dialog with the list narrowed by the first letters.
    grabModal(
        "TVyberNoveDrev", dir.filePath("nova-drevina.png"),
        [this] { main()->actions().novaDrevina->trigger(); },
        [](QWidget* w) {
            auto* dialog = static_cast<TVyberNoveDrev*>(w);
            dialog->names()->setFocus();
            typeInto(dialog->names()->lineEdit(), "Ol");
        });
    fillSampleStand();
    main()->ZapForm->setFocus();
    main()->ZapForm->setCurrentCell(4, TallyGrid::CountColumn);
    QTest::qWait(300);
    EXPECT_TRUE(main()->grab().save(dir.filePath("zapisnik.png")));

    // The height curve of the alder on display: its sample heights typed in, the mean height read
    // from the curve and the stock computed again; the mean stem, the samples and the charts.
    typeSamples({"12",   "14,5", "14", "15,5", "16",   "17", "18", "17,5", "20",   "18,5", "22",
                 "19,5", "24",   "19", "26",   "20,5", "29", "21", "32",   "21,5", "35",   "22"});
    click(main()->VyskaZKrivky);
    click(main()->VypZas);
    click(main()->Zaznam);
    main()->Grafy->setCurrentWidget(main()->GrafVysek);
    main()->VyskoveVzorniky->scrollToTop();
    main()->Refresh();
    QTest::qWait(300);
    const auto area = [this](QWidget* w) { return QRect(w->mapTo(main(), QPoint(0, 0)), w->size()); };
    const QRect curve = area(main()->VyskaZKrivky->parentWidget())
                            .united(area(main()->VyskoveVzorniky->parentWidget()))
                            .united(area(main()->Grafy))
                            .adjusted(-6, -20, 6, 6);
    EXPECT_TRUE(main()->grab(curve).save(dir.filePath("vyskova-krivka.png")));
    EXPECT_TRUE(messages().isEmpty());

    main()->actions().ulozeniPorostu->trigger();
    EXPECT_TRUE(messages().isEmpty());
    main()->actions().souhrn->trigger();
    ctx().tabulka->findChild<QCheckBox*>("VsechnySloupce")->click();
    ctx().tabulka->resize(780, 400);
    QTest::qWait(300);
    EXPECT_TRUE(ctx().tabulka->grab().save(dir.filePath("souhrn.png")));
    ctx().tabulka->hide();

    grabModal("TFVybPor", dir.filePath("seznam-porostu.png"),
              [this] { main()->actions().vyberPorostu->trigger(); });
    grabModal(
        "ReportPreviewWindow", dir.filePath("nahled.png"),
        [this] { main()->actions().tiskPorost->trigger(); }, [](QWidget* w) { w->resize(1100, 640); });

    // The Mantax import of the shipped sample file, with the species list open for the first code.
    FileDialog::setNextFileName(QDir(testsupport::binDir()).filePath("ukazky/ukazka-mantax.txt"));
    grabModal(
        "TPrumerka", dir.filePath("prumerka.png"), [this] { main()->actions().mantax->trigger(); },
        [](QWidget* w) {
            // Code 1 gets OL; the list stays open for code 2.
            auto* grid = w->findChild<QTableWidget*>("grid");
            auto* list = w->findChild<QListWidget*>("speciesList");
            const auto clickRow = [grid](int row) {
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                  grid->visualItemRect(grid->item(row, 0)).center());
            };
            clickRow(0);
            QListWidgetItem* ol = list->findItems("OL", Qt::MatchExactly).value(0);
            ASSERT_NE(ol, nullptr);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(ol).center());
            clickRow(1);
        });
    messages();
}
