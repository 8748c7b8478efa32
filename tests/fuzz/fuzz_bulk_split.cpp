// libs: rivwood_import
// Fuzzes the bulk import: block splitting, identities and duplicates, the conversion block by
// block, and the stands made from every block.
#include "CaliperFile.h"
#include "MantaxBlocks.h"
#include "MantaxBulkImport.h"
#include "MantaxStandReader.h"
#include "RivwoodError.h"
#include "SpeciesCodes.h"

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
    MantaxBlocks::MarkDuplicates(blocks);

    SpeciesCodes codes;
    std::vector<size_t> ends;
    try {
        size_t expected = 0;
        MantaxBlocks::ConvertBlocks(lines, blocks, [&](size_t block, const QString& record) {
            // Blocks follow each other and each ends with "$9".
            if (block != expected)
                std::abort();
            if (record == QLatin1String("$9"))
                ++expected;
            MantaxStandReader::CollectCode(record, codes);
            return true;
        });
        if (expected != blocks.size())
            std::abort();
    } catch (const RivwoodError&) {
        return 0;
    }

    SpeciesAssignment assignment;
    assignment.SetCodes(codes.list());
    for (int r = 0; r < assignment.rowCount(); ++r)
        assignment.SetAbbreviation(r, r % 2 ? "SM" : "BK");
    CountingSink sink;
    const BulkImportResult result =
        MantaxBulkImport::ImportBlocks(lines, blocks, assignment, ClassLayout::Make(4, 10), sink);
    if (int(result.keys.size()) != result.total)
        std::abort();
    return 0;
}
