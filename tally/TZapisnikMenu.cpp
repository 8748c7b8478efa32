// The menu tree of the tally sheet and the wiring of its controls.
#include "DiameterChart.h"
#include "HiddenCommands.h"
#include "MessageBox.h"
#include "TLadeni.h"
#include "TTabulka.h"
#include "TZapisnik.h"
#include "TallyContext.h"
#include "TallyGrid.h"

#include "TFPMant.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

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
    a.data->addSeparator();
    a.databaze = a.data->addMenu("Databáze");
    a.databaze->setObjectName("MenuDatabaze");
    a.vyberPorostu = item(a.databaze, "Výběr nebo výmaz porostu z databáze", "Vyberporostu1");
    a.ulozeniPorostu = item(a.databaze, "Uložení porostu do databáze", "Ulozeniporostu1");
    a.nastaveniAdresare = item(a.databaze, "Nastavení adresáře", "Nastaveniadresare1");
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

    a.zpracovani = bar->addMenu("&Zpracování");
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
    }

    // [Nabidka] VsechnyPrikazy=1 in the settings file puts the hidden commands into the menu too.
    HiddenCommands::ShowWhenWanted(m_ctx.settingsFile(), bar->actions(), {std::begin(keys), std::end(keys)});

    connect(a.data, &QMenu::aboutToShow, this, &TZapisnik::DataMenuShow);
    const auto guarded = [this](QAction* action, auto method) {
        connect(action, &QAction::triggered, this,
                [this, method] { RunGuarded(this, [this, method] { (this->*method)(); }); });
    };
    guarded(a.novaDrevina, &TZapisnik::Novadrevina1Click);
    guarded(a.zrusitDrevinu, &TZapisnik::Zrusitdrevinu1Click);
    guarded(a.zrusitVsechny, &TZapisnik::NovyPorost);
    guarded(a.novyPorost, &TZapisnik::NovyPorost);
    guarded(a.vyberPorostu, &TZapisnik::VyberPorostuClick);
    guarded(a.ulozeniPorostu, &TZapisnik::UlozeniPorostuClick);
    guarded(a.nastaveniAdresare, &TZapisnik::NastaveniAdresareClick);
    guarded(a.cteniDat, &TZapisnik::CteniDatClick);
    connect(a.mantax, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { PrumerkaClick(false); }); });
    connect(a.vaduz, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { PrumerkaClick(true); }); });
    guarded(a.mantaxHromadne, &TZapisnik::MantaxHromadneClick);
    connect(a.konec, &QAction::triggered, this, &QWidget::close);
    guarded(a.souhrn, &TZapisnik::SouhrnClick);
    guarded(a.tiskPorost, &TZapisnik::TiskPorostClick);
    guarded(a.tiskDatabaze, &TZapisnik::TiskDatabazeClick);
    guarded(a.sKomentarem, &TZapisnik::SKomentaremClick);
    guarded(a.export_, &TZapisnik::ExportClick);
    guarded(a.excelPorost, &TZapisnik::ExcelPorostClick);
    guarded(a.exportVse, &TZapisnik::ExportVseClick);
    guarded(a.infoProgram, &TZapisnik::InfoProgramClick);
    guarded(a.infoDatabaze, &TZapisnik::InfoDatabazeClick);
    guarded(a.oProgramu, &TZapisnik::OProgramuClick);
    connect(a.navod, &QAction::triggered, this, [this] {
        const bool grid = insideGrid(QApplication::focusWidget());
        RunGuarded(this, [this, grid] { NavodClick(grid ? GridHelpContext : 0); });
    });
}

void TZapisnik::connectControls() {
    const auto click = [this](QPushButton* button, auto method) {
        connect(button, &QPushButton::clicked, this,
                [this, method] { RunGuarded(this, [this, method] { (this->*method)(); }); });
    };
    click(StrTl, &TZapisnik::StrTlClick);
    click(VypZas, &TZapisnik::VypZasClick);
    click(Zaznam, &TZapisnik::ZaznamClick);
    click(BZeZaznamu, &TZapisnik::BZeZaznamuClick);

    // The class combos take a chosen item at once and a typed number when it is confirmed.
    connect(SirkaTlStupne, &QComboBox::activated, this,
            [this] { RunGuarded(this, [this] { SirkaTlStupneChange(); }); });
    connect(SirkaTlStupne->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { RunGuarded(this, [this] { SirkaTlStupneChange(); }); });
    connect(PrvniTlStupen, &QComboBox::activated, this,
            [this] { RunGuarded(this, [this] { PrvniTlStupenChange(); }); });
    connect(PrvniTlStupen->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { RunGuarded(this, [this] { PrvniTlStupenChange(); }); });

    // Only the user's choices count as changes; the window's own selections do not.
    connect(VyberDrevin, &QComboBox::activated, this,
            [this] { RunGuarded(this, [this] { VyberDrevinChange(); }); });
    connect(PocDle, &QComboBox::activated, this, [this] { RunGuarded(this, [this] { PocDleChange(); }); });
    connect(TabZasDle, &QComboBox::activated, this,
            [this] { RunGuarded(this, [this] { TabZasDleChange(); }); });
    connect(TabZasDle->lineEdit(), &QLineEdit::textEdited, this,
            [this] { RunGuarded(this, [this] { TabZasDleChange(); }); });

    connect(ZapForm, &TallyGrid::countEdited, this,
            [this](int row, const QString& oldText, const QString& newText) {
                RunGuarded(this, [&] { ZapFormSetEditText(row, oldText, newText); });
            });
    connect(qApp, &QApplication::focusChanged, this, &TZapisnik::focusChanged);

    ETloustka->installEventFilter(this);
    EVyska->installEventFilter(this);
    // Enter in the mean-stem boxes goes on along the workflow.
    connect(ETloustka, &QLineEdit::returnPressed, this, [this] {
        RunGuarded(this, [this] { ETloustkaExit(); });
        Refresh();
        EVyska->setFocus();
    });
    connect(EVyska, &QLineEdit::returnPressed, this, [this] {
        RunGuarded(this, [this] { EVyskaExit(); });
        Refresh();
        if (VypZas->isEnabled())
            VypZas->setFocus();
    });

    for (QLineEdit* e : {ETok, EBreh, ERKm, EAkce, Edatum, EKroviny})
        connect(e, &QLineEdit::textEdited, this, &TZapisnik::headerEdited);
    // Every change of the location texts is the stand's at once.
    connect(ETok, &QLineEdit::textChanged, this, [this](const QString& t) { m_ctx.session.stand.river = t; });
    connect(EBreh, &QLineEdit::textChanged, this, [this](const QString& t) { m_ctx.session.stand.bank = t; });
    connect(ERKm, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_ctx.session.stand.riverKm = t; });
    connect(EAkce, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_ctx.session.stand.action = t; });

    connect(LadButt, &QPushButton::clicked, this, [this] {
        m_ctx.ladeni->show();
        m_ctx.ladeni->raise();
    });
}

void TZapisnik::DataMenuShow() {
    const bool items = VyberDrevin->count() > 0;
    setCommandEnabled(m_a.ulozeniPorostu, m_ctx.session.stand.count() > 0);
    setCommandEnabled(m_a.zrusitDrevinu, items);
    setCommandEnabled(m_a.zrusitVsechny, items);
}
