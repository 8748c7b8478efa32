#pragma once

#include "ClassLayout.h"
#include "TManualy225.h"

#include <vector>

// Tallying caliper trees into the diameter classes of a stand that is being built.
class CaliperTally {
  public:
    CaliperTally(TManualy225& stand, const ClassLayout& layout) : m_stand(stand), m_layout(layout) {}

    // Index of the species, appending a new empty one when the stand does not hold it yet: curve
    // and table species from the species tables, the class array of the layout.
    int EnsureSpecies(const QString& abbreviation);
    // Counts one tree of diameter d (already capped) into class Round((d - c0) / w) + 1 and into
    // the total; a tree whose class lies outside the layout is not counted.
    void AddTree(int species, double diameter);
    void AddHeight(int species, double height);
    // Mean height of every species: height sum / count / divisor, 0 without heights.
    void FinishHeights(double divisor);

    static TManual225 NewSpecies(const QString& abbreviation, const ClassLayout& layout);

  private:
    struct Heights {
        double sum = 0;
        long long count = 0;
    };
    TManualy225& m_stand;
    ClassLayout m_layout;
    std::vector<Heights> m_heights;
};
