// libs: rivwood_heights
// Fuzzes the sample-height file reader and the height curves fitted to whatever pairs it reads.
#include "HeightCurveFit.h"
#include "SampleHeightFile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SampleHeightFile::Result file = SampleHeightFile::Parse(bytes);
    SampleHeights pairs;
    for (const SampleHeightFile::Pair& p : file.pairs) {
        if (!IsUsableSample(p.sample) || p.species.isEmpty() || p.species.size() > 3)
            std::abort();
        pairs.push_back(p.sample);
    }
    if (file.problems.size() > 21)
        std::abort();
    const HeightCurves curves = FitHeightCurves(pairs);
    if (curves.samples.size() != pairs.size())
        std::abort();
    if (const HeightCurveFit* best = curves.bestFit()) {
        // The curve used gives heights above breast height over the sampled diameters.
        if (!best->converged || !(best->height(curves.minDiameter) > BreastHeight) ||
            !(best->height(curves.maxDiameter) >= best->height(curves.minDiameter) - 1e-6))
            std::abort();
    }
    return 0;
}
