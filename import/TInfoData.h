#pragma once

#include "MantaxReader.h"

#include <QString>
#include <array>

// One stand block of a Mantax file in bulk import. Before conversion the lines index the file,
// afterwards the combined record list.
struct TInfoData {
    qsizetype firstLine = 0;
    qsizetype lastLine = 0;
    MantaxKind kind = MantaxKind::Records; // Records, SingleTrees or ClassTotals
    std::array<QString, 3> identity;       // three trimmed lines that identify the block
    bool duplicate = false;                // repeats its neighbour, not imported
};
