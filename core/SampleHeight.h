#pragma once

#include <vector>

// One sample tree of a species measured with a hypsometer: its breast-height diameter (cm) and
// its height (m). The stand's height curve of the species is fitted to these pairs.
struct SampleHeight {
    double diameter = 0; // cm
    double height = 0;   // m
    friend bool operator==(const SampleHeight&, const SampleHeight&) = default;
};

using SampleHeights = std::vector<SampleHeight>;

// Breast height, m: a tree with a breast-height diameter is taller.
inline constexpr double BreastHeight = 1.3;

// A pair a height curve can use: a diameter above 0 and a height above breast height, both finite.
bool IsUsableSample(const SampleHeight& sample);
