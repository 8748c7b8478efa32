#pragma once

#include "MantaxBulkImport.h"
#include "StandSink.h"
#include "StandStore.h"

// The bulk import's stands go into the stand database through its store.
class DatabaseStandSink : public StandSink {
  public:
    explicit DatabaseStandSink(StandStore& store) : m_store(store) {}
    int AllocateStandKey() override { return m_store.AllocateStandKey(); }
    // A stand that cannot be written gives its key back, so no empty stand is left behind.
    void SaveStand(const TManualy225& stand, int key) override;

  private:
    StandStore& m_store;
};

namespace MantaxBulkImport {

// Imports the blocks into the database as one batch: the stands stored before a cancel or an
// error are committed and stay stored; the error then propagates.
BulkImportResult ImportIntoDatabase(const QStringList& records, const std::vector<TInfoData>& blocks,
                                    const SpeciesAssignment& assignment, const ClassLayout& layout,
                                    StandStore& store, const BulkProgress& progress = {});

} // namespace MantaxBulkImport
