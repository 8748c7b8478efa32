// The menu commands of the tally sheet: the stand database, data files, caliper imports,
// summary, reports, exports, user identification, about and help.
#include "DatabaseChooser.h"
#include "DesktopLauncher.h"
#include "FileDialog.h"
#include "JhkFileReader.h"
#include "LocaleNumbers.h"
#include "MessageBox.h"
#include "SettingsKeys.h"
#include "SpeciesTables.h"
#include "StandCode.h"
#include "StandReports.h"
#include "TFUzivDB.h"
#include "TFUzivatel.h"
#include "TFVybPor.h"
#include "TTabulka.h"
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

const char* const kMantaxFilter = "Registrační průměrka (*.TXT)|*.TXT|Všechny soubory (*.*)|*.*";
const char* const kVaduzFilter =
    "Registrační průměrka (*.DAT)|*.DAT|Všechny soubory (*.*)|*.*|Textový soubor (*.TXT)|*.TXT";

} // namespace

void TZapisnik::notFound(const QString& fileName) {
    inform(
        {UserMessage::Error, QString("Soubor\r%1\rnebyl nalezen !").arg(QDir::toNativeSeparators(fileName))});
}

void TZapisnik::fillSpeciesCombo() {
    VyberDrevin->clear();
    const TManualy225& stand = m_ctx.session.stand;
    for (int i = 0; i < stand.count(); ++i)
        VyberDrevin->addItem(stand.abbreviationAt(i));
}

void TZapisnik::NactiPorostDoOkna() {
    StandSession& s = m_ctx.session;
    EditingFlags& f = s.flags;
    VyberDrevin->clear();
    if (s.stand.count() == 0) {
        // A stand without species: the sheet is emptied rather than left showing the last one.
        NulujTab();
        PocDle->setCurrentIndex(-1);
        TabZasDle->setCurrentIndex(-1);
        JmenoDrev->clear();
        f.PoStartu = true;
        f.JeNovaDrevina = false;
        f.VybranaDrevina = false;
        f.VyplneneCetnosti = false;
        f.Vypocteno = false;
        f.Zaznamenano = false;
        f.Ulozeno = true;
    } else {
        NastavStupne();
        fillSpeciesCombo();
        VyberDrevin->setCurrentIndex(0);
        s.work.KodDreviny = s.stand.at(0).abbreviation;
        s.LoadWorkingCopy(s.stand.at(0));
        ZPracNaDispl();
        f.PoStartu = false;
        f.Zaznamenano = true;
        f.JeNovaDrevina = false;
        f.Ulozeno = true;
    }
    ETok->setText(s.stand.river);
    EBreh->setText(s.stand.bank);
    ERKm->setText(s.stand.riverKm);
    EAkce->setText(s.stand.action);
    Edatum->setText(s.stand.date);
    EKroviny->setText(LocaleNumbers::Shortest(s.stand.shrubArea));
    updateChart();
}

void TZapisnik::VyberPorostuClick() {
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    Refresh();
    if (!m_ctx.vybPor->Choose())
        return;
    m_ctx.store.LoadStand(m_ctx.session, m_ctx.session.flags.KlicZaznamu);
    NactiPorostDoOkna();
}

void TZapisnik::UlozeniPorostuClick() {
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    StandSession& s = m_ctx.session;
    OnceQuestion askDuplicate(this);
    const YesNoQuestion ask = [&askDuplicate](const UserMessage& q) { return askDuplicate(q); };
    if (s.flags.KlicZaznamu == 0)
        m_ctx.store.SBNovyPorostClick(s, ask);
    if (s.flags.KlicZaznamu <= 0 || m_ctx.store.CheckDuplicateCode(s.stand, s.flags.KlicZaznamu, ask))
        return;
    TManualy225& st = s.stand;
    for (int i = 0; i < st.count(); ++i) {
        st.at(i).classWidth = std::int16_t(s.layout.SirkaStupne);
        st.at(i).firstCentre = s.layout.StredPrvniho;
    }
    st.river = ETok->text();
    st.bank = EBreh->text();
    st.riverKm = ERKm->text();
    st.action = EAkce->text();
    st.date = Edatum->text();
    st.area = 10000;
    st.shrubArea = 0;
    const QString shrub = EKroviny->text().trimmed();
    if (!shrub.isEmpty()) {
        if (LocaleNumbers::IsNumber(shrub))
            st.shrubArea = LocaleNumbers::Read(shrub, 0);
        else
            inform({UserMessage::Error, "Chybně zadaná plocha křovin !"});
    }
    st.code = s.KodPorostu();
    // The summary computes over the stand being saved, whatever it showed before.
    m_ctx.tabulka->FillGrid();
    m_ctx.tabulka->ComputeSummary(ask);
}

void TZapisnik::NastaveniAdresareClick() {
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    DatabaseChooser::ChooseDatabaseDirectory(m_ctx.database, databaseDialogs());
}

void TZapisnik::CteniDatClick() {
    const QString start =
        m_currentDataFile.isEmpty() ? m_ctx.programDirectory() : QFileInfo(m_currentDataFile).absolutePath();
    const QString file = FileDialog::getOpenFileName(
        this, "Výběr souboru", start, "Soubory dat JHK (*.JHK)|*.JHK|Všechny soubory (*.*)|*.*");
    if (file.isEmpty())
        return;
    if (!QFileInfo(file).isFile()) {
        notFound(file);
        return;
    }
    StandSession& s = m_ctx.session;
    const JhkFileReader::Result result = JhkFileReader::ReadJhkFile(file, s);
    for (const UserMessage& m : result.messages)
        inform(m);
    if (!result.loaded)
        return;
    NactiPorostDoOkna();
    s.stand.summary = false;
    s.flags.Ulozeno = false;
    s.flags.KlicZaznamu = 0;
    m_currentDataFile = file;
}

void TZapisnik::PrumerkaClick(bool vaduz) {
    const char* key = vaduz ? SettingsKeys::Vaduz : SettingsKeys::Mantax;
    const QString start = CaliperDataFolder::StartFolder(m_ctx.settingsFile(), key, m_ctx.programDirectory());
    const QString file = FileDialog::getOpenFileName(
        this, vaduz ? "Data z registrační průměrky VADUZ" : "Data z registrační průměrky HAGLOV", start,
        vaduz ? kVaduzFilter : kMantaxFilter);
    if (file.isEmpty())
        return;
    if (!QFileInfo(file).isFile()) {
        notFound(file);
        return;
    }
    StandSession& s = m_ctx.session;
    bool hotovo = false;
    {
        RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
        {
            const LocaleNumbers::DotScope dot;
            CaliperDataFolder::Remember(m_ctx.settingsFile(), key, file);
            if (vaduz) {
                m_ctx.prumvad->setMessageHandler(
                    [this](const UserMessage& m) { MessageBox::show(m_ctx.prumvad, m); });
                m_ctx.prumvad->SetFileName(file);
                m_ctx.prumvad->exec();
                hotovo = m_ctx.prumvad->ImportHotov();
            } else {
                m_ctx.prumerka->setMessageHandler(
                    [this](const UserMessage& m) { MessageBox::show(m_ctx.prumerka, m); });
                if (m_ctx.prumerka->PrepareSingleImport(file))
                    m_ctx.prumerka->exec();
                hotovo = m_ctx.prumerka->ImportHotov();
            }
        }
        if (hotovo) {
            const StandCodeParts parts = SplitStandCode(s.stand.code);
            s.stand.river = parts.river;
            s.stand.bank = parts.bank;
            s.stand.riverKm = parts.riverKm;
            s.stand.action = parts.action;
        }
        m_currentDataFile = file;
    }
    if (!hotovo)
        return;

    TManualy225& st = s.stand;
    fillSpeciesCombo();
    for (int i = 0; i < st.count(); ++i)
        st.at(i).curveSpecies = StringToChars(TrimSet(SpeciesTables::CurveSpeciesOf(st.abbreviationAt(i))));
    if (st.count() > 0) {
        VyberDrevin->setCurrentIndex(0);
        st.at(0).firstCentre = s.layout.StredPrvniho;
        st.at(0).classWidth = std::int16_t(s.layout.SirkaStupne);
        // The grid takes the layout the import brought.
        NastavStupne();
        s.LoadWorkingCopy(st.at(0));
        ZPracNaDispl();
    }
    ETok->setText(st.river);
    EBreh->setText(st.bank);
    ERKm->setText(st.riverKm);
    EAkce->setText(st.action);
    s.flags.VyplneneCetnosti = true;
    s.flags.PoStartu = false;
    StrTl->setEnabled(true);
    StrTl->setFocus();
    s.flags.KlicZaznamu = 0;
}

void TZapisnik::MantaxHromadneClick() {
    const QString start =
        CaliperDataFolder::StartFolder(m_ctx.settingsFile(), SettingsKeys::Mantax, m_ctx.programDirectory());
    const QString file =
        FileDialog::getOpenFileName(this, "Mantax - hromadné načítání do databáze", start, kMantaxFilter);
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return;
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    const LocaleNumbers::DotScope dot;
    m_ctx.prumerka->setMessageHandler([this](const UserMessage& m) { MessageBox::show(m_ctx.prumerka, m); });
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
        inform({UserMessage::Information, "Nejdřív je potřeba vypočítat souhrn !"});
        return;
    }
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    StandReports::PrintStand(m_ctx, this, m_ctx.session.flags.KlicZaznamu);
}

void TZapisnik::TiskDatabazeClick() {
    RefreshPause pause([this] { stopRefresh(); }, [this] { startRefresh(); });
    StandReports::PrintAllStands(m_ctx, this);
}

void TZapisnik::SKomentaremClick() {
    m_ctx.session.flags.SKomentarem = m_a.sKomentarem->isChecked();
}

void TZapisnik::ExportClick() {
    WorkbookCommands::ExportStand(m_ctx.database, m_ctx.session, m_ctx.dataDirectory(), this);
}

void TZapisnik::ExcelPorostClick() {
    if (!m_ctx.session.stand.summary) {
        inform({UserMessage::Information, "Nejdřív je potřeba vypočítat tabulku !"});
        return;
    }
    WorkbookCommands::ResultsOfStand(m_ctx.database, m_ctx.session, m_ctx.programDirectory(), this);
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
                                           [this](const UserMessage& q) { return ask(q); });
    if (message)
        inform(*message);
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
    const QString help = m_ctx.helpFile();
    if (!QFileInfo::exists(help)) {
        inform({UserMessage::Error,
                QString("Soubor nápovědy\r%1\rnebyl nalezen !").arg(QDir::toNativeSeparators(help))});
        return;
    }
    QUrl url = QUrl::fromLocalFile(help);
    url.setFragment(QString("kontext-%1").arg(context));
    if (!DesktopLauncher::openUrl(url))
        DesktopLauncher::openUrl(QUrl::fromLocalFile(help));
}
