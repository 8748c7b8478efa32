#include "HeightCurveCheck.h"

#include "HeightCurveFit.h"

#include <cmath>

namespace HeightCurveCheck {

namespace {

// How far a height reading may be off without being a mistake: hypsometers read to about a metre.
constexpr double kReadingError = 1.5;

QString number(double value, int decimals) {
    return QString::number(value, 'f', decimals).replace('.', ',');
}

} // namespace

void CheckSamples(const TManual225& s, const QString& name, std::vector<PlausibilityWarning>& out) {
    const HeightCurves curves = FitHeightCurves(s.sampleHeights);
    const HeightCurveFit* fit = curves.bestFit();
    const size_t n = curves.samples.size();
    if (!fit || n < 3)
        return;
    double rss = 0;
    std::vector<double> residuals;
    for (const SampleHeight& p : curves.samples) {
        residuals.push_back(p.height - fit->height(p.diameter));
        rss += residuals.back() * residuals.back();
    }
    for (size_t i = 0; i < n; ++i) {
        const double r = residuals[i];
        // The error of the others: one wild sample would otherwise raise the yardstick it is
        // measured by (with ten samples or fewer it could never exceed three times the whole).
        const double others = std::sqrt(std::max(0.0, rss - r * r) / double(n - 1));
        if (std::fabs(r) <= 3 * others || std::fabs(r) <= kReadingError)
            continue;
        const SampleHeight& p = curves.samples[i];
        out.push_back({name, 0, PlausibilityKind::OutlyingHeight,
                       QString("%1: výškový vzorník %2 cm, %3 m leží %4 m od výškové křivky, více než "
                               "trojnásobek střední chyby ostatních vzorníků (%5 m) – není to překlep?")
                           .arg(name, number(p.diameter, 1), number(p.height, 1), number(std::fabs(r), 1),
                                number(others, 2))});
    }
}

void CheckMeanHeight(const TManual225& s, const QString& name, double d,
                     std::vector<PlausibilityWarning>& out) {
    const double h = s.meanHeight;
    if (!(h > 0 && d > 0))
        return;
    const HeightCurves curves = FitHeightCurves(s.sampleHeights);
    const HeightCurveFit* fit = curves.bestFit();
    if (!fit)
        return;
    const double curve = fit->height(d);
    if (!std::isfinite(curve) || std::fabs(h - curve) <= 0.1 * curve)
        return;
    out.push_back({name, 0, PlausibilityKind::HeightOffCurve,
                   QString("%1: střední výška %2 m se liší o %3 % od výšky %4 m, kterou dává výšková křivka "
                           "vzorníků při střední tloušťce %5 cm.")
                       .arg(name, number(h, 1), number(std::fabs(h - curve) / curve * 100, 0),
                            number(curve, 1), number(d, 1))});
}

} // namespace HeightCurveCheck
