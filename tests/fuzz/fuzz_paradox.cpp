// libs: rivwood_paradox
// Fuzzes the reader of the older program's Paradox tables: header, chain of blocks, records and
// memos. The input is a little-endian 32-bit length, that many bytes of the table file, then the
// memo file (none when empty). A damaged file must end in a RivwoodError, nothing else.
#include "ParadoxTable.h"
#include "RivwoodError.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    const size_t dbSize =
        std::min<size_t>(size - 4, data[0] | data[1] << 8 | data[2] << 16 | size_t(data[3]) << 24);
    QByteArray db(reinterpret_cast<const char*>(data + 4), qsizetype(dbSize));
    QByteArray mb(reinterpret_cast<const char*>(data + 4 + dbSize), qsizetype(size - 4 - dbSize));
    QBuffer dbFile(&db), mbFile(&mb);
    dbFile.open(QIODevice::ReadOnly);
    mbFile.open(QIODevice::ReadOnly);
    try {
        ParadoxTable table(dbFile, mb.isEmpty() ? nullptr : &mbFile, "F.db", "F.mb");
        while (table.next())
            for (size_t f = 0; f < table.header().fields.size(); ++f) {
                try {
                    (void)table.value(int(f));
                } catch (const RivwoodError&) {
                    // A damaged memo or an unread field type spoils one value; the rest still read.
                }
            }
    } catch (const RivwoodError&) {
    }
    return 0;
}
