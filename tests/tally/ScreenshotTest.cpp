#include "HeightChart.h"
#include "SampleHeightGrid.h"
#include "TTabulka.h"
#include "TVyberNoveDrev.h"
#include "TallyFixture.h"
#include "TallyGrid.h"

#include "FileDialog.h"
#include "LocaleNumbers.h"
#include "ModalDialog.h"
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

// Runs `command`, which shows a modal window; once the window is up, `prepare` runs on it, the
// window is saved as `file` and closed.
void grabModal(const QString& file, const std::function<void()>& command,
               const std::function<void(QWidget*)>& prepare = {}) {
    bool shown = false;
    ModalDialog::setNext([&](QDialog& w) {
        shown = true;
        if (prepare)
            prepare(&w);
        QTest::qWait(300);
        EXPECT_TRUE(picture(&w).save(file)) << file.toStdString();
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        w.close();
    });
    command();
    EXPECT_TRUE(shown) << file.toStdString() << " did not show";
}

} // namespace

void TallyFixture::fillSampleStand() {
    main()->move(0, 0);
    QApplication::setActiveWindow(main());
    addSpecies("Smrk ztepilý");
    typeCounts(2, {"3", "8", "15", "22", "19", "12", "6", "2"});
    click(widget<QPushButton>("StrTl"));
    typeInto(widget<QLineEdit>("EVyska"), "24");
    QTest::keyClick(widget<QLineEdit>("EVyska"), Qt::Key_Return);
    click(widget<QPushButton>("VypZas"));
    click(widget<QPushButton>("Zaznam"));
    addSpecies("Olše lepkavá");
    typeCounts(1, {"5", "9", "11", "7", "4"});
    click(widget<QPushButton>("StrTl"));
    typeInto(widget<QLineEdit>("EVyska"), "19");
    QTest::keyClick(widget<QLineEdit>("EVyska"), Qt::Key_Return);
    click(widget<QPushButton>("VypZas"));
    click(widget<QPushButton>("Zaznam"));
    for (const auto& [edit, text] : {std::pair{widget<QLineEdit>("ETok"), QString("Sázava")},
                                     {widget<QLineEdit>("EBreh"), QString("P")},
                                     {widget<QLineEdit>("ERKm"), QString("23,4 - 24,1")},
                                     {widget<QLineEdit>("EAkce"), QString("Revize 2024")},
                                     {widget<QLineEdit>("Edatum"), QString("12.6.2024")},
                                     {widget<QLineEdit>("EKroviny"), QString("350")}}) {
        edit->setFocus();
        typeInto(edit, text);
    }
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
    widget<TallyGrid>("ZapForm")->setFocus();
    widget<TallyGrid>("ZapForm")->setCurrentCell(4, 2);
    QTest::qWait(300);
    EXPECT_TRUE(main()->grab().save(QDir(out).filePath("zapisnik.png")));
    action("Souhrn1")->trigger();
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
        dir.filePath("nova-drevina.png"), [this] { action("Novadrevina1")->trigger(); },
        [](QWidget* w) {
            auto* dialog = static_cast<TVyberNoveDrev*>(w);
            dialog->names()->setFocus();
            typeInto(dialog->names()->lineEdit(), "Ol");
        });
    fillSampleStand();
    widget<TallyGrid>("ZapForm")->setFocus();
    widget<TallyGrid>("ZapForm")->setCurrentCell(4, TallyGrid::CountColumn);
    QTest::qWait(300);
    EXPECT_TRUE(main()->grab().save(dir.filePath("zapisnik.png")));

    // The height curve of the alder on display: its sample heights typed in, the mean height read
    // from the curve and the stock computed again; the mean stem, the samples and the charts.
    typeSamples({"12",   "14,5", "14", "15,5", "16",   "17", "18", "17,5", "20",   "18,5", "22",
                 "19,5", "24",   "19", "26",   "20,5", "29", "21", "32",   "21,5", "35",   "22"});
    click(widget<QPushButton>("VyskaZKrivky"));
    click(widget<QPushButton>("VypZas"));
    click(widget<QPushButton>("Zaznam"));
    widget<QTabWidget>("Grafy")->setCurrentWidget(widget<HeightChart>("VyskovaKrivka"));
    widget<SampleHeightGrid>("VyskoveVzorniky")->scrollToTop();
    QTest::qWait(300);
    const auto area = [this](QWidget* w) { return QRect(w->mapTo(main(), QPoint(0, 0)), w->size()); };
    const QRect curve = area(widget<QPushButton>("VyskaZKrivky")->parentWidget())
                            .united(area(widget<SampleHeightGrid>("VyskoveVzorniky")->parentWidget()))
                            .united(area(widget<QTabWidget>("Grafy")))
                            .adjusted(-6, -20, 6, 6);
    EXPECT_TRUE(main()->grab(curve).save(dir.filePath("vyskova-krivka.png")));
    EXPECT_TRUE(messages().isEmpty());

    action("Ulozeniporostu1")->trigger();
    EXPECT_TRUE(messages().isEmpty());
    action("Souhrn1")->trigger();
    ctx().tabulka->findChild<QCheckBox*>("VsechnySloupce")->click();
    ctx().tabulka->resize(780, 400);
    QTest::qWait(300);
    EXPECT_TRUE(ctx().tabulka->grab().save(dir.filePath("souhrn.png")));
    ctx().tabulka->hide();

    grabModal(dir.filePath("seznam-porostu.png"), [this] { action("Vyberporostu1")->trigger(); });
    grabModal(
        dir.filePath("nahled.png"), [this] { action("TiskTentoPorost1")->trigger(); },
        [](QWidget* w) { w->resize(1100, 640); });

    // The Mantax import of the shipped sample file, with the species list open for the first code.
    FileDialog::setNextFileName(QDir(testsupport::binDir()).filePath("ukazky/ukazka-mantax.txt"));
    grabModal(
        dir.filePath("prumerka.png"), [this] { action("Mantax1")->trigger(); },
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
