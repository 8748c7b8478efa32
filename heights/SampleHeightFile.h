#pragma once

#include "SampleHeight.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// A text file of sample heights, one tree a line: "dřevina;tloušťka;výška" (species abbreviation,
// diameter in cm, height in m), fields separated by ";" or a tab, decimals with "," or ".". UTF-8
// or cp1250; a first line without numbers is a header. Lines that are not such a pair are
// reported by number and left out.
namespace SampleHeightFile {

struct Pair {
    QString species; // the abbreviation as written, trimmed
    SampleHeight sample;
    friend bool operator==(const Pair&, const Pair&) = default;
};

struct Result {
    std::vector<Pair> pairs; // in file order
    QStringList problems;    // "Řádek 7: …", at most a screenful, then a count of the rest
};

Result Parse(const QByteArray& bytes);
// The file's bytes; a file that cannot be read or is far too large for such a list is an IoError.
QByteArray Read(const QString& fileName);

} // namespace SampleHeightFile
