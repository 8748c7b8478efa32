#pragma once

#include "EditingFlags.h"
#include "SheetView.h"
#include "StandSession.h"

// Everything the tally sheet holds: the stand on display with its class layout and the working
// copy of the species on display, the editing flags and the texts on display. TallySheet alone
// writes it; the windows and rivwood-cli read it through TallySheet::state().
struct SheetState : StandSession {
    EditingFlags flags;
    SheetView view;
    QString dataFile; // the last data or caliper file read; emptied when the stand is cleared

    // The database key of the stand, 0 when it is not stored.
    int key() const { return flags.KlicZaznamu; }
    // Something typed on the species on display that "Záznam" has not put into the stand.
    bool hasUnrecordedEdits() const;
    // Nothing typed since the stand was last loaded or saved.
    bool saved() const { return flags.Ulozeno && !hasUnrecordedEdits(); }
};
