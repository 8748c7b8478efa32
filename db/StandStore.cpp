#include "StandStore.h"

#include "DatabaseSchema.h"
#include "NativeStatement.h"
#include "RivwoodError.h"
#include "SqlSupport.h"
#include "SqlTransaction.h"
#include "StandCode.h"

#include <QSqlQuery>
#include <cmath>
#include <limits>

using namespace SqlSupport;
namespace S = DatabaseSchema;

namespace {

// Class rows above this diameter are loaded into its class.

bool rowExists(const QSqlDatabase& db, int key) {
    QSqlQuery q = Exec(db, "select count(*) from RivwoodPor where KLIC = ?", {key});
    return q.next() && q.value(0).toInt() > 0;
}

QVariant user(const QString& text) {
    return Char(text, S::UserWidth);
}

} // namespace

int StandStore::AllocateStandKey() {
    const UserIdentification u = UserIdentification::Load(m_db.settingsFile());
    QSqlDatabase db = m_db.connection();
    SqlTransaction tx(db);
    int key = 0;
    {
        QSqlQuery q = Exec(db, "select KLIC from RivwoodPor where USED = false order by KLIC limit 1");
        if (q.next())
            key = q.value(0).toInt();
    }
    if (key != 0) {
        Exec(db,
             "update RivwoodPor set USED = true, ZAVOD = ?, PROVOZ = ?, TAXATOR = ?, UZIVATEL = ? where KLIC "
             "= ?",
             {user(u.zavod), user(u.provoz), user(u.taxator), user(u.uzivatel), key});
    } else {
        qlonglong max = 0;
        {
            QSqlQuery q = Exec(db, "select max(KLIC) from RivwoodPor");
            if (q.next())
                max = Integer(q, 0);
        }
        if (max >= std::numeric_limits<std::int32_t>::max())
            throw RivwoodError("Databáze porostů nemá žádný volný klíč.");
        key = int(std::max<qlonglong>(max, 0) + 1);
        Exec(db,
             "insert into RivwoodPor (KLIC, USED, ZAVOD, PROVOZ, TAXATOR, UZIVATEL) values (?, true, ?, ?, "
             "?, ?)",
             {key, user(u.zavod), user(u.provoz), user(u.taxator), user(u.uzivatel)});
    }
    tx.commit();
    return key;
}

void StandStore::deleteChildRows(QSqlDatabase& db, int key) {
    for (const char* table : {"RIVWOODDRE", "RIVWOODTLO", "RIVWOODSES"})
        Exec(db, QString("delete from\n%1\nWhere KLIC = %2").arg(table).arg(key));
}

bool StandStore::DeleteStandRows(int key) {
    QSqlDatabase db = m_db.connection();
    SqlTransaction tx(db);
    if (!rowExists(db, key))
        return false;
    QString set = "USED = false";
    for (const QString& c : Columns(db, "RivwoodPor"))
        if (c != "KLIC" && c != "USED")
            set += ", " + c + " = NULL";
    Exec(db, "update RivwoodPor set " + set + " where KLIC = ?", {key});
    deleteChildRows(db, key);
    tx.commit();
    return true;
}

void StandStore::SaveStand(const TManualy225& st, int key) {
    QSqlDatabase db = m_db.connection();
    SqlTransaction tx(db);
    QVariant kept[4];
    {
        QSqlQuery q =
            Exec(db, "select ZAVOD, PROVOZ, TAXATOR, UZIVATEL from RivwoodPor where KLIC = ?", {key});
        if (!q.next())
            throw RivwoodError(QString("Porost s klíčem %1 v databázi není, nebyl uložen.").arg(key));
        for (int i = 0; i < 4; ++i)
            kept[i] = q.value(i);
    }
    deleteChildRows(db, key);

    bool allComputed = true;
    for (int i = 0; i < st.count(); ++i)
        allComputed = allComputed && st.at(i).computed;
    Exec(db,
         "update RivwoodPor set USED = true, NazevTok = ?, NazevBreh = ?, NazevRKm = ?, NazevAkce = ?, "
         "PLOCHA = ?, "
         "VEK = ?, POC_DREV = ?, KROVINY = ?, POPIS = ?, KOMENT = ?, KODPOROSTU = ?, DATUM = ?, VYPOCTENO = "
         "?, "
         "SOUHRN = ?, ZAVOD = ?, PROVOZ = ?, TAXATOR = ?, UZIVATEL = ? where KLIC = ?",
         {Char(st.river, S::NazevTokWidth), Char(st.bank, S::NazevBrehWidth),
          Char(st.riverKm, S::NazevRKmWidth), Char(st.action, S::NazevAkceWidth), st.area, st.age,
          NarrowTo16(st.count(), "POC_DREV"), st.shrubArea, Char(st.designation, S::PopisWidth), st.comment,
          Char(st.code, S::KodPorostuWidth), Char(st.date, S::DatumWidth), allComputed, st.summary, kept[0],
          kept[1], kept[2], kept[3], key});

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
        dre.bind(5, int(s.curve)).bind(6, s.meanDiameter).bind(7, int(s.meanDiameterComputed));
        dre.bind(8, s.meanHeight).bind(9, int(s.computed)).bind(10, s.tableStock).bind(11, int(s.classWidth));
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
        ses.bind(9, s.reducedArea).bind(10, s.reducedAreaShare).bind(11, s.share).bind(12, int(s.conifer));
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
    tx.commit();
}

void StandStore::SaveStand(StandSession& session, int key) {
    SaveStand(session.stand, key);
    session.flags.Ulozeno = true;
}

LoadStandResult StandStore::LoadStand(StandSession& session, int key) {
    LoadStandResult result;
    QSqlDatabase db = m_db.connection();
    // Built aside and swapped in at the end, so a row that cannot be read leaves the session's
    // stand as it was.
    TManualy225 st = session.stand;
    st.ClearStand();
    ClassLayout layout = session.layout;
    bool layoutSet = false;
    {
        QSqlQuery q =
            Exec(db,
                 "select USED, NazevTok, NazevBreh, NazevRKm, NazevAkce, PLOCHA, KROVINY, POPIS, DATUM, "
                 "KODPOROSTU, VEK, KOMENT from RivwoodPor where KLIC = ?",
                 {key});
        if (!q.next()) {
            session.stand = std::move(st);
            return result;
        }
        result.found = Boolean(q, 0);
        st.river = Text(q, 1);
        st.bank = Text(q, 2);
        st.riverKm = Text(q, 3);
        st.action = Text(q, 4);
        st.area = Number(q, 5);
        st.shrubArea = Number(q, 6);
        st.designation = Text(q, 7);
        st.date = Text(q, 8);
        st.code = Text(q, 9);
        const qlonglong age = Integer(q, 10);
        st.age = age < INT32_MIN || age > INT32_MAX ? 0 : std::int32_t(age);
        st.comment = Text(q, 11);
    }
    st.summary = false;

    const bool hasFirstCentre = Columns(db, "RivwoodDre").contains("TL_MIN");
    QSqlQuery dre =
        Exec(db,
             QString("select DR_ZKR, DR_VYP, DR_TAB, TLOUSTKA, VYPOC_TL, VYSKA, VYPOCTENO, TAB_ZAS, JHK, "
                     "TL_INTERVAL, POCET_TL, %1 from RivwoodDre where KLIC = ? order by rowid")
                 .arg(hasFirstCentre ? "TL_MIN" : "NULL"),
             {key});
    QSqlQuery tlo = Prepare(db, "select TLOUSTKA, CETNOST, OBJEMJ, OBJEMC from RivwoodTlo "
                                "where KLIC = ? and DR_ZKR = ? order by rowid");
    QSqlQuery ses =
        Prepare(db, "select DR_KOD, DR_G, DR_PLO, DR_PLO_RED, DR_PLO_RHA, DR_ZAKM, DR_ZAS_CEL, DR_ZAST, "
                    "GHA, JEHL, ZAKM, ZHA from RivwoodSes where KLIC = ? and DR_ZKR = ? "
                    "order by rowid limit 1");
    while (dre.next()) {
        const QString zkr = Text(dre, 0);
        TManual225 s;
        s.abbreviation = StringToChars(zkr);
        s.curveSpecies = StringToChars(Text(dre, 1));
        s.tableSpecies = StringToChars(Text(dre, 2));
        s.meanDiameter = Number(dre, 3);
        s.meanDiameterComputed = Boolean(dre, 4);
        s.meanHeight = Number(dre, 5);
        s.computed = Boolean(dre, 6);
        s.tableStock = Number(dre, 7);
        s.curve = NarrowTo16(Integer(dre, 8), "JHK");
        s.classWidth = NarrowTo16(Integer(dre, 9), "TL_INTERVAL");
        s.classCount = NarrowTo16(Integer(dre, 10), "POCET_TL");
        if (s.classCount < 0)
            throw RangeError(QString("Hodnota %1 pole POCET_TL není platná.").arg(s.classCount));
        s.classes.resize(size_t(s.classCount));

        const double first = dre.value(11).isNull() ? ClassLayout::DefaultFirstCentre(s.classWidth)
                                                    : RoundHalfEven(dre.value(11).toDouble());
        layout = ClassLayout::Make(s.classWidth, first);
        layoutSet = true;
        // The species keeps the first centre its classes are laid out on, so a later save
        // writes the same diameters back.
        s.firstCentre = layout.StredPrvniho;
        for (int i = 1; i < s.classCount; ++i)
            s.classes[size_t(i)].centre = layout.Centre(i);

        Exec(tlo, {key, zkr});
        for (int n = 1; tlo.next(); ++n) {
            // Rows keep their own diameter: the layout reaches 200 cm, and folding thick trees into
            // the 90 cm class (replacing its row) would lose them on every load.
            const double d = Number(tlo, 0);
            const double index = RoundHalfEven((d - layout.StredPrvniho) / layout.SirkaStupne) + 1;
            const double i = index < 1 ? n : index;
            if (!std::isfinite(i) || i >= s.classCount) {
                ++result.skippedClassRows;
                continue;
            }
            TTloustkoveStupne& e = s.classes[size_t(i)];
            e = {d, Number(tlo, 1), Number(tlo, 2), Number(tlo, 3)};
            s.classes[0].trees += e.trees;
            s.classes[0].classVolume += e.classVolume;
        }
        if (!s.classes.empty() && s.classes[0].trees > 0)
            s.classes[0].treeVolume = s.classes[0].classVolume / s.classes[0].trees;

        Exec(ses, {key, zkr});
        if (ses.next()) {
            st.summary = true;
            const qlonglong code = Integer(ses, 0);
            s.code = code < INT32_MIN || code > INT32_MAX ? 0 : std::int32_t(code);
            s.basalArea = Number(ses, 1);
            s.actualArea = Number(ses, 2);
            s.reducedArea = Number(ses, 3);
            s.reducedAreaShare = Number(ses, 4);
            s.stocking = Number(ses, 5);
            s.totalStock = Number(ses, 6);
            s.share = Number(ses, 7);
            s.basalAreaPerHa = Number(ses, 8);
            s.conifer = Boolean(ses, 9);
            s.standStocking = Number(ses, 10);
            s.stockPerHa = Number(ses, 11);
        }
        st.append(zkr, s);
    }
    session.stand = std::move(st);
    if (layoutSet)
        session.SetClassLayout(layout.SirkaStupne, layout.StredPrvniho);
    return result;
}

int StandStore::CountDuplicateCodes(const TManualy225& st, int key) {
    const QString code = MakeStandCode(st.river, st.bank, st.riverKm, st.action);
    QSqlQuery q = Exec(m_db.connection(),
                       "select count(*) from RivwoodPor where KODPOROSTU = ? and KLIC <> ?", {code, key});
    return q.next() ? q.value(0).toInt() : 0;
}

bool StandStore::CheckDuplicateCode(const TManualy225& st, int key, const YesNoQuestion& ask) {
    if (CountDuplicateCodes(st, key) == 0)
        return false;
    const UserMessage question{UserMessage::Warning, "Duplicitní kód porostu. Má se přesto uložit ?"};
    return !(ask && ask(question));
}

void StandStore::SBNovyPorostClick(StandSession& session, const YesNoQuestion& ask) {
    if (!CheckDuplicateCode(session.stand, session.flags.KlicZaznamu, ask))
        session.flags.KlicZaznamu = AllocateStandKey();
}

std::optional<UserIdentification> StandStore::ReadUserIdentification(int key) {
    QSqlQuery q = Exec(m_db.connection(),
                       "select ZAVOD, PROVOZ, TAXATOR, UZIVATEL from RivwoodPor where KLIC = ?", {key});
    if (!q.next())
        return std::nullopt;
    return UserIdentification{Text(q, 0), Text(q, 1), Text(q, 2), Text(q, 3)};
}

bool StandStore::WriteUserIdentification(int key, const UserIdentification& u) {
    QSqlDatabase db = m_db.connection();
    SqlTransaction tx(db);
    if (!rowExists(db, key))
        return false;
    Exec(db, "update RivwoodPor set ZAVOD = ?, PROVOZ = ?, TAXATOR = ?, UZIVATEL = ? where KLIC = ?",
         {user(u.zavod), user(u.provoz), user(u.taxator), user(u.uzivatel), key});
    tx.commit();
    return true;
}

std::optional<UserMessage> StandStore::PushUserIdentification(int key, const UserIdentification& u,
                                                              const YesNoQuestion& ask) {
    if (key == 0)
        return UserMessage{UserMessage::Information,
                           "Tento porost není v databázi. Nejprve je potřeba jej uložit!"};
    const UserMessage question{UserMessage::Information, "Chcete v databázi změnit informace o uživateli ?"};
    if (ask && ask(question) && !WriteUserIdentification(key, u))
        return UserMessage{UserMessage::Error, QString("Porost s klíčem %1 v databázi není.").arg(key)};
    return std::nullopt;
}
