// libs: rivwood_import
// Fuzzes the Vaduz reader: keyword and table-header recognition, the code scan and the tally of
// trees and heights into a stand.
#include "CaliperFile.h"
#include "VaduzImport.h"
#include "VaduzReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = CaliperFile::SplitLines(bytes);
    for (const QString& line : lines) {
        (void)VaduzReader::KeywordOf(line);
        (void)VaduzReader::IsTreeHeader(line);
        (void)VaduzReader::IsHeightHeader(line);
    }

    VaduzImport import;
    import.ScanLines(lines, true);
    static const char* const abbreviations[] = {"SM", "BK", "OL", "DB", "JD"};
    for (int r = 0; r < import.assignment().rowCount(); ++r)
        import.assignment().SetAbbreviation(r, abbreviations[r % 5]);

    StandSession session;
    session.SetClassLayout(size > 0 ? 1 + data[0] % 4 : 4, size > 1 ? data[1] % 12 : 10);
    const StandSession imported = import.Import(session);
    if (imported.stand.count() != import.assignment().rowCount())
        std::abort();
    for (int i = 0; i < imported.stand.count(); ++i) {
        const TManual225& s = imported.stand.at(i);
        double sum = 0;
        for (size_t k = 1; k < s.classes.size(); ++k)
            sum += s.classes[k].trees;
        if (sum != s.classes[0].trees || s.meanHeight < 0)
            std::abort();
    }
    return 0;
}
