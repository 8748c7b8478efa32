#include "SampleHeightRows.h"

#include "NativeStatement.h"
#include "SqlSupport.h"

#include <QSqlQuery>

using namespace SqlSupport;

namespace SampleHeightRows {

void Write(const QSqlDatabase& db, const TManualy225& st, int key) {
    NativeStatement vys(db, "insert into RivwoodVys (KLIC, DR_ZKR, TLOUSTKA, VYSKA) values (?, ?, ?, ?)");
    for (int i = 0; i < st.count(); ++i) {
        const QString zkr = CharsToString(st.at(i).abbreviation);
        for (const SampleHeight& p : st.at(i).sampleHeights) {
            vys.bind(1, key).bind(2, zkr).bind(3, p.diameter).bind(4, p.height);
            vys.exec();
        }
    }
    vys.finish();
}

void Delete(const QSqlDatabase& db, int key) {
    Exec(db, "delete from RivwoodVys where KLIC = ?", {key});
}

void Read(const QSqlDatabase& db, int key, TManualy225& st) {
    QSqlQuery q =
        Exec(db, "select DR_ZKR, TLOUSTKA, VYSKA from RivwoodVys where KLIC = ? order by rowid", {key});
    while (q.next())
        if (TManual225* s = st.find(Text(q, 0)))
            s->sampleHeights.push_back({Number(q, 1), Number(q, 2)});
}

} // namespace SampleHeightRows
