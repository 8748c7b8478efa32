// The menu commands of the tally sheet: the stand database, data files, caliper imports,
// summary, reports, exports, user identification, about and help.
#include "DatabaseChooser.h"
#include "DesktopLauncher.h"
#include "FileDialog.h"
#include "FileErrorText.h"
#include "HeightChart.h"
#include "HelpTopics.h"
#include "JhkFileReader.h"
#include "LocaleNumbers.h"
#include "MessageBox.h"
#include "ModalDialog.h"
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
#include "TallySheet.h"
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
#include <optional>

namespace {

// A file chosen to be read is there; else the user is told.
bool exists(QWidget* parent, const QString& file) {
    if (QFileInfo(file).isFile())
        return true;
    MessageBox::show(parent, {UserMessage::Error, FileErrorText::NotFound(file)});
    return false;
}

} // namespace

void TZapisnik::Novadrevina1Click() {
    if (!sheet().commands().novaDrevinaPovolena || !m_ctx.vyberNoveDrev || !m_ctx.vyberNoveDrev->Choose())
        return;
    sheet().addSpecies(m_ctx.vyberNoveDrev->chosenAbbreviation());
}

void TZapisnik::VyberPorostuClick() {
    if (!m_ctx.vybPor->Choose())
        return;
    sheet().loadStand(m_ctx.vybPor->chosenKey());
}

void TZapisnik::UlozeniPorostuClick() {
    if (sheet().save())
        showSaved();
}

void TZapisnik::showSaved() {
    statusBar()->showMessage(QString("Porost uložen (klíč %1)").arg(sheet().state().key()), 5000);
}

void TZapisnik::NastaveniAdresareClick() {
    DatabaseChooser::ChooseDatabaseDirectory(m_ctx.database, databaseDialogs());
}

void TZapisnik::DatabazovyServerClick() {
    DatabaseChooser::ChooseDatabaseServer(m_ctx.database, databaseDialogs());
}

void TZapisnik::CteniDatClick() {
    const QString current = sheet().state().dataFile;
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
    if (file.isEmpty() || !exists(this, file))
        return;
    sheet().heights().importFile(SampleHeightFile::Read(file));
    Grafy->setCurrentWidget(GrafVysek);
}

void TZapisnik::PrumerkaClick(bool vaduz) {
    const char* key = vaduz ? SettingsKeys::Vaduz : SettingsKeys::Mantax;
    const QString start = CaliperDataFolder::StartFolder(m_ctx.settingsFile(), key, m_ctx.workDirectory());
    const QString file = FileDialog::getOpenFileName(
        this, vaduz ? "Data z registrační průměrky VADUZ" : "Data z registrační průměrky HAGLOV", start,
        vaduz ? CaliperDataFolder::VaduzFilter : CaliperDataFolder::MantaxFilter);
    if (file.isEmpty() || !exists(this, file))
        return;
    // The import windows read the file into a stand of their own; the sheet then shows it.
    OpenedStand imported{OpenedStand::Origin::Caliper, std::nullopt, 0, file};
    {
        const LocaleNumbers::DotScope dot;
        CaliperDataFolder::Remember(m_ctx.settingsFile(), key, file);
        if (vaduz) {
            m_ctx.prumvad->SetFileName(file, sheet().state());
            ModalDialog::exec(*m_ctx.prumvad);
            if (m_ctx.prumvad->ImportHotov())
                imported.stand = m_ctx.prumvad->importedStand();
        } else {
            if (m_ctx.prumerka->PrepareSingleImport(file, sheet().state()))
                ModalDialog::exec(*m_ctx.prumerka);
            if (m_ctx.prumerka->ImportHotov())
                imported.stand = m_ctx.prumerka->importedStand();
        }
    }
    sheet().open(imported);
}

void TZapisnik::MantaxHromadneClick() {
    const QString start =
        CaliperDataFolder::StartFolder(m_ctx.settingsFile(), SettingsKeys::Mantax, m_ctx.workDirectory());
    const QString file = FileDialog::getOpenFileName(this, "Mantax - hromadné načítání do databáze", start,
                                                     CaliperDataFolder::MantaxFilter);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return;
    const LocaleNumbers::DotScope dot;
    if (m_ctx.prumerka->PrepareBulkImport(file, m_ctx.store, sheet().state().layout))
        ModalDialog::exec(*m_ctx.prumerka);
}

void TZapisnik::SouhrnClick() {
    m_ctx.tabulka->show();
    m_ctx.tabulka->raise();
    m_ctx.tabulka->activateWindow();
}

void TZapisnik::TiskPorostClick() {
    if (!sheet().state().stand.summary) {
        MessageBox::show(this, {UserMessage::Information, "Nejdřív je potřeba vypočítat souhrn !"});
        return;
    }
    // The findings of "Kontrola porostu" in one warning before printing.
    if (const std::optional<UserMessage> findings = FindingsWarning(sheet().check()))
        MessageBox::show(this, *findings);
    StandReports::PrintStand(m_ctx, this, sheet().state().key());
}

void TZapisnik::TiskDatabazeClick() {
    StandReports::PrintAllStands(m_ctx, this);
}

void TZapisnik::ExportClick() {
    WorkbookCommands::ExportStand(m_ctx.database, sheet().state(), sheet().state().key(),
                                  m_ctx.dataDirectory(), this);
}

void TZapisnik::ExcelPorostClick() {
    if (!sheet().state().stand.summary) {
        MessageBox::show(this, {UserMessage::Information, "Nejdřív je potřeba vypočítat tabulku !"});
        return;
    }
    WorkbookCommands::ResultsOfStand(m_ctx.database, sheet().state(), sheet().state().key(),
                                     m_ctx.workDirectory(), this);
}

void TZapisnik::ExportVseClick() {
    WorkbookCommands::ExportAll(m_ctx.database, m_ctx.dataDirectory(), this);
}

void TZapisnik::InfoProgramClick() {
    if (ModalDialog::exec(*m_ctx.uzivatel) != TFUzivatel::DoDatabaze)
        return;
    const auto message =
        m_ctx.store.PushUserIdentification(sheet().state().key(), m_ctx.uzivatel->values(),
                                           [this](const UserMessage& q) { return MessageBox::ask(this, q); });
    if (message)
        MessageBox::show(this, *message);
}

void TZapisnik::InfoDatabazeClick() {
    const int key = sheet().state().key();
    if (key == 0)
        return;
    const UserIdentification user = m_ctx.store.ReadUserIdentification(key).value_or(UserIdentification{});
    TFUzivDB window(user, this);
    ModalDialog::exec(window);
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
