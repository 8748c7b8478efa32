#include "SampleHeight.h"

#include <cmath>

bool IsUsableSample(const SampleHeight& s) {
    return std::isfinite(s.diameter) && std::isfinite(s.height) && s.diameter > 0 && s.height > BreastHeight;
}
