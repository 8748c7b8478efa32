// The memory the undo history of the tally sheet holds: a stand of 10 species is put on the
// sheet, then 1,000 counts are typed into the grid of the species on display, each an edit of its
// own. The figures are the heap the edits added and the heap the history gives back when cleared.
// Usage: bench_undo [EDITS]
#include "SheetView.h"
#include "TallySheet.h"

#include <QCoreApplication>
#include <cstdio>
#include <malloc.h>

namespace {

const char* const kSpecies[] = {"SM", "BK", "OL", "JS", "DB", "BO", "MD", "JD", "BR", "TPC"};

size_t heapInUse() {
    return mallinfo2().uordblks;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int edits = argc > 1 ? QString(argv[1]).toInt() : 1000;

    TallySheet sheet(nullptr, RIVWOOD_REFERENCE_DIR);
    // Ten species, each with trees in 15 classes, recorded into the stand.
    for (const char* abbreviation : kSpecies) {
        sheet.addSpecies(abbreviation);
        for (int row = 0; row < 15; ++row)
            sheet.setCount(row + 2, QString::number(3 + row % 7));
        sheet.meanStem().record();
    }
    // The stand reopened as the command line hands it over: the history starts afresh.
    sheet.open({OpenedStand::Origin::CommandLine, StandSession(sheet.state()), 0, {}});
    const int rows = int(sheet.view().rows.size());

    const size_t before = heapInUse();
    for (int i = 0; i < edits; ++i) {
        sheet.setCount(i % rows, QString::number(1 + (i / rows + i) % 9));
    }
    const size_t after = heapInUse();
    const int steps = sheet.undoStack().count();
    // What the history alone holds: the heap its clearing gives back.
    sheet.undoStack().clear();
    const size_t cleared = heapInUse();

    const double grown = double(after) - double(before);
    const double bytes = double(after) - double(cleared);
    std::printf("species %d, classes %d, count edits %d, undo steps kept %d\n", sheet.state().stand.count(),
                rows, edits, steps);
    std::printf("heap grown by the edits: %.0f bytes\n", grown);
    std::printf("undo memory: %.0f bytes (%.1f KB per edit, %.1f KB per step kept)\n", bytes,
                bytes / edits / 1024, steps ? bytes / steps / 1024 : 0);
    return 0;
}
