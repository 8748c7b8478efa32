// The height curves of 1,000 species of 30 sample heights each: all eight models fitted per
// species, as the sheet, the check and `rivwood-cli heights` fit them. The pairs follow Näslund
// curves of varying shape with a normal error of 1 m.
// Usage: bench_heights [SPECIES] [PAIRS]
#include "HeightCurveFit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>
#include <random>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int species = args.size() > 1 ? args[1].toInt() : 1000;
    const int pairs = args.size() > 2 ? args[2].toInt() : 30;
    if (species < 1 || pairs < 5) {
        std::fprintf(stderr, "Použití: bench_heights [DŘEVINY] [VZORNÍKY]\n");
        return 2;
    }
    std::mt19937 random(4711);
    std::uniform_real_distribution<double> diameter(8, 60), shapeA(1.2, 2.2), shapeB(0.17, 0.24);
    std::normal_distribution<double> error(0, 1);
    std::vector<SampleHeights> stands(static_cast<size_t>(species));
    for (SampleHeights& samples : stands) {
        const double a = shapeA(random), b = shapeB(random);
        for (int i = 0; i < pairs; ++i) {
            const double d = diameter(random);
            const double h = BreastHeight + d * d / ((a + b * d) * (a + b * d)) + error(random);
            samples.push_back({d, std::max(h, BreastHeight + 0.5)});
        }
    }

    QElapsedTimer timer;
    timer.start();
    int fits = 0, converged = 0, best = 0;
    for (const SampleHeights& samples : stands) {
        const HeightCurves curves = FitHeightCurves(samples);
        fits += int(curves.models.size());
        for (const HeightCurveFit& f : curves.models)
            converged += f.converged ? 1 : 0;
        best += curves.bestFit() ? 1 : 0;
    }
    const double seconds = std::max(timer.nsecsElapsed() / 1e9, 1e-9);
    std::printf("%d dřevin × %d vzorníků, %d modelů: %.3f s, %.0f fits/s, %.0f dřevin/s\n", species, pairs,
                fits, seconds, fits / seconds, species / seconds);
    std::printf("konvergovalo %d z %d modelů, nejlepší křivku má %d z %d dřevin\n", converged, fits, best,
                species);
    return 0;
}
