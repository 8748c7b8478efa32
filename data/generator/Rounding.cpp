#include "Rounding.h"

#include "RivwoodError.h"

#include <cmath>

int RoundWellSeparated(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e9)
        throw RangeError(QStringLiteral("cannot round %1 to an integer").arg(value));
    const double fraction = value - std::floor(value);
    if (std::fabs(fraction - 0.5) < 1e-6)
        throw RangeError(
            QStringLiteral("%1 lies too close to a half to round reproducibly").arg(value, 0, 'g', 17));
    return int(std::lround(value));
}
