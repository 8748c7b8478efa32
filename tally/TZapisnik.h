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
class QTabWidget;
class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTimer;
class TallyContext;
class TallyGrid;
class TallySheet;
class SheetDialogs;
struct DatabaseDialogs;

// "JHK - průměrkovací zápisník": the tally sheet of one stand and the program's main window. The
// grid shows the species on display, one row per diameter class; beside it the class layout, the
// species, the mean stem with the sample heights and the charts of the tally and of the height
// curve; below it the stand header. The rules are the
// controller's (TallySheet): the window forwards what the user does and shows the controller's
// texts and states, after every operation and on the 200 ms refresh.
//
// The controls carry the names of the program's components (ZapForm, ETloustka, …), so the other
// windows and the tests reach them by name.
class TZapisnik : public QMainWindow {
    Q_OBJECT
  public:
    explicit TZapisnik(TallyContext& context);
    ~TZapisnik() override;

    // The menu commands.
    struct Actions {
        QMenu* data = nullptr;
        QAction* novaDrevina = nullptr;
        QAction* zrusitDrevinu = nullptr;
        QAction* zrusitVsechny = nullptr;
        QAction* novyPorost = nullptr;
        QAction* vyskoveVzorniky = nullptr;
        QMenu* databaze = nullptr;
        QAction* vyberPorostu = nullptr;
        QAction* ulozeniPorostu = nullptr;
        QAction* nastaveniAdresare = nullptr;
        QAction* databazovyServer = nullptr;
        QAction* prevzitDatabazi = nullptr;
        QAction* vypocetNevypoctenych = nullptr;
        QAction* zpet = nullptr;
        QAction* znovu = nullptr;
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
    const Actions& actions() const { return m_a; }
    // Whether a command may run. Qt reports hidden actions as disabled, so the refresh keeps the
    // state of every command itself; a hidden command still runs by its key when enabled.
    static bool commandEnabled(const QAction* action);

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

    TallySheet& sheet() const;

    // The first display: the database, the species-group lists and the refresh timer. Runs once.
    void FormShow();
    void offerSample(); // the sample stand, once, after the first start
    bool refreshRunning() const;
    // One tick of the refresh: the controller's state onto the widgets.
    void Refresh();
    // Activation: the summary's "Další porost" asked for the next stand.
    void FormActivate();

    // The menu commands that open windows or dialogs of their own.
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
    void NavodClick(int context = 0);
    // "Porost uložen (klíč K)" in the status bar for a few seconds, after a save.
    void showSaved();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void connectControls();
    void setTabOrder();
    void sizeGrids();
    // Runs a controller operation and shows its outcome; a failure ends it in an error box.
    void run(const std::function<void()>& operation);
    void showView();
    void showCommands(const SheetCommands& c);
    void showFocus(SheetFocus focus);
    void showCheck();
    void updateChart();
    void updateHeightChart();
    void focusChanged(QWidget* old, QWidget* now);
    bool insideGrid(const QWidget* w) const;
    DatabaseDialogs databaseDialogs();
    void setCommandEnabled(QAction* action, bool enabled);
    void stopRefresh();
    void startRefresh();

    TallyContext& m_ctx;
    std::unique_ptr<SheetDialogs> m_dialogs;
    Actions m_a;
    QTimer* m_timer = nullptr;
    bool m_shown = false;
    int m_savedRow = 0;
    int m_scrollSeen = -1;
    bool m_gridHasFocus = false;
    // The JHK curve last drawn, read again only when the species group or the curve changes.
    Kod3 m_jhkSpecies;
    int m_jhkCurve = 0;
    std::vector<CurvePoint> m_jhkLine;
};
