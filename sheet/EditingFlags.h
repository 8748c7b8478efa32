#pragma once

// The editing state of the tally sheet; the windows derive enabled and ticked states from it.
struct EditingFlags {
    bool PoStartu = true;       // just started or emptied
    bool JeNovaDrevina = false; // a new species is being entered
    bool VybranaDrevina = false;
    bool VyplneneCetnosti = false;
    bool VyplnenaTloustka = false;
    bool VyplnenaVyska = false;
    bool ZmenaCetnosti = false;
    bool ZmenaTloustky = false;
    bool ZmenaVysky = false;
    bool Vypocteno = false;   // the working copy is computed (also its "computed" field)
    bool Zaznamenano = false; // the working copy is recorded into the stand
    bool Ulozeno = false;     // the stand is saved
    bool SKomentarem = false; // reports with comment
    int KlicZaznamu = 0;      // database key of the current stand, 0 when not stored
    friend bool operator==(const EditingFlags&, const EditingFlags&) = default;
};
