// The menu tree of the tally sheet and the wiring of its controls.
#include "DiameterChart.h"
#include "HelpKeys.h"
#include "HelpTopics.h"
#include "HiddenCommands.h"
#include "MessageBox.h"
#include "OldDatabaseCommands.h"
#include "SampleHeightGrid.h"
#include "StandBatchCommands.h"
#include "TLadeni.h"
#include "TTabulka.h"
#include "TZapisnik.h"
#include "TallyContext.h"
#include "TallyGrid.h"
#include "TallySheet.h"

#include "TFPMant.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QUndoStack>

namespace {

QAction* item(QMenu* menu, const QString& caption, const char* name) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

QAction* hidden(QAction* a) {
    a->setVisible(false);
    return a;
}

} // namespace

void TZapisnik::buildMenus() {
    QMenuBar* bar = menuBar();
    Actions& a = m_a;

    a.data = bar->addMenu("&Data");
    a.data->setObjectName("MenuData");
    a.novaDrevina = item(a.data, "&Nová dřevina", "Novadrevina1");
    a.zrusitDrevinu = item(a.data, "&Zrušit dřevinu", "Zrusitdrevinu1");
    a.zrusitVsechny = item(a.data, "Zrušit &všechny dřeviny", "Zrusitvsechnydreviny1");
    a.novyPorost = item(a.data, "Nový porost", "Novyporost1");
    a.vyskoveVzorniky = item(a.data, "Výškové vzorníky ze souboru…", "VyskoveVzorniky1");
    a.data->addSeparator();
    buildUndoActions();
    a.data->addSeparator();
    a.databaze = a.data->addMenu("Databáze");
    a.databaze->setObjectName("MenuDatabaze");
    a.vyberPorostu = item(a.databaze, "Výběr nebo výmaz porostu z databáze", "Vyberporostu1");
    a.ulozeniPorostu = item(a.databaze, "Uložení porostu do databáze", "Ulozeniporostu1");
    a.nastaveniAdresare = item(a.databaze, "Nastavení adresáře", "Nastaveniadresare1");
    a.databazovyServer = item(a.databaze, "Databázový server…", "Databazovyserver1");
    a.prevzitDatabazi = item(a.databaze, "Převzít databázi starší verze…", "PrevzitDatabazi1");
    a.databaze->addSeparator();
    a.vypocetNevypoctenych = item(a.databaze, "Výpočet nevypočtených porostů", "VypocetNevypoctenych1");
    a.data->addSeparator();
    a.cteniDat = hidden(item(a.data, "Čtení dat ze &souboru      ", "Ctenidat1"));
    hidden(a.data->addSeparator());
    a.prumerka = a.data->addMenu("Vstup z registrační &průměrky");
    a.prumerka->setObjectName("MenuPrumerka");
    a.prumerka->menuAction()->setVisible(false);
    a.mantax = item(a.prumerka, "&Mantax", "Mantax1");
    a.mantaxHromadne = item(a.prumerka, "Mantax - hromadné načítání do databáze", "MantaxHromadne1");
    a.vaduz = item(a.prumerka, "&Vaduz", "Vaduz1");
    hidden(a.data->addSeparator());
    a.konec = item(a.data, "&Konec", "Konec1");

    // Its access letter is not Z: Alt+Z is the button "Záznam".
    a.zpracovani = bar->addMenu("Zp&racování");
    a.zpracovani->setObjectName("MenuZpracovani");
    a.zpracovani->menuAction()->setVisible(false);
    a.souhrn = hidden(item(a.zpracovani, "&Souhrn", "Souhrn1"));

    a.tisky = bar->addMenu("Tisky");
    a.tisky->setObjectName("MenuTisky");
    a.tisky->menuAction()->setVisible(false);
    a.tiskPorost = hidden(item(a.tisky, "Tento porost", "TiskTentoPorost1"));
    a.tiskDatabaze = hidden(item(a.tisky, "Celá databáze", "TiskCelaDatabaze1"));
    a.tisky->addSeparator();
    a.sKomentarem = hidden(item(a.tisky, "S komentářem", "SKomentarem1"));
    a.sKomentarem->setCheckable(true);
    a.sKomentarem->setChecked(true);

    a.excel = bar->addMenu("Sestavy - excel");
    a.excel->setObjectName("MenuExcel");
    a.export_ = item(a.excel, "Export", "Export1");
    a.excelPorost = hidden(item(a.excel, "Tento porost", "ExcelTentoPorost1"));
    a.exportVse = hidden(item(a.excel, "Export vše", "ExportVse1"));
    hidden(a.excel->addSeparator());
    a.prumZapisnik = hidden(item(a.excel, "Průměrkovací zápisník", "PrumZapisnik1"));
    a.prumZapisnik->setCheckable(true);

    a.uzivatel = bar->addMenu("Uživatel");
    a.uzivatel->setObjectName("MenuUzivatel");
    a.infoProgram = item(a.uzivatel, "Informace v programu a nastavení", "InfoProgram1");
    a.infoDatabaze = item(a.uzivatel, "Informace v databázi (u porostu)", "InfoDatabaze1");

    a.informace = bar->addMenu("Informace");
    a.informace->setObjectName("MenuInformace");
    a.oProgramu = item(a.informace, "O &programu", "OProgramu1");
    a.navod = item(a.informace, "Návod", "Navod1");
    a.navod->setShortcut(QKeySequence::HelpContents);

    // Hidden commands stay out of the menu; the frequent ones are offered by key alone.
    const std::pair<QAction*, QKeySequence> keys[] = {
        {a.souhrn, Qt::Key_F9}, {a.cteniDat, Qt::CTRL | Qt::Key_O}, {a.tiskPorost, Qt::CTRL | Qt::Key_P}};
    for (const auto& [action, key] : keys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, action, [action] {
            if (TZapisnik::commandEnabled(action))
                action->trigger();
        });
        // Enabled until the refresh says otherwise: a hidden action reports itself disabled.
        setCommandEnabled(action, true);
    }

    // [Nabidka] VsechnyPrikazy=1 in the settings file puts the hidden commands into the menu too;
    // a new installation gets it.
    HiddenCommands::ShowAllInNewSettings(m_ctx.settingsFile());
    HiddenCommands::ShowWhenWanted(m_ctx.settingsFile(), bar->actions(), {std::begin(keys), std::end(keys)});

    const auto command = [this](QAction* action, void (TZapisnik::*method)()) {
        connect(action, &QAction::triggered, this,
                [this, method] { run([this, method] { (this->*method)(); }); });
    };
    const auto operation = [this](QAction* action, void (TallySheet::*method)()) {
        connect(action, &QAction::triggered, this,
                [this, method] { run([this, method] { (sheet().*method)(); }); });
    };
    command(a.novaDrevina, &TZapisnik::Novadrevina1Click);
    operation(a.zrusitDrevinu, &TallySheet::deleteSpecies);
    operation(a.zrusitVsechny, &TallySheet::newStand);
    operation(a.novyPorost, &TallySheet::newStand);
    command(a.vyberPorostu, &TZapisnik::VyberPorostuClick);
    command(a.ulozeniPorostu, &TZapisnik::UlozeniPorostuClick);
    command(a.nastaveniAdresare, &TZapisnik::NastaveniAdresareClick);
    command(a.databazovyServer, &TZapisnik::DatabazovyServerClick);
    connect(a.prevzitDatabazi, &QAction::triggered, this,
            [this] { OldDatabaseCommands::TakeOverChosen(m_ctx, this); });
    connect(a.vypocetNevypoctenych, &QAction::triggered, this,
            [this] { StandBatchCommands::ComputeStandsNotComputed(m_ctx, this); });
    command(a.cteniDat, &TZapisnik::CteniDatClick);
    command(a.vyskoveVzorniky, &TZapisnik::VyskoveVzornikyClick);
    connect(a.mantax, &QAction::triggered, this, [this] { run([this] { PrumerkaClick(false); }); });
    connect(a.vaduz, &QAction::triggered, this, [this] { run([this] { PrumerkaClick(true); }); });
    command(a.mantaxHromadne, &TZapisnik::MantaxHromadneClick);
    connect(a.konec, &QAction::triggered, this, &QWidget::close);
    command(a.souhrn, &TZapisnik::SouhrnClick);
    command(a.tiskPorost, &TZapisnik::TiskPorostClick);
    command(a.tiskDatabaze, &TZapisnik::TiskDatabazeClick);
    connect(a.sKomentarem, &QAction::triggered, this,
            [this](bool on) { run([this, on] { sheet().setWithComment(on); }); });
    command(a.export_, &TZapisnik::ExportClick);
    command(a.excelPorost, &TZapisnik::ExcelPorostClick);
    command(a.exportVse, &TZapisnik::ExportVseClick);
    command(a.infoProgram, &TZapisnik::InfoProgramClick);
    command(a.infoDatabaze, &TZapisnik::InfoDatabazeClick);
    command(a.oProgramu, &TZapisnik::OProgramuClick);
    connect(a.navod, &QAction::triggered, this, [this] {
        // From the menu or by F1: the help of the focused control, else the contents.
        const int context = HelpKeys::contextOf(QApplication::focusWidget(), HelpTopics::Contents);
        RunGuarded(this, [this, context] { NavodClick(context); });
    });
}

// Undo and redo of the sheet's edits, named after the edit ("Zpět: Četnost"); in a text box the
// keys undo its typing instead.
void TZapisnik::buildUndoActions() {
    QUndoStack& stack = sheet().undoStack();
    m_a.zpet = item(m_a.data, "Zpět", "Zpet1");
    m_a.zpet->setShortcuts({QKeySequence::Undo});
    m_a.znovu = item(m_a.data, "Znovu", "Znovu1");
    m_a.znovu->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence::Redo});
    const auto name = [](QAction* action, const QString& caption, const QString& edit) {
        action->setText(edit.isEmpty() ? caption : caption + ": " + edit);
    };
    const auto follow = [this, &stack, name] {
        m_a.zpet->setEnabled(stack.canUndo());
        m_a.znovu->setEnabled(stack.canRedo());
        name(m_a.zpet, "Zpět", stack.undoText());
        name(m_a.znovu, "Znovu", stack.redoText());
    };
    follow();
    connect(&stack, &QUndoStack::indexChanged, this, follow);
    connect(&stack, &QUndoStack::cleanChanged, this, follow);
    connect(m_a.zpet, &QAction::triggered, this, [this] { run([this] { sheet().undoStack().undo(); }); });
    connect(m_a.znovu, &QAction::triggered, this, [this] { run([this] { sheet().undoStack().redo(); }); });
}

void TZapisnik::connectControls() {
    SheetMeanStem& stem = sheet().meanStem();
    const auto click = [this, &stem](QPushButton* button, void (SheetMeanStem::*method)()) {
        connect(button, &QPushButton::clicked, this,
                [this, &stem, method] { run([&stem, method] { (stem.*method)(); }); });
    };
    click(StrTl, &SheetMeanStem::computeDiameter);
    click(VypZas, &SheetMeanStem::computeStock);
    click(Zaznam, &SheetMeanStem::record);
    click(BZeZaznamu, &SheetMeanStem::restoreRecorded);
    connect(VyskaZKrivky, &QPushButton::clicked, this,
            [this] { run([this] { sheet().heights().heightFromCurve(); }); });
    connect(VyskoveVzorniky, &SampleHeightGrid::sampleEdited, this,
            [this](int row, int column, const QString& text) {
                run([this, row, column, text] { sheet().heights().setSample(row, column, text); });
            });
    // The class combos take a chosen item at once and a typed number when it is confirmed.
    const auto layoutCombo = [this](QComboBox* combo, void (TallySheet::*method)(const QString&)) {
        const auto chosen = [this, combo, method] {
            run([this, combo, method] { (sheet().*method)(combo->currentText()); });
        };
        connect(combo, &QComboBox::activated, this, chosen);
        connect(combo->lineEdit(), &QLineEdit::editingFinished, this, chosen);
    };
    layoutCombo(SirkaTlStupne, &TallySheet::setClassWidth);
    layoutCombo(PrvniTlStupen, &TallySheet::setFirstCentre);
    // Only the user's choices count as changes; the window's own selections do not.
    connect(VyberDrevin, &QComboBox::activated, this,
            [this](int index) { run([this, index] { sheet().pickSpecies(index); }); });
    connect(PocDle, &QComboBox::activated, this,
            [this] { run([this] { sheet().meanStem().setCurveSpecies(PocDle->currentText()); }); });
    connect(TabZasDle, &QComboBox::activated, this,
            [this] { run([this] { sheet().meanStem().setTableSpecies(TabZasDle->currentText()); }); });
    connect(TabZasDle->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { run([this, text] { sheet().meanStem().setTableSpecies(text); }); });
    connect(ZapForm, &TallyGrid::countEdited, this, [this](int row, const QString&, const QString& newText) {
        run([this, row, newText] { sheet().setCount(row, newText); });
    });
    connect(qApp, &QApplication::focusChanged, this, &TZapisnik::focusChanged);
    connectMeanStem();
    const std::pair<QLineEdit*, SheetHeader> header[] = {
        {ETok, SheetHeader::River},        {EBreh, SheetHeader::Bank},  {ERKm, SheetHeader::RiverKm},
        {EAkce, SheetHeader::Action},      {Edatum, SheetHeader::Date}, {EKroviny, SheetHeader::ShrubArea},
        {EPopis, SheetHeader::Designation}};
    for (const auto& [edit, field] : header)
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            run([this, field, text] { sheet().setHeader(field, text); });
        });
    connect(EKoment, &QPlainTextEdit::textChanged, this,
            [this] { run([this] { sheet().setHeader(SheetHeader::Comment, EKoment->toPlainText()); }); });
    connect(LadButt, &QPushButton::clicked, this, [this] {
        m_ctx.ladeni->show();
        m_ctx.ladeni->raise();
    });
}

// The mean-stem boxes: typing is shown to the sheet as it goes, the text is handed over when the
// box is left or confirmed with Enter, and Enter goes on along the workflow.
void TZapisnik::connectMeanStem() {
    const std::pair<QLineEdit*, MeanStemBox> boxes[] = {{ETloustka, MeanStemBox::Diameter},
                                                        {EVyska, MeanStemBox::Height}};
    for (const auto& [box, which] : boxes) {
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, which](const QString& text) {
            run([this, which, text] { sheet().meanStem().typed(which, text); });
        });
    }
    connect(ETloustka, &QLineEdit::returnPressed, this, [this] {
        meanStemLeft(ETloustka);
        EVyska->setFocus();
    });
    connect(EVyska, &QLineEdit::returnPressed, this, [this] {
        meanStemLeft(EVyska);
        if (VypZas->isEnabled())
            VypZas->setFocus();
    });
}

void TZapisnik::meanStemLeft(QLineEdit* box) {
    if (m_running > 0)
        return;
    const QString text = box->text();
    if (box == ETloustka)
        run([this, text] { sheet().meanStem().setDiameter(text); });
    else
        run([this, text] { sheet().meanStem().setHeight(text); });
}
