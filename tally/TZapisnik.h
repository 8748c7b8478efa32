#pragma once

#include <QMainWindow>
#include <QString>

class DiameterChart;
class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;
class QTimer;
class TallyContext;
class TallyGrid;
struct DatabaseDialogs;
struct UserMessage;

// "JHK - průměrkovací zápisník": the tally sheet of one stand and the program's main window. The
// grid shows the species on display, one row per diameter class; beside it the class layout, the
// species, the mean stem and a chart of the tally; below it the stand header. A 200 ms refresh
// derives the enabled and ticked states of every command from the editing-state flags.
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
        QMenu* databaze = nullptr;
        QAction* vyberPorostu = nullptr;
        QAction* ulozeniPorostu = nullptr;
        QAction* nastaveniAdresare = nullptr;
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

    // Help context of the tally grid.
    static constexpr int GridHelpContext = 12;

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
    QPushButton* LadButt = nullptr;
    DiameterChart* Graf = nullptr;

    // The first display: the database, the species-group lists and the refresh timer. Runs once.
    void FormShow();
    bool refreshRunning() const;
    // The name of the last data file read or imported.
    const QString& currentDataFile() const { return m_currentDataFile; }

    // The sheet.
    void NastavStupne();
    void SectiCetnosti();
    void NulujTab();
    void ZPracNaDispl();
    // One tick of the refresh.
    void Refresh();
    void SirkaTlStupneChange();
    void PrvniTlStupenChange();
    void ZapFormSetEditText(int row, const QString& oldText, const QString& newText);

    // The mean stem and the stock.
    void ETloustkaExit();
    void EVyskaExit();
    void StrTlClick();
    void VypZasClick();
    void ZaznamClick();
    void BZeZaznamuClick();
    void PocDleChange();
    void TabZasDleChange();

    // The species.
    void Novadrevina1Click();
    void VyberDrevinChange();
    void Zrusitdrevinu1Click();
    void NovyPorost();

    // The menu commands.
    void DataMenuShow();
    void NactiPorostDoOkna();
    void VyberPorostuClick();
    void UlozeniPorostuClick();
    void NastaveniAdresareClick();
    void CteniDatClick();
    void PrumerkaClick(bool vaduz);
    void MantaxHromadneClick();
    void SouhrnClick();
    void TiskPorostClick();
    void TiskDatabazeClick();
    void SKomentaremClick();
    void ExportClick();
    void ExcelPorostClick();
    void ExportVseClick();
    void InfoProgramClick();
    void InfoDatabazeClick();
    void OProgramuClick();
    void NavodClick(int context = 0);
    // Activation: the summary's "Další porost" asked for the next stand.
    void FormActivate();

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
    void showTotals();
    void updateChart();
    void focusChanged(QWidget* old, QWidget* now);
    bool insideGrid(const QWidget* w) const;
    void setLayoutCombos();
    void applyClassLayout(int width, double firstCentre);
    void headerEdited();
    DatabaseDialogs databaseDialogs();
    void setCommandEnabled(QAction* action, bool enabled);
    void stopRefresh();
    void startRefresh();
    void inform(const UserMessage& message);
    bool ask(const UserMessage& question, bool okNo = false);
    void notFound(const QString& fileName);
    void fillSpeciesCombo();
    // Shows a mean diameter computed from the tally and marks it as computed.
    void showComputedDiameter(double diameter);
    QString speciesText() const;

    TallyContext& m_ctx;
    Actions m_a;
    QTimer* m_timer = nullptr;
    bool m_shown = false;
    QString m_currentDataFile;
    int m_savedRow = 0;
    bool m_gridHasFocus = false;
};
