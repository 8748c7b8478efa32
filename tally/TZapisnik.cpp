#include "TZapisnik.h"

#include "DiameterChart.h"
#include "HeightChart.h"
#include "HelpKeys.h"
#include "HelpTopics.h"
#include "SampleHeightGrid.h"
#include "SettingsKeys.h"
#include "TallyContext.h"
#include "TallyGrid.h"
#include "TallySheet.h"
#include "TextUtils.h"
#include "WindowDialogs.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

TZapisnik::TZapisnik(TallyContext& context) : QMainWindow(nullptr), m_ctx(context) {
    setObjectName("TZapisnik");
    setWindowTitle("JHK - průměrkovací zápisník");
    buildControls();
    buildMenus();
    connectControls();
    setTabOrder();

    m_dialogs = std::make_unique<WindowDialogs>(this);
    sheet().setDialogs(m_dialogs.get());
    sheet().setWithComment(m_a.sKomentarem->isChecked());
    connect(&sheet(), &TallySheet::changed, this, &TZapisnik::sheetChanged);
    showAll();
    WindowPlacement::Restore(this, m_ctx.settingsFile(), SettingsKeys::Zapisnik);
}

TZapisnik::~TZapisnik() {
    sheet().disconnect(this);
    sheet().setDialogs(nullptr);
}

TallySheet& TZapisnik::sheet() const {
    return m_ctx.sheet;
}

void TZapisnik::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* root = new QVBoxLayout(central);
    root->setContentsMargins(10, 8, 10, 8);
    root->setSpacing(8);

    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    root->addLayout(top, 1);
    top->addLayout(buildGrid(central));

    auto* side = new QVBoxLayout;
    side->setSpacing(8);
    top->addLayout(side, 1);
    auto* panels = new QHBoxLayout;
    panels->setSpacing(10);
    side->addLayout(panels);
    auto* left = new QVBoxLayout;
    left->addWidget(buildClassBox(central));
    left->addWidget(buildSpeciesBox(central));
    left->addStretch();
    panels->addLayout(left, 1);
    // The sample heights beside the species and under the mean height they lead to.
    auto* right = new QVBoxLayout;
    right->addWidget(buildMeanStemBox(central));
    right->addWidget(buildSamplesBox(central));
    right->addStretch();
    panels->addLayout(right, 1);
    side->addWidget(buildCharts(central), 1);
    side->addWidget(buildCheckBox(central));
    root->addWidget(buildHeaderBox(central));

    LadButt = new QPushButton("Ladění", central);
    LadButt->setObjectName("LadButt");
    LadButt->setVisible(false);

    // The status bar from the start, so that its first message does not move the window's layout.
    statusBar()->setObjectName("StavovyRadek");
    sizeGrids();
    resize(1180, 820);
}

// The grid and its totals.
QLayout* TZapisnik::buildGrid(QWidget* parent) {
    auto* grid = new QVBoxLayout;
    grid->setSpacing(0);
    ZapForm = new TallyGrid(parent);
    ZapForm->setToolTip("Průměrkovací zápisník: četnosti stromů v tloušťkových stupních");
    ZapForm->setWhatsThis("Nápověda: F1");
    HelpKeys::setContext(ZapForm, HelpTopics::TallyGrid);
    CelkForm = new QTableWidget(1, 5, parent);
    CelkForm->setObjectName("CelkForm");
    CelkForm->horizontalHeader()->hide();
    CelkForm->verticalHeader()->hide();
    CelkForm->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CelkForm->setSelectionMode(QAbstractItemView::NoSelection);
    CelkForm->setFocusPolicy(Qt::NoFocus);
    CelkForm->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CelkForm->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int c = 0; c < 5; ++c) {
        auto* item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled);
        item->setTextAlignment(c == 0 ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                      : Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
        CelkForm->setItem(0, c, item);
    }
    grid->addWidget(ZapForm, 1);
    grid->addWidget(CelkForm);
    return grid;
}

// "Tloušťkové stupně": the width and the first centre.
QGroupBox* TZapisnik::buildClassBox(QWidget* parent) {
    auto* classes = new QGroupBox("Tloušťkové stupně", parent);
    HelpKeys::setContext(classes, HelpTopics::DiameterClasses);
    auto* classGrid = new QGridLayout(classes);
    SirkaTlStupne = new QComboBox(classes);
    SirkaTlStupne->setObjectName("SirkaTlStupne");
    SirkaTlStupne->setEditable(true);
    SirkaTlStupne->setInsertPolicy(QComboBox::NoInsert);
    SirkaTlStupne->addItems({"1", "2", "4"});
    SirkaTlStupne->setCurrentText("4");
    SirkaTlStupne->setToolTip("Šířka tloušťkového stupně v cm");
    PrvniTlStupen = new QComboBox(classes);
    PrvniTlStupen->setObjectName("PrvniTlStupen");
    PrvniTlStupen->setEditable(true);
    PrvniTlStupen->setInsertPolicy(QComboBox::NoInsert);
    PrvniTlStupen->addItems({"7", "8", "9", "10"});
    PrvniTlStupen->setCurrentText("10");
    PrvniTlStupen->setToolTip("Střed prvního tloušťkového stupně v cm");
    auto* widthLabel = new QLabel("Šíř&ka stupně (cm):", classes);
    widthLabel->setBuddy(SirkaTlStupne);
    auto* firstLabel = new QLabel("&První stupeň (cm):", classes);
    firstLabel->setBuddy(PrvniTlStupen);
    classGrid->addWidget(widthLabel, 0, 0);
    classGrid->addWidget(SirkaTlStupne, 0, 1);
    classGrid->addWidget(firstLabel, 1, 0);
    classGrid->addWidget(PrvniTlStupen, 1, 1);
    classGrid->setColumnStretch(1, 1);
    return classes;
}

// "Dřevina": the species on display, its name and its groups.
QGroupBox* TZapisnik::buildSpeciesBox(QWidget* parent) {
    auto* species = new QGroupBox("Dřevina", parent);
    HelpKeys::setContext(species, HelpTopics::Species);
    auto* speciesGrid = new QGridLayout(species);
    VyberDrevin = new QComboBox(species);
    VyberDrevin->setObjectName("VyberDrevin");
    VyberDrevin->setToolTip("Výběr dřeviny");
    VyberDrevin->setMinimumContentsLength(4);
    JmenoDrev = new QLineEdit(species);
    JmenoDrev->setObjectName("JmenoDrev");
    JmenoDrev->setReadOnly(true);
    JmenoDrev->setFocusPolicy(Qt::NoFocus);
    JmenoDrev->setToolTip("Český název dřeviny");
    PocDle = new QComboBox(species);
    PocDle->setObjectName("PocDle");
    PocDle->setToolTip("Dřevina, podle jejíchž křivek JHK se počítá");
    TabZasDle = new QComboBox(species);
    TabZasDle->setObjectName("TabZasDle");
    TabZasDle->setEditable(true);
    TabZasDle->setInsertPolicy(QComboBox::NoInsert);
    TabZasDle->lineEdit()->setMaxLength(3);
    TabZasDle->setToolTip("Dřevina, podle jejíchž rovnic se počítá tabulková zásoba");
    auto* speciesLabel = new QLabel("Dřev&ina:", species);
    speciesLabel->setBuddy(VyberDrevin);
    auto* jhkLabel = new QLabel("&JHK podle:", species);
    jhkLabel->setBuddy(PocDle);
    auto* tabLabel = new QLabel("Tabulková zásoba\npodl&e:", species);
    tabLabel->setBuddy(TabZasDle);
    speciesGrid->addWidget(speciesLabel, 0, 0);
    speciesGrid->addWidget(VyberDrevin, 0, 1);
    speciesGrid->addWidget(JmenoDrev, 1, 0, 1, 2);
    speciesGrid->addWidget(jhkLabel, 2, 0);
    speciesGrid->addWidget(PocDle, 2, 1);
    speciesGrid->addWidget(tabLabel, 3, 0);
    speciesGrid->addWidget(TabZasDle, 3, 1);
    speciesGrid->setColumnStretch(1, 1);
    return species;
}

// "Střední kmen": the mean diameter and height, the JHK curve, the buttons of the computation and
// the three states.
QGroupBox* TZapisnik::buildMeanStemBox(QWidget* parent) {
    auto* stem = new QGroupBox("Střední kmen", parent);
    HelpKeys::setContext(stem, HelpTopics::MeanStem);
    auto* stemGrid = new QGridLayout(stem);
    ETloustka = new QLineEdit(stem);
    ETloustka->setObjectName("ETloustka");
    ETloustka->setToolTip("Zde je možno vyplnit střední tloušťku ručně");
    EVyska = new QLineEdit(stem);
    EVyska->setObjectName("EVyska");
    EVyska->setToolTip("Okénko pro vyplnění střední výšky");
    EJHK = new QLineEdit(stem);
    EJHK->setObjectName("EJHK");
    EJHK->setReadOnly(true);
    EJHK->setFocusPolicy(Qt::NoFocus);
    EJHK->setToolTip("Číslo JHK odvozené ze stření tloušťky a výšky. Vyplňuje se automaticky při výpočtu.");
    for (QLineEdit* e : {ETloustka, EVyska, EJHK}) {
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setMaximumWidth(110);
    }
    StrTl = new QPushButton("&Tloušťka", stem);
    StrTl->setObjectName("StrTl");
    StrTl->setToolTip(
        "Odvození tloušťky středního kmene podle kruhové základny. Musí být vyplněn průměrkovací zápisník.");
    VypZas = new QPushButton("&Výpočet ", stem);
    VypZas->setObjectName("VypZas");
    VypZas->setToolTip("Výpočet zásoby. Musí být vyplněn průměrkovací zápisník, tloušťka a výška.");
    Zaznam = new QPushButton("&Záznam", stem);
    Zaznam->setObjectName("Zaznam");
    Zaznam->setToolTip("Vypočtené údaje se zaznamenají do operační paměti. ");
    BZeZaznamu = new QPushButton("Ze záznam&u", stem);
    BZeZaznamu->setObjectName("BZeZaznamu");
    BZeZaznamu->setToolTip("Obnova zápisníku ze záznamu v operační paměti");
    VyskaZKrivky = new QPushButton("Výška z křivk&y", stem);
    VyskaZKrivky->setObjectName("VyskaZKrivky");
    VyskaZKrivky->setToolTip(
        "Střední výška z výškové křivky vzorníků při střední tloušťce. Musí být zapsány výškové vzorníky.");
    HelpKeys::setContext(VyskaZKrivky, HelpTopics::HeightCurve);
    for (QPushButton* b : {StrTl, VypZas, Zaznam, BZeZaznamu, VyskaZKrivky})
        b->setAutoDefault(true);
    auto* dLabel = new QLabel("Tloušťka (cm):", stem);
    dLabel->setBuddy(ETloustka);
    auto* hLabel = new QLabel("Výšk&a (m):", stem);
    hLabel->setBuddy(EVyska);
    stemGrid->addWidget(dLabel, 0, 0);
    stemGrid->addWidget(ETloustka, 0, 1);
    stemGrid->addWidget(StrTl, 0, 2);
    stemGrid->addWidget(hLabel, 1, 0);
    stemGrid->addWidget(EVyska, 1, 1);
    stemGrid->addWidget(VyskaZKrivky, 1, 2);
    stemGrid->addWidget(new QLabel("JHK:", stem), 2, 0);
    stemGrid->addWidget(EJHK, 2, 1);
    auto* stemButtons = new QHBoxLayout;
    stemButtons->addWidget(VypZas);
    stemButtons->addWidget(Zaznam);
    stemButtons->addWidget(BZeZaznamu);
    stemGrid->addLayout(stemButtons, 3, 0, 1, 3);
    auto* state = new QHBoxLayout;
    CBVypocteno = new QCheckBox("Vypočteno", stem);
    CBVypocteno->setObjectName("CBVypocteno");
    CBZaznamenano = new QCheckBox("Zaznamenáno", stem);
    CBZaznamenano->setObjectName("CBZaznamenano");
    CBUlozeno = new QCheckBox("Uloženo v databázi", stem);
    CBUlozeno->setObjectName("CBUlozeno");
    for (QCheckBox* c : {CBVypocteno, CBZaznamenano, CBUlozeno}) {
        // Display only: they follow the flags.
        c->setAttribute(Qt::WA_TransparentForMouseEvents);
        c->setFocusPolicy(Qt::NoFocus);
        state->addWidget(c);
    }
    state->addStretch();
    stemGrid->addLayout(state, 4, 0, 1, 3);
    stemGrid->setColumnStretch(3, 1);
    return stem;
}

// "Výškové vzorníky": the sample trees of the species on display.
QGroupBox* TZapisnik::buildSamplesBox(QWidget* parent) {
    auto* samples = new QGroupBox("Výškové vzorníky", parent);
    HelpKeys::setContext(samples, HelpTopics::HeightCurve);
    auto* samplesLayout = new QVBoxLayout(samples);
    VyskoveVzorniky = new SampleHeightGrid(samples);
    samplesLayout->addWidget(VyskoveVzorniky);
    return samples;
}

// The chart of the tally and the chart of the height curve, as tabs.
QTabWidget* TZapisnik::buildCharts(QWidget* parent) {
    Grafy = new QTabWidget(parent);
    Grafy->setObjectName("Grafy");
    Graf = new DiameterChart(Grafy);
    GrafVysek = new HeightChart(Grafy);
    HelpKeys::setContext(GrafVysek, HelpTopics::HeightCurve);
    Grafy->addTab(Graf, "Rozdělení četností");
    Grafy->addTab(GrafVysek, "Výšková křivka");
    return Grafy;
}

// "Kontrola porostu": the findings of the plausibility check.
QGroupBox* TZapisnik::buildCheckBox(QWidget* parent) {
    auto* check = new QGroupBox("Kontrola porostu", parent);
    auto* checkLayout = new QVBoxLayout(check);
    KontrolaPorostu = new QListWidget(check);
    KontrolaPorostu->setObjectName("KontrolaPorostu");
    KontrolaPorostu->setToolTip("Možné chyby zápisníku: nejsou překážkou uložení ani tisku");
    KontrolaPorostu->setFocusPolicy(Qt::NoFocus);
    KontrolaPorostu->setMaximumHeight(5 * fontMetrics().height() + 12);
    KontrolaPorostu->setWordWrap(true);
    checkLayout->addWidget(KontrolaPorostu);
    return check;
}

// "Porost": the stand header, its designation and its comment.
QGroupBox* TZapisnik::buildHeaderBox(QWidget* parent) {
    auto* header = new QGroupBox("Porost", parent);
    HelpKeys::setContext(header, HelpTopics::StandHeader);
    auto* headerGrid = new QGridLayout(header);
    struct Edit {
        QLineEdit** edit;
        const char* name;
        const char* label;
        int maxLength;
        int stretch;
    };
    const Edit edits[] = {{&ETok, "ETok", "T&ok", 20, 4},
                          {&EBreh, "EBreh", "&Břeh", 2, 1},
                          {&ERKm, "ERKm", "Říční ki&lometr", 16, 3},
                          {&EAkce, "EAkce", "&Název akce", 30, 5},
                          {&Edatum, "Edatum", "Datu&m taxace", 16, 2},
                          {&EKroviny, "EKroviny", "Plo&cha křovin (m2)", 12, 2}};
    int column = 0;
    for (const Edit& e : edits) {
        *e.edit = new QLineEdit(header);
        (*e.edit)->setObjectName(e.name);
        (*e.edit)->setMaxLength(e.maxLength);
        auto* label = new QLabel(QString::fromUtf8(e.label), header);
        label->setBuddy(*e.edit);
        headerGrid->addWidget(label, 0, column);
        headerGrid->addWidget(*e.edit, 1, column);
        headerGrid->setColumnStretch(column, e.stretch);
        ++column;
    }
    EKroviny->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The designation and the comment: printed in the stand's report, saved with the stand.
    EPopis = new QLineEdit(header);
    EPopis->setObjectName("EPopis");
    EPopis->setMaxLength(80);
    auto* popisLabel = new QLabel("Popi&s porostu", header);
    popisLabel->setBuddy(EPopis);
    EKoment = new QPlainTextEdit(header);
    EKoment->setObjectName("EKoment");
    EKoment->setTabChangesFocus(true);
    EKoment->setFixedHeight(3 * fontMetrics().lineSpacing() + 12);
    auto* komentLabel = new QLabel("Poznámka", header);
    komentLabel->setBuddy(EKoment);
    headerGrid->addWidget(popisLabel, 2, 0);
    headerGrid->addWidget(EPopis, 3, 0, 1, column);
    headerGrid->addWidget(komentLabel, 4, 0);
    headerGrid->addWidget(EKoment, 5, 0, 1, column);
    return header;
}

void TZapisnik::sizeGrids() {
    const QFontMetrics fm = ZapForm->fontMetrics();
    const QFontMetrics hfm = ZapForm->horizontalHeader()->fontMetrics();
    const int rowHeight = fm.height() + 6;
    ZapForm->verticalHeader()->setDefaultSectionSize(rowHeight);
    ZapForm->verticalHeader()->setMinimumSectionSize(rowHeight);
    CelkForm->verticalHeader()->setDefaultSectionSize(rowHeight + 2);
    const char* titles[5] = {"Obvod", "Tl.stupeň", "Četnost", "Obj.jedn.", "Objem"};
    int total = 0;
    for (int c = 0; c < 5; ++c) {
        const int w = std::max({61, hfm.horizontalAdvance(QString::fromUtf8(titles[c])) + 20,
                                fm.horizontalAdvance(" 00000.00") + 12});
        ZapForm->setColumnWidth(c, w);
        CelkForm->setColumnWidth(c, w);
        total += w;
    }
    const int scroll = ZapForm->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int frame = 2 * ZapForm->frameWidth();
    ZapForm->setFixedWidth(total + scroll + frame);
    CelkForm->setFixedWidth(total + scroll + frame);
    CelkForm->setColumnWidth(4, CelkForm->columnWidth(4) + scroll);
    CelkForm->setFixedHeight(rowHeight + 2 + 2 * CelkForm->frameWidth());
    ZapForm->setMinimumHeight(rowHeight * 12);
}

void TZapisnik::setTabOrder() {
    QWidget* order[] = {SirkaTlStupne, PrvniTlStupen,   VyberDrevin, ZapForm, StrTl,      ETloustka,
                        EVyska,        VyskaZKrivky,    VypZas,      Zaznam,  BZeZaznamu, PocDle,
                        TabZasDle,     VyskoveVzorniky, ETok,        EBreh,   ERKm,       EAkce,
                        Edatum,        EKroviny,        EPopis,      EKoment};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}
