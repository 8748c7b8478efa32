#include "SummaryHandOff.h"

namespace SummaryHandOff {

bool StoreSummary(StandSession& session, StandStore& store, const YesNoQuestion& askDuplicate) {
    if (session.flags.KlicZaznamu == 0)
        store.SBNovyPorostClick(session, askDuplicate);
    const int key = session.flags.KlicZaznamu;
    if (key < 1 || store.CheckDuplicateCode(session.stand, key, askDuplicate))
        return false;
    TManualy225& st = session.stand;
    const bool summary = st.summary;
    const QString code = st.code;
    st.summary = true;
    st.code = session.KodPorostu();
    try {
        store.SaveStand(session, key);
    } catch (...) {
        st.summary = summary;
        st.code = code;
        throw;
    }
    return true;
}

Outcome ComputeSummary(SummaryTable& table, StandSession& session, StandStore& store,
                       const YesNoQuestion& askDuplicate) {
    Outcome out;
    out.result = table.Compute(session.stand);
    if (!out.result.error)
        out.stored = StoreSummary(session, store, askDuplicate);
    return out;
}

} // namespace SummaryHandOff
