#pragma once

#include "SqlTransaction.h"

#include <QElapsedTimer>
#include <optional>

class StandDatabase;

// Many stands written in chunks, each chunk one write transaction (one synchronous commit for
// many stands, much faster on disk): a chunk is committed after `stands` stands or `milliseconds`
// of work, whichever comes first, so a crash or a kill loses at most the stands of the chunk
// under way. A stand can be a unit of its own inside the chunk (beginStand): when it fails,
// nothing of it stays and the chunk goes on. Used by the bulk import and by the computation of
// many stands; the store's writes nest inside.
class WriteChunks {
  public:
    WriteChunks(StandDatabase& db, int stands, int milliseconds);
    ~WriteChunks();
    WriteChunks(const WriteChunks&) = delete;
    WriteChunks& operator=(const WriteChunks&) = delete;

    // Opens a chunk when none is open.
    void open();
    // Opens the unit of the next stand inside the chunk (opened when needed); an earlier stand's
    // unit still open is dropped.
    void beginStand();
    // The stand's unit becomes part of the chunk.
    void endStand();
    // Drops the stand's unit: nothing of it stays.
    void dropStand();
    // Counts a stand done. True when the chunk is full or old and is to be committed now.
    bool standDone();
    // Commits the open chunk. False (and the chunk's stands are lost) when the database had
    // already rolled it back after an error; errors of the commit itself propagate.
    bool commit();

  private:
    StandDatabase& m_db;
    int m_stands, m_milliseconds;
    std::optional<SqlTransaction> m_chunk;
    std::optional<SqlTransaction> m_stand;
    QElapsedTimer m_started;
    int m_inChunk = 0;
};
