// The species of the stand: adding, switching, deleting one, clearing all.
#include "DiameterChart.h"
#include "MessageBox.h"
#include "SpeciesTables.h"
#include "TVyberNoveDrev.h"
#include "TZapisnik.h"
#include "TallyContext.h"
#include "TallyGrid.h"
#include "TextUtils.h"

#include <QComboBox>
#include <QLineEdit>

void TZapisnik::Novadrevina1Click() {
    StandSession& s = m_ctx.session;
    EditingFlags& f = s.flags;
    if (!f.PoStartu && !f.Zaznamenano && f.VybranaDrevina)
        return;
    if (!m_ctx.vyberNoveDrev || !m_ctx.vyberNoveDrev->Choose())
        return;
    const QString abbreviation = m_ctx.vyberNoveDrev->chosenAbbreviation();
    if (abbreviation.isEmpty() || VyberDrevin->findText(abbreviation, Qt::MatchFixedString) >= 0)
        return;

    VyberDrevin->addItem(abbreviation);
    VyberDrevin->setCurrentIndex(VyberDrevin->count() - 1);
    s.work.KodDreviny = StringToChars(abbreviation);
    JmenoDrev->setText(SpeciesTables::SpeciesName(abbreviation));

    const int position = int(SpeciesTables::DrevZkratky().indexOf(abbreviation));
    const QStringList drevJako = SpeciesTables::DrevJako();
    const QString curve =
        position >= 0 && position < drevJako.size() ? TrimSet(drevJako[position]) : QString();
    const int curveItem = PocDle->findText(curve, Qt::MatchFixedString);
    if (curveItem >= 0)
        PocDle->setCurrentIndex(curveItem);
    s.work.KodJhkDle = StringToChars(PocDle->currentText().trimmed());
    const int tableItem =
        TabZasDle->findText(TrimSet(SpeciesTables::TableSpeciesOf(abbreviation)), Qt::MatchFixedString);
    if (tableItem >= 0)
        TabZasDle->setCurrentIndex(tableItem);
    s.work.KodTabZasDle = StringToChars(TabZasDle->currentText().trimmed());

    NulujTab();
    s.ResetWorkingCopy();
    s.work.TloustkaVypoctena = false;
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

    ZapForm->setEnabled(true);
    m_savedRow = 0;
    ZapForm->scrollToTop();
    ZapForm->setFocus();
    s.stand.summary = false;
    updateChart();
}

void TZapisnik::VyberDrevinChange() {
    StandSession& s = m_ctx.session;
    EditingFlags& f = s.flags;
    f.JeNovaDrevina = false;
    const Kod3 code = StringToChars(speciesText().trimmed());
    // The species picked is always shown, also when the one on display has an empty tally.
    if (code != s.work.KodDreviny) {
        if (f.VyplneneCetnosti && !IsBlank(speciesText()) && !f.Zaznamenano) {
            s.RecordWorkingCopy(VyberDrevin->count());
            f.Zaznamenano = true;
        }
        if (s.SelectSpecies(code))
            ZPracNaDispl();
    }
    f.ZmenaCetnosti = false;
    f.ZmenaTloustky = false;
    f.ZmenaVysky = false;
    f.VybranaDrevina = true;
}

void TZapisnik::Zrusitdrevinu1Click() {
    if (VyberDrevin->count() == 0)
        return;
    if (!ask({UserMessage::Warning, "Chcete opravdu zrušit dřevinu ?"}))
        return;
    StandSession& s = m_ctx.session;
    EditingFlags& f = s.flags;
    const Kod3 code = StringToChars(speciesText().trimmed());
    const int index = VyberDrevin->currentIndex();
    VyberDrevin->removeItem(index);
    f.JeNovaDrevina = false;

    if (VyberDrevin->count() == 0) {
        NulujTab();
        VyberDrevin->clear();
        PocDle->setCurrentIndex(-1);
        TabZasDle->setCurrentIndex(-1);
        JmenoDrev->clear();
        s.DeleteSpecies(code);
        f.PoStartu = true;
        f.VybranaDrevina = false;
        f.VyplneneCetnosti = false;
        f.VyplnenaTloustka = false;
        f.VyplnenaVyska = false;
        f.Vypocteno = false;
        f.Zaznamenano = false;
        s.stand.summary = false;
        // Without species the window is back in its start state, a stand with nothing to save.
        f.Ulozeno = true;
        f.KlicZaznamu = 0;
        m_currentDataFile.clear();
        updateChart();
        return;
    }
    VyberDrevin->setCurrentIndex(std::min(index, VyberDrevin->count() - 1));
    s.DeleteSpecies(code);
    if (s.SelectSpecies(StringToChars(speciesText().trimmed())))
        ZPracNaDispl();
}

void TZapisnik::NovyPorost() {
    StandSession& s = m_ctx.session;
    EditingFlags& f = s.flags;
    if (!f.Ulozeno && !ask({UserMessage::Warning, "Chcete opravdu zrušit všechny dřeviny ?"}))
        return;
    for (QLineEdit* e : {ETok, EBreh, ERKm, EAkce, Edatum, EKroviny})
        e->clear();
    s.stand.river.clear();
    s.stand.bank.clear();
    s.stand.riverKm.clear();
    s.stand.action.clear();
    if (VyberDrevin->count() > 0) {
        VyberDrevin->clear();
        s.stand.summary = false;
        s.ClearStand();
        NulujTab();
        PocDle->setCurrentIndex(-1);
        TabZasDle->setCurrentIndex(-1);
        JmenoDrev->clear();
        f.PoStartu = true;
        f.JeNovaDrevina = false;
        f.VybranaDrevina = false;
        f.VyplneneCetnosti = false;
        f.VyplnenaTloustka = false;
        s.work.TloustkaVypoctena = false;
        f.VyplnenaVyska = false;
        f.Vypocteno = false;
        f.Zaznamenano = false;
        f.Ulozeno = true;
        // An empty stand is no stored stand; the refresh would say so only at its next tick.
        f.KlicZaznamu = 0;
        m_currentDataFile.clear();
        updateChart();
    }
}
