#include "StandStore.h"

#include "DatabaseSchema.h"
#include "RivwoodError.h"
#include "SampleHeightRows.h"
#include "SqlTransaction.h"
#include "StandCode.h"
#include "StandRows.h"
#include "StoreBackend.h"

#include <QHash>
#include <cmath>

namespace S = DatabaseSchema;

namespace {

const char* const kSaveRefused = "porost nelze uložit";

// A row of the class table, as read.
struct ClassRow {
    double diameter, trees, treeVolume, classVolume;
};

} // namespace

UserMessage StandStore::ChangedQuestion() {
    return {UserMessage::Warning, "Porost byl mezitím v databázi změněn. Přepsat?"};
}

UserMessage StandStore::DeletedQuestion() {
    return {UserMessage::Warning, "Porost byl mezitím z databáze zrušen. Uložit jej jako nový porost?"};
}

UserMessage StandStore::DuplicateQuestion() {
    return {UserMessage::Warning, "Duplicitní kód porostu. Má se přesto uložit ?"};
}

int StandStore::AllocateStandKey() {
    return AllocateStandKey(UserIdentification::Load(m_db.settingsFile()));
}

int StandStore::AllocateStandKey(const UserIdentification& u) {
    m_db.RequireWritable(kSaveRefused);
    // One row written by one statement: inside a transaction under way it needs no unit of its
    // own, as it changes all or nothing.
    if (m_db.backend().depth() > 0)
        return StandRows::Allocate(m_db, u).key;
    SqlTransaction tx(m_db);
    const int key = StandRows::Allocate(m_db, u).key;
    tx.commit();
    return key;
}

bool StandStore::DeleteStandRows(int key) {
    m_db.RequireWritable("porost nelze zrušit");
    SqlTransaction tx(m_db);
    if (!StandRows::Read(m_db, key).exists)
        return false;
    StandRows::Clear(m_db, key);
    tx.commit();
    return true;
}

void StandStore::SaveStand(const TManualy225& st, int key) {
    SaveStand(st, key, -1, {});
}

SaveResult StandStore::SaveStand(const TManualy225& st, int key, std::int64_t loadedChange,
                                 const YesNoQuestion& askConflict, const YesNoQuestion& askDuplicate) {
    return store(st, key, loadedChange, askConflict, askDuplicate);
}

SaveResult StandStore::store(const TManualy225& st, int key, std::int64_t loadedChange,
                             const YesNoQuestion& askConflict, const YesNoQuestion& askDuplicate) {
    m_db.RequireWritable(kSaveRefused);
    const bool compared = key != 0 && loadedChange >= 0;
    const UserIdentification u =
        key == 0 || compared ? UserIdentification::Load(m_db.settingsFile()) : UserIdentification{};
    const QString code = MakeStandCode(st.river, st.bank, st.riverKm, st.action);
    bool duplicateAccepted = !askDuplicate;
    for (;;) {
        // Questions are asked before the write lock is taken; the write then goes ahead only when
        // the row is still as the user saw it and no other stand took the code meanwhile.
        StandRows::RowState seen;
        if (compared) {
            seen = StandRows::Read(m_db, key);
            if (!seen.used || seen.changeCounter != loadedChange) {
                if (!askConflict)
                    throw RivwoodError(seen.used ? "Porost byl mezitím v databázi změněn, nebyl uložen."
                                                 : "Porost byl mezitím z databáze zrušen, nebyl uložen.");
                if (!askConflict(seen.used ? ChangedQuestion() : DeletedQuestion()))
                    return {SaveResult::Refused, key, loadedChange};
            }
        }
        const bool asNew = key == 0 || (compared && !seen.used);
        bool duplicate = false;
        {
            SqlTransaction tx(m_db);
            if (compared && !(StandRows::Read(m_db, key) == seen))
                continue; // changed again while the question was open
            duplicate = !duplicateAccepted && StandRows::CountCode(m_db, code, asNew ? 0 : key) > 0;
            if (!duplicate) {
                const int target = asNew ? StandRows::Allocate(m_db, u).key : key;
                const std::int64_t change = StandRows::Write(m_db, st, target);
                tx.commit();
                return {asNew && key != 0 ? SaveResult::StoredAsNew : SaveResult::Stored, target, change};
            }
        }
        // Another stand carries the code: asked with the lock let go, then tried again.
        if (!askDuplicate(DuplicateQuestion()))
            return {SaveResult::Refused, key, loadedChange};
        duplicateAccepted = true;
    }
}

SaveResult StandStore::SaveStand(StandSession& session, int key, const YesNoQuestion& askConflict,
                                 const YesNoQuestion& askDuplicate) {
    const SaveResult r = store(session.stand, key, session.stand.changeCounter, askConflict, askDuplicate);
    if (r.stored())
        session.stand.changeCounter = r.changeCounter;
    return r;
}

SaveResult StandStore::SaveNewStand(const TManualy225& st, const YesNoQuestion& askDuplicate) {
    return store(st, 0, -1, {}, askDuplicate);
}

SaveResult StandStore::SaveNewStand(StandSession& session, const YesNoQuestion& askDuplicate) {
    const SaveResult r = SaveNewStand(session.stand, askDuplicate);
    if (r.stored())
        session.stand.changeCounter = r.changeCounter;
    return r;
}

LoadStandResult StandStore::LoadStand(StandSession& session, int key) {
    LoadStandResult result;
    StoreBackend& b = m_db.backend();
    // Built aside and swapped in at the end, so a row that cannot be read leaves the session's
    // stand as it was.
    TManualy225 st = session.stand;
    st.ClearStand();
    ClassLayout layout = session.layout;
    bool layoutSet = false;
    // One read unit: a save of another program cannot commit between the stand's rows. The four
    // tables are asked at once (one round trip to a server) and read after.
    const SqlReadSnapshot snapshot(m_db);
    const bool hasChange = b.columns(StandDatabase::Por).contains(S::ChangeColumn);
    const bool hasFirstCentre = b.columns(StandDatabase::Dre).contains("TL_MIN");
    StatementRef por = b.statement(
        QString("select USED, NazevTok, NazevBreh, NazevRKm, NazevAkce, PLOCHA, KROVINY, POPIS, DATUM, "
                "KODPOROSTU, VEK, KOMENT, %1 from RivwoodPor where KLIC = ?")
            .arg(hasChange ? S::ChangeColumn : "NULL"));
    StatementRef dre = b.statement(
        QString("select DR_ZKR, DR_VYP, DR_TAB, TLOUSTKA, VYPOC_TL, VYSKA, VYPOCTENO, TAB_ZAS, JHK, "
                "TL_INTERVAL, POCET_TL, %1 from RivwoodDre where KLIC = ? order by rowid")
            .arg(hasFirstCentre ? "TL_MIN" : "NULL"));
    StatementRef tlo = b.statement(QStringLiteral(
        "select DR_ZKR, TLOUSTKA, CETNOST, OBJEMJ, OBJEMC from RivwoodTlo where KLIC = ? order by rowid"));
    StatementRef ses = b.statement(QStringLiteral(
        "select DR_ZKR, DR_KOD, DR_G, DR_PLO, DR_PLO_RED, DR_PLO_RHA, DR_ZAKM, DR_ZAS_CEL, DR_ZAST, "
        "GHA, JEHL, ZAKM, ZHA from RivwoodSes where KLIC = ? order by rowid"));
    for (SqlStatement* q : {&*por, &*dre, &*tlo, &*ses})
        q->bind(1, key).touching(StandTables::All, key).open();
    StatementRef heights = SampleHeightRows::Open(m_db, key);

    if (!por->next()) {
        session.stand = std::move(st);
        return result;
    }
    result.found = por->boolean(0);
    st.river = por->text(1);
    st.bank = por->text(2);
    st.riverKm = por->text(3);
    st.action = por->text(4);
    st.area = por->number(5);
    st.shrubArea = por->number(6);
    st.designation = por->text(7);
    st.date = por->text(8);
    st.code = por->text(9);
    const std::int64_t age = por->integer(10);
    st.age = age < INT32_MIN || age > INT32_MAX ? 0 : std::int32_t(age);
    st.comment = por->text(11);
    st.changeCounter = hasChange && result.found ? por->integer(12) : -1;
    st.summary = false;

    // The class rows and the first summary row of each species, by abbreviation.
    QHash<QString, std::vector<ClassRow>> classes;
    while (tlo->next())
        classes[tlo->text(0)].push_back({tlo->number(1), tlo->number(2), tlo->number(3), tlo->number(4)});
    QHash<QString, TManual225> summaries;
    while (ses->next()) {
        const QString zkr = ses->text(0);
        if (summaries.contains(zkr))
            continue;
        TManual225& s = summaries[zkr];
        const std::int64_t code = ses->integer(1);
        s.code = code < INT32_MIN || code > INT32_MAX ? 0 : std::int32_t(code);
        s.basalArea = ses->number(2);
        s.actualArea = ses->number(3);
        s.reducedArea = ses->number(4);
        s.reducedAreaShare = ses->number(5);
        s.stocking = ses->number(6);
        s.totalStock = ses->number(7);
        s.share = ses->number(8);
        s.basalAreaPerHa = ses->number(9);
        s.conifer = ses->boolean(10);
        s.standStocking = ses->number(11);
        s.stockPerHa = ses->number(12);
    }

    while (dre->next()) {
        const QString zkr = dre->text(0);
        TManual225 s;
        s.abbreviation = StringToChars(zkr);
        s.curveSpecies = StringToChars(dre->text(1));
        s.tableSpecies = StringToChars(dre->text(2));
        s.meanDiameter = dre->number(3);
        s.meanDiameterComputed = dre->boolean(4);
        s.meanHeight = dre->number(5);
        s.computed = dre->boolean(6);
        s.tableStock = dre->number(7);
        s.curve = NarrowTo16(dre->integer(8), "JHK");
        s.classWidth = NarrowTo16(dre->integer(9), "TL_INTERVAL");
        s.classCount = NarrowTo16(dre->integer(10), "POCET_TL");
        if (s.classCount < 0)
            throw RangeError(QString("Hodnota %1 pole POCET_TL není platná.").arg(s.classCount));
        s.classes.resize(size_t(s.classCount));

        // Centres are whole or half centimetres (a class-total caliper report of width 1 or 3
        // starts at 8.5 cm): rounding to whole ones would move every class on each load.
        const double first = dre->isNull(11) ? ClassLayout::DefaultFirstCentre(s.classWidth)
                                             : RoundHalfEven(dre->number(11) * 2) / 2;
        layout = ClassLayout::Make(s.classWidth, first);
        layoutSet = true;
        // The species keeps the first centre its classes are laid out on, so a later save
        // writes the same diameters back.
        s.firstCentre = layout.StredPrvniho;
        for (int i = 1; i < s.classCount; ++i)
            s.classes[size_t(i)].centre = layout.Centre(i);

        const auto rows = classes.constFind(zkr);
        int n = 0;
        for (const ClassRow& row : rows == classes.constEnd() ? std::vector<ClassRow>() : *rows) {
            ++n;
            // Rows keep their own diameter: the layout reaches 200 cm, and folding thick trees into
            // the 90 cm class (replacing its row) would lose them on every load.
            const double index = RoundHalfEven((row.diameter - layout.StredPrvniho) / layout.SirkaStupne) + 1;
            const double i = index < 1 ? n : index;
            if (!std::isfinite(i) || i >= s.classCount) {
                ++result.skippedClassRows;
                continue;
            }
            TTloustkoveStupne& e = s.classes[size_t(i)];
            e = {row.diameter, row.trees, row.treeVolume, row.classVolume};
            s.classes[0].trees += e.trees;
            s.classes[0].classVolume += e.classVolume;
        }
        if (!s.classes.empty() && s.classes[0].trees > 0)
            s.classes[0].treeVolume = s.classes[0].classVolume / s.classes[0].trees;

        const auto summary = summaries.constFind(zkr);
        if (summary != summaries.constEnd()) {
            st.summary = true;
            const TManual225& r = *summary;
            s.code = r.code;
            s.basalArea = r.basalArea;
            s.actualArea = r.actualArea;
            s.reducedArea = r.reducedArea;
            s.reducedAreaShare = r.reducedAreaShare;
            s.stocking = r.stocking;
            s.totalStock = r.totalStock;
            s.share = r.share;
            s.basalAreaPerHa = r.basalAreaPerHa;
            s.conifer = r.conifer;
            s.standStocking = r.standStocking;
            s.stockPerHa = r.stockPerHa;
        }
        st.append(zkr, s);
    }
    SampleHeightRows::Read(*heights, st);
    session.stand = std::move(st);
    if (layoutSet)
        session.SetClassLayout(layout.SirkaStupne, layout.StredPrvniho);
    return result;
}

int StandStore::CountDuplicateCodes(const TManualy225& st, int key) {
    return StandRows::CountCode(m_db, MakeStandCode(st.river, st.bank, st.riverKm, st.action), key);
}

bool StandStore::CheckDuplicateCode(const TManualy225& st, int key, const YesNoQuestion& ask) {
    if (CountDuplicateCodes(st, key) == 0)
        return false;
    return !(ask && ask(DuplicateQuestion()));
}

int StandStore::SBNovyPorostClick(StandSession& session, int key, const YesNoQuestion& ask) {
    if (CheckDuplicateCode(session.stand, key, ask))
        return 0;
    m_db.RequireWritable(kSaveRefused);
    const UserIdentification u = UserIdentification::Load(m_db.settingsFile());
    SqlTransaction tx(m_db);
    const StandRows::Allocation a = StandRows::Allocate(m_db, u);
    tx.commit();
    session.stand.changeCounter = a.changeCounter;
    return a.key;
}

std::optional<UserIdentification> StandStore::ReadUserIdentification(int key) {
    StatementRef q = m_db.backend().statement(
        QStringLiteral("select ZAVOD, PROVOZ, TAXATOR, UZIVATEL from RivwoodPor where KLIC = ?"));
    q->bind(1, key).touching(StandTables::Por).open();
    if (!q->next())
        return std::nullopt;
    return UserIdentification{q->text(0), q->text(1), q->text(2), q->text(3)};
}

bool StandStore::WriteUserIdentification(int key, const UserIdentification& u) {
    m_db.RequireWritable("informace o uživateli nelze uložit");
    SqlTransaction tx(m_db);
    if (!StandRows::Read(m_db, key).exists)
        return false;
    StatementRef s = m_db.backend().statement(QStringLiteral(
        "update RivwoodPor set ZAVOD = ?, PROVOZ = ?, TAXATOR = ?, UZIVATEL = ? where KLIC = ?"));
    const auto user = [](const QString& text) { return StandRows::Checked(text, S::UserWidth, "uživatel"); };
    s->bind(1, user(u.zavod)).bind(2, user(u.provoz)).bind(3, user(u.taxator)).bind(4, user(u.uzivatel));
    s->bind(5, key).touching(StandTables::Por).run();
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

std::vector<int> StandStore::StandsNotComputed() {
    StatementRef q = m_db.backend().statement(QStringLiteral(
        "select KLIC from RivwoodPor where USED = true and (VYPOCTENO is not true or SOUHRN is not "
        "true) order by KLIC"));
    q->touching(StandTables::Por).open();
    std::vector<int> keys;
    while (q->next())
        keys.push_back(int(q->integer(0)));
    return keys;
}

std::vector<int> StandStore::StandKeys() {
    StatementRef q = m_db.backend().statement(
        QStringLiteral("select KLIC from RivwoodPor where USED = true order by KLIC"));
    q->touching(StandTables::Por).open();
    std::vector<int> keys;
    while (q->next())
        keys.push_back(int(q->integer(0)));
    return keys;
}

StandStore::Printable StandStore::PrintableState(int key) {
    StatementRef q = m_db.backend().statement(
        QStringLiteral("select VYPOCTENO, SOUHRN from RivwoodPor where KLIC = ? and USED = true"));
    q->bind(1, key).touching(StandTables::Por).open();
    if (!q->next())
        return Printable::Missing;
    if (!q->boolean(1))
        return Printable::NoSummary;
    return q->boolean(0) ? Printable::Ready : Printable::NotComputed;
}
