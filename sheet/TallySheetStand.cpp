// The stand as a whole: loading and saving it, data files, caliper imports, the command line's
// stands, closing, and "Kontrola porostu".
#include "TallySheet.h"

#include "FileErrorText.h"
#include "JhkFileReader.h"
#include "LocaleNumbers.h"
#include "RivwoodError.h"
#include "SpeciesTables.h"
#include "StandCode.h"
#include "StandJson.h"
#include "SummaryHandOff.h"
#include "TextUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void TallySheet::NactiPorostDoOkna() {
    EditingFlags& f = m_state.flags;
    TManualy225& st = m_state.stand;
    SheetView& v = m_state.view;
    if (st.count() == 0) {
        // A stand without species: the sheet is emptied rather than left showing the last one.
        const QString file = m_state.dataFile;
        emptySpeciesPanel();
        m_state.dataFile = file;
    } else {
        NastavStupne();
        v.species.clear();
        for (int i = 0; i < st.count(); ++i)
            v.species << st.abbreviationAt(i);
        v.speciesIndex = 0;
        m_state.work.KodDreviny = st.at(0).abbreviation;
        loadSpecies(st.at(0));
        ZPracNaDispl();
        f.PoStartu = false;
        f.Zaznamenano = true;
        f.JeNovaDrevina = false;
        f.VybranaDrevina = true;
        f.Ulozeno = true;
    }
    showHeader();
    v.date = st.date;
    v.shrubArea = LocaleNumbers::Shortest(st.shrubArea);
}

void TallySheet::loadStand(int key) {
    const Operation op = other();
    StandSession loaded = m_state;
    const LoadStandResult result = store().LoadStand(loaded, key);
    static_cast<StandSession&>(m_state) = std::move(loaded);
    m_state.flags.KlicZaznamu = key;
    NactiPorostDoOkna();
    startAfresh();
    if (result.skippedClassRows > 0)
        m_dialogs->show({UserMessage::Warning,
                         QString("Porost obsahuje %1 řádků tloušťkových stupňů mimo rozsah stupňů dřeviny.\r"
                                 "Tyto řádky se nezobrazí a uložením porostu se z databáze odstraní.")
                             .arg(result.skippedClassRows)});
}

void TallySheet::standDeleted(int key) {
    const Operation op = other();
    // The stand on display is no longer stored: the next save stores it anew.
    if (key != 0 && key == m_state.flags.KlicZaznamu) {
        m_state.flags.KlicZaznamu = 0;
        m_state.flags.Ulozeno = false;
        m_state.stand.summary = false;
    }
}

void TallySheet::open(const OpenedStand& opened) {
    const Operation op = other();
    switch (opened.origin) {
    case OpenedStand::Origin::DataFile:
        if (opened.stand)
            showReadAsNewStand(*opened.stand, opened.file);
        break;
    case OpenedStand::Origin::Caliper:
        m_state.dataFile = opened.file;
        if (opened.stand)
            showImported(*opened.stand);
        break;
    case OpenedStand::Origin::CommandLine:
        if (opened.stand) {
            static_cast<StandSession&>(m_state) = *opened.stand;
            NactiPorostDoOkna();
            m_state.flags.KlicZaznamu = opened.key;
            startAfresh();
        }
        break;
    }
}

bool TallySheet::fileExists(const QString& fileName) {
    if (QFileInfo(fileName).isFile())
        return true;
    m_dialogs->show({UserMessage::Error, FileErrorText::NotFound(fileName)});
    return false;
}

bool TallySheet::readDataFile(const QString& fileName) {
    const Operation op = other();
    if (!fileExists(fileName))
        return false;
    StandSession read = m_state;
    const JhkFileReader::Result result = JhkFileReader::ReadJhkFile(fileName, read);
    for (const UserMessage& m : result.messages)
        m_dialogs->show(m);
    if (!result.loaded)
        return false;
    showReadAsNewStand(read, fileName);
    return true;
}

bool TallySheet::openSample(const QString& fileName) {
    const Operation op = other();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_dialogs->show(
            {UserMessage::Error,
             QString("Ukázkový porost „%1“ nelze otevřít.").arg(QDir::toNativeSeparators(fileName))});
        return false;
    }
    StandSession sample = m_state;
    // A sample of at most a few kilobytes; anything larger is not ours.
    try {
        StandJson::FromJsonBytes(file.read(1 << 20), sample);
    } catch (const RivwoodError& e) {
        m_dialogs->show({UserMessage::Error, e.message()});
        return false;
    }
    showReadAsNewStand(sample, {});
    return true;
}

// A stand read from a file on display as a new, unsaved stand without a summary.
void TallySheet::showReadAsNewStand(const StandSession& read, const QString& dataFile) {
    static_cast<StandSession&>(m_state) = read;
    NactiPorostDoOkna();
    m_state.stand.summary = false;
    m_state.flags.Ulozeno = false;
    m_state.flags.KlicZaznamu = 0;
    m_state.dataFile = dataFile;
    startAfresh();
}

// The stand of a caliper file: a new, unsaved stand; its header comes from its stand code and its
// species follow the groups of the species table.
void TallySheet::showImported(const StandSession& imported) {
    static_cast<StandSession&>(m_state) = imported;
    TManualy225& st = m_state.stand;
    SheetView& v = m_state.view;
    const StandCodeParts parts = SplitStandCode(st.code);
    st.river = parts.river;
    st.bank = parts.bank;
    st.riverKm = parts.riverKm;
    st.action = parts.action;

    v.species.clear();
    for (int i = 0; i < st.count(); ++i) {
        v.species << st.abbreviationAt(i);
        st.at(i).curveSpecies = StringToChars(TrimSet(SpeciesTables::CurveSpeciesOf(st.abbreviationAt(i))));
    }
    EditingFlags& f = m_state.flags;
    f.Zaznamenano = true;
    if (st.count() > 0) {
        v.speciesIndex = 0;
        st.at(0).firstCentre = m_state.layout.StredPrvniho;
        st.at(0).classWidth = std::int16_t(m_state.layout.SirkaStupne);
        // The grid takes the layout the import brought.
        NastavStupne();
        m_state.work.KodDreviny = st.at(0).abbreviation;
        loadSpecies(st.at(0));
        ZPracNaDispl();
    } else {
        v.speciesIndex = -1;
    }
    showHeader();
    v.date = st.date;
    v.shrubArea.clear();
    f.VyplneneCetnosti = true;
    f.PoStartu = false;
    f.JeNovaDrevina = false;
    f.VybranaDrevina = st.count() > 0;
    f.Ulozeno = false;
    f.KlicZaznamu = 0;
    st.summary = false;
    m_focus = SheetFocus::Tloustka;
    startAfresh();
}

void TallySheet::markSaved(const SaveResult& saved) {
    if (!saved.stored())
        return;
    m_state.flags.KlicZaznamu = saved.key;
    m_state.flags.Ulozeno = true;
    ++m_saves;
}

bool TallySheet::save() {
    const Operation op = other();
    // What was typed but not yet handed over goes with the stand: the boxes as if left, and the
    // species on display as if "Záznam" had been pressed.
    m_meanStem.takeDiameter();
    m_meanStem.takeHeight();
    EditingFlags& f = m_state.flags;
    if (m_state.hasUnrecordedEdits())
        m_meanStem.record();
    m_focus = SheetFocus::None;
    const std::vector<PlausibilityWarning> findings = check();
    showFindings(findings);
    if (!mayStoreUncomputed(findings))
        return false;

    // A new stand gets its key together with its rows, in the save's own transaction.
    const YesNoQuestion ask = onceQuestion();
    if (f.KlicZaznamu < 0 || store().CheckDuplicateCode(m_state.stand, f.KlicZaznamu, ask))
        return false;
    TManualy225& st = m_state.stand;
    const SheetView& v = m_state.view;
    for (int i = 0; i < st.count(); ++i) {
        st.at(i).classWidth = std::int16_t(m_state.layout.SirkaStupne);
        st.at(i).firstCentre = m_state.layout.StredPrvniho;
    }
    st.river = v.river;
    st.bank = v.bank;
    st.riverKm = v.riverKm;
    st.action = v.action;
    st.date = v.date;
    st.area = 10000;
    st.shrubArea = 0;
    const QString shrub = v.shrubArea.trimmed();
    if (!shrub.isEmpty()) {
        if (LocaleNumbers::IsNumber(shrub))
            st.shrubArea = LocaleNumbers::Read(shrub, 0);
        else
            m_dialogs->show({UserMessage::Error, "Chybně zadaná plocha křovin !"});
    }
    st.code = m_state.KodPorostu();
    // The summary computes over the stand being saved, whatever it showed before.
    SummaryTable& table = m_summary.m_table;
    table.Fill(st);
    const SummaryHandOff::Outcome out =
        SummaryHandOff::ComputeSummary(table, m_state, f.KlicZaznamu, store(), ask, conflictQuestion());
    if (out.result.error)
        m_dialogs->show(*out.result.error);
    markSaved(out.save);
    return out.stored();
}

std::vector<PlausibilityWarning> TallySheet::check(bool withArea) const {
    if (!m_state.hasUnrecordedEdits())
        return CheckStand(m_state.stand, m_refDir, withArea);
    TManualy225 stand = m_state.stand;
    TManual225 shown;
    if (const TManual225* recorded = stand.find(speciesText().trimmed()))
        shown = *recorded;
    m_state.StoreWorkingCopy(shown, m_state.flags.Vypocteno);
    if (TManual225* recorded = stand.find(speciesText().trimmed()))
        *recorded = shown;
    else
        stand.append(speciesText().trimmed(), shown);
    return CheckStand(stand, m_refDir, withArea);
}

void TallySheet::showFindings(const std::vector<PlausibilityWarning>& warnings) {
    if (const std::optional<UserMessage> warning = FindingsWarning(warnings))
        m_dialogs->show(*warning);
}

bool TallySheet::mayStoreUncomputed(const std::vector<PlausibilityWarning>& warnings) {
    QStringList species;
    for (const PlausibilityWarning& w : warnings)
        if (w.kind == PlausibilityKind::NotComputed)
            species << w.species;
    // A stand saved with such a species would print it with zero stock.
    return species.isEmpty() ||
           m_dialogs->ask(
               {UserMessage::Warning,
                QString("Nevypočtené dřeviny: %1.\rJejich zásoba se uloží jako nulová. Má se porost "
                        "přesto uložit ?")
                    .arg(species.join(", "))});
}

bool TallySheet::mayClose() {
    // A box typed into and not left counts as typed.
    m_meanStem.setDiameter(m_state.view.diameter);
    m_meanStem.setHeight(m_state.view.height);
    if (m_state.saved())
        return true;
    return m_dialogs->ask({UserMessage::Error, "Data nejsou uložena!\rChcete přesto ukončit program?"});
}
