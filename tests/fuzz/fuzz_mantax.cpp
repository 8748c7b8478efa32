// libs: rivwood_import
// Fuzzes the Mantax reader: kind detection, conversion of both report kinds, the code list and
// the tally into a stand, and checks that a failed import leaves the session as it was.
#include "CaliperFile.h"
#include "MantaxImport.h"
#include "MantaxStandReader.h"
#include "RivwoodError.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Every species' total row holds the sum of its classes.
void checkTotals(const TManualy225& stand) {
    for (int i = 0; i < stand.count(); ++i) {
        const TManual225& s = stand.at(i);
        double sum = 0;
        for (size_t k = 1; k < s.classes.size(); ++k)
            sum += s.classes[k].trees;
        if (s.classes.empty() || sum != s.classes[0].trees)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = CaliperFile::SplitLines(bytes);
    (void)MantaxReader::DetectKind(lines);
    for (int k = 0; k <= 4; ++k) {
        try {
            (void)MantaxReader::Convert(lines, MantaxKind(k));
        } catch (const RivwoodError&) {
        }
    }

    MantaxImport import;
    try {
        import.PrepareSingleImportLines(lines);
    } catch (const RivwoodError&) {
        if (!import.lines().ToList().isEmpty() || !import.assignment().isEmpty())
            std::abort();
        return 0;
    }
    static const char* const abbreviations[] = {"SM", "BK", "OL", "DB"};
    for (int r = 0; r < import.assignment().rowCount(); ++r)
        import.assignment().SetAbbreviation(r, abbreviations[r % 4]);

    StandSession session;
    session.SetClassLayout(size > 0 ? 1 + data[0] % 4 : 4, size > 1 ? data[1] % 12 : 10);
    session.stand.name = "open";
    const TManualy225 before = session.stand;
    StandSession imported;
    try {
        imported = import.ImportSingle(session);
    } catch (const RivwoodError&) {
        if (!(session.stand == before))
            std::abort();
        return 0;
    }
    checkTotals(imported.stand);
    return 0;
}
