// The sheet proper: construction, the class layout, the grid and its totals, the display of a
// species and the refresh.
#include "TallySheet.h"

#include "LocaleNumbers.h"
#include "MeanStem.h"
#include "RivwoodError.h"
#include "SpeciesTables.h"
#include "TextUtils.h"

#include <QFileInfo>
#include <numbers>

using LocaleNumbers::Format;

TallySheet::TallySheet(StandSession& session, StandStore* store, QString referenceDirectory)
    : m_s(session), m_store(store), m_refDir(std::move(referenceDirectory)) {
    // The start state: a saved stand (a new one is empty, 1 ha) in the layout of the two combos.
    m_s.flags = EditingFlags{};
    m_s.flags.PoStartu = true;
    m_s.flags.Ulozeno = true;
    m_s.flags.SKomentarem = true;
    m_s.SetClassLayout(ToInteger(m_view.widthText, 4), ToInteger(m_view.firstText, 10));
    NastavStupne();
    m_view.totals[0] = " Celkem";
    NulujTab();
}

void TallySheet::setDialogs(SheetDialogs* dialogs) {
    m_dialogs = dialogs ? dialogs : &m_noDialogs;
}

QStringList TallySheet::CurveSpeciesItems() {
    return SpeciesTables::DistinctCurveSpecies();
}

QStringList TallySheet::TableSpeciesItems() {
    return SpeciesTables::DistinctTableSpecies();
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
    return [this](const UserMessage& q) { return m_dialogs->ask(q); };
}

SheetFocus TallySheet::takeFocus() {
    return std::exchange(m_focus, SheetFocus::None);
}

void TallySheet::showLayout() {
    m_view.widthText = QString::number(m_s.layout.SirkaStupne);
    m_view.firstText = QString::number(m_s.layout.StredPrvniho);
}

void TallySheet::NastavStupne() {
    const ClassLayout l = m_s.layout;
    m_s.SetClassLayout(l.SirkaStupne, l.StredPrvniho);
    const ClassLayout& layout = m_s.layout;
    m_view.rows.resize(size_t(layout.PocetStupnu));
    m_reportedBad.assign(m_view.rows.size(), QString());
    for (int k = 0; k < layout.PocetStupnu; ++k) {
        const double centre = layout.StredPrvniho + k * layout.SirkaStupne;
        m_view.rows[size_t(k)][0] = Format("%8.1f", centre * std::numbers::pi);
        m_view.rows[size_t(k)][1] = Format("%6.0f", centre);
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
    m_s.SetClassLayout(width, firstCentre);
    NastavStupne();
}

void TallySheet::widthChosen(const QString& text) {
    const Step step(*this, "Šířka stupně");
    const Busy busy(*this);
    const int width = ToInteger(text, 4);
    if (width == m_s.layout.SirkaStupne && text.trimmed() == QString::number(width))
        return;
    applyLayout(width, width >= 1 ? ClassLayout::DefaultFirstCentre(width) : 10);
}

void TallySheet::firstCentreChosen(const QString& text) {
    const Step step(*this, "První stupeň");
    const Busy busy(*this);
    const int first = ToInteger(text, 10);
    if (first == m_s.layout.StredPrvniho && text.trimmed() == QString::number(first))
        return;
    applyLayout(m_s.layout.SirkaStupne, first);
}

void TallySheet::SectiCetnosti() {
    WorkingCopy& w = m_s.work;
    const int rows = int(m_view.rows.size());
    if (int(w.Cetnosti.size()) < rows + 1)
        w.Cetnosti.resize(size_t(rows + 1));
    m_reportedBad.resize(size_t(rows));
    for (int k = 0; k < rows; ++k) {
        const QString& text = m_view.rows[size_t(k)][SheetView::CountColumn];
        double count = 0;
        if (!text.isEmpty()) {
            bool ok = false;
            const int v = text.trimmed().toInt(&ok);
            if (ok) {
                count = v;
            } else if (!IsBlank(text) && m_reportedBad[size_t(k)] != text) {
                // Each bad text is reported once, when it is first summed.
                m_reportedBad[size_t(k)] = text;
                const double centre = m_s.layout.StredPrvniho + k * m_s.layout.SirkaStupne;
                m_dialogs->show(
                    {UserMessage::Error, QString(" chyba %1: „%2“ není počet stromů (stupeň %3 cm)")
                                             .arg(k)
                                             .arg(text.trimmed(), Format("%.0f", centre))});
            }
        }
        w.Cetnosti[size_t(k + 1)] = count;
    }
    const long long total = MeanStem::SectiCetnosti(w);
    m_view.totals[2] = total != 0 ? QString::number(total) : QString();
    m_s.flags.VyplneneCetnosti = total > 0;
}

void TallySheet::NulujTab() {
    for (SheetView::Row& row : m_view.rows)
        for (int c = 2; c < SheetView::Columns; ++c)
            row[size_t(c)].clear();
    for (int c = 2; c < SheetView::Columns; ++c)
        m_view.totals[size_t(c)].clear();
    m_reportedBad.assign(m_view.rows.size(), QString());
    m_view.diameter.clear();
    m_view.height.clear();
    m_view.jhk.clear();
    m_view.diameterModified = false;
    m_view.heightModified = false;
    m_view.samples.assign(1, {});
}

void TallySheet::showTotals() {
    const WorkingCopy& w = m_s.work;
    const double trees = w.Cetnosti.empty() ? 0 : w.Cetnosti[0];
    const double stock = w.Objemy.empty() ? 0 : w.Objemy[0];
    m_view.totals[2] = trees > 0 ? QString::number((long long)RoundHalfEven(trees)) : QString();
    m_view.totals[3] = trees > 0 && stock > 0 ? Format("%8.2f", stock / trees) : QString();
    m_view.totals[4] = stock > 0 ? Format("%8.2f", stock) : QString();
}

void TallySheet::requestScroll(int row) {
    m_view.topRow = row;
    ++m_view.scrollRequest;
}

void TallySheet::showHeader() {
    m_view.river = m_s.stand.river;
    m_view.bank = m_s.stand.bank;
    m_view.riverKm = m_s.stand.riverKm;
    m_view.action = m_s.stand.action;
    m_view.designation = m_s.stand.designation;
    m_view.comment = m_s.stand.comment;
}

void TallySheet::ZPracNaDispl() {
    WorkingCopy& w = m_s.work;
    EditingFlags& f = m_s.flags;

    const auto item = [](const QStringList& items, const Kod3& code) {
        const QString text = CharsToString(code);
        for (const QString& i : items)
            if (i.compare(text, Qt::CaseInsensitive) == 0)
                return i;
        return QString();
    };
    m_view.curveSpecies = item(CurveSpeciesItems(), w.KodJhkDle);
    m_view.tableSpecies = item(TableSpeciesItems(), w.KodTabZasDle);
    m_view.speciesName = SpeciesTables::SpeciesName(speciesText().trimmed());

    m_view.diameter = w.StrTloustka > 0 ? Format("%8.4g", w.StrTloustka) : QString();
    f.VyplnenaTloustka = w.StrTloustka > 0;
    m_view.diameterModified = false;
    m_view.height = w.StrVyska > 0 ? Format("%8.4g", w.StrVyska) : QString();
    f.VyplnenaVyska = w.StrVyska > 0;
    m_view.heightModified = false;
    m_view.jhk = w.CisloJhk100 >= 1 ? Format("%8.2f", w.CisloJhk100 / 100.0) : QString();

    const auto value = [](const std::vector<double>& v, size_t i) { return i < v.size() ? v[i] : 0.0; };
    f.VyplneneCetnosti = false;
    int first = -1;
    for (size_t k = 0; k < m_view.rows.size(); ++k) {
        SheetView::Row& row = m_view.rows[k];
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
    m_reportedBad.assign(m_view.rows.size(), QString());
    requestScroll(std::max(first, 0));
    showTotals();
    showHeader();
    showSamples();

    f.ZmenaTloustky = false;
    f.ZmenaVysky = false;
    f.ZmenaCetnosti = false;
    f.Zaznamenano = true;
}

SheetCommands TallySheet::Refresh() {
    EditingFlags& f = m_s.flags;
    const bool items = !m_view.species.isEmpty();
    f.VyplnenaVyska = !IsBlank(m_view.height);
    f.VyplnenaTloustka = !IsBlank(m_view.diameter);

    SheetCommands c;
    c.vypocet = f.VyplnenaVyska && f.VyplnenaTloustka && f.VyplneneCetnosti;
    c.tloustka = f.VyplneneCetnosti;
    c.speciesCombo = items && f.Zaznamenano;
    c.groupCombos = items;
    c.novaDrevina = f.Zaznamenano || !items;
    c.zaznam = (items && !f.Zaznamenano) || f.ZmenaCetnosti || f.ZmenaTloustky || f.ZmenaVysky;
    c.zeZaznamu = !f.Zaznamenano && items;
    c.souhrn = f.Zaznamenano && f.Vypocteno;
    c.dataInput = f.Ulozeno;
    c.layoutCombos = !items;
    c.ulozeni = m_s.stand.count() > 0 || hasUnrecordedEdits();
    c.zrusitDrevinu = items;
    c.vzorniky = items;
    c.vyskaZKrivky = c.tloustka && items && heightCurves().bestFit();
    c.vypocteno = f.Vypocteno;
    c.zaznamenano = f.Zaznamenano;
    c.ulozeno = f.Ulozeno && !f.PoStartu;
    if (f.PoStartu)
        f.KlicZaznamu = 0;
    c.sKomentarem = f.SKomentarem;
    return c;
}

bool TallySheet::hasUnrecordedEdits() const {
    const EditingFlags& f = m_s.flags;
    if (m_view.species.isEmpty() || f.Zaznamenano || IsBlank(speciesText()))
        return false;
    return f.VyplneneCetnosti || m_s.stand.find(speciesText().trimmed()) || !IsBlank(m_view.diameter) ||
           !IsBlank(m_view.height) || !m_s.work.VyskoveVzorniky.empty();
}

void TallySheet::countEdited(int row, const QString& text) {
    const Step step(*this, "Četnost");
    if (row < 0 || row >= int(m_view.rows.size()) || m_view.rows[size_t(row)][2] == text)
        return;
    const Busy busy(*this);
    m_view.rows[size_t(row)][2] = text;
    m_reportedBad[size_t(row)].clear();
    SectiCetnosti();
    EditingFlags& f = m_s.flags;
    f.PoStartu = false;
    f.ZmenaCetnosti = true;
    f.VyplnenaTloustka = false;
    f.Vypocteno = false;
    f.Zaznamenano = false;
    f.Ulozeno = false;
    m_s.stand.summary = false;
}

void TallySheet::gridLeft() {
    const Step step(*this, nullptr);
    if (m_busy)
        return;
    const Busy busy(*this);
    SectiCetnosti();
}

void TallySheet::headerEdited(Header field, const QString& text) {
    switch (field) {
    case Header::River:
        m_view.river = m_s.stand.river = text;
        break;
    case Header::Bank:
        m_view.bank = m_s.stand.bank = text;
        break;
    case Header::RiverKm:
        m_view.riverKm = m_s.stand.riverKm = text;
        break;
    case Header::Action:
        m_view.action = m_s.stand.action = text;
        break;
    case Header::Date:
        m_view.date = text;
        break;
    case Header::ShrubArea:
        m_view.shrubArea = text;
        break;
    case Header::Designation:
        m_view.designation = m_s.stand.designation = text;
        break;
    case Header::Comment:
        m_view.comment = m_s.stand.comment = text;
        break;
    }
    // A changed header of a stand with species is a change to be saved.
    if (m_s.stand.count() > 0)
        m_s.flags.Ulozeno = false;
}

void TallySheet::setWithComment(bool on) {
    m_s.flags.SKomentarem = on;
}

bool TallySheet::takeNextStandRequest() {
    return std::exchange(m_nextStandRequested, false);
}
