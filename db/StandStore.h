#pragma once

#include "StandDatabase.h"
#include "StandSession.h"
#include "UserIdentification.h"
#include "UserMessage.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// A Yes/No question put to the user; true means Yes (or OK).
using YesNoQuestion = std::function<bool(const UserMessage& question)>;

// How a save ended. A save that stored nothing ends Refused (the user said No) or with an error.
struct SaveResult {
    enum Status { Stored, StoredAsNew, Refused };
    Status status = Stored;
    int key = 0;                     // where the stand is stored (a new key for StoredAsNew)
    std::int64_t changeCounter = -1; // the row's change counter after the save
    bool stored() const { return status != Refused; }
};

// What LoadStand met on the way.
struct LoadStandResult {
    bool found = false;       // the key has a stand (a row with USED true)
    int skippedClassRows = 0; // class rows with no element in the species' class array, dropped
};

// Moves stands between memory and the stand tables. Every write is one write transaction taken
// at its start (waiting while another program writes): it stores all of its rows or, on an error,
// none, and reports success exactly when it was committed. Writes to a read-only database are
// refused at once with a message saying so. Questions to the user are asked outside any
// transaction, so an open question never holds the database locked.
//
// Several writes can be made one transaction (the bulk import's chunks, much faster on disk) by
// WriteChunks or an SqlTransaction on database() around them: each write then nests inside it.
class StandStore {
  public:
    explicit StandStore(StandDatabase& db) : m_db(db) {}

    StandDatabase& database() { return m_db; }

    // Hands out the first free key (a row with USED false, lowest key first) or the highest key
    // + 1 (1 for an empty table), marks it used and fills its user identification from the
    // settings file.
    int AllocateStandKey();
    // The same with the user identification given (read once for many stands).
    int AllocateStandKey(const UserIdentification& user);
    // Frees the key: its row is cleared (USED false, every other column empty) and the stand's
    // species, class, summary and sample-height rows are deleted. A key without a row touches nothing and
    // returns false.
    bool DeleteStandRows(int key);
    // Writes the stand under an existing key, replacing what the key held; the row keeps the
    // user identification it had. A key without a row is a RivwoodError and writes nothing.
    void SaveStand(const TManualy225& stand, int key);
    // The same for a stand loaded with the row's change counter `loadedChange` (-1: unknown,
    // written as above). When the row changed since, `askConflict` is asked "Porost byl mezitím
    // v databázi změněn. Přepsat?" (Yes overwrites); when the stand was deleted meanwhile, "Porost
    // byl mezitím z databáze zrušen. Uložit jej jako nový porost?" (Yes stores it under a new
    // key). No: Refused, nothing written. Without `askConflict` a conflict is a RivwoodError.
    // With `askDuplicate`, another stand with the stand's code (counted under the write lock, so
    // two saves at once cannot both miss each other) asks DuplicateQuestion(); No: Refused.
    SaveResult SaveStand(const TManualy225& stand, int key, std::int64_t loadedChange,
                         const YesNoQuestion& askConflict, const YesNoQuestion& askDuplicate = {});
    // The session's stand, checked against the change counter it carries; when stored, the
    // stand takes the new counter (the result says under which key it is stored).
    SaveResult SaveStand(StandSession& session, int key, const YesNoQuestion& askConflict = {},
                         const YesNoQuestion& askDuplicate = {});
    // A stand not yet in the database: a key is allocated (as AllocateStandKey) and the stand
    // written under it in one transaction, so a failure leaves no empty stand behind. The
    // duplicate code as above.
    SaveResult SaveNewStand(const TManualy225& stand, const YesNoQuestion& askDuplicate = {});
    // The same for the session's stand, which takes the new row's change counter.
    SaveResult SaveNewStand(StandSession& session, const YesNoQuestion& askDuplicate = {});
    // Replaces the session's stand by the stored one (an empty stand when the key holds none),
    // read as one consistent state even while others write. The class layout follows each
    // species' stored width and first centre; the stand carries the row's change counter;
    // KlicZaznamu is not changed.
    LoadStandResult LoadStand(StandSession& session, int key);

    // The questions of a save that meets a stand changed or deleted meanwhile, or another stand
    // with its code.
    static UserMessage ChangedQuestion();
    static UserMessage DeletedQuestion();
    static UserMessage DuplicateQuestion();

    // Stands other than `key` whose stand code equals the code of the stand's location texts.
    int CountDuplicateCodes(const TManualy225& stand, int key);
    // True when the stand is not to be saved: another stand carries its code and the user
    // answered No to "Duplicitní kód porostu. Má se přesto uložit ?".
    bool CheckDuplicateCode(const TManualy225& stand, int key, const YesNoQuestion& ask);
    // Key request for a stand not yet in the database (its key `key` is 0): after the duplicate
    // check, allocates a key and returns it (0 when the user refused); the stand takes the new
    // row's change counter.
    int SBNovyPorostClick(StandSession& session, int key, const YesNoQuestion& ask);

    // ZAVOD, PROVOZ, TAXATOR, UZIVATEL of a stand's row; nothing when the key has no row.
    std::optional<UserIdentification> ReadUserIdentification(int key);
    // Overwrites the four columns of the key's row; false when there is no row.
    bool WriteUserIdentification(int key, const UserIdentification& user);
    // "Do databáze" of the user identification dialog for the stand on display: a message when
    // the stand is not stored, else the question "Chcete v databázi změnit informace o
    // uživateli ?" and on Yes the row gets the values.
    std::optional<UserMessage> PushUserIdentification(int key, const UserIdentification& user,
                                                      const YesNoQuestion& ask);

    // The keys of the stored stands that are not computed or not summarised, in key order.
    std::vector<int> StandsNotComputed();
    // The keys of every stored stand, in key order.
    std::vector<int> StandKeys();
    // Whether a stand can be printed alone: stored, with its summary, computed.
    enum class Printable { Missing, NoSummary, NotComputed, Ready };
    Printable PrintableState(int key);

  private:
    SaveResult store(const TManualy225& stand, int key, std::int64_t loadedChange,
                     const YesNoQuestion& askConflict, const YesNoQuestion& askDuplicate);

    StandDatabase& m_db;
};
