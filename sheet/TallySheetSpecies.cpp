// The species of the stand: adding, switching, deleting one, clearing all.
#include "TallySheet.h"

#include "SpeciesTables.h"
#include "TextUtils.h"

namespace {

// The item of `items` equal to `text` (case-insensitive), or nothing.
QString matchingItem(const QStringList& items, const QString& text) {
    for (const QString& i : items)
        if (i.compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return QString();
}

} // namespace

void TallySheet::addSpecies(const QString& abbreviation) {
    const Operation op = edit("Nová dřevina");
    SheetView& v = m_state.view;
    if (!commands().novaDrevinaPovolena || abbreviation.trimmed().isEmpty() ||
        !matchingItem(v.species, abbreviation.trimmed()).isEmpty())
        return;
    const QString abbr = abbreviation.trimmed();
    WorkingCopy& w = m_state.work;
    EditingFlags& f = m_state.flags;
    v.species << abbr;
    v.speciesIndex = int(v.species.size()) - 1;
    w.KodDreviny = StringToChars(abbr);
    v.speciesName = SpeciesTables::SpeciesName(abbr);

    // Default groups; a combo without the group keeps its text.
    const int position = int(SpeciesTables::DrevZkratky().indexOf(abbr));
    const QStringList drevJako = SpeciesTables::DrevJako();
    const QString curve =
        position >= 0 && position < drevJako.size() ? TrimSet(drevJako[position]) : QString();
    const QString curveItem = matchingItem(SpeciesTables::DistinctCurveSpecies(), curve);
    if (!curveItem.isEmpty())
        v.curveSpecies = curveItem;
    w.KodJhkDle = StringToChars(v.curveSpecies.trimmed());
    const QString tableItem =
        matchingItem(SpeciesTables::DistinctTableSpecies(), TrimSet(SpeciesTables::TableSpeciesOf(abbr)));
    if (!tableItem.isEmpty())
        v.tableSpecies = tableItem;
    w.KodTabZasDle = StringToChars(v.tableSpecies.trimmed().left(3));

    NulujTab();
    m_state.ResetWorkingCopy();
    w.TloustkaVypoctena = false;
    f.PoStartu = false;
    f.JeNovaDrevina = true;
    f.VybranaDrevina = true;
    f.VyplneneCetnosti = false;
    f.ZmenaCetnosti = false;
    f.VyplnenaTloustka = false;
    f.ZmenaTloustky = false;
    f.VyplnenaVyska = false;
    f.ZmenaVysky = false;
    f.Vypocteno = false;
    f.Zaznamenano = false;
    f.Ulozeno = false;
    m_state.stand.summary = false;
    requestScroll(0);
    m_focus = SheetFocus::Grid;
}

// The species on display into the stand, as "Záznam" does.
void TallySheet::record() {
    if (IsBlank(speciesText()))
        return;
    EditingFlags& f = m_state.flags;
    const StandSession::Recording r =
        m_state.RecordWorkingCopy(int(m_state.view.species.size()), f.Vypocteno);
    if (r == StandSession::Recording::Refused)
        return;
    f.Zaznamenano = true;
    if (r == StandSession::Recording::Appended)
        f.Ulozeno = false;
}

void TallySheet::pickSpecies(int index) {
    const Operation op = edit("Výběr dřeviny");
    SheetView& v = m_state.view;
    if (index < 0 || index >= int(v.species.size()))
        return;
    EditingFlags& f = m_state.flags;
    v.speciesIndex = index;
    v.speciesName = SpeciesTables::SpeciesName(speciesText().trimmed());
    f.JeNovaDrevina = false;
    const Kod3 code = StringToChars(speciesText().trimmed());
    // The species picked is always shown, also when the one on display has an empty tally.
    if (code != m_state.work.KodDreviny) {
        if (f.VyplneneCetnosti && !f.Zaznamenano) {
            if (m_state.RecordWorkingCopy(int(v.species.size()), f.Vypocteno) ==
                StandSession::Recording::Appended)
                f.Ulozeno = false;
            f.Zaznamenano = true;
        }
        if (selectSpecies(speciesText().trimmed()))
            ZPracNaDispl();
    }
    f.ZmenaCetnosti = false;
    f.ZmenaTloustky = false;
    f.ZmenaVysky = false;
    f.VybranaDrevina = true;
}

// The species panel and the sheet as after start: no species, nothing to save.
void TallySheet::emptySpeciesPanel() {
    EditingFlags& f = m_state.flags;
    SheetView& v = m_state.view;
    NulujTab();
    v.species.clear();
    v.speciesIndex = -1;
    v.curveSpecies.clear();
    v.tableSpecies.clear();
    v.speciesName.clear();
    m_state.work.TloustkaVypoctena = false;
    f.PoStartu = true;
    f.JeNovaDrevina = false;
    f.VybranaDrevina = false;
    f.VyplneneCetnosti = false;
    f.VyplnenaTloustka = false;
    f.VyplnenaVyska = false;
    f.Vypocteno = false;
    f.Zaznamenano = false;
    f.Ulozeno = true;
    // An empty sheet shows no stored stand.
    f.KlicZaznamu = 0;
    m_state.stand.summary = false;
    m_state.dataFile.clear();
}

void TallySheet::deleteSpecies() {
    const Operation op = edit("Zrušení dřeviny");
    SheetView& v = m_state.view;
    if (v.species.isEmpty())
        return;
    if (!m_dialogs->ask({UserMessage::Warning, "Chcete opravdu zrušit dřevinu ?"}))
        return;
    const Kod3 code = StringToChars(speciesText().trimmed());
    const int index = v.speciesIndex;
    v.species.removeAt(index);
    m_state.flags.JeNovaDrevina = false;
    if (m_state.DeleteSpecies(code))
        m_state.flags.Ulozeno = false;
    if (v.species.isEmpty()) {
        emptySpeciesPanel();
        return;
    }
    v.speciesIndex = std::min(index, int(v.species.size()) - 1);
    v.speciesName = SpeciesTables::SpeciesName(speciesText().trimmed());
    if (selectSpecies(speciesText().trimmed()))
        ZPracNaDispl();
}

void TallySheet::newStand() {
    const Operation op = other();
    if (!m_state.flags.Ulozeno &&
        !m_dialogs->ask({UserMessage::Warning, "Chcete opravdu zrušit všechny dřeviny ?"}))
        return;
    SheetView& v = m_state.view;
    for (QString* t :
         {&v.river, &v.bank, &v.riverKm, &v.action, &v.date, &v.shrubArea, &v.designation, &v.comment})
        t->clear();
    // Nothing of the previous stand's header goes with the new one; a file or an import fills it.
    TManualy225& st = m_state.stand;
    for (QString* t :
         {&st.name, &st.river, &st.bank, &st.riverKm, &st.action, &st.designation, &st.comment, &st.code})
        t->clear();
    if (!v.species.isEmpty()) {
        m_state.ClearStand();
        emptySpeciesPanel();
    }
    startAfresh();
}
