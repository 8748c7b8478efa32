#include "CurveSegments.h"

#include "RivwoodError.h"

namespace {

void appendSegment(std::vector<CurveSegment>& out, int curve, int lower, int upper, int lowerHeight,
                   int upperHeight, const std::function<int(int)>& heightDm) {
    const int gain = upperHeight - lowerHeight;
    if (gain < 0)
        throw RangeError(
            QStringLiteral("curve %1 falls between %2 and %3 cm").arg(curve).arg(lower).arg(upper));
    if (gain > 255) {
        if (upper - lower < 2)
            throw RangeError(
                QStringLiteral("curve %1 rises more than 25.5 m within %2 cm").arg(curve).arg(lower));
        const int middle = lower + (upper - lower) / 2;
        const int middleHeight = heightDm(middle);
        appendSegment(out, curve, lower, middle, lowerHeight, middleHeight, heightDm);
        appendSegment(out, curve, middle, upper, middleHeight, upperHeight, heightDm);
        return;
    }
    out.push_back({curve, lower, upper, lowerHeight, gain});
}

} // namespace

std::vector<CurveSegment> BuildCurveSegments(int curve, const std::vector<int>& breakpoints,
                                             const std::function<int(int)>& heightDm) {
    std::vector<CurveSegment> segments;
    for (size_t i = 0; i + 1 < breakpoints.size(); ++i) {
        const int lower = breakpoints[i], upper = breakpoints[i + 1];
        if (upper <= lower || lower < 0 || upper > 255)
            throw RangeError(
                QStringLiteral("breakpoints %1 and %2 cm do not form a segment").arg(lower).arg(upper));
        appendSegment(segments, curve, lower, upper, heightDm(lower), heightDm(upper), heightDm);
    }
    return segments;
}
