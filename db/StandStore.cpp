#include "StandStore.h"

#include "DatabaseSchema.h"
#include "RivwoodError.h"
#include "SampleHeightRows.h"
#include "SqlSupport.h"
#include "SqlTransaction.h"
#include "StandCode.h"
#include "StandRows.h"

#include <QSqlQuery>
#include <cmath>

using namespace SqlSupport;
namespace S = DatabaseSchema;

namespace {

QVariant user(const QString& text) {
    return Char(text, S::UserWidth);
}

const char* const kSaveRefused = "porost nelze uložit";

} // namespace

UserMessage StandStore::ChangedQuestion() {
    return {UserMessage::Warning, "Porost byl mezitím v databázi změněn. Přepsat?"};
}

UserMessage StandStore::DeletedQuestion() {
    return {UserMessage::Warning, "Porost byl mezitím z databáze zrušen. Uložit jej jako nový porost?"};
}

int StandStore::AllocateStandKey() {
    m_db.RequireWritable(kSaveRefused);
    const UserIdentification u = UserIdentification::Load(m_db.settingsFile());
    QSqlDatabase db = m_db.connection();
    SqlTransaction tx(db);
    const int key = StandRows::Allocate(db, u).key;
    tx.commit();
    return key;
}

bool StandStore::DeleteStandRows(int key) {
    m_db.RequireWritable("porost nelze zrušit");
    QSqlDatabase db = m_db.connection();
    SqlTransaction tx(db);
    if (!StandRows::Read(db, key).exists)
        return false;
    // Every column is cleared but the change counter, which goes on counting.
    QString set = QString("USED = false, %1 = coalesce(%1, 0) + 1").arg(S::ChangeColumn);
    for (const QString& c : Columns(db, "RivwoodPor"))
        if (c != "KLIC" && c != "USED" && c != S::ChangeColumn)
            set += ", " + c + " = NULL";
    Exec(db, "update RivwoodPor set " + set + " where KLIC = ?", {key});
    StandRows::DeleteChildRows(db, key);
    tx.commit();
    return true;
}

void StandStore::SaveStand(const TManualy225& st, int key) {
    SaveStand(st, key, -1, {});
}

SaveResult StandStore::SaveStand(const TManualy225& st, int key, std::int64_t loadedChange,
                                 const YesNoQuestion& askConflict) {
    m_db.RequireWritable(kSaveRefused);
    if (loadedChange < 0) {
        QSqlDatabase db = m_db.connection();
        SqlTransaction tx(db);
        const std::int64_t change = StandRows::Write(db, st, key);
        tx.commit();
        return {SaveResult::Stored, key, change};
    }
    const UserIdentification u = UserIdentification::Load(m_db.settingsFile());
    QSqlDatabase db = m_db.connection();
    for (;;) {
        // Asked before the write lock is taken; the write then goes ahead only when the row is
        // still as the user saw it.
        const StandRows::RowState seen = StandRows::Read(db, key);
        const bool asNew = !seen.used;
        if (!seen.used || seen.changeCounter != loadedChange) {
            if (!askConflict)
                throw RivwoodError(seen.used ? "Porost byl mezitím v databázi změněn, nebyl uložen."
                                             : "Porost byl mezitím z databáze zrušen, nebyl uložen.");
            if (!askConflict(seen.used ? ChangedQuestion() : DeletedQuestion()))
                return {SaveResult::Refused, key, loadedChange};
        }
        SqlTransaction tx(db);
        if (!(StandRows::Read(db, key) == seen))
            continue; // changed again while the question was open
        const int target = asNew ? StandRows::Allocate(db, u).key : key;
        const std::int64_t change = StandRows::Write(db, st, target);
        tx.commit();
        return {asNew ? SaveResult::StoredAsNew : SaveResult::Stored, target, change};
    }
}

SaveResult StandStore::SaveStand(StandSession& session, int key, const YesNoQuestion& askConflict) {
    const SaveResult r = SaveStand(session.stand, key, session.stand.changeCounter, askConflict);
    if (r.stored())
        session.stand.changeCounter = r.changeCounter;
    return r;
}

SaveResult StandStore::SaveNewStand(const TManualy225& st) {
    m_db.RequireWritable(kSaveRefused);
    const UserIdentification u = UserIdentification::Load(m_db.settingsFile());
    QSqlDatabase db = m_db.connection();
    SqlTransaction tx(db);
    const int key = StandRows::Allocate(db, u).key;
    const std::int64_t change = StandRows::Write(db, st, key);
    tx.commit();
    return {SaveResult::Stored, key, change};
}

SaveResult StandStore::SaveNewStand(StandSession& session) {
    const SaveResult r = SaveNewStand(session.stand);
    session.stand.changeCounter = r.changeCounter;
    return r;
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
    // One read transaction: a save of another program cannot commit between the stand's rows.
    const SqlReadSnapshot snapshot(db);
    const bool hasChange = Columns(db, "RivwoodPor").contains(S::ChangeColumn);
    st.changeCounter = -1;
    {
        QSqlQuery q = Exec(
            db,
            QString("select USED, NazevTok, NazevBreh, NazevRKm, NazevAkce, PLOCHA, KROVINY, POPIS, DATUM, "
                    "KODPOROSTU, VEK, KOMENT, %1 from RivwoodPor where KLIC = ?")
                .arg(hasChange ? S::ChangeColumn : "NULL"),
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
        if (hasChange && result.found)
            st.changeCounter = Integer(q, 12);
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

        // Centres are whole or half centimetres (a class-total caliper report of width 1 or 3
        // starts at 8.5 cm): rounding to whole ones would move every class on each load.
        const double first = dre.value(11).isNull() ? ClassLayout::DefaultFirstCentre(s.classWidth)
                                                    : RoundHalfEven(dre.value(11).toDouble() * 2) / 2;
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
    SampleHeightRows::Read(db, key, st);
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

int StandStore::SBNovyPorostClick(StandSession& session, int key, const YesNoQuestion& ask) {
    if (CheckDuplicateCode(session.stand, key, ask))
        return 0;
    m_db.RequireWritable(kSaveRefused);
    const UserIdentification u = UserIdentification::Load(m_db.settingsFile());
    QSqlDatabase db = m_db.connection();
    SqlTransaction tx(db);
    const StandRows::Allocation a = StandRows::Allocate(db, u);
    tx.commit();
    session.stand.changeCounter = a.changeCounter;
    return a.key;
}

std::optional<UserIdentification> StandStore::ReadUserIdentification(int key) {
    QSqlQuery q = Exec(m_db.connection(),
                       "select ZAVOD, PROVOZ, TAXATOR, UZIVATEL from RivwoodPor where KLIC = ?", {key});
    if (!q.next())
        return std::nullopt;
    return UserIdentification{Text(q, 0), Text(q, 1), Text(q, 2), Text(q, 3)};
}

bool StandStore::WriteUserIdentification(int key, const UserIdentification& u) {
    m_db.RequireWritable("informace o uživateli nelze uložit");
    QSqlDatabase db = m_db.connection();
    SqlTransaction tx(db);
    if (!StandRows::Read(db, key).exists)
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
