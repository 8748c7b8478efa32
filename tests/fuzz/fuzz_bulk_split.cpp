// libs: rivwood_import
// Fuzzes the bulk import: block splitting, identities and duplicates, conversion into the combined
// record list, and the stands made from every block.
#include "CaliperFile.h"
#include "MantaxBlocks.h"
#include "MantaxBulkImport.h"
#include "MantaxStandReader.h"
#include "RivwoodError.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class CountingSink : public StandSink {
  public:
    int AllocateStandKey() override { return ++m_key; }
    void SaveStand(const TManualy225&, int key) override {
        if (key != m_key)
            std::abort();
    }

  private:
    int m_key = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = CaliperFile::SplitLines(bytes);
    std::vector<TInfoData> blocks = MantaxBlocks::SplitBlocks(lines);
    for (const TInfoData& b : blocks)
        if (b.firstLine < 0 || b.firstLine > b.lastLine || b.lastLine >= lines.size())
            std::abort();
    MantaxBlocks::MarkDuplicates(blocks, lines);

    QStringList records;
    try {
        records = MantaxBlocks::ConvertBlocks(lines, blocks);
    } catch (const RivwoodError&) {
        return 0;
    }
    qsizetype next = 0;
    for (const TInfoData& b : blocks) {
        // Blocks follow each other in the combined list and each ends with "$9".
        if (b.firstLine != next || b.lastLine < b.firstLine || b.lastLine >= records.size() ||
            records[b.lastLine] != QLatin1String("$9"))
            std::abort();
        next = b.lastLine + 1;
    }
    if (next != records.size())
        std::abort();

    SpeciesAssignment assignment;
    assignment.SetCodes(MantaxStandReader::CollectCodes(records, false));
    for (int r = 0; r < assignment.rowCount(); ++r)
        assignment.SetAbbreviation(r, r % 2 ? "SM" : "BK");
    CountingSink sink;
    const BulkImportResult result =
        MantaxBulkImport::ImportBlocks(records, blocks, assignment, ClassLayout::Make(4, 10), sink);
    if (int(result.keys.size()) != result.total)
        std::abort();
    return 0;
}
