#pragma once

#include "StandDatabase.h"
#include "StandStore.h"
#include "TallySheet.h"

#include <QString>
#include <functional>
#include <memory>

class TZapisnik;
class TLadeni;
class TVyberNoveDrev;
class TTabulka;
class TFVybPor;
class TFStav;
class TFUzivatel;
class TPrumvad;
class TPrumerka;
class TFPMant;

// Where the program takes its files from; tests point everything at temporary places.
struct TallyOptions {
    QString settingsFile;     // the settings file; default beside the program
    QString programDirectory; // default the directory of the running program
    QString dataDirectory;    // JHK.KRI, JHK.HMO, templates, help; default the program's data directory
    QString samplesDirectory; // the sample stand offered at the first start; default <data>/ukazky
    // Ends the program with an exit code (after "Nebyla vybrána žádná databáze, program končí !"
    // or when the main window has closed); default QCoreApplication::exit.
    std::function<void(int code)> terminate;
};

// The process-wide state of the program: the stand database, the tally sheet (which owns the stand
// on display and its editing state) and the windows, which reach each other through it.
// createWindows() makes them in the program's order, the tally sheet first; the tally sheet owns
// the others.
class TallyContext {
  public:
    explicit TallyContext(TallyOptions options = {});
    ~TallyContext();
    TallyContext(const TallyContext&) = delete;
    TallyContext& operator=(const TallyContext&) = delete;

    const QString& settingsFile() const { return m_options.settingsFile; }
    const QString& programDirectory() const { return m_options.programDirectory; }
    const QString& dataDirectory() const { return m_options.dataDirectory; }
    const QString& samplesDirectory() const { return m_options.samplesDirectory; }
    // Where the database dialog starts at the first run.
    QString defaultDatabaseDirectory() const;
    // Where file dialogs start when no folder was used before.
    QString workDirectory() const;
    // The HTML help of the data directory.
    QString helpDirectory() const;
    void terminate(int code);

    void createWindows();

    StandDatabase database;
    StandStore store{database};
    // The stand on display and the rules of the tally sheet and the summary; the windows show its
    // state.
    TallySheet sheet;

    TZapisnik* zapisnik() const { return m_zapisnik.get(); }
    TLadeni* ladeni = nullptr;
    TVyberNoveDrev* vyberNoveDrev = nullptr;
    TPrumvad* prumvad = nullptr;
    TTabulka* tabulka = nullptr;
    TFVybPor* vybPor = nullptr;
    TFStav* stav = nullptr;
    TFPMant* pMant = nullptr;
    TPrumerka* prumerka = nullptr;
    TFUzivatel* uzivatel = nullptr;

  private:
    static TallyOptions withDefaults(TallyOptions options);

    TallyOptions m_options;
    // Last member: the windows go before the state they use.
    std::unique_ptr<TZapisnik> m_zapisnik;
};
