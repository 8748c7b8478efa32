#include "SheetState.h"

#include "TextUtils.h"

bool SheetState::hasUnrecordedEdits() const {
    const QString species = view.speciesText();
    if (view.species.isEmpty() || flags.Zaznamenano || IsBlank(species))
        return false;
    return flags.VyplneneCetnosti || stand.find(species.trimmed()) || !IsBlank(view.diameter) ||
           !IsBlank(view.height) || !work.VyskoveVzorniky.empty();
}
