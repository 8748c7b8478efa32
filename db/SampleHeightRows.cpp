#include "SampleHeightRows.h"

#include "StandDatabase.h"
#include "StoreBackend.h"

namespace SampleHeightRows {

void Write(StandDatabase& db, const TManualy225& st, int key) {
    StatementRef vys = db.backend().inserter(StandDatabase::Vys, {"KLIC", "DR_ZKR", "TLOUSTKA", "VYSKA"});
    for (int i = 0; i < st.count(); ++i) {
        const QString zkr = CharsToString(st.at(i).abbreviation);
        for (const SampleHeight& p : st.at(i).sampleHeights)
            vys->bind(1, key).bind(2, zkr).bind(3, p.diameter).bind(4, p.height).run();
    }
    vys->finish();
}

StatementRef Open(StandDatabase& db, int key) {
    StatementRef q = db.backend().statement(
        QStringLiteral("select DR_ZKR, TLOUSTKA, VYSKA from RivwoodVys where KLIC = ? order by rowid"));
    q->bind(1, key).touching(StandTables::Vys, key).open();
    return q;
}

void Read(SqlStatement& q, TManualy225& st) {
    while (q.next())
        if (TManual225* s = st.find(q.text(0)))
            s->sampleHeights.push_back({q.number(1), q.number(2)});
}

} // namespace SampleHeightRows
