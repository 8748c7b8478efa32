#pragma once

#include "JhkReference.h"
#include "SheetView.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

class DiameterChart;
class HeightChart;
class SampleHeightGrid;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLayout;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class TallyContext;
class TallyGrid;
class TallySheet;
class SheetDialogs;
struct DatabaseDialogs;

// "JHK - průměrkovací zápisník": the tally sheet of one stand and the program's main window. The
// grid shows the species on display, one row per diameter class; beside it the class layout, the
// species, the mean stem with the sample heights and the charts of the tally and of the height
// curve; below it the stand header. The rules are the sheet's (TallySheet): the window hands on
// what the user does and shows again what the sheet says has changed.
//
// The controls carry the names of the program's components (ZapForm, ETloustka, …); the other
// windows and the tests find them by those names.
class TZapisnik : public QMainWindow {
    Q_OBJECT
  public:
    explicit TZapisnik(TallyContext& context);
    ~TZapisnik() override;

    // Whether a command may run. Qt reports hidden actions as disabled, so the window keeps the
    // state of every command itself; a hidden command still runs by its key when enabled.
    static bool commandEnabled(const QAction* action);
    // The first display: the database and the species-group lists. Runs once.
    void FormShow();
    // "Návod": the help at the chapter `context`.
    void NavodClick(int context = 0);
    // "Porost uložen (klíč K)" in the status bar for a few seconds, after a save.
    void showSaved();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The menu commands.
    struct Actions {
        QMenu* data = nullptr;
        QAction* novaDrevina = nullptr;
        QAction* zrusitDrevinu = nullptr;
        QAction* zrusitVsechny = nullptr;
        QAction* novyPorost = nullptr;
        QAction* vyskoveVzorniky = nullptr;
        QAction* zpet = nullptr;
        QAction* znovu = nullptr;
        QMenu* databaze = nullptr;
        QAction* vyberPorostu = nullptr;
        QAction* ulozeniPorostu = nullptr;
        QAction* nastaveniAdresare = nullptr;
        QAction* databazovyServer = nullptr;
        QAction* prevzitDatabazi = nullptr;
        QAction* vypocetNevypoctenych = nullptr;
        QAction* cteniDat = nullptr;
        QMenu* prumerka = nullptr;
        QAction* mantax = nullptr;
        QAction* mantaxHromadne = nullptr;
        QAction* vaduz = nullptr;
        QAction* konec = nullptr;
        QMenu* zpracovani = nullptr;
        QAction* souhrn = nullptr;
        QMenu* tisky = nullptr;
        QAction* tiskPorost = nullptr;
        QAction* tiskDatabaze = nullptr;
        QAction* sKomentarem = nullptr;
        QMenu* excel = nullptr;
        QAction* export_ = nullptr;
        QAction* excelPorost = nullptr;
        QAction* exportVse = nullptr;
        QAction* prumZapisnik = nullptr;
        QMenu* uzivatel = nullptr;
        QAction* infoProgram = nullptr;
        QAction* infoDatabaze = nullptr;
        QMenu* informace = nullptr;
        QAction* oProgramu = nullptr;
        QAction* navod = nullptr;
    };

    TallySheet& sheet() const;
    // The window's parts, one builder per group box.
    void buildControls();
    QLayout* buildGrid(QWidget* parent);
    QGroupBox* buildClassBox(QWidget* parent);
    QGroupBox* buildSpeciesBox(QWidget* parent);
    QGroupBox* buildMeanStemBox(QWidget* parent);
    QGroupBox* buildSamplesBox(QWidget* parent);
    QTabWidget* buildCharts(QWidget* parent);
    QGroupBox* buildCheckBox(QWidget* parent);
    QGroupBox* buildHeaderBox(QWidget* parent);
    void buildMenus();
    void buildUndoActions();
    void connectControls();
    void connectMeanStem();
    void setTabOrder();
    void sizeGrids();

    // Runs an operation of the sheet; a failure ends it in an error box. The focus the sheet asks
    // for is given when the operation is over.
    void run(const std::function<void()>& operation);
    // What the sheet announced as changed, shown again.
    void sheetChanged(SheetParts parts, SheetFocus focus);
    void showAll();
    void showGrid();
    void showSpecies();
    void showMeanStem();
    void showHeader();
    void showCommands();
    void showFocus(SheetFocus focus);
    void showCheck();
    void updateChart();
    void updateHeightChart();
    // A mean-stem box left or confirmed: its text to the sheet, unless a box of an operation took
    // the focus away (then it is handed over when the box is really left).
    void meanStemLeft(QLineEdit* box);
    void focusChanged(QWidget* old, QWidget* now);
    bool insideGrid(const QWidget* w) const;
    DatabaseDialogs databaseDialogs();
    void setCommandEnabled(QAction* action, bool enabled);

    // The menu commands that open windows or dialogs of their own.
    void offerSample();  // the sample stand, once, after the first start
    void FormActivate(); // the summary's "Další porost" asked for the next stand
    void Novadrevina1Click();
    void VyberPorostuClick();
    void UlozeniPorostuClick();
    void NastaveniAdresareClick();
    // "Databázový server…": the stand database on a PostgreSQL server instead of a directory.
    void DatabazovyServerClick();
    void CteniDatClick();
    void VyskoveVzornikyClick(); // sample heights from a file
    void PrumerkaClick(bool vaduz);
    void MantaxHromadneClick();
    void SouhrnClick();
    void TiskPorostClick();
    void TiskDatabazeClick();
    void ExportClick();
    void ExcelPorostClick();
    void ExportVseClick();
    void InfoProgramClick();
    void InfoDatabazeClick();
    void OProgramuClick();

    TallyContext& m_ctx;
    std::unique_ptr<SheetDialogs> m_dialogs;
    Actions m_a;
    TallyGrid* ZapForm = nullptr;
    QTableWidget* CelkForm = nullptr;
    QComboBox* SirkaTlStupne = nullptr;
    QComboBox* PrvniTlStupen = nullptr;
    QComboBox* VyberDrevin = nullptr;
    QLineEdit* JmenoDrev = nullptr;
    QComboBox* PocDle = nullptr;
    QComboBox* TabZasDle = nullptr;
    QLineEdit* ETloustka = nullptr;
    QLineEdit* EVyska = nullptr;
    QLineEdit* EJHK = nullptr;
    QPushButton* StrTl = nullptr;
    QPushButton* VypZas = nullptr;
    QPushButton* Zaznam = nullptr;
    QPushButton* BZeZaznamu = nullptr;
    QCheckBox* CBVypocteno = nullptr;
    QCheckBox* CBZaznamenano = nullptr;
    QCheckBox* CBUlozeno = nullptr;
    QLineEdit* ETok = nullptr;
    QLineEdit* EBreh = nullptr;
    QLineEdit* ERKm = nullptr;
    QLineEdit* EAkce = nullptr;
    QLineEdit* Edatum = nullptr;
    QLineEdit* EKroviny = nullptr;
    QLineEdit* EPopis = nullptr;       // "Popis porostu": the stand designation
    QPlainTextEdit* EKoment = nullptr; // "Poznámka": the stand's comment
    QPushButton* LadButt = nullptr;
    DiameterChart* Graf = nullptr;
    // "Výškové vzorníky", "Výška z křivky" and the height chart, tabbed with the diameter chart.
    SampleHeightGrid* VyskoveVzorniky = nullptr;
    QPushButton* VyskaZKrivky = nullptr;
    HeightChart* GrafVysek = nullptr;
    QTabWidget* Grafy = nullptr;
    // "Kontrola porostu": the findings of the plausibility check beside the sheet.
    QListWidget* KontrolaPorostu = nullptr;

    bool m_shown = false;
    int m_running = 0;                          // operations of the sheet under way
    SheetFocus m_focusAfter = SheetFocus::None; // asked for during an operation
    int m_savedRow = 0;
    int m_scrollSeen = -1;
    bool m_gridHasFocus = false;
    // The JHK curve last drawn, read again only when the species group or the curve changes.
    Kod3 m_jhkSpecies;
    int m_jhkCurve = 0;
    std::vector<CurvePoint> m_jhkLine;
};
