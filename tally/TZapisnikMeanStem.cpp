// The mean stem and the stock of the species on display: "Tloušťka", "Výpočet ", "Záznam",
// "Ze záznamu", the diameter and height boxes and the two species-group combos.
#include "LocaleNumbers.h"
#include "MeanStem.h"
#include "MessageBox.h"
#include "TZapisnik.h"
#include "TallyContext.h"
#include "TallyGrid.h"
#include "TextUtils.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using LocaleNumbers::Format;

void TZapisnik::showComputedDiameter(double diameter) {
    StandSession& s = m_ctx.session;
    s.flags.VyplnenaTloustka = true;
    s.work.StrTloustka = diameter;
    ETloustka->setText(Format("%8.4g", diameter));
    s.work.TloustkaVypoctena = true;
}

void TZapisnik::ETloustkaExit() {
    if (!ETloustka->isModified())
        return;
    StandSession& s = m_ctx.session;
    s.work.TloustkaVypoctena = false;
    s.flags.Vypocteno = false;
    s.flags.Zaznamenano = false;
    s.flags.Ulozeno = false;
    ETloustka->setModified(false);
    const QString text = ETloustka->text();
    if (LocaleNumbers::IsNumber(text)) {
        s.work.StrTloustka = LocaleNumbers::Read(text, 0);
        s.flags.ZmenaTloustky = true;
        return;
    }
    // Not a number: the box gets the mean diameter of the tally instead.
    s.work.StrTloustka = 0;
    SectiCetnosti();
    if (s.flags.VyplneneCetnosti)
        showComputedDiameter(MeanStem::BasalAreaMeanDiameter(s.work, s.layout));
}

void TZapisnik::EVyskaExit() {
    if (!EVyska->isModified())
        return;
    StandSession& s = m_ctx.session;
    s.flags.Vypocteno = false;
    s.flags.Zaznamenano = false;
    s.flags.Ulozeno = false;
    s.flags.ZmenaVysky = true;
    s.work.StrVyska = LocaleNumbers::Read(EVyska->text(), 0);
    EVyska->setModified(false);
}

void TZapisnik::StrTlClick() {
    StandSession& s = m_ctx.session;
    const QString before = ETloustka->text().trimmed();
    SectiCetnosti();
    if (!s.flags.VyplneneCetnosti)
        return;
    const double computed = MeanStem::BasalAreaMeanDiameter(s.work, s.layout);
    bool failed = false;
    if (s.flags.VyplnenaTloustka) {
        ETloustka->setModified(false);
        const QString text = ETloustka->text();
        if (LocaleNumbers::IsNumber(text)) {
            s.work.StrTloustka = LocaleNumbers::Read(text, 0);
            s.flags.ZmenaTloustky = true;
        } else {
            s.work.StrTloustka = 0;
            failed = true;
            if (!IsBlank(text))
                inform({UserMessage::Warning, "Chybně zadaná tloušťka bude nahrazena vypočítanou hodnotou"});
        }
    }
    // A diameter typed by hand stays; a blank box or a computed one is computed afresh.
    if (IsBlank(ETloustka->text()) || s.work.TloustkaVypoctena || failed)
        showComputedDiameter(computed);
    if (ETloustka->text().trimmed() != before) {
        s.flags.Vypocteno = false;
        s.flags.Zaznamenano = false;
        s.flags.Ulozeno = false;
        if (s.flags.VyplnenaVyska) {
            VypZas->setEnabled(true);
            VypZas->setFocus();
        } else {
            EVyska->setEnabled(true);
            EVyska->setFocus();
        }
    }
}

void TZapisnik::VypZasClick() {
    StandSession& s = m_ctx.session;
    if (!(s.flags.VyplnenaTloustka && s.flags.VyplnenaVyska))
        return;
    WorkingCopy& w = s.work;
    w.KodDreviny = StringToChars(speciesText().trimmed());
    w.KodJhkDle = StringToChars(PocDle->currentText().trimmed());
    w.StrVyska = LocaleNumbers::Read(EVyska->text(), 0);
    w.StrTloustka = LocaleNumbers::Read(ETloustka->text(), w.StrTloustka);

    const CurveSearch search = MeanStem::ComputeStock(s, m_ctx.dataDirectory());
    // The table stock belongs to the mean stem: the summary works it out again for the new one.
    w.TabZasoba = 0;
    const QString warning = MeanStem::CurveWarning(search.diameterFlag, search.heightFlag);
    if (!warning.isEmpty())
        inform({UserMessage::Warning, warning});
    EJHK->setText(Format("%4.2f", w.CisloJhk100 / 100.0));

    for (int k = 1; k <= s.layout.PocetStupnu && k <= ZapForm->rowCount(); ++k) {
        ZapForm->setText(k - 1, 3, Format("%8.2f", w.ObjJednotky[size_t(k)]));
        const double volume = w.Objemy[size_t(k)];
        ZapForm->setText(k - 1, 4, volume > 0 ? Format("%8.2f", volume) : QString());
    }
    const double trees = w.Cetnosti.empty() ? 0 : w.Cetnosti[0];
    CelkForm->item(0, 3)->setText(trees != 0 ? Format("%8.2f", w.Objemy[0] / trees) : QString());
    CelkForm->item(0, 4)->setText(Format("%8.2f", w.Objemy[0]));

    Zaznam->setEnabled(true);
    Zaznam->setFocus();
}

void TZapisnik::ZaznamClick() {
    const int limit = VyberDrevin->count();
    if (!IsBlank(speciesText()))
        m_ctx.session.RecordWorkingCopy(limit);
    VyberDrevin->setEnabled(true);
    VyberDrevin->setFocus();
}

void TZapisnik::BZeZaznamuClick() {
    if (!ask({UserMessage::Warning, "Návrat k původním údajům.\rMají se provedené změny zrušit ?"}, true))
        return;
    StandSession& s = m_ctx.session;
    s.flags.JeNovaDrevina = false;
    if (s.SelectSpecies(StringToChars(speciesText().trimmed()))) {
        ZPracNaDispl();
        s.flags.ZmenaCetnosti = false;
        s.flags.ZmenaTloustky = false;
        s.flags.ZmenaVysky = false;
        s.flags.VybranaDrevina = true;
    }
}

void TZapisnik::PocDleChange() {
    StandSession& s = m_ctx.session;
    const Kod3 code = StringToChars(PocDle->currentText().trimmed());
    if (code == s.work.KodJhkDle)
        return;
    s.work.KodJhkDle = code;
    if (s.flags.Vypocteno) {
        s.flags.Vypocteno = false;
        s.flags.Zaznamenano = false;
        s.stand.summary = false;
    }
}

void TZapisnik::TabZasDleChange() {
    m_ctx.session.work.KodTabZasDle = StringToChars(TabZasDle->currentText().trimmed());
}
