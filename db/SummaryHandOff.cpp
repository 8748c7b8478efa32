#include "SummaryHandOff.h"

namespace SummaryHandOff {

SaveResult StoreSummary(StandSession& session, int key, StandStore& store, const YesNoQuestion& askDuplicate,
                        const YesNoQuestion& askConflict) {
    const SaveResult refused{SaveResult::Refused};
    if (key < 0)
        return refused;
    TManualy225& st = session.stand;
    const bool summary = st.summary;
    const QString code = st.code;
    st.summary = true;
    st.code = session.KodPorostu();
    SaveResult saved = refused;
    try {
        // A new stand gets its key in the transaction of its rows; the save counts the stands with
        // the same code under its write lock.
        saved = key == 0 ? store.SaveNewStand(session, askDuplicate)
                         : store.SaveStand(session, key, askConflict, askDuplicate);
    } catch (...) {
        st.summary = summary;
        st.code = code;
        throw;
    }
    if (!saved.stored()) {
        st.summary = summary;
        st.code = code;
    }
    return saved;
}

Outcome ComputeSummary(SummaryTable& table, StandSession& session, int key, StandStore& store,
                       const YesNoQuestion& askDuplicate, const YesNoQuestion& askConflict) {
    Outcome out;
    out.result = table.Compute(session.stand);
    if (!out.result.error)
        out.save = StoreSummary(session, key, store, askDuplicate, askConflict);
    return out;
}

} // namespace SummaryHandOff
