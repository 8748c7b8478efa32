#include "SummaryHandOff.h"

namespace SummaryHandOff {

bool StoreSummary(StandSession& session, StandStore& store, const YesNoQuestion& askDuplicate,
                  const YesNoQuestion& askConflict) {
    const int key = session.flags.KlicZaznamu;
    if (key < 0)
        return false;
    TManualy225& st = session.stand;
    const bool summary = st.summary;
    const QString code = st.code;
    st.summary = true;
    st.code = session.KodPorostu();
    bool stored = false;
    try {
        // A new stand gets its key in the transaction of its rows; the save counts the stands with
        // the same code under its write lock.
        stored = (key == 0 ? store.SaveNewStand(session, askDuplicate)
                           : store.SaveStand(session, key, askConflict, askDuplicate))
                     .stored();
    } catch (...) {
        st.summary = summary;
        st.code = code;
        throw;
    }
    if (!stored) {
        st.summary = summary;
        st.code = code;
    }
    return stored;
}

Outcome ComputeSummary(SummaryTable& table, StandSession& session, StandStore& store,
                       const YesNoQuestion& askDuplicate, const YesNoQuestion& askConflict) {
    Outcome out;
    out.result = table.Compute(session.stand);
    if (!out.result.error)
        out.stored = StoreSummary(session, store, askDuplicate, askConflict);
    return out;
}

} // namespace SummaryHandOff
