#pragma once

#include <functional>
#include <vector>

// One straight piece of a height curve, as a 7-byte record of the curve file holds it.
struct CurveSegment {
    int curve = 0; // curve number, hundredths of the designation
    int lower = 0; // diameters, whole cm
    int upper = 0;
    int heightDm = 0; // height at the lower diameter, dm
    int gainDm = 0;   // height gain up to the upper diameter, dm (one byte)
};

// Segments of one curve between consecutive breakpoints (ascending whole cm); heightDm(d) is the
// curve's rounded height at a whole diameter. A segment whose gain does not fit a byte is split at
// its middle diameter until it does; a falling curve or a steep one-centimetre piece is an error.
std::vector<CurveSegment> BuildCurveSegments(int curve, const std::vector<int>& breakpoints,
                                             const std::function<int(int)>& heightDm);
