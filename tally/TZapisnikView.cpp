// The sheet's state on the widgets, part by part as the sheet announces its changes: texts of the
// grid, boxes, combos and header, the enabled and ticked states of every command, the check, and
// the focus an operation hands on.
#include "DiameterChart.h"
#include "HeightChart.h"
#include "LocaleNumbers.h"
#include "MessageBox.h"
#include "RivwoodError.h"
#include "SampleHeightGrid.h"
#include "TFUzivatel.h"
#include "TFVybPor.h"
#include "TLadeni.h"
#include "TZapisnik.h"
#include "TallyContext.h"
#include "TallyGrid.h"
#include "TallySheet.h"
#include "TextUtils.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

namespace {

void setText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text)
        edit->setText(text);
}

// Selects the item equal to `text`, none for an empty text; an editable combo shows a text that
// is no item as typed.
void setComboText(QComboBox* combo, const QString& text) {
    if (combo->currentText() == text && (combo->currentIndex() >= 0 || combo->isEditable()))
        return;
    const QSignalBlocker block(combo);
    const int index = text.isEmpty() ? -1 : combo->findText(text, Qt::MatchFixedString);
    combo->setCurrentIndex(index);
    if (index < 0 && combo->isEditable())
        combo->setEditText(text);
}

} // namespace

void TZapisnik::run(const std::function<void()>& operation) {
    ++m_running;
    RunGuarded(this, operation);
    --m_running;
    if (m_running == 0)
        showFocus(std::exchange(m_focusAfter, SheetFocus::None));
}

void TZapisnik::sheetChanged(SheetParts parts, SheetFocus focus) {
    if (parts & SheetPart::Grid)
        showGrid();
    if (parts & SheetPart::Species)
        showSpecies();
    if (parts & (SheetPart::Grid | SheetPart::Species))
        updateChart();
    if (parts & SheetPart::MeanStem)
        showMeanStem();
    if (parts & SheetPart::Samples)
        VyskoveVzorniky->setRows(sheet().view().samples);
    if (parts & (SheetPart::Species | SheetPart::MeanStem | SheetPart::Samples))
        updateHeightChart();
    if (parts & SheetPart::Header)
        showHeader();
    if (parts & (SheetPart::Commands | SheetPart::Species | SheetPart::Check))
        showCommands();
    if (parts & SheetPart::Check)
        showCheck();
    if (focus == SheetFocus::None)
        return;
    // The focus moves once the operation is over, so that a box it leaves hands its text on.
    if (m_running > 0)
        m_focusAfter = focus;
    else
        showFocus(focus);
}

void TZapisnik::showAll() {
    sheetChanged(SheetParts(SheetPart::Grid) | SheetPart::Species | SheetPart::MeanStem | SheetPart::Samples |
                     SheetPart::Header | SheetPart::Commands | SheetPart::Check,
                 SheetFocus::None);
}

void TZapisnik::showCheck() {
    QStringList lines;
    RunGuarded(this, [&] {
        for (const PlausibilityWarning& w : sheet().check())
            lines << w.text;
    });
    QStringList shown;
    for (int i = 0; i < KontrolaPorostu->count(); ++i)
        shown << KontrolaPorostu->item(i)->text();
    if (shown != lines) {
        KontrolaPorostu->clear();
        KontrolaPorostu->addItems(lines);
    }
}

void TZapisnik::showGrid() {
    const SheetView& v = sheet().view();
    {
        const QSignalBlocker b1(SirkaTlStupne), b2(PrvniTlStupen);
        if (SirkaTlStupne->currentText() != v.widthText)
            SirkaTlStupne->setCurrentText(v.widthText);
        if (PrvniTlStupen->currentText() != v.firstText)
            PrvniTlStupen->setCurrentText(v.firstText);
    }
    const int rows = int(v.rows.size());
    if (ZapForm->rowCount() != rows) {
        ZapForm->setRows(rows);
        m_savedRow = std::min(m_savedRow, std::max(rows - 1, 0));
    }
    for (int k = 0; k < rows; ++k)
        for (int c = 0; c < SheetView::Columns; ++c)
            if (ZapForm->text(k, c) != v.rows[size_t(k)][size_t(c)])
                ZapForm->setText(k, c, v.rows[size_t(k)][size_t(c)]);
    for (int c = 0; c < SheetView::Columns; ++c)
        if (CelkForm->item(0, c)->text() != v.totals[size_t(c)])
            CelkForm->item(0, c)->setText(v.totals[size_t(c)]);
    if (v.scrollRequest != m_scrollSeen) {
        m_scrollSeen = v.scrollRequest;
        if (rows > 0)
            ZapForm->scrollToItem(ZapForm->item(std::clamp(v.topRow, 0, rows - 1), 0),
                                  QAbstractItemView::PositionAtTop);
        m_savedRow = std::max(v.topRow, 0);
        // The cell cursor goes along: a new species starts on the first class, not on the row the
        // previous species was left at.
        if (rows > 0 && ZapForm->currentIndex().isValid())
            ZapForm->setCurrentCell(std::clamp(v.topRow, 0, rows - 1), TallyGrid::CountColumn);
    }
}

void TZapisnik::showSpecies() {
    const SheetView& v = sheet().view();
    QStringList items;
    for (int i = 0; i < VyberDrevin->count(); ++i)
        items << VyberDrevin->itemText(i);
    {
        const QSignalBlocker block(VyberDrevin);
        if (items != v.species) {
            VyberDrevin->clear();
            VyberDrevin->addItems(v.species);
        }
        if (VyberDrevin->currentIndex() != v.speciesIndex)
            VyberDrevin->setCurrentIndex(v.speciesIndex);
    }
    setText(JmenoDrev, v.speciesName);
    setComboText(PocDle, v.curveSpecies);
    setComboText(TabZasDle, v.tableSpecies);
}

void TZapisnik::showMeanStem() {
    const SheetView& v = sheet().view();
    setText(ETloustka, v.diameter);
    setText(EVyska, v.height);
    setText(EJHK, v.jhk);
}

void TZapisnik::showHeader() {
    const SheetView& v = sheet().view();
    setText(ETok, v.river);
    setText(EBreh, v.bank);
    setText(ERKm, v.riverKm);
    setText(EAkce, v.action);
    setText(Edatum, v.date);
    setText(EKroviny, v.shrubArea);
    setText(EPopis, v.designation);
    if (EKoment->toPlainText() != v.comment) {
        const QSignalBlocker block(EKoment);
        EKoment->setPlainText(v.comment);
    }
}

void TZapisnik::showCommands() {
    const SheetCommands c = sheet().commands();
    if (m_ctx.ladeni)
        m_ctx.ladeni->setCounts(VyberDrevin->count(), sheet().state().stand.count());
    VypZas->setEnabled(c.vypocet);
    StrTl->setEnabled(c.tloustka);
    ETloustka->setEnabled(c.tloustka);
    EVyska->setEnabled(c.tloustka);
    VyberDrevin->setEnabled(c.speciesCombo);
    PocDle->setEnabled(c.groupCombos);
    TabZasDle->setEnabled(c.groupCombos);
    ZapForm->setEnabled(c.groupCombos);
    if (m_ctx.uzivatel)
        m_ctx.uzivatel->doDatabaze()->setEnabled(c.groupCombos);
    setCommandEnabled(m_a.novaDrevina, c.novaDrevina);
    Zaznam->setEnabled(c.zaznam);
    BZeZaznamu->setEnabled(c.zeZaznamu);
    setCommandEnabled(m_a.souhrn, c.souhrn);
    setCommandEnabled(m_a.cteniDat, c.dataInput);
    setCommandEnabled(m_a.prumerka->menuAction(), c.dataInput);
    for (QAction* a : {m_a.mantax, m_a.mantaxHromadne, m_a.vaduz})
        setCommandEnabled(a, c.dataInput);
    if (m_ctx.vybPor)
        m_ctx.vybPor->setChooseAllowed(c.dataInput);
    SirkaTlStupne->setEnabled(c.layoutCombos);
    PrvniTlStupen->setEnabled(c.layoutCombos);
    CBVypocteno->setChecked(c.vypocteno);
    CBZaznamenano->setChecked(c.zaznamenano);
    CBUlozeno->setChecked(c.ulozeno);
    m_a.sKomentarem->setChecked(c.sKomentarem);
    setCommandEnabled(m_a.ulozeniPorostu, c.ulozeni);
    setCommandEnabled(m_a.zrusitDrevinu, c.zrusitDrevinu);
    setCommandEnabled(m_a.zrusitVsechny, c.zrusitDrevinu);
    VyskoveVzorniky->setEnabled(c.vzorniky);
    setCommandEnabled(m_a.vyskoveVzorniky, c.vzorniky);
    VyskaZKrivky->setEnabled(c.vyskaZKrivky);
}

void TZapisnik::showFocus(SheetFocus focus) {
    QWidget* target = nullptr;
    switch (focus) {
    case SheetFocus::None:
        return;
    case SheetFocus::Grid:
        target = ZapForm;
        break;
    case SheetFocus::Tloustka:
        target = StrTl;
        break;
    case SheetFocus::Diameter:
        target = ETloustka;
        break;
    case SheetFocus::Height:
        target = EVyska;
        break;
    case SheetFocus::Vypocet:
        target = VypZas;
        break;
    case SheetFocus::Zaznam:
        target = Zaznam;
        break;
    case SheetFocus::SpeciesCombo:
        target = VyberDrevin;
        break;
    }
    // The control asked for is made usable, as the sheet's steps lead the surveyor on.
    target->setEnabled(true);
    target->setFocus();
}

void TZapisnik::updateChart() {
    // The chart follows what the sheet shows.
    const SheetView& v = sheet().view();
    const ClassLayout& l = sheet().state().layout;
    std::vector<DiameterChart::Bar> bars;
    const bool species = !v.species.isEmpty();
    bars.reserve(v.rows.size());
    for (size_t k = 0; k < v.rows.size(); ++k) {
        const double trees = species ? ToInteger(v.rows[k][SheetView::CountColumn], 0) : 0;
        bars.push_back({l.StredPrvniho + double(k) * l.SirkaStupne, trees});
    }
    Graf->setData(species ? v.speciesText().trimmed() : QString(), bars);
}

void TZapisnik::updateHeightChart() {
    const SheetView& v = sheet().view();
    HeightChart::Data data;
    if (v.species.isEmpty()) {
        GrafVysek->setData(data);
        return;
    }
    data.species = v.speciesText().trimmed();
    const HeightCurves curves = sheet().heights().curves();
    data.samples = curves.samples;
    if (const HeightCurveFit* best = curves.bestFit())
        data.curve = *best;
    data.from = curves.minDiameter;
    data.to = curves.maxDiameter;
    // The JHK curve the computation chose; the reference file is read again only for another one.
    const WorkingCopy& w = sheet().state().work;
    if (w.CisloJhk100 >= 1 && (w.CisloJhk100 != m_jhkCurve || !(w.KodJhkDle == m_jhkSpecies))) {
        m_jhkSpecies = w.KodJhkDle;
        m_jhkCurve = w.CisloJhk100;
        try {
            m_jhkLine = CurveLine(m_ctx.dataDirectory(), m_jhkSpecies, m_jhkCurve);
        } catch (const RivwoodError&) {
            m_jhkLine.clear(); // the computation itself reports an unreadable file
        }
    }
    if (w.CisloJhk100 >= 1) {
        data.jhk = m_jhkLine;
        data.jhkName = "JHK " + LocaleNumbers::Format("%4.2f", w.CisloJhk100 / 100.0);
    }
    data.meanDiameter = LocaleNumbers::Read(v.diameter, 0);
    data.meanHeight = LocaleNumbers::Read(v.height, 0);
    GrafVysek->setData(data);
}

bool TZapisnik::commandEnabled(const QAction* action) {
    const QVariant state = action->property("rivwoodEnabled");
    return state.isValid() ? state.toBool() : action->isEnabled();
}

void TZapisnik::setCommandEnabled(QAction* action, bool enabled) {
    action->setEnabled(enabled);
    action->setProperty("rivwoodEnabled", enabled);
}
