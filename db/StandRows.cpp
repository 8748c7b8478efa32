#include "StandRows.h"

#include "DatabaseSchema.h"
#include "RivwoodError.h"
#include "SampleHeightRows.h"
#include "StandDatabase.h"
#include "StoreBackend.h"
#include "TextUtils.h"

#include <QSet>
#include <limits>

namespace S = DatabaseSchema;

namespace StandRows {

namespace {

// The tables whose rows a save of the stand replaces.
constexpr std::initializer_list<StandDatabase::Table> kSavedRows = {StandDatabase::Dre, StandDatabase::Tlo,
                                                                    StandDatabase::Ses, StandDatabase::Vys};

QString user(const QString& text) {
    return Checked(text, S::UserWidth, "uživatel");
}

QString code(const Kod3& chars, const char* field) {
    return Checked(CharsToString(chars), S::ZkrWidth, field);
}

void bindUser(SqlStatement& s, int first, const UserIdentification& u) {
    s.bind(first, user(u.zavod)).bind(first + 1, user(u.provoz));
    s.bind(first + 2, user(u.taxator)).bind(first + 3, user(u.uzivatel));
}

} // namespace

QString Checked(const QString& text, int width, const char* field) {
    if (text.contains(QChar(u'\0')))
        throw RivwoodError(QString("Text „%1“ obsahuje nepovolený znak NUL (pole %2), porost nebyl uložen.")
                               .arg(QString(text).replace(QChar(u'\0'), QChar(u'\u2400')).left(40),
                                    QString::fromUtf8(field)));
    return width > 0 ? CutAtCharacter(text, width) : text;
}

RowState Read(StandDatabase& db, int key) {
    StatementRef q =
        db.backend().statement(QStringLiteral("select USED, ZMENA from RivwoodPor where KLIC = ?"));
    q->bind(1, key).touching(StandTables::Por).open();
    if (!q->next())
        return {};
    return {true, q->boolean(0), q->integer(1)};
}

Allocation Allocate(StandDatabase& db, const UserIdentification& u) {
    StoreBackend& b = db.backend();
    StoreBackend::KeyCache& keys = b.keyCache();
    if (!keys.known || (keys.free.empty() && keys.more)) {
        // The lowest free keys with their counters, and the highest key, in one statement.
        constexpr int kFreeKeys = 1000;
        StatementRef q =
            b.statement(QStringLiteral("select * from (select KLIC, ZMENA, 1 from RivwoodPor where USED = "
                                       "false order by KLIC limit %1) as f union all select max(KLIC), 0, "
                                       "2 from RivwoodPor order by 3, 1")
                            .arg(kFreeKeys));
        q->touching(StandTables::Por).open();
        keys.free.clear();
        while (q->next()) {
            if (q->integer(2) == 1)
                keys.free.emplace_back(int(q->integer(0)), q->integer(1));
            else
                keys.max = q->integer(0);
        }
        keys.more = keys.free.size() == size_t(kFreeKeys);
        keys.known = true;
    }
    if (!keys.free.empty()) {
        const Allocation a{keys.free.front().first, keys.free.front().second + 1};
        keys.free.pop_front();
        StatementRef s =
            b.statement(QStringLiteral("update RivwoodPor set USED = true, ZAVOD = ?, PROVOZ = ?, "
                                       "TAXATOR = ?, UZIVATEL = ?, ZMENA = ? where KLIC = ?"));
        bindUser(*s, 1, u);
        s->bind(5, a.changeCounter).bind(6, a.key).touching(StandTables::Por).run();
        return a;
    }
    if (keys.max >= std::numeric_limits<std::int32_t>::max())
        throw RivwoodError("Databáze porostů nemá žádný volný klíč.");
    const Allocation a{int(std::max<std::int64_t>(keys.max, 0) + 1), 1};
    keys.max = a.key;
    StatementRef s = b.statement(QStringLiteral("insert into RivwoodPor (KLIC, USED, ZAVOD, PROVOZ, TAXATOR, "
                                                "UZIVATEL, ZMENA) values (?, true, ?, ?, ?, "
                                                "?, 1)"));
    s->bind(1, a.key);
    bindUser(*s, 2, u);
    s->touching(StandTables::Por).run();
    return a;
}

void Claim(StandDatabase& db, int key, const UserIdentification& u) {
    StoreBackend& b = db.backend();
    // Keys come here without the allocation knowing.
    b.keyCache() = {};
    const bool exists = Read(db, key).exists;
    StatementRef s = b.statement(
        exists
            ? QStringLiteral("update RivwoodPor set USED = true, ZAVOD = ?, PROVOZ = ?, TAXATOR = ?, "
                             "UZIVATEL = ?, ZMENA = coalesce(ZMENA, 0) + 1 where KLIC = ?")
            : QStringLiteral("insert into RivwoodPor (ZAVOD, PROVOZ, TAXATOR, UZIVATEL, KLIC, USED, ZMENA) "
                             "values (?, ?, ?, ?, ?, true, 1)"));
    bindUser(*s, 1, u);
    s->bind(5, key).touching(StandTables::Por, key).run();
}

int CountCode(StandDatabase& db, const QString& standCode, int key) {
    StatementRef q = db.backend().statement(
        QStringLiteral("select count(*) from RivwoodPor where KODPOROSTU = ? and KLIC <> ?"));
    q->bind(1, Checked(standCode, S::KodPorostuWidth, "KODPOROSTU"))
        .bind(2, key)
        .touching(StandTables::Por)
        .open();
    return q->next() ? int(q->integer(0)) : 0;
}

std::int64_t Write(StandDatabase& db, const TManualy225& st, int key) {
    StoreBackend& b = db.backend();
    // Checked before anything is written: every backend refuses the same stands.
    QSet<QString> species;
    for (int p = 0; p < st.count(); ++p) {
        const QString zkr = code(st.at(p).abbreviation, "DR_ZKR");
        if (species.contains(zkr))
            throw RivwoodError(QString("Dřevina %1 je v porostu dvakrát, porost nebyl uložen.").arg(zkr));
        species.insert(zkr);
    }
    bool allComputed = true;
    for (int i = 0; i < st.count(); ++i)
        allComputed = allComputed && st.at(i).computed;

    // The stand's old rows go first; the update of its row then answers for both (one round trip
    // to a server).
    b.deleteStandRows(key, kSavedRows);
    std::int64_t change = 0;
    {
        StatementRef s = b.statement(QStringLiteral(
            "update RivwoodPor set USED = true, NazevTok = ?, NazevBreh = ?, NazevRKm = ?, NazevAkce = ?, "
            "PLOCHA = ?, VEK = ?, POC_DREV = ?, KROVINY = ?, POPIS = ?, KOMENT = ?, KODPOROSTU = ?, DATUM = "
            "?, "
            "VYPOCTENO = ?, SOUHRN = ?, ZMENA = coalesce(ZMENA, 0) + 1 where KLIC = ? returning ZMENA"));
        s->bind(1, Checked(st.river, S::NazevTokWidth, "NazevTok"))
            .bind(2, Checked(st.bank, S::NazevBrehWidth, "NazevBreh"))
            .bind(3, Checked(st.riverKm, S::NazevRKmWidth, "NazevRKm"))
            .bind(4, Checked(st.action, S::NazevAkceWidth, "NazevAkce"))
            .bind(5, st.area)
            .bind(6, int(st.age))
            .bind(7, int(NarrowTo16(st.count(), "POC_DREV")))
            .bind(8, st.shrubArea)
            .bind(9, Checked(st.designation, S::PopisWidth, "POPIS"))
            .bind(10, Checked(st.comment, 0, "KOMENT"))
            .bind(11, Checked(st.code, S::KodPorostuWidth, "KODPOROSTU"))
            .bind(12, Checked(st.date, S::DatumWidth, "DATUM"))
            .bindBool(13, allComputed)
            .bindBool(14, st.summary)
            .bind(15, key)
            .touching(StandTables::Por)
            .open();
        if (!s->next())
            throw RivwoodError(QString("Porost s klíčem %1 v databázi není, nebyl uložen.").arg(key));
        change = s->integer(0);
    }

    StatementRef dre = b.inserter(StandDatabase::Dre,
                                  {"KLIC", "DR_ZKR", "DR_VYP", "DR_TAB", "JHK", "TLOUSTKA", "VYPOC_TL",
                                   "VYSKA", "VYPOCTENO", "TAB_ZAS", "TL_INTERVAL", "POCET_TL", "TL_MIN"});
    StatementRef tlo =
        b.inserter(StandDatabase::Tlo, {"KLIC", "DR_ZKR", "TLOUSTKA", "CETNOST", "OBJEMJ", "OBJEMC"});
    StatementRef ses =
        b.inserter(StandDatabase::Ses,
                   {"KLIC",     "PLOCHA",     "ZAKM",       "DR_ZKR",   "DR_KOD",    "POR_V_ZAP", "DR_ZAKM",
                    "DR_PLO",   "DR_PLO_RED", "DR_PLO_RHA", "DR_ZAST",  "JEHL",      "VYSKA",     "TLOUSTKA",
                    "JHK",      "GHA",        "DR_G",       "ZTJ",      "ZTL",       "ZT",        "ZHA",
                    "ZHA_JEHL", "ZHA_LIST",   "DR_ZAS_J",   "DR_ZAS_L", "DR_ZAS_CEL"});
    for (int p = 0; p < st.count(); ++p) {
        const TManual225& s = st.at(p);
        const QString zkr = code(s.abbreviation, "DR_ZKR");
        dre->bind(1, key)
            .bind(2, zkr)
            .bind(3, code(s.curveSpecies, "DR_VYP"))
            .bind(4, code(s.tableSpecies, "DR_TAB"))
            .bind(5, int(s.curve))
            .bind(6, s.meanDiameter)
            .bindBool(7, s.meanDiameterComputed)
            .bind(8, s.meanHeight)
            .bindBool(9, s.computed)
            .bind(10, s.tableStock)
            .bind(11, int(s.classWidth))
            .bind(12, int(NarrowTo16(qint64(s.classes.size()), "POCET_TL")))
            .bind(13, s.firstCentre)
            .run();
        tlo->bind(1, key).bind(2, zkr);
        for (size_t i = 1; i < s.classes.size(); ++i) {
            const TTloustkoveStupne& e = s.classes[i];
            if (e.trees > 0) {
                tlo->bind(3, s.firstCentre + double(i - 1) * s.classWidth).bind(4, e.trees);
                tlo->bind(5, e.treeVolume).bind(6, e.classVolume).run();
            }
        }
        ses->bind(1, key).bind(2, st.area).bind(3, s.standStocking).bind(4, zkr);
        ses->bind(5, int(NarrowTo16(s.code, "DR_KOD")))
            .bind(6, p + 1)
            .bind(7, s.stocking)
            .bind(8, s.actualArea);
        ses->bind(9, s.reducedArea).bind(10, s.reducedAreaShare).bind(11, s.share).bindBool(12, s.conifer);
        ses->bind(13, s.meanHeight)
            .bind(14, s.meanDiameter)
            .bind(15, double(s.curve))
            .bind(16, s.basalAreaPerHa);
        ses->bind(17, s.basalArea).bind(20, s.tableStock).bind(21, s.stockPerHa).bind(26, s.totalStock);
        // Conifer rows fill the J columns, broadleaf rows the L columns; the other three stay empty.
        const int own = s.conifer ? 0 : 1, other = 1 - own;
        ses->bind(18 + own, s.tableStock).bindNull(18 + other);
        ses->bind(22 + own, s.stockPerHa).bindNull(22 + other);
        ses->bind(24 + own, s.totalStock).bindNull(24 + other);
        ses->run();
    }
    dre->finish();
    tlo->finish();
    ses->finish();
    SampleHeightRows::Write(db, st, key);
    return change;
}

void Clear(StandDatabase& db, int key) {
    StoreBackend& b = db.backend();
    // The key is free again.
    b.keyCache() = {};
    // Every column is cleared but the change counter, which goes on counting.
    QString set = QString("USED = false, %1 = coalesce(%1, 0) + 1").arg(S::ChangeColumn);
    for (const QString& c : b.columns(StandDatabase::Por))
        if (c != "KLIC" && c != "USED" && c != S::ChangeColumn)
            set += ", " + c + " = NULL";
    StatementRef s = b.statement("update RivwoodPor set " + set + " where KLIC = ?");
    s->bind(1, key).touching(StandTables::Por).run();
    b.deleteStandRows(key, kSavedRows);
}

} // namespace StandRows
