#include "TallyContext.h"

#include "HelpKeys.h"
#include "HelpTopics.h"
#include "IniFile.h"
#include "MessageBox.h"
#include "ProgramPaths.h"
#include "TFStav.h"
#include "TFUzivatel.h"
#include "TFVybPor.h"
#include "TLadeni.h"
#include "TTabulka.h"
#include "TVyberNoveDrev.h"
#include "TZapisnik.h"

#include "TFPMant.h"
#include "TPrumerka.h"
#include "TPrumvad.h"

#include <QCoreApplication>
#include <QDir>

TallyOptions TallyContext::withDefaults(TallyOptions o) {
    if (o.programDirectory.isEmpty())
        o.programDirectory = ProgramPaths::ProgramDirectory();
    if (o.settingsFile.isEmpty())
        o.settingsFile = ProgramPaths::SettingsFile();
    if (o.dataDirectory.isEmpty())
        o.dataDirectory = ProgramPaths::DataDirectory();
    if (o.samplesDirectory.isEmpty())
        o.samplesDirectory = ProgramPaths::SamplesDirectory(o.dataDirectory);
    if (!o.terminate)
        o.terminate = [](int code) { QCoreApplication::exit(code); };
    return o;
}

TallyContext::TallyContext(TallyOptions options)
    : database(withDefaults(options).settingsFile), sheet(&store, withDefaults(options).dataDirectory),
      m_options(withDefaults(std::move(options))) {}

TallyContext::~TallyContext() {
    IniFile::SetFailureReporter({});
}

QString TallyContext::helpDirectory() const {
    return ProgramPaths::HelpDirectory(m_options.dataDirectory);
}

QString TallyContext::defaultDatabaseDirectory() const {
    return ProgramPaths::DefaultDatabaseDirectory(m_options.programDirectory);
}

QString TallyContext::workDirectory() const {
    return ProgramPaths::WorkDirectory(m_options.programDirectory);
}

void TallyContext::terminate(int code) {
    m_options.terminate(code);
}

void TallyContext::createWindows() {
    if (m_zapisnik)
        return;
    // The order of the program: each window may use only those made before it.
    m_zapisnik = std::make_unique<TZapisnik>(*this);
    TZapisnik* main = m_zapisnik.get();
    // A settings file that cannot be saved is said once in a box; the program goes on without it.
    IniFile::SetFailureReporter([main](const QString& message) {
        MessageBox::show(main, {UserMessage::Warning, message});
    });
    ladeni = new TLadeni(*this, main);
    vyberNoveDrev = new TVyberNoveDrev(settingsFile(), main);
    prumvad = new TPrumvad(settingsFile(), main);
    tabulka = new TTabulka(*this, main);
    vybPor = new TFVybPor(*this, main);
    stav = new TFStav(main);
    pMant = new TFPMant(settingsFile(), main);
    prumerka = new TPrumerka(settingsFile(), main);
    uzivatel = new TFUzivatel(settingsFile(), main);
    // F1 in the other windows opens their chapter of the help.
    const auto open = [main](int context) {
        RunGuarded(main, [main, context] { main->NavodClick(context); });
    };
    const std::pair<QWidget*, int> help[] = {
        {vyberNoveDrev, HelpTopics::Species}, {prumvad, HelpTopics::SpeciesCodes},
        {tabulka, HelpTopics::Summary},       {vybPor, HelpTopics::StandList},
        {prumerka, HelpTopics::SpeciesCodes}, {uzivatel, HelpTopics::UserInformation}};
    for (const auto& [window, context] : help)
        HelpKeys::install(window, context, open);
}
