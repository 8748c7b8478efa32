// The stand as a whole: loading and saving it, data files, caliper imports, closing, and the
// summary window's computation.
#include "TallySheet.h"

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
    EditingFlags& f = m_s.flags;
    TManualy225& st = m_s.stand;
    if (st.count() == 0) {
        // A stand without species: the sheet is emptied rather than left showing the last one.
        const int key = f.KlicZaznamu;
        const QString file = m_currentDataFile;
        emptySpeciesPanel();
        f.KlicZaznamu = key;
        m_currentDataFile = file;
    } else {
        NastavStupne();
        m_view.species.clear();
        for (int i = 0; i < st.count(); ++i)
            m_view.species << st.abbreviationAt(i);
        m_view.speciesIndex = 0;
        m_s.work.KodDreviny = st.at(0).abbreviation;
        m_s.LoadWorkingCopy(st.at(0));
        ZPracNaDispl();
        f.PoStartu = false;
        f.Zaznamenano = true;
        f.JeNovaDrevina = false;
        f.VybranaDrevina = true;
        f.Ulozeno = true;
    }
    showHeader();
    m_view.date = st.date;
    m_view.shrubArea = LocaleNumbers::Shortest(st.shrubArea);
}

void TallySheet::loadStand(int key) {
    const Step step(*this, nullptr);
    const Busy busy(*this);
    const LoadStandResult result = store().LoadStand(m_s, key);
    m_s.flags.KlicZaznamu = key;
    NactiPorostDoOkna();
    startAfresh();
    if (result.skippedClassRows > 0)
        m_dialogs->show({UserMessage::Warning,
                         QString("Porost obsahuje %1 řádků tloušťkových stupňů mimo rozsah stupňů dřeviny.\r"
                                 "Tyto řádky se nezobrazí a uložením porostu se z databáze odstraní.")
                             .arg(result.skippedClassRows)});
}

void TallySheet::standDeleted(int key) {
    // The stand on display is no longer stored: the next save stores it anew.
    if (key != 0 && key == m_s.flags.KlicZaznamu) {
        m_s.flags.KlicZaznamu = 0;
        m_s.flags.Ulozeno = false;
        m_s.stand.summary = false;
    }
}

void TallySheet::standReplaced() {
    const Step step(*this, nullptr);
    const int key = m_s.flags.KlicZaznamu;
    NactiPorostDoOkna();
    m_s.flags.KlicZaznamu = key;
    startAfresh();
}

bool TallySheet::saveStand() {
    const Step step(*this, nullptr);
    // What was typed but not yet handed over goes with the stand: the boxes as if left, and the
    // species on display as if "Záznam" had been pressed.
    diameterLeft();
    heightLeft();
    const Busy busy(*this);
    EditingFlags& f = m_s.flags;
    if (hasUnrecordedEdits())
        recordClicked();
    m_focus = SheetFocus::None;
    const std::vector<PlausibilityWarning> findings = check();
    showFindings(findings);
    if (!mayStoreUncomputed(findings))
        return false;

    // A new stand gets its key together with its rows, in the save's own transaction.
    const YesNoQuestion ask = onceQuestion();
    if (f.KlicZaznamu < 0 || store().CheckDuplicateCode(m_s.stand, f.KlicZaznamu, ask))
        return false;
    TManualy225& st = m_s.stand;
    for (int i = 0; i < st.count(); ++i) {
        st.at(i).classWidth = std::int16_t(m_s.layout.SirkaStupne);
        st.at(i).firstCentre = m_s.layout.StredPrvniho;
    }
    st.river = m_view.river;
    st.bank = m_view.bank;
    st.riverKm = m_view.riverKm;
    st.action = m_view.action;
    st.date = m_view.date;
    st.area = 10000;
    st.shrubArea = 0;
    const QString shrub = m_view.shrubArea.trimmed();
    if (!shrub.isEmpty()) {
        if (LocaleNumbers::IsNumber(shrub))
            st.shrubArea = LocaleNumbers::Read(shrub, 0);
        else
            m_dialogs->show({UserMessage::Error, "Chybně zadaná plocha křovin !"});
    }
    st.code = m_s.KodPorostu();
    // The summary computes over the stand being saved, whatever it showed before.
    m_summary.Fill(st);
    const SummaryHandOff::Outcome out =
        SummaryHandOff::ComputeSummary(m_summary, m_s, store(), ask, conflictQuestion());
    if (out.result.error)
        m_dialogs->show(*out.result.error);
    if (out.stored)
        ++m_saves;
    return out.stored;
}

std::vector<PlausibilityWarning> TallySheet::check(bool withArea) const {
    if (!hasUnrecordedEdits())
        return CheckStand(m_s.stand, m_refDir, withArea);
    TManualy225 stand = m_s.stand;
    TManual225 shown;
    if (const TManual225* recorded = stand.find(speciesText().trimmed()))
        shown = *recorded;
    m_s.StoreWorkingCopy(shown);
    if (TManual225* recorded = stand.find(speciesText().trimmed()))
        *recorded = shown;
    else
        stand.append(speciesText().trimmed(), shown);
    return CheckStand(stand, m_refDir, withArea);
}

void TallySheet::showFindings(const std::vector<PlausibilityWarning>& warnings) {
    if (warnings.empty())
        return;
    QStringList lines{"Kontrola porostu našla možné chyby:"};
    for (const PlausibilityWarning& w : warnings)
        lines << w.text;
    m_dialogs->show({UserMessage::Warning, lines.join('\r')});
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

bool TallySheet::fileExists(const QString& fileName) {
    if (QFileInfo(fileName).isFile())
        return true;
    const Busy busy(*this);
    m_dialogs->show(
        {UserMessage::Error, QString("Soubor\r%1\rnebyl nalezen !").arg(QDir::toNativeSeparators(fileName))});
    return false;
}

bool TallySheet::readDataFile(const QString& fileName) {
    const Step step(*this, nullptr);
    if (!fileExists(fileName))
        return false;
    const Busy busy(*this);
    const JhkFileReader::Result result = JhkFileReader::ReadJhkFile(fileName, m_s);
    for (const UserMessage& m : result.messages)
        m_dialogs->show(m);
    if (!result.loaded)
        return false;
    showReadAsNewStand(fileName);
    return true;
}

void TallySheet::showReadAsNewStand(const QString& dataFile) {
    NactiPorostDoOkna();
    m_s.stand.summary = false;
    m_s.flags.Ulozeno = false;
    m_s.flags.KlicZaznamu = 0;
    m_currentDataFile = dataFile;
    startAfresh();
}

bool TallySheet::openSample(const QString& fileName) {
    const Step step(*this, nullptr);
    const Busy busy(*this);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_dialogs->show(
            {UserMessage::Error,
             QString("Ukázkový porost „%1“ nelze otevřít.").arg(QDir::toNativeSeparators(fileName))});
        return false;
    }
    // A sample of at most a few kilobytes; anything larger is not ours.
    try {
        StandJson::FromJsonBytes(file.read(1 << 20), m_s);
    } catch (const RivwoodError& e) {
        m_dialogs->show({UserMessage::Error, e.message()});
        return false;
    }
    showReadAsNewStand({});
    return true;
}

void TallySheet::caliperImportDone(bool imported, const QString& fileName) {
    const Step step(*this, nullptr);
    m_currentDataFile = fileName;
    if (!imported)
        return;
    TManualy225& st = m_s.stand;
    const StandCodeParts parts = SplitStandCode(st.code);
    st.river = parts.river;
    st.bank = parts.bank;
    st.riverKm = parts.riverKm;
    st.action = parts.action;

    m_view.species.clear();
    for (int i = 0; i < st.count(); ++i) {
        m_view.species << st.abbreviationAt(i);
        st.at(i).curveSpecies = StringToChars(TrimSet(SpeciesTables::CurveSpeciesOf(st.abbreviationAt(i))));
    }
    if (st.count() > 0) {
        m_view.speciesIndex = 0;
        st.at(0).firstCentre = m_s.layout.StredPrvniho;
        st.at(0).classWidth = std::int16_t(m_s.layout.SirkaStupne);
        // The grid takes the layout the import brought.
        NastavStupne();
        m_s.work.KodDreviny = st.at(0).abbreviation;
        m_s.LoadWorkingCopy(st.at(0));
        ZPracNaDispl();
    } else {
        m_view.speciesIndex = -1;
    }
    showHeader();
    m_view.date = st.date;
    m_view.shrubArea.clear();
    EditingFlags& f = m_s.flags;
    f.VyplneneCetnosti = true;
    f.PoStartu = false;
    f.JeNovaDrevina = false;
    f.VybranaDrevina = st.count() > 0;
    f.Ulozeno = false;
    f.KlicZaznamu = 0;
    m_s.stand.summary = false;
    m_focus = SheetFocus::Tloustka;
    startAfresh();
}

bool TallySheet::mayClose() {
    // A box typed into and not left counts as typed.
    diameterLeft();
    heightLeft();
    if (m_s.flags.Ulozeno && !hasUnrecordedEdits())
        return true;
    const Busy busy(*this);
    return m_dialogs->ask({UserMessage::Error, "Data nejsou uložena!\rChcete přesto ukončit program?"});
}

void TallySheet::summaryShown() {
    const Step step(*this, nullptr);
    m_summary.Fill(m_s.stand);
    if (m_s.stand.area > 0)
        summaryCompute();
}

void TallySheet::summaryCellEdited(int row, const QString& text) {
    m_summary.setCell(SummaryTable::TableStockColumn, row, text);
}

SummaryResult TallySheet::summaryCompute() {
    const Step step(*this, nullptr);
    const Busy busy(*this);
    const SummaryResult result = m_summary.Compute(m_s.stand);
    if (result.error)
        m_dialogs->show(*result.error);
    return result;
}

bool TallySheet::summaryComputeAndSave() {
    const Step step(*this, nullptr);
    const Busy busy(*this);
    const SummaryHandOff::Outcome out =
        SummaryHandOff::ComputeSummary(m_summary, m_s, store(), onceQuestion(), conflictQuestion());
    if (out.result.error)
        m_dialogs->show(*out.result.error);
    if (out.stored)
        ++m_saves;
    return out.stored;
}
