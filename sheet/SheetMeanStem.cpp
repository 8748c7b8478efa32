// The mean stem and the stock of the species on display: the diameter and height boxes,
// "Tloušťka", "Výpočet ", "Záznam", "Ze záznamu" and the two species-group combos.
#include "SheetMeanStem.h"

#include "JhkReference.h"
#include "LocaleNumbers.h"
#include "MeanStem.h"
#include "TallySheet.h"
#include "TextUtils.h"

using LocaleNumbers::Format;

void TallySheet::showComputedDiameter(double diameter) {
    m_state.flags.VyplnenaTloustka = true;
    m_state.work.StrTloustka = diameter;
    m_state.view.diameter = Format("%8.4g", diameter);
    m_state.work.TloustkaVypoctena = true;
}

void SheetMeanStem::typed(MeanStemBox box, const QString& text) {
    const TallySheet::Operation op(m_sheet, TallySheet::Operation::Kind::Typing);
    SheetView& v = m_sheet.m_state.view;
    if (box == MeanStemBox::Diameter) {
        v.diameter = text;
        v.diameterModified = true;
    } else {
        v.height = text;
        v.heightModified = true;
    }
}

void SheetMeanStem::setDiameter(const QString& text) {
    const TallySheet::Operation op = m_sheet.edit("Tloušťka");
    SheetView& v = m_sheet.m_state.view;
    if (!v.diameterModified && text == v.diameter)
        return;
    v.diameter = text;
    v.diameterModified = true;
    takeDiameter();
}

void SheetMeanStem::setHeight(const QString& text) {
    const TallySheet::Operation op = m_sheet.edit("Výška");
    SheetView& v = m_sheet.m_state.view;
    if (!v.heightModified && text == v.height)
        return;
    v.height = text;
    v.heightModified = true;
    takeHeight();
}

void SheetMeanStem::takeDiameter() {
    SheetState& s = m_sheet.m_state;
    if (!s.view.diameterModified)
        return;
    EditingFlags& f = s.flags;
    s.work.TloustkaVypoctena = false;
    f.Vypocteno = false;
    f.Zaznamenano = false;
    f.Ulozeno = false;
    s.view.diameterModified = false;
    if (LocaleNumbers::IsNumber(s.view.diameter)) {
        s.work.StrTloustka = LocaleNumbers::Read(s.view.diameter, 0);
        f.ZmenaTloustky = true;
        return;
    }
    // Not a number: the box gets the mean diameter of the tally instead.
    s.work.StrTloustka = 0;
    m_sheet.SectiCetnosti();
    if (f.VyplneneCetnosti)
        m_sheet.showComputedDiameter(MeanStem::BasalAreaMeanDiameter(s.work, s.layout));
}

void SheetMeanStem::takeHeight() {
    SheetState& s = m_sheet.m_state;
    if (!s.view.heightModified)
        return;
    EditingFlags& f = s.flags;
    f.Vypocteno = false;
    f.Zaznamenano = false;
    f.Ulozeno = false;
    f.ZmenaVysky = true;
    s.work.StrVyska = LocaleNumbers::Read(s.view.height, 0);
    s.view.heightModified = false;
}

void SheetMeanStem::computeDiameter() {
    const TallySheet::Operation op = m_sheet.edit("Tloušťka");
    SheetState& s = m_sheet.m_state;
    EditingFlags& f = s.flags;
    WorkingCopy& w = s.work;
    SheetView& v = s.view;
    const QString before = v.diameter.trimmed();
    m_sheet.SectiCetnosti();
    if (!f.VyplneneCetnosti)
        return;
    const double computed = MeanStem::BasalAreaMeanDiameter(w, s.layout);
    bool failed = false;
    if (f.VyplnenaTloustka) {
        v.diameterModified = false;
        if (LocaleNumbers::IsNumber(v.diameter)) {
            w.StrTloustka = LocaleNumbers::Read(v.diameter, 0);
            f.ZmenaTloustky = true;
        } else {
            w.StrTloustka = 0;
            failed = true;
            if (!IsBlank(v.diameter))
                m_sheet.m_dialogs->show(
                    {UserMessage::Warning, "Chybně zadaná tloušťka bude nahrazena vypočítanou hodnotou"});
        }
    }
    // A diameter typed by hand stays; a blank box or a computed one is computed afresh.
    if (IsBlank(v.diameter) || w.TloustkaVypoctena || failed)
        m_sheet.showComputedDiameter(computed);
    if (v.diameter.trimmed() != before) {
        f.Vypocteno = false;
        f.Zaznamenano = false;
        f.Ulozeno = false;
        m_sheet.m_focus = f.VyplnenaVyska ? SheetFocus::Vypocet : SheetFocus::Height;
    }
}

void SheetMeanStem::computeStock() {
    const TallySheet::Operation op = m_sheet.edit("Výpočet");
    SheetState& s = m_sheet.m_state;
    EditingFlags& f = s.flags;
    if (!(f.VyplnenaTloustka && f.VyplnenaVyska))
        return;
    WorkingCopy& w = s.work;
    SheetView& v = s.view;
    const ClassLayout& layout = s.layout;
    w.KodDreviny = StringToChars(m_sheet.speciesText().trimmed());
    w.KodJhkDle = StringToChars(v.curveSpecies.trimmed());
    w.StrVyska = LocaleNumbers::Read(v.height, 0);
    w.StrTloustka = LocaleNumbers::Read(v.diameter, w.StrTloustka);

    const CurveSearch search = FindCurve(m_sheet.m_refDir, w.KodJhkDle, w.StrTloustka, w.StrVyska);
    w.CisloJhk100 = search.curve;
    const size_t n = std::max(w.Cetnosti.size(), size_t(layout.ElementCount()));
    w.Cetnosti.resize(n);
    w.ObjJednotky.assign(n, 0.0);
    w.Objemy.assign(n, 0.0);
    w.KruhoveZakladny.resize(n);
    for (size_t k = 1; k < n; ++k) {
        w.ObjJednotky[k] =
            VolumeFromTable(search.diameterRow, search.volumeRow, layout.Centre(int(k))).volume;
        w.Objemy[k] = w.ObjJednotky[k] * w.Cetnosti[k];
        w.Objemy[0] += w.Objemy[k];
    }
    // The table stock belongs to the mean stem: the summary works it out again for the new one.
    w.TabZasoba = 0;

    const QString warning = MeanStem::CurveWarning(search.diameterFlag, search.heightFlag);
    if (!warning.isEmpty())
        m_sheet.m_dialogs->show({UserMessage::Warning, warning});
    v.jhk = Format("%4.2f", w.CisloJhk100 / 100.0);
    for (size_t k = 1; k <= v.rows.size() && k < n; ++k) {
        v.rows[k - 1][3] = Format("%8.2f", w.ObjJednotky[k]);
        v.rows[k - 1][4] = w.Objemy[k] > 0 ? Format("%8.2f", w.Objemy[k]) : QString();
    }
    const double trees = w.Cetnosti[0];
    v.totals[3] = trees != 0 ? Format("%8.2f", w.Objemy[0] / trees) : QString();
    v.totals[4] = Format("%8.2f", w.Objemy[0]);

    f.Vypocteno = true;
    f.Zaznamenano = false;
    f.Ulozeno = false;
    s.stand.summary = false;
    m_sheet.m_focus = SheetFocus::Zaznam;
}

void SheetMeanStem::record() {
    const TallySheet::Operation op = m_sheet.edit("Záznam");
    m_sheet.record();
    m_sheet.m_focus = SheetFocus::SpeciesCombo;
}

void SheetMeanStem::restoreRecorded() {
    const TallySheet::Operation op = m_sheet.edit("Ze záznamu");
    if (!m_sheet.m_dialogs->ask(
            {UserMessage::Warning, "Návrat k původním údajům.\rMají se provedené změny zrušit ?"},
            SheetDialogs::Buttons::OkNo))
        return;
    EditingFlags& f = m_sheet.m_state.flags;
    f.JeNovaDrevina = false;
    if (m_sheet.selectSpecies(m_sheet.speciesText().trimmed())) {
        m_sheet.ZPracNaDispl();
        f.ZmenaCetnosti = false;
        f.ZmenaTloustky = false;
        f.ZmenaVysky = false;
        f.VybranaDrevina = true;
    }
}

// A changed group reaches the stand through "Záznam" (or the save, which records first): the
// species on display is no longer the recorded one.
void SheetMeanStem::setCurveSpecies(const QString& text) {
    const TallySheet::Operation op = m_sheet.edit("JHK podle");
    SheetState& s = m_sheet.m_state;
    const Kod3 code = StringToChars(text.trimmed());
    s.view.curveSpecies = text;
    EditingFlags& f = s.flags;
    if (code == s.work.KodJhkDle)
        return;
    s.work.KodJhkDle = code;
    if (f.Vypocteno) {
        f.Vypocteno = false;
        s.stand.summary = false;
    }
    if (!s.view.species.isEmpty()) {
        f.Zaznamenano = false;
        f.Ulozeno = false;
    }
}

void SheetMeanStem::setTableSpecies(const QString& text) {
    const TallySheet::Operation op = m_sheet.edit("Tabulková zásoba podle");
    SheetState& s = m_sheet.m_state;
    const Kod3 code = StringToChars(text.trimmed().left(3));
    s.view.tableSpecies = text;
    if (code == s.work.KodTabZasDle)
        return;
    s.work.KodTabZasDle = code;
    // The table stock came from the other group's equations; the summary computes it afresh.
    s.work.TabZasoba = 0;
    if (!s.view.species.isEmpty()) {
        s.flags.Zaznamenano = false;
        s.flags.Ulozeno = false;
        s.stand.summary = false;
    }
}
