#include "TallyFixture.h"

#include "ApplicationEnvironment.h"
#include "DesktopLauncher.h"
#include "FileDialog.h"
#include "IniFile.h"
#include "InputDialog.h"
#include "LocaleNumbers.h"
#include "ModalDialog.h"
#include "SampleHeightGrid.h"
#include "SettingsKeys.h"
#include "TVyberNoveDrev.h"
#include "TallyGrid.h"
#include "TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

[[maybe_unused]] const auto* const kApp = testsupport::InstallApplication<QApplication>("tally_gui_test");

void TallyFixture::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    QDir(m_dir.path()).mkpath("db");
    MessageBox::setScripted(true);
    FileDialog::setScripted(true);
    InputDialog::setScripted(true);
    ModalDialog::setScripted(true);
    LocaleNumbers::setDecimalPoint('.');
    DesktopLauncher::setRecorder([this](const QString& target, const QStringList& args) {
        m_launched << (QStringList{target} + args).join(' ');
        return true;
    });
}

void TallyFixture::TearDown() {
    if (m_ctx && main()) {
        // Closing may ask about unsaved data: the test is over, so Yes.
        MessageBox::setNextAnswer(true);
        main()->close();
        MessageBox::clearAnswers();
    }
    m_ctx.reset();
    DesktopLauncher::setRecorder({});
    EXPECT_EQ(MessageBox::unanswered(), 0) << "a question had no scripted answer";
    EXPECT_EQ(ModalDialog::unanswered(), 0) << "a window had no script";
    LocaleNumbers::resetDecimalPoint();
}

void TallyFixture::start(bool withDatabasePath) {
    if (withDatabasePath) {
        IniFile ini(settings());
        ini.WriteString(SettingsKeys::DataBase, SettingsKeys::Path, dbDir());
    }
    TallyOptions o;
    o.settingsFile = settings();
    o.programDirectory = m_dir.path();
    o.dataDirectory = testsupport::binDir();
    o.samplesDirectory = samplesDirectory.isEmpty() ? m_dir.filePath("bez-ukazek") : samplesDirectory;
    o.terminate = [this](int code) { m_exitCodes.push_back(code); };
    m_ctx = std::make_unique<TallyContext>(o);
    m_ctx->createWindows();
    main()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main()));
    main()->activateWindow();
    // Without a window manager (xvfb) the window gets the keyboard only when told.
    QApplication::setActiveWindow(main());
    (void)QTest::qWaitForWindowActive(main(), 1000);
    main()->FormShow();
}

void TallyFixture::addSpecies(const QString& name, bool choose) {
    TVyberNoveDrev* dialog = m_ctx->vyberNoveDrev;
    ModalDialog::setNext([dialog, name, choose](QDialog&) {
        dialog->names()->setFocus();
        dialog->names()->lineEdit()->selectAll();
        typeInto(dialog->names()->lineEdit(), name);
        // A text that names no species keeps the dialog open; it is then cancelled.
        QTest::mouseClick(dialog->findChild<QPushButton*>(choose ? "Vybrat" : "Zrusit"), Qt::LeftButton);
    });
    action("Novadrevina1")->trigger();
}

void TallyFixture::type(const QString& text) {
    for (QChar c : text) {
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        typeInto(w, QString(c));
    }
}

void TallyFixture::typeInto(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            // Letters beyond ASCII have no key code of their own; they come as text.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QApplication::sendEvent(widget, &release);
        }
    }
}

void TallyFixture::key(Qt::Key k) {
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    QTest::keyClick(w, k);
}

void TallyFixture::typeCounts(int row, const QStringList& counts) {
    TallyGrid* grid = widget<TallyGrid>("ZapForm");
    grid->setFocus();
    grid->setCurrentCell(row, TallyGrid::CountColumn);
    for (const QString& c : counts) {
        if (c.isEmpty())
            key(Qt::Key_Down);
        else {
            type(c);
            key(Qt::Key_Return);
        }
    }
}

void TallyFixture::typeSamples(const QStringList& texts) {
    auto* grid = widget<SampleHeightGrid>("VyskoveVzorniky");
    grid->setFocus();
    grid->setCurrentCell(grid->rowCount() - 1, 0);
    for (const QString& t : texts) {
        type(t);
        key(Qt::Key_Return);
    }
}

void TallyFixture::click(QWidget* w) {
    ASSERT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton);
}

QString TallyFixture::cell(int row, int column) const {
    return widget<TallyGrid>("ZapForm")->text(row, column).trimmed();
}

QString TallyFixture::total(int column) const {
    return widget<QTableWidget>("CelkForm")->item(0, column)->text().trimmed();
}

QStringList TallyFixture::messages() {
    QStringList out;
    for (const MessageBox::Entry& e : MessageBox::takeLog())
        out << (e.question ? "? " : "") + e.message.ForDisplay();
    return out;
}

void TallyFixture::setLayout(const QString& width, const QString& first) {
    QLineEdit* w = widget<QComboBox>("SirkaTlStupne")->lineEdit();
    w->setFocus();
    w->selectAll();
    typeInto(w, width);
    QTest::keyClick(w, Qt::Key_Return);
    if (!first.isEmpty()) {
        QLineEdit* f = widget<QComboBox>("PrvniTlStupen")->lineEdit();
        f->setFocus();
        f->selectAll();
        typeInto(f, first);
        QTest::keyClick(f, Qt::Key_Return);
    }
}
