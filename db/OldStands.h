#pragma once

#include "TManualy225.h"
#include "UserIdentification.h"

#include <QString>
#include <QStringList>
#include <vector>

// The stands of the older program's Paradox database, read whole from its five tables before
// anything is stored. Each used stand row (USED true) becomes a stand with its species, class
// rows, summary rows, comment and sample heights. A stand whose rows break the rules (a class
// count outside 16 bits, a class row off the species' classes, a row of a species the stand does
// not have …) is left out whole with the reason; rows of a key without a used stand are listed
// the same way. A damaged table is a RivwoodError naming its file. The files are only read.
namespace OldStands {

struct Stand {
    int key = 0;
    TManualy225 stand;
    UserIdentification user; // ZAVOD, PROVOZ, TAXATOR, UZIVATEL
};

struct Skip {
    int key = 0;
    QString reason;
};

struct Content {
    std::vector<Stand> stands; // in key order
    std::vector<Skip> skipped; // in key order
    QStringList notRead;       // the tables of the older layout present in the directory
};

// The names of the tables of the older layout (rivwoopor …), which are never read.
const QStringList& OlderLayoutNames();

// Reads the database of the directory; a missing table (RivwoodVys may be missing: the older
// program wrote no rows to it) is a RivwoodError.
Content Read(const QString& directory);

} // namespace OldStands
