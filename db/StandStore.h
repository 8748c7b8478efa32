#pragma once

#include "StandDatabase.h"
#include "StandSession.h"
#include "UserIdentification.h"
#include "UserMessage.h"

#include <functional>
#include <optional>

// A Yes/No question put to the user; true means Yes (or OK).
using YesNoQuestion = std::function<bool(const UserMessage& question)>;

// What LoadStand met on the way.
struct LoadStandResult {
    bool found = false;       // the key has a stand (a row with USED true)
    int skippedClassRows = 0; // class rows with no element in the species' class array, dropped
};

// Moves stands between memory and the stand tables. Every write runs in one transaction: an
// error part-way leaves the stand's previous rows as they were.
//
// The bulk import calls AllocateStandKey and then SaveStand for each stand; to make the whole
// import one transaction (much faster on disk) wrap it in an SqlTransaction on
// database().connection() and commit at the end: each stand's save nests inside it and a stand
// that fails is rolled back alone.
class StandStore {
  public:
    explicit StandStore(StandDatabase& db) : m_db(db) {}

    StandDatabase& database() { return m_db; }

    // Hands out the first free key (a row with USED false, lowest key first) or the highest key
    // + 1 (1 for an empty table), marks it used and fills its user identification from the
    // settings file.
    int AllocateStandKey();
    // Frees the key: its row is cleared (USED false, every other column empty) and the stand's
    // species, class and summary rows are deleted. A key without a row touches nothing and
    // returns false.
    bool DeleteStandRows(int key);
    // Writes the stand under an existing key, replacing what the key held; the row keeps the
    // user identification it had. A key without a row is a RivwoodError and writes nothing.
    void SaveStand(const TManualy225& stand, int key);
    // The same, and marks the session's stand as saved (Ulozeno).
    void SaveStand(StandSession& session, int key);
    // Replaces the session's stand by the stored one (an empty stand when the key holds none).
    // The class layout follows each species' stored width and first centre; KlicZaznamu is not
    // changed.
    LoadStandResult LoadStand(StandSession& session, int key);

    // Stands other than `key` whose stand code equals the code of the stand's location texts.
    int CountDuplicateCodes(const TManualy225& stand, int key);
    // True when the stand is not to be saved: another stand carries its code and the user
    // answered No to "Duplicitní kód porostu. Má se přesto uložit ?".
    bool CheckDuplicateCode(const TManualy225& stand, int key, const YesNoQuestion& ask);
    // Key request for a stand not yet in the database: after the duplicate check, allocates a
    // key and makes it the session's KlicZaznamu (left 0 when the user refused).
    void SBNovyPorostClick(StandSession& session, const YesNoQuestion& ask);

    // ZAVOD, PROVOZ, TAXATOR, UZIVATEL of a stand's row; nothing when the key has no row.
    std::optional<UserIdentification> ReadUserIdentification(int key);
    // Overwrites the four columns of the key's row; false when there is no row.
    bool WriteUserIdentification(int key, const UserIdentification& user);
    // "Do databáze" of the user identification dialog for the stand on display: a message when
    // the stand is not stored, else the question "Chcete v databázi změnit informace o
    // uživateli ?" and on Yes the row gets the values.
    std::optional<UserMessage> PushUserIdentification(int key, const UserIdentification& user,
                                                      const YesNoQuestion& ask);

  private:
    void deleteChildRows(QSqlDatabase& db, int key);

    StandDatabase& m_db;
};
