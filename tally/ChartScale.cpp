#include "ChartScale.h"

#include <algorithm>
#include <cmath>

namespace ChartScale {

double NiceStep(double span, int ticks) {
    const double raw = span / std::max(1, ticks);
    const double magnitude = std::pow(10.0, std::floor(std::log10(std::max(raw, 1e-9))));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * magnitude >= raw)
            return std::max(1.0, m * magnitude);
    return std::max(1.0, 10 * magnitude);
}

} // namespace ChartScale
