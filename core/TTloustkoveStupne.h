#pragma once

// One diameter class of a species; element 0 of a class array is the species' total row.
struct TTloustkoveStupne {
    double centre = 0;      // class centre diameter, cm
    double trees = 0;       // number of trees
    double treeVolume = 0;  // volume of one tree, m3
    double classVolume = 0; // volume of the whole class, m3
    friend bool operator==(const TTloustkoveStupne&, const TTloustkoveStupne&) = default;
};
