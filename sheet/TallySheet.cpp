// The sheet proper: construction, the class layout, the grid and its totals, the display of a
// species, the commands and the stand header.
#include "TallySheet.h"

#include "LocaleNumbers.h"
#include "MeanStem.h"
#include "RivwoodError.h"
#include "SpeciesTables.h"
#include "TextUtils.h"

#include <numbers>

using LocaleNumbers::Format;

TallySheet::TallySheet(StandStore* store, QString referenceDirectory, QObject* parent)
    : QObject(parent), m_store(store), m_refDir(std::move(referenceDirectory)) {
    // The start state: a saved stand (a new one is empty, 1 ha) in the layout of the two combos.
    m_state.flags.PoStartu = true;
    m_state.flags.Ulozeno = true;
    m_state.flags.SKomentarem = true;
    m_state.SetClassLayout(ToInteger(m_state.view.widthText, 4), ToInteger(m_state.view.firstText, 10));
    NastavStupne();
    m_state.view.totals[0] = " Celkem";
    NulujTab();
    m_undo.setUndoLimit(200);
}

void TallySheet::setDialogs(SheetDialogs* dialogs) {
    m_dialogs = dialogs ? dialogs : &m_noDialogs;
}

StandStore& TallySheet::store() {
    if (!m_store)
        throw RivwoodError("Databáze porostů není otevřena.");
    return *m_store;
}

// A question put at most once per command: its answer stands for the later askings, as the
// duplicate stand code is checked several times in one save.
YesNoQuestion TallySheet::onceQuestion() {
    auto answer = std::make_shared<int>(-1);
    return [this, answer](const UserMessage& q) {
        if (*answer < 0)
            *answer = m_dialogs->ask(q) ? 1 : 0;
        return *answer == 1;
    };
}

// "Porost byl mezitím v databázi změněn. Přepsat?" and the like: each asked on its own.
YesNoQuestion TallySheet::conflictQuestion() {
    return [this](const UserMessage& q) { return m_dialogs->askConflict(q); };
}

void TallySheet::showLayout() {
    m_state.view.widthText = QString::number(m_state.layout.SirkaStupne);
    m_state.view.firstText = QString::number(m_state.layout.StredPrvniho);
}

void TallySheet::NastavStupne() {
    const ClassLayout l = m_state.layout;
    m_state.SetClassLayout(l.SirkaStupne, l.StredPrvniho);
    const ClassLayout& layout = m_state.layout;
    std::vector<SheetView::Row>& rows = m_state.view.rows;
    rows.resize(size_t(layout.PocetStupnu));
    m_reportedBad.assign(rows.size(), QString());
    for (int k = 0; k < layout.PocetStupnu; ++k) {
        const double centre = layout.StredPrvniho + k * layout.SirkaStupne;
        rows[size_t(k)][0] = Format("%8.1f", centre * std::numbers::pi);
        rows[size_t(k)][1] = Format("%6.0f", centre);
    }
    showLayout();
}

// Refuses a layout without a usable class count; the combos then show the layout in use.
void TallySheet::applyLayout(int width, double firstCentre) {
    if (width < 1 || firstCentre < 1 || firstCentre > ClassLayout::MaxTloustka ||
        ClassLayout::ClassCount(width, firstCentre) < 1) {
        showLayout();
        m_dialogs->show(
            {UserMessage::Error, "Šířka stupně musí být alespoň 1 cm a střed prvního stupně 1 až 200 cm."});
        return;
    }
    m_state.SetClassLayout(width, firstCentre);
    NastavStupne();
}

void TallySheet::setClassWidth(const QString& text) {
    const Operation op = edit("Šířka stupně");
    const int width = ToInteger(text, 4);
    if (width == m_state.layout.SirkaStupne && text.trimmed() == QString::number(width))
        return;
    applyLayout(width, width >= 1 ? ClassLayout::DefaultFirstCentre(width) : 10);
}

void TallySheet::setFirstCentre(const QString& text) {
    const Operation op = edit("První stupeň");
    const int first = ToInteger(text, 10);
    if (first == m_state.layout.StredPrvniho && text.trimmed() == QString::number(first))
        return;
    applyLayout(m_state.layout.SirkaStupne, first);
}

void TallySheet::SectiCetnosti() {
    WorkingCopy& w = m_state.work;
    SheetView& v = m_state.view;
    const int rows = int(v.rows.size());
    if (int(w.Cetnosti.size()) < rows + 1)
        w.Cetnosti.resize(size_t(rows + 1));
    m_reportedBad.resize(size_t(rows));
    for (int k = 0; k < rows; ++k) {
        const QString& text = v.rows[size_t(k)][SheetView::CountColumn];
        double count = 0;
        if (!text.isEmpty()) {
            bool ok = false;
            const int value = text.trimmed().toInt(&ok);
            if (ok) {
                count = value;
            } else if (!IsBlank(text) && m_reportedBad[size_t(k)] != text) {
                // Each bad text is reported once, when it is first summed.
                m_reportedBad[size_t(k)] = text;
                const double centre = m_state.layout.StredPrvniho + k * m_state.layout.SirkaStupne;
                m_dialogs->show(
                    {UserMessage::Error, QString(" chyba %1: „%2“ není počet stromů (stupeň %3 cm)")
                                             .arg(k)
                                             .arg(text.trimmed(), Format("%.0f", centre))});
            }
        }
        w.Cetnosti[size_t(k + 1)] = count;
    }
    const long long total = MeanStem::SectiCetnosti(w);
    v.totals[2] = total != 0 ? QString::number(total) : QString();
    m_state.flags.VyplneneCetnosti = total > 0;
}

void TallySheet::NulujTab() {
    SheetView& v = m_state.view;
    for (SheetView::Row& row : v.rows)
        for (int c = 2; c < SheetView::Columns; ++c)
            row[size_t(c)].clear();
    for (int c = 2; c < SheetView::Columns; ++c)
        v.totals[size_t(c)].clear();
    m_reportedBad.assign(v.rows.size(), QString());
    v.diameter.clear();
    v.height.clear();
    v.jhk.clear();
    v.diameterModified = false;
    v.heightModified = false;
    v.samples.assign(1, {});
}

void TallySheet::showTotals() {
    const WorkingCopy& w = m_state.work;
    SheetView& v = m_state.view;
    const double trees = w.Cetnosti.empty() ? 0 : w.Cetnosti[0];
    const double stock = w.Objemy.empty() ? 0 : w.Objemy[0];
    v.totals[2] = trees > 0 ? QString::number((long long)RoundHalfEven(trees)) : QString();
    v.totals[3] = trees > 0 && stock > 0 ? Format("%8.2f", stock / trees) : QString();
    v.totals[4] = stock > 0 ? Format("%8.2f", stock) : QString();
}

void TallySheet::requestScroll(int row) {
    m_state.view.topRow = row;
    ++m_state.view.scrollRequest;
}

void TallySheet::showHeader() {
    const TManualy225& st = m_state.stand;
    SheetView& v = m_state.view;
    v.river = st.river;
    v.bank = st.bank;
    v.riverKm = st.riverKm;
    v.action = st.action;
    v.designation = st.designation;
    v.comment = st.comment;
}

void TallySheet::loadSpecies(const TManual225& species) {
    m_state.LoadWorkingCopy(species);
    m_state.flags.Vypocteno = species.computed;
}

bool TallySheet::selectSpecies(const QString& abbreviation) {
    const TManual225* species = m_state.SelectSpecies(StringToChars(abbreviation));
    if (species)
        m_state.flags.Vypocteno = species->computed;
    return species;
}

void TallySheet::ZPracNaDispl() {
    WorkingCopy& w = m_state.work;
    EditingFlags& f = m_state.flags;
    SheetView& v = m_state.view;

    const auto item = [](const QStringList& items, const Kod3& code) {
        const QString text = CharsToString(code);
        for (const QString& i : items)
            if (i.compare(text, Qt::CaseInsensitive) == 0)
                return i;
        return QString();
    };
    v.curveSpecies = item(SpeciesTables::DistinctCurveSpecies(), w.KodJhkDle);
    v.tableSpecies = item(SpeciesTables::DistinctTableSpecies(), w.KodTabZasDle);
    v.speciesName = SpeciesTables::SpeciesName(speciesText().trimmed());

    v.diameter = w.StrTloustka > 0 ? Format("%8.4g", w.StrTloustka) : QString();
    f.VyplnenaTloustka = w.StrTloustka > 0;
    v.diameterModified = false;
    v.height = w.StrVyska > 0 ? Format("%8.4g", w.StrVyska) : QString();
    f.VyplnenaVyska = w.StrVyska > 0;
    v.heightModified = false;
    v.jhk = w.CisloJhk100 >= 1 ? Format("%8.2f", w.CisloJhk100 / 100.0) : QString();

    const auto value = [](const std::vector<double>& list, size_t i) {
        return i < list.size() ? list[i] : 0.0;
    };
    f.VyplneneCetnosti = false;
    int first = -1;
    for (size_t k = 0; k < v.rows.size(); ++k) {
        SheetView::Row& row = v.rows[k];
        const double count = value(w.Cetnosti, k + 1);
        if (count > 0) {
            row[2] = QString::number((long long)RoundHalfEven(count));
            f.VyplneneCetnosti = true;
            if (first < 0)
                first = int(k);
        } else {
            row[2].clear();
        }
        const double unit = value(w.ObjJednotky, k + 1);
        const double volume = value(w.Objemy, k + 1);
        row[3] = unit > 0 ? Format("%8.2f", unit) : QString();
        row[4] = volume > 0 ? Format("%8.2f", volume) : QString();
    }
    m_reportedBad.assign(v.rows.size(), QString());
    requestScroll(std::max(first, 0));
    showTotals();
    showHeader();
    m_heights.showSamples();

    f.ZmenaTloustky = false;
    f.ZmenaVysky = false;
    f.ZmenaCetnosti = false;
    f.Zaznamenano = true;
}

void TallySheet::followBoxes() {
    EditingFlags& f = m_state.flags;
    f.VyplnenaVyska = !IsBlank(m_state.view.height);
    f.VyplnenaTloustka = !IsBlank(m_state.view.diameter);
    // An emptied sheet shows no stored stand.
    if (f.PoStartu)
        f.KlicZaznamu = 0;
}

SheetCommands TallySheet::commands() const {
    const EditingFlags& f = m_state.flags;
    const bool items = !m_state.view.species.isEmpty();
    SheetCommands c;
    c.vypocet = f.VyplnenaVyska && f.VyplnenaTloustka && f.VyplneneCetnosti;
    c.tloustka = f.VyplneneCetnosti;
    c.speciesCombo = items && f.Zaznamenano;
    c.groupCombos = items;
    c.novaDrevina = f.Zaznamenano || !items;
    c.novaDrevinaPovolena = !(!f.PoStartu && !f.Zaznamenano && f.VybranaDrevina);
    c.zaznam = (items && !f.Zaznamenano) || f.ZmenaCetnosti || f.ZmenaTloustky || f.ZmenaVysky;
    c.zeZaznamu = !f.Zaznamenano && items;
    c.souhrn = f.Zaznamenano && f.Vypocteno;
    c.dataInput = f.Ulozeno;
    c.layoutCombos = !items;
    c.ulozeni = m_state.stand.count() > 0 || m_state.hasUnrecordedEdits();
    c.zrusitDrevinu = items;
    c.vzorniky = items;
    c.vyskaZKrivky = c.tloustka && items && m_heights.curves().bestFit();
    c.vypocteno = f.Vypocteno;
    c.zaznamenano = f.Zaznamenano;
    c.ulozeno = f.Ulozeno && !f.PoStartu;
    c.sKomentarem = f.SKomentarem;
    return c;
}

void TallySheet::setCount(int row, const QString& text) {
    const Operation op = edit("Četnost");
    SheetView& v = m_state.view;
    if (row < 0 || row >= int(v.rows.size()) || v.rows[size_t(row)][2] == text)
        return;
    v.rows[size_t(row)][2] = text;
    m_reportedBad[size_t(row)].clear();
    SectiCetnosti();
    EditingFlags& f = m_state.flags;
    f.PoStartu = false;
    f.ZmenaCetnosti = true;
    f.VyplnenaTloustka = false;
    f.Vypocteno = false;
    f.Zaznamenano = false;
    f.Ulozeno = false;
    m_state.stand.summary = false;
}

void TallySheet::setHeader(SheetHeader field, const QString& text) {
    static const char* const texts[] = {"Tok",          "Břeh",          "Říční kilometr", "Název akce",
                                        "Datum taxace", "Plocha křovin", "Popis porostu",  "Poznámka"};
    // Typing on in the same box is one edit.
    const Operation op = edit(texts[int(field)], 100 + int(field));
    TManualy225& st = m_state.stand;
    SheetView& v = m_state.view;
    switch (field) {
    case SheetHeader::River:
        v.river = st.river = text;
        break;
    case SheetHeader::Bank:
        v.bank = st.bank = text;
        break;
    case SheetHeader::RiverKm:
        v.riverKm = st.riverKm = text;
        break;
    case SheetHeader::Action:
        v.action = st.action = text;
        break;
    case SheetHeader::Date:
        v.date = text;
        break;
    case SheetHeader::ShrubArea:
        v.shrubArea = text;
        break;
    case SheetHeader::Designation:
        v.designation = st.designation = text;
        break;
    case SheetHeader::Comment:
        v.comment = st.comment = text;
        break;
    }
    // A changed header of a stand with species is a change to be saved.
    if (st.count() > 0)
        m_state.flags.Ulozeno = false;
}

void TallySheet::setWithComment(bool on) {
    const Operation op = other();
    m_state.flags.SKomentarem = on;
}
