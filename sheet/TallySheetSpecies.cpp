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

bool TallySheet::canAddSpecies() const {
    const EditingFlags& f = m_s.flags;
    return !(!f.PoStartu && !f.Zaznamenano && f.VybranaDrevina);
}

void TallySheet::addSpecies(const QString& abbreviation) {
    const Step step(*this, "Nová dřevina");
    if (!canAddSpecies() || abbreviation.trimmed().isEmpty() ||
        !matchingItem(m_view.species, abbreviation.trimmed()).isEmpty())
        return;
    const QString abbr = abbreviation.trimmed();
    WorkingCopy& w = m_s.work;
    EditingFlags& f = m_s.flags;
    m_view.species << abbr;
    m_view.speciesIndex = int(m_view.species.size()) - 1;
    w.KodDreviny = StringToChars(abbr);
    m_view.speciesName = SpeciesTables::SpeciesName(abbr);

    // Default groups; a combo without the group keeps its text.
    const int position = int(SpeciesTables::DrevZkratky().indexOf(abbr));
    const QStringList drevJako = SpeciesTables::DrevJako();
    const QString curve =
        position >= 0 && position < drevJako.size() ? TrimSet(drevJako[position]) : QString();
    const QString curveItem = matchingItem(CurveSpeciesItems(), curve);
    if (!curveItem.isEmpty())
        m_view.curveSpecies = curveItem;
    w.KodJhkDle = StringToChars(m_view.curveSpecies.trimmed());
    const QString tableItem = matchingItem(TableSpeciesItems(), TrimSet(SpeciesTables::TableSpeciesOf(abbr)));
    if (!tableItem.isEmpty())
        m_view.tableSpecies = tableItem;
    w.KodTabZasDle = StringToChars(m_view.tableSpecies.trimmed().left(3));

    NulujTab();
    m_s.ResetWorkingCopy();
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
    m_s.stand.summary = false;
    requestScroll(0);
    m_focus = SheetFocus::Grid;
}

void TallySheet::speciesPicked(int index) {
    const Step step(*this, "Výběr dřeviny");
    if (index < 0 || index >= int(m_view.species.size()))
        return;
    EditingFlags& f = m_s.flags;
    m_view.speciesIndex = index;
    m_view.speciesName = SpeciesTables::SpeciesName(speciesText().trimmed());
    f.JeNovaDrevina = false;
    const Kod3 code = StringToChars(speciesText().trimmed());
    // The species picked is always shown, also when the one on display has an empty tally.
    if (code != m_s.work.KodDreviny) {
        if (f.VyplneneCetnosti && !f.Zaznamenano) {
            m_s.RecordWorkingCopy(int(m_view.species.size()));
            f.Zaznamenano = true;
        }
        if (m_s.SelectSpecies(code))
            ZPracNaDispl();
    }
    f.ZmenaCetnosti = false;
    f.ZmenaTloustky = false;
    f.ZmenaVysky = false;
    f.VybranaDrevina = true;
}

// The species panel and the sheet as after start: no species, nothing to save.
void TallySheet::emptySpeciesPanel() {
    EditingFlags& f = m_s.flags;
    NulujTab();
    m_view.species.clear();
    m_view.speciesIndex = -1;
    m_view.curveSpecies.clear();
    m_view.tableSpecies.clear();
    m_view.speciesName.clear();
    m_s.work.TloustkaVypoctena = false;
    f.PoStartu = true;
    f.JeNovaDrevina = false;
    f.VybranaDrevina = false;
    f.VyplneneCetnosti = false;
    f.VyplnenaTloustka = false;
    f.VyplnenaVyska = false;
    f.Vypocteno = false;
    f.Zaznamenano = false;
    f.Ulozeno = true;
    // An empty stand is no stored stand; the refresh would say so only at its next tick.
    f.KlicZaznamu = 0;
    m_s.stand.summary = false;
    m_currentDataFile.clear();
}

void TallySheet::deleteSpecies() {
    const Step step(*this, "Zrušení dřeviny");
    if (m_view.species.isEmpty())
        return;
    const Busy busy(*this);
    if (!m_dialogs->ask({UserMessage::Warning, "Chcete opravdu zrušit dřevinu ?"}))
        return;
    const Kod3 code = StringToChars(speciesText().trimmed());
    const int index = m_view.speciesIndex;
    m_view.species.removeAt(index);
    m_s.flags.JeNovaDrevina = false;
    if (m_view.species.isEmpty()) {
        m_s.DeleteSpecies(code);
        emptySpeciesPanel();
        return;
    }
    m_view.speciesIndex = std::min(index, int(m_view.species.size()) - 1);
    m_view.speciesName = SpeciesTables::SpeciesName(speciesText().trimmed());
    m_s.DeleteSpecies(code);
    if (m_s.SelectSpecies(StringToChars(speciesText().trimmed())))
        ZPracNaDispl();
}

void TallySheet::newStand() {
    const Step step(*this, nullptr);
    const Busy busy(*this);
    if (!m_s.flags.Ulozeno &&
        !m_dialogs->ask({UserMessage::Warning, "Chcete opravdu zrušit všechny dřeviny ?"}))
        return;
    for (QString* t : {&m_view.river, &m_view.bank, &m_view.riverKm, &m_view.action, &m_view.date,
                       &m_view.shrubArea, &m_view.designation, &m_view.comment})
        t->clear();
    // Nothing of the previous stand's header goes with the new one; a file or an import fills it.
    TManualy225& st = m_s.stand;
    for (QString* t :
         {&st.name, &st.river, &st.bank, &st.riverKm, &st.action, &st.designation, &st.comment, &st.code})
        t->clear();
    if (!m_view.species.isEmpty()) {
        m_s.ClearStand();
        emptySpeciesPanel();
    }
    startAfresh();
}
