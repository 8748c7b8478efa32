// The mean stem and the stock of the species on display: the diameter and height boxes,
// "Tloušťka", "Výpočet ", "Záznam", "Ze záznamu" and the two species-group combos.
#include "TallySheet.h"

#include "JhkReference.h"
#include "LocaleNumbers.h"
#include "MeanStem.h"
#include "TextUtils.h"

using LocaleNumbers::Format;

void TallySheet::showComputedDiameter(double diameter) {
    m_s.flags.VyplnenaTloustka = true;
    m_s.work.StrTloustka = diameter;
    m_view.diameter = Format("%8.4g", diameter);
    m_s.work.TloustkaVypoctena = true;
}

void TallySheet::diameterEntered() {
    m_view.diameterModified = false;
}

void TallySheet::diameterTyped(const QString& text) {
    typingStarts();
    m_view.diameter = text;
    m_view.diameterModified = true;
}

void TallySheet::heightEntered() {
    m_view.heightModified = false;
}

void TallySheet::heightTyped(const QString& text) {
    typingStarts();
    m_view.height = text;
    m_view.heightModified = true;
}

void TallySheet::diameterLeft() {
    const Step step(*this, "Tloušťka");
    if (m_busy || !m_view.diameterModified)
        return;
    const Busy busy(*this);
    EditingFlags& f = m_s.flags;
    m_s.work.TloustkaVypoctena = false;
    f.Vypocteno = false;
    f.Zaznamenano = false;
    f.Ulozeno = false;
    m_view.diameterModified = false;
    if (LocaleNumbers::IsNumber(m_view.diameter)) {
        m_s.work.StrTloustka = LocaleNumbers::Read(m_view.diameter, 0);
        f.ZmenaTloustky = true;
        return;
    }
    // Not a number: the box gets the mean diameter of the tally instead.
    m_s.work.StrTloustka = 0;
    SectiCetnosti();
    if (f.VyplneneCetnosti)
        showComputedDiameter(MeanStem::BasalAreaMeanDiameter(m_s.work, m_s.layout));
}

void TallySheet::heightLeft() {
    const Step step(*this, "Výška");
    if (m_busy || !m_view.heightModified)
        return;
    EditingFlags& f = m_s.flags;
    f.Vypocteno = false;
    f.Zaznamenano = false;
    f.Ulozeno = false;
    f.ZmenaVysky = true;
    m_s.work.StrVyska = LocaleNumbers::Read(m_view.height, 0);
    m_view.heightModified = false;
}

void TallySheet::meanDiameterClicked() {
    const Step step(*this, "Tloušťka");
    const Busy busy(*this);
    EditingFlags& f = m_s.flags;
    WorkingCopy& w = m_s.work;
    const QString before = m_view.diameter.trimmed();
    SectiCetnosti();
    if (!f.VyplneneCetnosti)
        return;
    const double computed = MeanStem::BasalAreaMeanDiameter(w, m_s.layout);
    bool failed = false;
    if (f.VyplnenaTloustka) {
        m_view.diameterModified = false;
        if (LocaleNumbers::IsNumber(m_view.diameter)) {
            w.StrTloustka = LocaleNumbers::Read(m_view.diameter, 0);
            f.ZmenaTloustky = true;
        } else {
            w.StrTloustka = 0;
            failed = true;
            if (!IsBlank(m_view.diameter))
                m_dialogs->show(
                    {UserMessage::Warning, "Chybně zadaná tloušťka bude nahrazena vypočítanou hodnotou"});
        }
    }
    // A diameter typed by hand stays; a blank box or a computed one is computed afresh.
    if (IsBlank(m_view.diameter) || w.TloustkaVypoctena || failed)
        showComputedDiameter(computed);
    if (m_view.diameter.trimmed() != before) {
        f.Vypocteno = false;
        f.Zaznamenano = false;
        f.Ulozeno = false;
        m_focus = f.VyplnenaVyska ? SheetFocus::Vypocet : SheetFocus::Height;
    }
}

void TallySheet::stockClicked() {
    const Step step(*this, "Výpočet");
    EditingFlags& f = m_s.flags;
    if (!(f.VyplnenaTloustka && f.VyplnenaVyska))
        return;
    const Busy busy(*this);
    WorkingCopy& w = m_s.work;
    const ClassLayout& layout = m_s.layout;
    w.KodDreviny = StringToChars(speciesText().trimmed());
    w.KodJhkDle = StringToChars(m_view.curveSpecies.trimmed());
    w.StrVyska = LocaleNumbers::Read(m_view.height, 0);
    w.StrTloustka = LocaleNumbers::Read(m_view.diameter, w.StrTloustka);

    const CurveSearch search = FindCurve(m_refDir, w.KodJhkDle, w.StrTloustka, w.StrVyska);
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
        m_dialogs->show({UserMessage::Warning, warning});
    m_view.jhk = Format("%4.2f", w.CisloJhk100 / 100.0);
    for (size_t k = 1; k <= m_view.rows.size() && k < n; ++k) {
        m_view.rows[k - 1][3] = Format("%8.2f", w.ObjJednotky[k]);
        m_view.rows[k - 1][4] = w.Objemy[k] > 0 ? Format("%8.2f", w.Objemy[k]) : QString();
    }
    const double trees = w.Cetnosti[0];
    m_view.totals[3] = trees != 0 ? Format("%8.2f", w.Objemy[0] / trees) : QString();
    m_view.totals[4] = Format("%8.2f", w.Objemy[0]);

    f.Vypocteno = true;
    f.Zaznamenano = false;
    f.Ulozeno = false;
    m_s.stand.summary = false;
    m_focus = SheetFocus::Zaznam;
}

void TallySheet::recordClicked() {
    const Step step(*this, "Záznam");
    const int limit = int(m_view.species.size());
    if (!IsBlank(speciesText()))
        m_s.RecordWorkingCopy(limit);
    m_focus = SheetFocus::SpeciesCombo;
}

void TallySheet::restoreClicked() {
    const Step step(*this, "Ze záznamu");
    const Busy busy(*this);
    if (!m_dialogs->ask({UserMessage::Warning, "Návrat k původním údajům.\rMají se provedené změny zrušit ?"},
                        SheetDialogs::Buttons::OkNo))
        return;
    EditingFlags& f = m_s.flags;
    f.JeNovaDrevina = false;
    if (m_s.SelectSpecies(StringToChars(speciesText().trimmed()))) {
        ZPracNaDispl();
        f.ZmenaCetnosti = false;
        f.ZmenaTloustky = false;
        f.ZmenaVysky = false;
        f.VybranaDrevina = true;
    }
}

// A changed group reaches the stand through "Záznam" (or the save, which records first): the
// species on display is no longer the recorded one.
void TallySheet::curveSpeciesChosen(const QString& text) {
    const Step step(*this, "JHK podle");
    const Kod3 code = StringToChars(text.trimmed());
    m_view.curveSpecies = text;
    EditingFlags& f = m_s.flags;
    if (code == m_s.work.KodJhkDle)
        return;
    m_s.work.KodJhkDle = code;
    if (f.Vypocteno) {
        f.Vypocteno = false;
        m_s.stand.summary = false;
    }
    if (!m_view.species.isEmpty()) {
        f.Zaznamenano = false;
        f.Ulozeno = false;
    }
}

void TallySheet::tableSpeciesChosen(const QString& text) {
    const Step step(*this, "Tabulková zásoba podle");
    const Kod3 code = StringToChars(text.trimmed().left(3));
    m_view.tableSpecies = text;
    if (code == m_s.work.KodTabZasDle)
        return;
    m_s.work.KodTabZasDle = code;
    // The table stock came from the other group's equations; the summary computes it afresh.
    m_s.work.TabZasoba = 0;
    if (!m_view.species.isEmpty()) {
        m_s.flags.Zaznamenano = false;
        m_s.flags.Ulozeno = false;
        m_s.stand.summary = false;
    }
}
