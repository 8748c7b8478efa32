#include "StandRows.h"

#include "DatabaseSchema.h"
#include "NativeStatement.h"
#include "RivwoodError.h"
#include "SampleHeightRows.h"
#include "SqlSupport.h"

#include <QSqlQuery>
#include <limits>

using namespace SqlSupport;
namespace S = DatabaseSchema;

namespace StandRows {

namespace {

QVariant user(const QString& text) {
    return Char(text, S::UserWidth);
}

} // namespace

RowState Read(const QSqlDatabase& db, int key) {
    QSqlQuery q = Exec(db, "select USED, ZMENA from RivwoodPor where KLIC = ?", {key});
    if (!q.next())
        return {};
    return {true, Boolean(q, 0), Integer(q, 1)};
}

Allocation Allocate(const QSqlDatabase& db, const UserIdentification& u) {
    Allocation a;
    {
        QSqlQuery q = Exec(db, "select KLIC, ZMENA from RivwoodPor where USED = false order by KLIC limit 1");
        if (q.next())
            a = {int(Integer(q, 0)), Integer(q, 1) + 1};
    }
    if (a.key != 0) {
        Exec(db,
             "update RivwoodPor set USED = true, ZAVOD = ?, PROVOZ = ?, TAXATOR = ?, UZIVATEL = ?, ZMENA = ? "
             "where KLIC = ?",
             {user(u.zavod), user(u.provoz), user(u.taxator), user(u.uzivatel), qlonglong(a.changeCounter),
              a.key});
        return a;
    }
    qlonglong max = 0;
    {
        QSqlQuery q = Exec(db, "select max(KLIC) from RivwoodPor");
        if (q.next())
            max = Integer(q, 0);
    }
    if (max >= std::numeric_limits<std::int32_t>::max())
        throw RivwoodError("Databáze porostů nemá žádný volný klíč.");
    a = {int(std::max<qlonglong>(max, 0) + 1), 1};
    Exec(
        db,
        "insert into RivwoodPor (KLIC, USED, ZAVOD, PROVOZ, TAXATOR, UZIVATEL, ZMENA) values (?, true, ?, ?, "
        "?, ?, 1)",
        {a.key, user(u.zavod), user(u.provoz), user(u.taxator), user(u.uzivatel)});
    return a;
}

void DeleteChildRows(const QSqlDatabase& db, int key) {
    for (const char* table : {"RIVWOODDRE", "RIVWOODTLO", "RIVWOODSES"})
        Exec(db, QString("delete from\n%1\nWhere KLIC = %2").arg(table).arg(key));
    SampleHeightRows::Delete(db, key);
}

std::int64_t Write(const QSqlDatabase& db, const TManualy225& st, int key) {
    QVariant kept[4];
    std::int64_t change = 0;
    {
        QSqlQuery q =
            Exec(db, "select ZAVOD, PROVOZ, TAXATOR, UZIVATEL, ZMENA from RivwoodPor where KLIC = ?", {key});
        if (!q.next())
            throw RivwoodError(QString("Porost s klíčem %1 v databázi není, nebyl uložen.").arg(key));
        for (int i = 0; i < 4; ++i)
            kept[i] = q.value(i);
        change = Integer(q, 4) + 1;
    }
    DeleteChildRows(db, key);

    bool allComputed = true;
    for (int i = 0; i < st.count(); ++i)
        allComputed = allComputed && st.at(i).computed;
    Exec(db,
         "update RivwoodPor set USED = true, NazevTok = ?, NazevBreh = ?, NazevRKm = ?, NazevAkce = ?, "
         "PLOCHA = ?, "
         "VEK = ?, POC_DREV = ?, KROVINY = ?, POPIS = ?, KOMENT = ?, KODPOROSTU = ?, DATUM = ?, VYPOCTENO = "
         "?, "
         "SOUHRN = ?, ZAVOD = ?, PROVOZ = ?, TAXATOR = ?, UZIVATEL = ?, ZMENA = ? where KLIC = ?",
         {Char(st.river, S::NazevTokWidth),
          Char(st.bank, S::NazevBrehWidth),
          Char(st.riverKm, S::NazevRKmWidth),
          Char(st.action, S::NazevAkceWidth),
          st.area,
          st.age,
          NarrowTo16(st.count(), "POC_DREV"),
          st.shrubArea,
          Char(st.designation, S::PopisWidth),
          st.comment,
          Char(st.code, S::KodPorostuWidth),
          Char(st.date, S::DatumWidth),
          allComputed,
          st.summary,
          kept[0],
          kept[1],
          kept[2],
          kept[3],
          qlonglong(change),
          key});

    NativeStatement dre(
        db, "insert into RivwoodDre (KLIC, DR_ZKR, DR_VYP, DR_TAB, JHK, TLOUSTKA, VYPOC_TL, VYSKA, "
            "VYPOCTENO, TAB_ZAS, TL_INTERVAL, POCET_TL, TL_MIN) "
            "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    NativeStatement tlo(db, "insert into RivwoodTlo (KLIC, DR_ZKR, TLOUSTKA, CETNOST, OBJEMJ, OBJEMC) "
                            "values (?, ?, ?, ?, ?, ?)");
    NativeStatement ses(
        db, "insert into RivwoodSes (KLIC, PLOCHA, ZAKM, DR_ZKR, DR_KOD, POR_V_ZAP, DR_ZAKM, "
            "DR_PLO, DR_PLO_RED, DR_PLO_RHA, DR_ZAST, JEHL, VYSKA, TLOUSTKA, JHK, GHA, DR_G, ZTJ, "
            "ZTL, ZT, ZHA, ZHA_JEHL, ZHA_LIST, DR_ZAS_J, DR_ZAS_L, DR_ZAS_CEL) values "
            "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int p = 0; p < st.count(); ++p) {
        const TManual225& s = st.at(p);
        const QString zkr = CharsToString(s.abbreviation);
        dre.bind(1, key)
            .bind(2, zkr)
            .bind(3, CharsToString(s.curveSpecies))
            .bind(4, CharsToString(s.tableSpecies));
        dre.bind(5, int(s.curve)).bind(6, s.meanDiameter).bindBool(7, s.meanDiameterComputed);
        dre.bind(8, s.meanHeight).bindBool(9, s.computed).bind(10, s.tableStock).bind(11, int(s.classWidth));
        dre.bind(12, int(NarrowTo16(qint64(s.classes.size()), "POCET_TL"))).bind(13, s.firstCentre);
        dre.exec();
        tlo.bind(1, key).bind(2, zkr);
        for (size_t i = 1; i < s.classes.size(); ++i) {
            const TTloustkoveStupne& e = s.classes[i];
            if (e.trees > 0) {
                tlo.bind(3, s.firstCentre + double(i - 1) * s.classWidth).bind(4, e.trees);
                tlo.bind(5, e.treeVolume).bind(6, e.classVolume);
                tlo.exec();
            }
        }
        ses.bind(1, key).bind(2, st.area).bind(3, s.standStocking).bind(4, zkr);
        ses.bind(5, int(NarrowTo16(s.code, "DR_KOD")))
            .bind(6, p + 1)
            .bind(7, s.stocking)
            .bind(8, s.actualArea);
        ses.bind(9, s.reducedArea).bind(10, s.reducedAreaShare).bind(11, s.share).bindBool(12, s.conifer);
        ses.bind(13, s.meanHeight)
            .bind(14, s.meanDiameter)
            .bind(15, double(s.curve))
            .bind(16, s.basalAreaPerHa);
        ses.bind(17, s.basalArea).bind(20, s.tableStock).bind(21, s.stockPerHa).bind(26, s.totalStock);
        // Conifer rows fill the J columns, broadleaf rows the L columns; the other three stay empty.
        const int own = s.conifer ? 0 : 1, other = 1 - own;
        ses.bind(18 + own, s.tableStock).bindNull(18 + other);
        ses.bind(22 + own, s.stockPerHa).bindNull(22 + other);
        ses.bind(24 + own, s.totalStock).bindNull(24 + other);
        ses.exec();
    }
    dre.finish();
    tlo.finish();
    ses.finish();
    SampleHeightRows::Write(db, st, key);
    return change;
}

} // namespace StandRows
