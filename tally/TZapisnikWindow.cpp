// The window's life: first display, activation, closing, and the focus moving in and out of the
// grid and the mean-stem boxes.
#include "DatabaseChooser.h"
#include "FileDialog.h"
#include "HeightChart.h"
#include "IniFile.h"
#include "InputDialog.h"
#include "MessageBox.h"
#include "ModalDialog.h"
#include "OldDatabaseCommands.h"
#include "RivwoodError.h"
#include "SampleHeightGrid.h"
#include "SampleOffer.h"
#include "SettingsKeys.h"
#include "SpeciesTables.h"
#include "TFPMant.h"
#include "TLadeni.h"
#include "TTabulka.h"
#include "TZapisnik.h"
#include "TallyContext.h"
#include "TallyGrid.h"
#include "TallySheet.h"
#include "WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QShowEvent>
#include <QTabWidget>

bool TZapisnik::insideGrid(const QWidget* w) const {
    for (; w; w = w->parentWidget())
        if (w == ZapForm)
            return true;
    return false;
}

void TZapisnik::focusChanged(QWidget* old, QWidget* now) {
    // Typing sample heights shows their curve.
    if (now && (now == VyskoveVzorniky || VyskoveVzorniky->isAncestorOf(now)))
        Grafy->setCurrentWidget(GrafVysek);
    const bool was = insideGrid(old) || (old == nullptr && m_gridHasFocus);
    const bool is = insideGrid(now);
    if (was && !is) {
        // Leaving the grid: keep the cell and hide it.
        m_gridHasFocus = false;
        if (ZapForm->currentIndex().isValid())
            m_savedRow = ZapForm->currentRow();
        ZapForm->clearSelection();
        ZapForm->setCurrentIndex(QModelIndex());
    } else if (!was && is) {
        m_gridHasFocus = true;
        if (ZapForm->rowCount() > 0 && !ZapForm->currentIndex().isValid())
            ZapForm->setCurrentCell(std::clamp(m_savedRow, 0, ZapForm->rowCount() - 1),
                                    TallyGrid::CountColumn);
    }
}

bool TZapisnik::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == ETloustka || watched == EVyska) && event->type() == QEvent::FocusOut)
        meanStemLeft(static_cast<QLineEdit*>(watched));
    return QMainWindow::eventFilter(watched, event);
}

void TZapisnik::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown && !event->spontaneous())
        QMetaObject::invokeMethod(this, &TZapisnik::FormShow, Qt::QueuedConnection);
}

DatabaseDialogs TZapisnik::databaseDialogs() {
    DatabaseDialogs dialogs;
    dialogs.chooseFile = [this](const QString& start) -> std::optional<QString> {
        // Any table file of the directory, or any name typed in it: only the directory counts.
        const QString file = FileDialog::getAnyFileName(
            this, "Výběr složky s databází", start, "Tabulky databáze (*.db)|*.db|Všechny soubory (*.*)|*.*",
            "RivwoodPor.db",
            "Vyberte složku, ve které program povede databázi porostů; v prázdné složce ji po potvrzení "
            "tlačítkem „Otevřít“ založí.");
        if (file.isEmpty())
            return std::nullopt;
        return file;
    };
    dialogs.confirm = [this](const UserMessage& q) {
        return MessageBox::ask(this, q, MessageBox::Buttons::OkNo);
    };
    dialogs.show = [this](const UserMessage& m) { MessageBox::show(this, m); };
    dialogs.chooseServer = [this](const QString& address) -> std::optional<QString> {
        const std::optional<QString> entered = InputDialog::getText(
            this, "Databázový server",
            "Adresa databáze porostů na serveru PostgreSQL:\n"
            "postgresql://uživatel@server:port/databáze\n\n"
            "Heslo se neukládá: program je vezme ze souboru ~/.pgpass, a když tam není, zeptá se na ně.",
            address);
        if (!entered || entered->trimmed().isEmpty())
            return std::nullopt;
        return entered->trimmed();
    };
    // Asked once in a run: the database keeps the password in memory, never in the settings.
    dialogs.askPassword = [this](const QString&, const QString& reason) -> std::optional<QString> {
        // The label takes "&" for a shortcut mark; the address may hold one.
        return InputDialog::getText(
            this, "Heslo k databázovému serveru",
            QString(reason).replace(u'&', QLatin1String("&&")) + "\n\nHeslo (neukládá se):", QString(),
            InputDialog::Echo::Password);
    };
    dialogs.offerTakeOver = [this](const QString& oldDirectory) {
        return OldDatabaseCommands::OfferTakeOver(m_ctx, this, oldDirectory);
    };
    return dialogs;
}

void TZapisnik::FormShow() {
    if (m_shown)
        return;
    m_shown = true;
    bool open = false;
    RunGuarded(this, [&] {
        open = DatabaseChooser::OpenDatabase(m_ctx.database, m_ctx.defaultDatabaseDirectory(),
                                             databaseDialogs());
    });
    if (!open) {
        m_ctx.terminate(1);
        return;
    }

    // The species-group lists, each group once in order of first use.
    for (QComboBox* combo : {PocDle, TabZasDle}) {
        const QSignalBlocker block(combo);
        combo->clear();
        combo->addItems(combo == PocDle ? SpeciesTables::DistinctCurveSpecies()
                                        : SpeciesTables::DistinctTableSpecies());
        combo->setCurrentIndex(-1);
    }
    if (m_ctx.ladeni) {
        m_ctx.ladeni->setDrevJako(SpeciesTables::DrevJako());
        connect(m_ctx.ladeni, &TLadeni::sestavaRequested, this, [this] { TiskPorostClick(); });
        connect(m_ctx.ladeni, &TLadeni::prumerkaRequested, this, [this] {
            if (m_ctx.pMant)
                ModalDialog::exec(*m_ctx.pMant);
        });
    }
    if (m_ctx.tabulka)
        connect(m_ctx.tabulka, &TTabulka::closed, this, &TZapisnik::FormActivate, Qt::QueuedConnection);

    ZapForm->clearSelection();
    ZapForm->setCurrentIndex(QModelIndex());
    sheet().setWithComment(m_a.sKomentarem->isChecked());
    showAll();
    QMetaObject::invokeMethod(this, &TZapisnik::offerSample, Qt::QueuedConnection);
}

void TZapisnik::offerSample() {
    const std::optional<QString> sample =
        SampleOffer::Pending(m_ctx.settingsFile(), m_ctx.samplesDirectory());
    if (!sample)
        return;
    SampleOffer::MarkOffered(m_ctx.settingsFile());
    if (MessageBox::ask(this, SampleOffer::Question()))
        run([&] { sheet().openSample(*sample); });
}

void TZapisnik::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TZapisnik::FormActivate() {
    if (sheet().summary().takeNextStandRequest())
        run([this] { sheet().newStand(); });
}

void TZapisnik::closeEvent(QCloseEvent* event) {
    bool close = false;
    run([&] { close = sheet().mayClose(); });
    if (!close) {
        event->ignore();
        return;
    }
    WindowPlacement::Save(this, m_ctx.settingsFile(), SettingsKeys::Zapisnik);
    if (m_shown && (m_ctx.database.isServer() || !m_ctx.database.directory().isEmpty())) {
        try {
            DatabaseChooser::StoreLocation(m_ctx.database);
        } catch (const RivwoodError&) {
        }
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
    event->accept();
    m_ctx.terminate(0);
}
