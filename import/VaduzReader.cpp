#include "VaduzReader.h"

#include "CaliperTally.h"
#include "SpeciesCodes.h"
#include "TextUtils.h"

namespace VaduzReader {

namespace {

bool isOneOf(const QString& text, std::initializer_list<const char*> options) {
    for (const char* o : options)
        if (text == QLatin1String(o))
            return true;
    return false;
}

bool isTreeNumber(const QString& line) {
    bool ok = false;
    Columns(line, 1, 13).toLongLong(&ok);
    return ok;
}

double number(const QString& text) {
    return ToNumber(text, 0);
}

enum class State { Unit = 0, Stand = 1, Date = 2, Trees = 3, Heights = 4, Nothing = 5 };

} // namespace

QString Columns(const QString& line, int from, int to) {
    return TrimSet(line.mid(from - 1, to - from + 1));
}

Keyword KeywordOf(const QString& line) {
    const QString k = Columns(line, 1, 15);
    if (isOneOf(k, {"Abteilung:", "Oddeleni:", "Oddelenie:"}))
        return Keyword::Unit;
    if (isOneOf(k, {"Bestand:", "Porast:", "Skupina:"}))
        return Keyword::Stand;
    if (k == QLatin1String("Datum:"))
        return Keyword::Date;
    return Keyword::None;
}

bool IsTreeHeader(const QString& line) {
    if (!isOneOf(Columns(line, 1, 12), {"Baumnummer:", "Cis.stromu", "Strom cis."}))
        return false;
    const QString joined =
        Columns(line, 1, 12) + Columns(line, 13, 24) + Columns(line, 30, 41) + Columns(line, 45, 50);
    return isOneOf(joined, {"Baumnummer:Baumart:Guete:BHD:", "Cis.stromuDrevinaKvalitad1.3",
                            "Strom cis.DrevinaJakostMVT"});
}

bool IsHeightHeader(const QString& line) {
    if (!isOneOf(Columns(line, 1, 15), {"Baumart:", "Drevina"}))
        return false;
    const QString joined =
        Columns(line, 1, 15) + Columns(line, 30, 42) + Columns(line, 45, 51) + Columns(line, 53, 57);
    return isOneOf(joined,
                   {"Baumart:Stueckzahl:dBHD:dH:", "DrevinaPocetnostd1.3pv", "DrevinaPocet kusuprVTpV"});
}

QStringList ScanCodes(const CaliperLines& lines) {
    SpeciesCodes codes;
    bool inTrees = false;
    lines.ForEach([&](qsizetype, const QString& line) {
        if (!inTrees) {
            inTrees = IsTreeHeader(line);
            return true;
        }
        if (!IsBlank(line) && isTreeNumber(line) && number(Columns(line, 45, 51).left(10)) >= ListedDiameter)
            codes.Add(Columns(line, 15, 29));
        return true;
    });
    return codes.list();
}

void ReadReport(const CaliperLines& lines, const SpeciesAssignment& assignment, const ClassLayout& layout,
                TManualy225& stand) {
    CaliperTally tally(stand, layout);
    // Species i of the stand belongs to row i of the assignment.
    for (int r = 0; r < assignment.rowCount(); ++r)
        stand.append(assignment.row(r).abbreviation.trimmed(),
                     CaliperTally::NewSpecies(assignment.row(r).abbreviation, layout));

    State state = State::Nothing;
    bool afterHeader = false; // a table's header is replaced at once by its first row
    lines.ForEach([&](qsizetype, const QString& line) {
        if (!afterHeader) {
            const Keyword keyword = KeywordOf(line);
            if (keyword == Keyword::Unit) {
                state = State::Unit;
            } else if (keyword == Keyword::Stand) {
                state = State::Stand;
            } else if (keyword == Keyword::Date) {
                state = State::Date;
            } else if (IsHeightHeader(line) || IsTreeHeader(line)) {
                state = IsHeightHeader(line) ? State::Heights : State::Trees;
                afterHeader = true;
                return true;
            }
        }
        afterHeader = false;
        if (IsBlank(line))
            return true;
        switch (state) {
        case State::Unit:
            stand.designation = Columns(line, 15, 29) + " " + Columns(line, 43, 52);
            break;
        case State::Stand:
            stand.designation += Columns(line, 15, 29);
            stand.name = Columns(line, 43, 52);
            state = State::Nothing;
            break;
        case State::Date:
            stand.date = Columns(line, 15, 29);
            state = State::Nothing;
            break;
        case State::Trees: {
            const int s = assignment.IndexOfCode(Columns(line, 15, 29));
            if (s < 0)
                break;
            double d = number(Columns(line, 45, 51));
            if (d > MaxDiameter)
                d = MaxDiameter;
            tally.AddTree(s, d);
            break;
        }
        case State::Heights: {
            const int s = assignment.IndexOfCode(Columns(line, 1, 14));
            if (s < 0)
                break;
            const double h = number(Columns(line, 51, 58));
            if (h > 0)
                tally.AddHeight(s, h);
            break;
        }
        case State::Nothing:
            break;
        }
        return true;
    });
    tally.FinishHeights(1);
}

} // namespace VaduzReader
