#pragma once

#include "MantaxBulkImport.h"
#include "StandSink.h"
#include "StandStore.h"
#include "WriteChunks.h"

// When the bulk import commits: after this many stands or this many milliseconds of work,
// whichever comes first. A crash or a kill loses at most the stands of the current chunk.
struct BulkChunk {
    int stands = 1000;
    int milliseconds = 1000;
};

// The bulk import's stands go into the stand database in chunks, each chunk one transaction
// (one synchronous commit for many stands). A stand's key and rows are one unit inside it: a
// stand that fails leaves neither behind.
class DatabaseStandSink : public StandSink {
  public:
    DatabaseStandSink(StandStore& store, BulkChunk chunk = {});
    ~DatabaseStandSink() override;

    int AllocateStandKey() override;
    void SaveStand(const TManualy225& stand, int key) override;

    // Commits the open chunk; false (and the chunk's stands are lost) when the database had
    // already rolled it back after an error. Errors of the commit itself propagate.
    bool commit();
    // Keys of the stands whose chunk has been committed, in import order.
    const std::vector<int>& committedKeys() const { return m_committed; }

  private:
    StandStore& m_store;
    UserIdentification m_user; // of the settings file when the import began
    WriteChunks m_chunks;      // a stand's key and rows are one unit in them
    bool m_standOpen = false;
    std::vector<int> m_pending, m_committed;
};

namespace MantaxBulkImport {

// Imports the blocks into the database in chunks. The result's keys are the stored stands. On
// an error the stands of the chunks committed before it stay stored, and the error, which
// propagates as a RivwoodError, says how many they are.
BulkImportResult ImportIntoDatabase(const CaliperLines& lines, const std::vector<TInfoData>& blocks,
                                    const SpeciesAssignment& assignment, const ClassLayout& layout,
                                    StandStore& store, const BulkProgress& progress = {},
                                    const BulkChunk& chunk = {});

} // namespace MantaxBulkImport
