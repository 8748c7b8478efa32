// The tally sheet proper: the class layout, the grid and its totals, the display of a species,
// the refresh, and the window's life (first display, activation, closing).
#include "DatabaseChooser.h"
#include "DiameterChart.h"
#include "FileDialog.h"
#include "IniFile.h"
#include "LocaleNumbers.h"
#include "MeanStem.h"
#include "MessageBox.h"
#include "RivwoodError.h"
#include "SettingsKeys.h"
#include "SpeciesTables.h"
#include "TFUzivatel.h"
#include "TFVybPor.h"
#include "TLadeni.h"
#include "TTabulka.h"
#include "TZapisnik.h"
#include "TallyContext.h"
#include "TallyGrid.h"
#include "TextUtils.h"
#include "WindowPlacement.h"

#include "TFPMant.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QTimer>
#include <numbers>

using LocaleNumbers::Format;

void TZapisnik::inform(const UserMessage& message) {
    MessageBox::show(this, message);
}

bool TZapisnik::ask(const UserMessage& question, bool okNo) {
    return MessageBox::ask(this, question, okNo ? MessageBox::Buttons::OkNo : MessageBox::Buttons::YesNo);
}

QString TZapisnik::speciesText() const {
    return VyberDrevin->currentText();
}

void TZapisnik::setLayoutCombos() {
    const ClassLayout& l = m_ctx.session.layout;
    const QSignalBlocker b1(SirkaTlStupne), b2(PrvniTlStupen);
    SirkaTlStupne->setCurrentText(QString::number(l.SirkaStupne));
    PrvniTlStupen->setCurrentText(QString::number(l.StredPrvniho));
}

void TZapisnik::NastavStupne() {
    ZapForm->clearSelection();
    const ClassLayout l = m_ctx.session.layout;
    m_ctx.session.SetClassLayout(l.SirkaStupne, l.StredPrvniho);
    const ClassLayout& layout = m_ctx.session.layout;
    ZapForm->setRows(layout.PocetStupnu);
    for (int k = 0; k < layout.PocetStupnu; ++k) {
        const double centre = layout.StredPrvniho + k * layout.SirkaStupne;
        ZapForm->setText(k, 0, Format("%8.1f", centre * std::numbers::pi));
        ZapForm->setText(k, 1, Format("%6.0f", centre));
    }
    m_savedRow = std::min(m_savedRow, layout.PocetStupnu - 1);
    updateChart();
}

// Refuses a layout without a usable class count; the combos then show the layout in use.
void TZapisnik::applyClassLayout(int width, double firstCentre) {
    if (width < 1 || firstCentre < 1 || firstCentre > ClassLayout::MaxTloustka ||
        ClassLayout::ClassCount(width, firstCentre) < 1) {
        inform(
            {UserMessage::Error, "Šířka stupně musí být alespoň 1 cm a střed prvního stupně 1 až 200 cm."});
        setLayoutCombos();
        return;
    }
    m_ctx.session.SetClassLayout(width, firstCentre);
    NastavStupne();
}

void TZapisnik::SirkaTlStupneChange() {
    const int width = ToInteger(SirkaTlStupne->currentText(), 4);
    if (width == m_ctx.session.layout.SirkaStupne &&
        SirkaTlStupne->currentText().trimmed() == QString::number(width))
        return;
    applyClassLayout(width, width >= 1 ? ClassLayout::DefaultFirstCentre(width) : 10);
}

void TZapisnik::PrvniTlStupenChange() {
    const int first = ToInteger(PrvniTlStupen->currentText(), 10);
    if (first == m_ctx.session.layout.StredPrvniho &&
        PrvniTlStupen->currentText().trimmed() == QString::number(first))
        return;
    applyClassLayout(m_ctx.session.layout.SirkaStupne, first);
}

void TZapisnik::SectiCetnosti() {
    WorkingCopy& w = m_ctx.session.work;
    const int rows = ZapForm->rowCount();
    if (int(w.Cetnosti.size()) < rows + 1)
        w.Cetnosti.resize(size_t(rows + 1));
    for (int k = 0; k < rows; ++k) {
        const QString text = ZapForm->text(k, TallyGrid::CountColumn);
        double count = 0;
        if (!text.isEmpty()) {
            bool ok = false;
            const int v = text.trimmed().toInt(&ok);
            if (ok)
                count = v;
            else if (!IsBlank(text))
                inform({UserMessage::Error, QString(" chyba %1").arg(k)});
        }
        w.Cetnosti[size_t(k + 1)] = count;
    }
    const long long total = MeanStem::SectiCetnosti(w);
    CelkForm->item(0, 2)->setText(total != 0 ? QString::number(total) : QString());
    m_ctx.session.flags.VyplneneCetnosti = total > 0;
    updateChart();
}

void TZapisnik::NulujTab() {
    for (int k = 0; k < ZapForm->rowCount(); ++k)
        for (int c = 2; c < 5; ++c)
            ZapForm->setText(k, c, QString());
    for (int c = 2; c < 5; ++c)
        CelkForm->item(0, c)->setText(QString());
    ETloustka->clear();
    EVyska->clear();
    EJHK->clear();
    updateChart();
}

void TZapisnik::showTotals() {
    const WorkingCopy& w = m_ctx.session.work;
    const double trees = w.Cetnosti.empty() ? 0 : w.Cetnosti[0];
    const double stock = w.Objemy.empty() ? 0 : w.Objemy[0];
    CelkForm->item(0, 2)->setText(trees > 0 ? QString::number((long long)RoundHalfEven(trees)) : QString());
    CelkForm->item(0, 3)->setText(trees > 0 && stock > 0 ? Format("%8.2f", stock / trees) : QString());
    CelkForm->item(0, 4)->setText(stock > 0 ? Format("%8.2f", stock) : QString());
}

void TZapisnik::ZPracNaDispl() {
    StandSession& s = m_ctx.session;
    WorkingCopy& w = s.work;
    EditingFlags& f = s.flags;

    PocDle->setCurrentIndex(PocDle->findText(CharsToString(w.KodJhkDle), Qt::MatchFixedString));
    TabZasDle->setCurrentIndex(TabZasDle->findText(CharsToString(w.KodTabZasDle), Qt::MatchFixedString));
    JmenoDrev->setText(SpeciesTables::SpeciesName(speciesText().trimmed()));

    ETloustka->setText(w.StrTloustka > 0 ? Format("%8.4g", w.StrTloustka) : QString());
    f.VyplnenaTloustka = w.StrTloustka > 0;
    ETloustka->setModified(false);
    EVyska->setText(w.StrVyska > 0 ? Format("%8.4g", w.StrVyska) : QString());
    f.VyplnenaVyska = w.StrVyska > 0;
    EVyska->setModified(false);
    EJHK->setText(w.CisloJhk100 >= 1 ? Format("%8.2f", w.CisloJhk100 / 100.0) : QString());

    const auto value = [](const std::vector<double>& v, int i) {
        return i < int(v.size()) ? v[size_t(i)] : 0.0;
    };
    f.VyplneneCetnosti = false;
    int first = -1;
    for (int k = 0; k < ZapForm->rowCount(); ++k) {
        const double count = value(w.Cetnosti, k + 1);
        if (count > 0) {
            ZapForm->setText(k, 2, QString::number((long long)RoundHalfEven(count)));
            f.VyplneneCetnosti = true;
            if (first < 0)
                first = k;
        } else {
            ZapForm->setText(k, 2, QString());
        }
        const double unit = value(w.ObjJednotky, k + 1);
        const double volume = value(w.Objemy, k + 1);
        ZapForm->setText(k, 3, unit > 0 ? Format("%8.2f", unit) : QString());
        ZapForm->setText(k, 4, volume > 0 ? Format("%8.2f", volume) : QString());
    }
    if (ZapForm->rowCount() > 0)
        ZapForm->scrollToItem(ZapForm->item(std::max(first, 0), 0), QAbstractItemView::PositionAtTop);
    m_savedRow = std::max(first, 0);
    showTotals();

    ETok->setText(s.stand.river);
    EBreh->setText(s.stand.bank);
    ERKm->setText(s.stand.riverKm);
    EAkce->setText(s.stand.action);

    f.ZmenaTloustky = false;
    f.ZmenaVysky = false;
    f.ZmenaCetnosti = false;
    f.Zaznamenano = true;
    updateChart();
}

void TZapisnik::updateChart() {
    // The chart follows what the sheet shows.
    const ClassLayout& l = m_ctx.session.layout;
    std::vector<DiameterChart::Bar> bars;
    const bool species = VyberDrevin->count() > 0;
    for (int k = 0; k < ZapForm->rowCount(); ++k) {
        const double trees = species ? ToInteger(ZapForm->text(k, TallyGrid::CountColumn), 0) : 0;
        bars.push_back({l.StredPrvniho + k * l.SirkaStupne, trees});
    }
    Graf->setData(species ? speciesText().trimmed() : QString(), bars);
}

void TZapisnik::ZapFormSetEditText(int, const QString&, const QString&) {
    StandSession& s = m_ctx.session;
    SectiCetnosti();
    s.flags.PoStartu = false;
    s.flags.ZmenaCetnosti = true;
    s.flags.VyplnenaTloustka = false;
    s.flags.Vypocteno = false;
    s.flags.Zaznamenano = false;
    s.flags.Ulozeno = false;
    s.stand.summary = false;
}

void TZapisnik::headerEdited() {
    // A changed header of a stand with species is a change to be saved.
    if (m_ctx.session.stand.count() > 0)
        m_ctx.session.flags.Ulozeno = false;
}

bool TZapisnik::commandEnabled(const QAction* action) {
    const QVariant state = action->property("rivwoodEnabled");
    return state.isValid() ? state.toBool() : action->isEnabled();
}

void TZapisnik::setCommandEnabled(QAction* action, bool enabled) {
    action->setEnabled(enabled);
    action->setProperty("rivwoodEnabled", enabled);
}

void TZapisnik::Refresh() {
    StandSession& s = m_ctx.session;
    EditingFlags& f = s.flags;
    const bool items = VyberDrevin->count() > 0;

    if (m_ctx.ladeni)
        m_ctx.ladeni->setCounts(VyberDrevin->count(), s.stand.count());
    f.VyplnenaVyska = !IsBlank(EVyska->text());
    f.VyplnenaTloustka = !IsBlank(ETloustka->text());

    VypZas->setEnabled(f.VyplnenaVyska && f.VyplnenaTloustka && f.VyplneneCetnosti);
    StrTl->setEnabled(f.VyplneneCetnosti);
    ETloustka->setEnabled(f.VyplneneCetnosti);
    EVyska->setEnabled(f.VyplneneCetnosti);
    VyberDrevin->setEnabled(items && f.Zaznamenano);
    PocDle->setEnabled(items);
    TabZasDle->setEnabled(items);
    ZapForm->setEnabled(items);
    if (m_ctx.uzivatel)
        m_ctx.uzivatel->doDatabaze()->setEnabled(items);
    setCommandEnabled(m_a.novaDrevina, f.Zaznamenano || !items);
    Zaznam->setEnabled((items && !f.Zaznamenano) || f.ZmenaCetnosti || f.ZmenaTloustky || f.ZmenaVysky);
    BZeZaznamu->setEnabled(!f.Zaznamenano && items);
    setCommandEnabled(m_a.souhrn, f.Zaznamenano && f.Vypocteno);
    setCommandEnabled(m_a.cteniDat, f.Ulozeno);
    setCommandEnabled(m_a.prumerka->menuAction(), f.Ulozeno);
    for (QAction* a : {m_a.mantax, m_a.mantaxHromadne, m_a.vaduz})
        setCommandEnabled(a, f.Ulozeno);
    if (m_ctx.vybPor)
        m_ctx.vybPor->setChooseAllowed(f.Ulozeno);
    SirkaTlStupne->setEnabled(!items);
    PrvniTlStupen->setEnabled(!items);
    CBVypocteno->setChecked(f.Vypocteno);
    CBZaznamenano->setChecked(f.Zaznamenano);
    CBUlozeno->setChecked(f.Ulozeno && !f.PoStartu);
    if (f.PoStartu)
        f.KlicZaznamu = 0;
    m_a.sKomentarem->setChecked(f.SKomentarem);
    // The items of the "Data" menu also follow, for their keys.
    DataMenuShow();
}

bool TZapisnik::insideGrid(const QWidget* w) const {
    for (; w; w = w->parentWidget())
        if (w == ZapForm)
            return true;
    return false;
}

void TZapisnik::focusChanged(QWidget* old, QWidget* now) {
    const bool was = insideGrid(old) || (old == nullptr && m_gridHasFocus);
    const bool is = insideGrid(now);
    if (was && !is) {
        // Leaving the grid: keep the cell, hide it, and sum the counts.
        m_gridHasFocus = false;
        if (ZapForm->currentIndex().isValid())
            m_savedRow = ZapForm->currentRow();
        ZapForm->clearSelection();
        ZapForm->setCurrentIndex(QModelIndex());
        RunGuarded(this, [this] { SectiCetnosti(); });
    } else if (!was && is) {
        m_gridHasFocus = true;
        if (ZapForm->rowCount() > 0 && !ZapForm->currentIndex().isValid())
            ZapForm->setCurrentCell(std::clamp(m_savedRow, 0, ZapForm->rowCount() - 1),
                                    TallyGrid::CountColumn);
    }
}

bool TZapisnik::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ETloustka || watched == EVyska) {
        auto* edit = static_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::FocusIn) {
            edit->setModified(false);
        } else if (event->type() == QEvent::FocusOut) {
            RunGuarded(this, [&] {
                if (edit == ETloustka)
                    ETloustkaExit();
                else
                    EVyskaExit();
            });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TZapisnik::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown && !event->spontaneous())
        QTimer::singleShot(0, this, &TZapisnik::FormShow);
}

DatabaseDialogs TZapisnik::databaseDialogs() {
    DatabaseDialogs dialogs;
    dialogs.chooseFile = [this](const QString& start) -> std::optional<QString> {
        // Any table file of the directory, or any name typed in it: only the directory counts.
        const QString file = FileDialog::getAnyFileName(
            this, "Výběr složky s databází", start, "Tabulky databáze (*.db)|*.db|Všechny soubory (*.*)|*.*",
            "RivwoodPor.db");
        if (file.isEmpty())
            return std::nullopt;
        return file;
    };
    dialogs.confirm = [this](const UserMessage& q) { return ask(q, true); };
    dialogs.show = [this](const UserMessage& m) { inform(m); };
    return dialogs;
}

void TZapisnik::FormShow() {
    if (m_shown)
        return;
    m_shown = true;
    StandSession& s = m_ctx.session;

    bool open = false;
    RunGuarded(this, [&] {
        open = DatabaseChooser::OpenDatabase(m_ctx.database, m_ctx.programDirectory(), databaseDialogs());
    });
    if (!open) {
        m_ctx.terminate(1);
        return;
    }

    // The species-group lists, each group once in order of first use.
    PocDle->clear();
    TabZasDle->clear();
    PocDle->addItems(SpeciesTables::DistinctCurveSpecies());
    TabZasDle->addItems(SpeciesTables::DistinctTableSpecies());
    PocDle->setCurrentIndex(-1);
    TabZasDle->setCurrentIndex(-1);
    if (m_ctx.ladeni) {
        m_ctx.ladeni->setDrevJako(SpeciesTables::DrevJako());
        connect(m_ctx.ladeni, &TLadeni::sestavaRequested, this,
                [this] { RunGuarded(this, [this] { TiskPorostClick(); }); });
        connect(m_ctx.ladeni, &TLadeni::prumerkaRequested, this, [this] {
            if (m_ctx.pMant)
                m_ctx.pMant->exec();
        });
    }
    if (m_ctx.pMant)
        m_ctx.pMant->setMessageHandler([this](const UserMessage& m) { MessageBox::show(m_ctx.pMant, m); });
    if (m_ctx.tabulka)
        connect(m_ctx.tabulka, &TTabulka::closed, this,
                [this] { QTimer::singleShot(0, this, &TZapisnik::FormActivate); });

    ZapForm->clearSelection();
    ZapForm->setCurrentIndex(QModelIndex());
    s.flags.SKomentarem = m_a.sKomentarem->isChecked();
    Refresh();
    m_timer->start();
}

void TZapisnik::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TZapisnik::FormActivate() {
    if (!m_ctx.ZrusitVsePriAktivaci)
        return;
    m_ctx.ZrusitVsePriAktivaci = false;
    RunGuarded(this, [this] { NovyPorost(); });
}

void TZapisnik::closeEvent(QCloseEvent* event) {
    if (!m_ctx.session.flags.Ulozeno &&
        !ask({UserMessage::Error, "Data nejsou uložena!\rChcete přesto ukočit program?"})) {
        event->ignore();
        return;
    }
    m_timer->stop();
    WindowPlacement::Save(this, m_ctx.settingsFile(), SettingsKeys::Zapisnik);
    if (m_shown && !m_ctx.database.directory().isEmpty()) {
        try {
            IniFile ini(m_ctx.settingsFile());
            ini.WriteString(SettingsKeys::DataBase, SettingsKeys::Path,
                            QDir::toNativeSeparators(m_ctx.database.directory()));
        } catch (const RivwoodError&) {
        }
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
    event->accept();
    m_ctx.terminate(0);
}
