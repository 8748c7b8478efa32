// The preview window on the offscreen platform: page buttons and panels, zooms, closing, printing
// without printers, on a text-only printer and to a PDF file, the progress window's interrupt.
#include "ApplicationEnvironment.h"
#include "FileDialog.h"
#include "IniFile.h"
#include "MemoryDataSet.h"
#include "ModalDialog.h"
#include "QtTranslations.h"
#include "ReportPageView.h"
#include "ReportPreviewWindow.h"
#include "ReportProgressWindow.h"
#include "TSestava.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

[[maybe_unused]] const auto* const kApp = testsupport::InstallApplication<QApplication>("report_ui_tests");

// Ten records, three bodies a page: four pages, "Řádek n" in each body.
class PreviewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ModalDialog::setScripted(true);
        m_data.addField(QStringLiteral("n"), ReportDataSet::Integer);
        for (int i = 1; i <= 10; ++i)
            m_data.addRow({i});
        m_report.IsStored = true;
        m_report.Predloha.setLines({QStringLiteral("I,0,\"Zkušební sestava\""),
                                    QStringLiteral("I,2,0,850,1100,50,50,50,50,1,0"),
                                    QStringLiteral("I,3,2,1,300,0"),
                                    QStringLiteral("T,1,0,0,0,200,20,Arial,12,0,0,0,0,1,\"Řádek\",0"),
                                    QStringLiteral("T,2,n,200,0,100,20,Arial,12,0,0,0,0,1,\"\",0")});
        m_report.setDataSet(&m_data);
        ASSERT_EQ(m_report.compose(), TSestavaD::ComposeOk) << m_report.errorString().toStdString();
        ASSERT_EQ(m_report.output().pageCount(), 4);
    }

    void TearDown() override {
        EXPECT_EQ(ModalDialog::unanswered(), 0);
        ModalDialog::setScripted(false);
    }

    template <typename T> static T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    MemoryDataSet m_data;
    TSestava m_report;
};

} // namespace

TEST_F(PreviewTest, PageButtonsAndPanels) {
    ReportPreviewWindow w(m_report);
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Prohlížení sestavy před tiskem"));
    auto* number = child<QLabel>(w, "pageNumber");
    auto* count = child<QLabel>(w, "pageCount");
    auto* first = child<QToolButton>(w, "firstPage");
    auto* prior = child<QToolButton>(w, "priorPage");
    auto* next = child<QToolButton>(w, "nextPage");
    auto* last = child<QToolButton>(w, "lastPage");
    EXPECT_EQ(first->toolTip(), QStringLiteral("První stránka"));
    EXPECT_EQ(prior->toolTip(), QStringLiteral("Předchozí stránka"));
    EXPECT_EQ(next->toolTip(), QStringLiteral("Další stránka"));
    EXPECT_EQ(last->toolTip(), QStringLiteral("Poslední stránka"));
    EXPECT_EQ(number->text(), QStringLiteral("1"));
    EXPECT_EQ(count->text(), QStringLiteral("4"));
    EXPECT_FALSE(first->isEnabled());
    EXPECT_FALSE(prior->isEnabled());

    const QImage page1 = child<ReportPageView>(w, "pageView")->grab().toImage();
    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(number->text(), QStringLiteral("2"));
    EXPECT_EQ(w.currentPage(), 2);
    const QImage page2 = child<ReportPageView>(w, "pageView")->grab().toImage();
    EXPECT_NE(page1, page2);
    QTest::mouseClick(last, Qt::LeftButton);
    EXPECT_EQ(number->text(), QStringLiteral("4"));
    EXPECT_FALSE(next->isEnabled());
    EXPECT_FALSE(last->isEnabled());
    QTest::mouseClick(prior, Qt::LeftButton);
    EXPECT_EQ(number->text(), QStringLiteral("3"));
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(number->text(), QStringLiteral("1"));
    EXPECT_EQ(child<ReportPageView>(w, "pageView")->grab().toImage(), page1);
    w.showPage(99);
    EXPECT_EQ(w.currentPage(), 4);

    // The template designer is not available here.
    auto* edit = child<QPushButton>(w, "editTemplate");
    EXPECT_EQ(edit->text(), QStringLiteral("Oprava předlohy"));
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(child<QPushButton>(w, "print")->text(), QStringLiteral("Tisk sestavy"));
}

TEST_F(PreviewTest, ZoomsScaleThePage) {
    ReportPreviewWindow w(m_report);
    w.show();
    auto* view = child<ReportPageView>(w, "pageView");
    EXPECT_EQ(w.zoom(), 100);
    EXPECT_TRUE(child<QToolButton>(w, "zoom100")->isChecked());
    const QSize full = view->size();
    const double dpi = view->logicalDpiX();
    EXPECT_NEAR(full.width(), 850 * dpi / 100, 1);
    for (int z : ReportPreviewWindow::Zooms) {
        QToolButton* b = child<QToolButton>(w, QStringLiteral("zoom%1").arg(z).toLatin1().constData());
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), QStringLiteral("%1 %").arg(z));
        QTest::mouseClick(b, Qt::LeftButton);
        EXPECT_EQ(w.zoom(), z);
        EXPECT_TRUE(b->isChecked());
        EXPECT_NEAR(view->width(), full.width() * z / 100.0, 1.5) << z;
        EXPECT_NEAR(view->height(), full.height() * z / 100.0, 1.5) << z;
    }
    w.setZoom(77); // not one of the zooms
    EXPECT_EQ(w.zoom(), 200);
}

TEST_F(PreviewTest, UkonceniClosesWithOk) {
    ReportPreviewWindow w(m_report);
    ModalDialog::setNext(
        [&](QDialog&) { QTest::mouseClick(child<QPushButton>(w, "close"), Qt::LeftButton); });
    EXPECT_EQ(ModalDialog::exec(w), QDialog::Accepted);
    ReportPreviewWindow x(m_report);
    ModalDialog::setNext([](QDialog& d) { d.reject(); });
    EXPECT_EQ(ModalDialog::exec(x), QDialog::Rejected);
}

TEST_F(PreviewTest, PreviewReportComposesAndShowsMaximised) {
    bool maximised = false;
    ModalDialog::setNext([&](QDialog& w) {
        maximised = w.windowState() & Qt::WindowMaximized;
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("pageCount"))->text(), QStringLiteral("4"));
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("close")), Qt::LeftButton);
    });
    m_report.output().clear();
    EXPECT_TRUE(PreviewReport(m_report));
    EXPECT_TRUE(maximised);
    EXPECT_EQ(m_report.output().pageCount(), 4);
}

TEST_F(PreviewTest, PrintingWithoutPrinter) {
    ReportPreviewWindow w(m_report);
    QStringList messages;
    w.printing().printerNames = [] { return QStringList(); };
    w.printing().showMessage = [&](const QString& m) { messages << m; };
    bool asked = false;
    w.printing().chooseOptions = [&](QPrinter&, int) -> std::optional<ReportPrinting::Choice> {
        asked = true;
        return std::nullopt;
    };
    QTest::mouseClick(child<QPushButton>(w, "print"), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Není vybrána žádná předvolená tiskárna.")});
    EXPECT_FALSE(asked);
    EXPECT_EQ(w.printing().print(m_report), ReportPrinting::NoPrinter);
}

TEST_F(PreviewTest, PrintingOnATextOnlyQueueAndToAFile) {
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("lp"));
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\necho \"$@\" >> '%1/args'\ncat >> '%1/jobs'\n")
                    .arg(dir.path())
                    .toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReportPrinting printing;
    QStringList messages;
    printing.printerNames = [] { return QStringList{QStringLiteral("Matrix"), QStringLiteral("Laser")}; };
    printing.makeAndModel = [](const QString& p) {
        return p == QStringLiteral("Matrix") ? QStringLiteral("Generic Text-Only Printer")
                                             : QStringLiteral("Generic PostScript Printer");
    };
    printing.showMessage = [&](const QString& m) { messages << m; };
    printing.lpProgram = script;
    // The line printer's code page: offered from the settings file, the choice kept there.
    const QString settings = dir.filePath(QStringLiteral("Rivwood.INI"));
    QList<TSestLanguage> offered;
    printing.settingsFile = settings;
    printing.chooseCodePage = [&](TSestLanguage current) {
        offered << current;
        return std::optional(slCP852);
    };
    int offeredPages = 0;
    ReportPrinting::Choice choice;
    choice.printer = QStringLiteral("Matrix");
    choice.fromPage = 2;
    choice.toPage = 3;
    choice.copies = 2;
    printing.chooseOptions = [&](QPrinter&, int pages) {
        offeredPages = pages;
        return std::optional(choice);
    };
    EXPECT_TRUE(printing.isLinePrinter(QStringLiteral("Matrix")));
    EXPECT_FALSE(printing.isLinePrinter(QStringLiteral("Laser")));
    ASSERT_EQ(printing.print(m_report), ReportPrinting::Printed) << messages.join(u' ').toStdString();
    EXPECT_EQ(offeredPages, 4);
    EXPECT_EQ(m_report.StartPage, 2);
    EXPECT_EQ(m_report.EndPage, 3);
    EXPECT_EQ(m_report.PrintCopies, 2);
    const QByteArray jobs = testsupport::readFile(dir.filePath(QStringLiteral("jobs")));
    EXPECT_EQ(testsupport::readFile(dir.filePath(QStringLiteral("args"))).count("-d Matrix -o raw"), 2);
    EXPECT_EQ(jobs.count('\f'), 4); // two pages, twice
    // Page 2 holds records 4 to 6, page 3 records 7 to 9.
    EXPECT_TRUE(jobs.contains("4"));
    EXPECT_TRUE(jobs.contains("9"));
    EXPECT_FALSE(jobs.contains("10"));
    EXPECT_TRUE(jobs.contains("\xFC\xA0"
                              "dek")); // "Řádek" in cp852
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(offered, QList<TSestLanguage>{slUndefined});
    EXPECT_EQ(m_report.ExportLanguage, slUndefined); // the component keeps its own
    EXPECT_EQ(IniFile(settings).ReadString("Tisk", "KodovaStrankaTiskarny"), "cp852");
    ASSERT_EQ(printing.print(m_report), ReportPrinting::Printed);
    EXPECT_EQ(offered.last(), slCP852);

    // Printing to a file writes the PDF of the range.
    choice.printer = QStringLiteral("Laser");
    choice.outputFile = dir.filePath(QStringLiteral("tisk.pdf"));
    choice.fromPage = 1;
    choice.toPage = 4;
    choice.copies = 1;
    ASSERT_EQ(printing.print(m_report), ReportPrinting::Printed);
    const QByteArray pdf = testsupport::readFile(choice.outputFile);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 4);

    // A cancelled dialog prints nothing.
    printing.chooseOptions = [](QPrinter&, int) { return std::optional<ReportPrinting::Choice>(); };
    QFile::remove(dir.filePath(QStringLiteral("jobs")));
    EXPECT_EQ(printing.print(m_report), ReportPrinting::Printed);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("jobs"))));
}

// The name typed without an extension gets ".pdf".
TEST_F(PreviewTest, PdfOfThePages) {
    QTemporaryDir dir;
    ReportPreviewWindow w(m_report);
    FileDialog::setScripted(true);
    FileDialog::setNextFileName(dir.filePath(QStringLiteral("náhled")));
    m_report.StartPage = 3;
    QTest::mouseClick(child<QPushButton>(w, "pdf"), Qt::LeftButton);
    FileDialog::setScripted(false);
    const QString file = dir.filePath(QStringLiteral("náhled.pdf"));
    const QByteArray pdf = testsupport::readFile(file);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 4);
    EXPECT_EQ(m_report.StartPage, 3); // the print range is kept
}

TEST_F(PreviewTest, TextOfThePagesInTheChosenCodePage) {
    QTemporaryDir dir;
    ReportPreviewWindow w(m_report);
    const QString file = dir.filePath(QStringLiteral("sestava.txt"));
    w.setSettingsFile(dir.filePath(QStringLiteral("Rivwood.INI")));
    w.chooseTextFile = [&] { return file; };
    TSestLanguage offered = slCP1250;
    w.chooseCodePage = [&](TSestLanguage current) {
        offered = current;
        return std::optional(slASCII);
    };
    QTest::mouseClick(child<QPushButton>(w, "text"), Qt::LeftButton);
    EXPECT_EQ(offered, slUndefined);
    const QByteArray text = testsupport::readFile(file);
    EXPECT_EQ(text.count("Radek"), 10); // every record, without diacritics
    EXPECT_EQ(m_report.ExportLanguage, slUndefined);
    // Offered again next time.
    QTest::mouseClick(child<QPushButton>(w, "text"), Qt::LeftButton);
    EXPECT_EQ(offered, slASCII);
}

TEST(ProgressWindow, InterruptAndRecordNumber) {
    ReportProgressWindow w;
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Informace"));
    w.recordNumber(1);
    EXPECT_EQ(w.message(), QStringLiteral("Připravuji tisk položky číslo: 1"));
    EXPECT_FALSE(w.poll());
    w.recordNumber(57);
    QTest::qWait(60);
    EXPECT_FALSE(w.poll());
    EXPECT_EQ(w.message(), QStringLiteral("Připravuji tisk položky číslo: 57"));
    auto* stop = w.findChild<QPushButton*>(QStringLiteral("interrupt"));
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(), QStringLiteral("Přerušit"));
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_TRUE(w.poll());
    EXPECT_TRUE(w.interrupted());
    w.showSending();
    EXPECT_EQ(w.message(), QStringLiteral("Odesílám data do tiskárny ..."));
}

TEST_F(PreviewTest, InterruptedCompositionKeepsWhatWasComposed) {
    ReportProgressWindow progress;
    progress.show();
    QTest::mouseClick(progress.findChild<QPushButton*>(QStringLiteral("interrupt")), Qt::LeftButton);
    m_report.setProgress(&progress);
    EXPECT_EQ(m_report.compose(), TSestavaD::ComposeInterrupted);
    m_report.setProgress(nullptr);
    EXPECT_LE(m_report.output().pageCount(), 1);
}

TEST(QtTexts, StandardButtonsAndThePrintDialogInCzech) {
    ASSERT_TRUE(QtTranslations::InstallCzech(*QCoreApplication::instance()));
    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text(), QStringLiteral("&Ano"));
    EXPECT_EQ(box.button(QDialogButtonBox::No)->text(), QStringLiteral("&Ne"));
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Zrušit"));
    QPrinter printer;
    QPrintDialog dialog(&printer);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tisk"));
}
