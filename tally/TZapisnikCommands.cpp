// The menu commands of the tally sheet: the stand database, data files, caliper imports,
// summary, reports, exports, user identification, about and help.
#include "DatabaseChooser.h"
#include "DesktopLauncher.h"
#include "FileDialog.h"
#include "HeightChart.h"
#include "HelpTopics.h"
#include "JhkFileReader.h"
#include "LocaleNumbers.h"
#include "MessageBox.h"
#include "SampleHeightFile.h"
#include "SettingsKeys.h"
#include "SpeciesTables.h"
#include "StandCode.h"
#include "StandReports.h"
#include "TFUzivDB.h"
#include "TFUzivatel.h"
#include "TFVybPor.h"
#include "TTabulka.h"
#include "TVyberNoveDrev.h"
#include "TZapisnik.h"
#include "TallyContext.h"
#include "TallyGrid.h"
#include "TextUtils.h"
#include "WorkbookCommands.h"

#include "CaliperDataFolder.h"
#include "TPrumerka.h"
#include "TPrumvad.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <optional>

namespace {

// The refresh timer stops while a command runs its modal windows.
class RefreshPause {
  public:
    RefreshPause(std::function<void()> stop, std::function<void()> start) : m_start(std::move(start)) {
        stop();
    }
    ~RefreshPause() { m_start(); }
    RefreshPause(const RefreshPause&) = delete;
    RefreshPause& operator=(const RefreshPause&) = delete;

  private:
    std::function<void()> m_start;
};

} // namespace

void TZapisnik::Novadrevina1Click() {
    if (!sheet().canAddSpecies() || !m_ctx.vyberNoveDrev || !m_ctx.vyberNoveDrev->Choose())
        return;
    sheet().addSpecies(m_ctx.vyberNoveDrev->chosenAbbreviation());
}

void TZapisnik::VyberPorostuClick() {
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    Refresh();
    if (!m_ctx.vybPor->Choose())
        return;
    sheet().loadStand(m_ctx.vybPor->chosenKey());
}

void TZapisnik::UlozeniPorostuClick() {
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    if (sheet().saveStand())
        showSaved();
}

void TZapisnik::showSaved() {
    statusBar()->showMessage(QString("Porost uložen (klíč %1)").arg(m_ctx.session.flags.KlicZaznamu), 5000);
}

void TZapisnik::NastaveniAdresareClick() {
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    DatabaseChooser::ChooseDatabaseDirectory(m_ctx.database, databaseDialogs());
}

void TZapisnik::DatabazovyServerClick() {
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    DatabaseChooser::ChooseDatabaseServer(m_ctx.database, databaseDialogs());
}

void TZapisnik::CteniDatClick() {
    const QString current = sheet().currentDataFile();
    const QString start = current.isEmpty() ? m_ctx.workDirectory() : QFileInfo(current).absolutePath();
    const QString file = FileDialog::getOpenFileName(
        this, "Výběr souboru", start, "Soubory dat JHK (*.JHK)|*.JHK|Všechny soubory (*.*)|*.*");
    if (!file.isEmpty())
        sheet().readDataFile(file);
}

void TZapisnik::VyskoveVzornikyClick() {
    const QString file =
        FileDialog::getOpenFileName(this, "Výškové vzorníky ze souboru", m_ctx.workDirectory(),
                                    "Výškové vzorníky (*.csv;*.txt)|*.csv;*.txt|Všechny soubory (*.*)|*.*");
    if (file.isEmpty() || !sheet().fileExists(file))
        return;
    sheet().importSampleHeights(SampleHeightFile::Read(file));
    Grafy->setCurrentWidget(GrafVysek);
}

void TZapisnik::PrumerkaClick(bool vaduz) {
    const char* key = vaduz ? SettingsKeys::Vaduz : SettingsKeys::Mantax;
    const QString start = CaliperDataFolder::StartFolder(m_ctx.settingsFile(), key, m_ctx.workDirectory());
    const QString file = FileDialog::getOpenFileName(
        this, vaduz ? "Data z registrační průměrky VADUZ" : "Data z registrační průměrky HAGLOV", start,
        vaduz ? CaliperDataFolder::VaduzFilter : CaliperDataFolder::MantaxFilter);
    if (file.isEmpty() || !sheet().fileExists(file))
        return;
    bool hotovo = false;
    {
        RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
        const LocaleNumbers::DotScope dot;
        CaliperDataFolder::Remember(m_ctx.settingsFile(), key, file);
        if (vaduz) {
            m_ctx.prumvad->SetFileName(file);
            m_ctx.prumvad->exec();
            hotovo = m_ctx.prumvad->ImportHotov();
        } else {
            if (m_ctx.prumerka->PrepareSingleImport(file))
                m_ctx.prumerka->exec();
            hotovo = m_ctx.prumerka->ImportHotov();
        }
    }
    sheet().caliperImportDone(hotovo, file);
}

void TZapisnik::MantaxHromadneClick() {
    const QString start =
        CaliperDataFolder::StartFolder(m_ctx.settingsFile(), SettingsKeys::Mantax, m_ctx.workDirectory());
    const QString file = FileDialog::getOpenFileName(this, "Mantax - hromadné načítání do databáze", start,
                                                     CaliperDataFolder::MantaxFilter);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return;
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    const LocaleNumbers::DotScope dot;
    if (m_ctx.prumerka->PrepareBulkImport(file, m_ctx.store))
        m_ctx.prumerka->exec();
}

void TZapisnik::SouhrnClick() {
    m_ctx.tabulka->show();
    m_ctx.tabulka->raise();
    m_ctx.tabulka->activateWindow();
}

void TZapisnik::TiskPorostClick() {
    if (!m_ctx.session.stand.summary) {
        MessageBox::show(this, {UserMessage::Information, "Nejdřív je potřeba vypočítat souhrn !"});
        return;
    }
    sheet().showCheck();
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    StandReports::PrintStand(m_ctx, this, m_ctx.session.flags.KlicZaznamu);
}

void TZapisnik::TiskDatabazeClick() {
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    StandReports::PrintAllStands(m_ctx, this);
}

void TZapisnik::ExportClick() {
    WorkbookCommands::ExportStand(m_ctx.database, m_ctx.session, m_ctx.dataDirectory(), this);
}

void TZapisnik::ExcelPorostClick() {
    if (!m_ctx.session.stand.summary) {
        MessageBox::show(this, {UserMessage::Information, "Nejdřív je potřeba vypočítat tabulku !"});
        return;
    }
    WorkbookCommands::ResultsOfStand(m_ctx.database, m_ctx.session, m_ctx.workDirectory(), this);
}

void TZapisnik::ExportVseClick() {
    WorkbookCommands::ExportAll(m_ctx.database, m_ctx.dataDirectory(), this);
}

void TZapisnik::InfoProgramClick() {
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    Refresh();
    if (m_ctx.uzivatel->exec() != TFUzivatel::DoDatabaze)
        return;
    const auto message =
        m_ctx.store.PushUserIdentification(m_ctx.session.flags.KlicZaznamu, m_ctx.uzivatel->values(),
                                           [this](const UserMessage& q) { return MessageBox::ask(this, q); });
    if (message)
        MessageBox::show(this, *message);
}

void TZapisnik::InfoDatabazeClick() {
    const int key = m_ctx.session.flags.KlicZaznamu;
    if (key == 0)
        return;
    const UserIdentification user = m_ctx.store.ReadUserIdentification(key).value_or(UserIdentification{});
    TFUzivDB window(user, this);
    window.exec();
}

void TZapisnik::OProgramuClick() {
    const QString panel = QDir(m_ctx.programDirectory()).filePath("showplate");
    DesktopLauncher::startDetached(panel, {QCoreApplication::applicationFilePath(), "1"});
}

void TZapisnik::NavodClick(int context) {
    const QUrl url = HelpTopics::Url(m_ctx.helpDirectory(), context);
    const QString page = url.toLocalFile();
    if (!QFileInfo::exists(page)) {
        MessageBox::show(
            this, {UserMessage::Error,
                   QString("Soubor nápovědy\r%1\rnebyl nalezen !").arg(QDir::toNativeSeparators(page))});
        return;
    }
    if (DesktopLauncher::openUrl(url) || DesktopLauncher::openUrl(QUrl::fromLocalFile(page)))
        return;
    // No browser to show it: the user is told where the page is.
    MessageBox::show(this, {UserMessage::Warning,
                            QString("Návod nelze otevřít: v systému není nastaven webový prohlížeč.\r"
                                    "Stránku návodu otevřete v prohlížeči sami:\r%1")
                                .arg(QDir::toNativeSeparators(page))});
}
