#include "StandBatch.h"

#include "SheetComputation.h"
#include "TallySheet.h"
#include "WriteChunks.h"

namespace {

// The run asks nobody: a stand stored already is stored again whatever its code, but not over a
// change another program made meanwhile; messages become the reason a stand was left.
class BatchDialogs : public SheetDialogs {
  public:
    void show(const UserMessage& message) override { messages.push_back(message); }
    bool ask(const UserMessage&, Buttons) override { return true; }
    bool askConflict(const UserMessage& question) override {
        messages.push_back(question);
        return false;
    }
    UserMessages messages;
};

} // namespace

StandBatchResult ComputeStands(StandStore& store, const QString& referenceDirectory,
                               const std::vector<int>& keys, const StandBatchProgress& progress) {
    StandBatchResult result;
    TallySheet sheet(&store, referenceDirectory);
    BatchDialogs dialogs;
    sheet.setDialogs(&dialogs);
    // The saves go to the disk in chunks (every 100 stands or every second): much faster than one
    // commit per stand, and a crash loses at most the chunk under way.
    WriteChunks chunks(store.database(), 100, 1000);
    int done = 0;
    try {
        for (const int key : keys) {
            chunks.open();
            dialogs.messages.clear();
            sheet.loadStand(key);
            if (sheet.state().stand.count() == 0) {
                result.skipped.push_back({key, {}, "Porost nemá žádné dřeviny."});
            } else {
                bool complete = true;
                for (const SpeciesComputation& c : ComputeAllSpecies(sheet))
                    if (c.outcome == SpeciesComputation::NoHeight ||
                        c.outcome == SpeciesComputation::NoDiameter) {
                        result.skipped.push_back({key, c.abbreviation, c.reason});
                        complete = false;
                    }
                // Curve warnings of the computation are no reason to stop; errors of the save are.
                dialogs.messages.clear();
                if (complete) {
                    if (sheet.save())
                        result.computed.push_back(key);
                    else
                        result.skipped.push_back({key,
                                                  {},
                                                  dialogs.messages.empty()
                                                      ? QString("Porost nebyl uložen.")
                                                      : UserMessage(dialogs.messages.front()).ForDisplay()});
                }
            }
            ++done;
            if (chunks.standDone())
                chunks.commit();
            if (progress && !progress(done, int(keys.size()))) {
                result.interrupted = done < int(keys.size());
                break;
            }
        }
    } catch (...) {
        // The stands finished before the failure stay stored; the failed one rolled back alone.
        try {
            chunks.commit();
        } catch (...) {
        }
        throw;
    }
    chunks.commit();
    return result;
}
