#include "HeightCurveFit.h"

#include <Eigen/Core>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <unsupported/Eigen/NonLinearOptimization>

namespace {

// The residuals curve − measured of the pairs and their Jacobian, as the minimiser asks for them.
struct Residuals {
    HeightModel model;
    const SampleHeights& pairs;

    int inputs() const { return HeightModels::ParameterCount(model); }
    int values() const { return int(pairs.size()); }

    int operator()(const Eigen::VectorXd& p, Eigen::VectorXd& f) const {
        for (Eigen::Index i = 0; i < f.size(); ++i) {
            const SampleHeight& s = pairs[size_t(i)];
            const double r = HeightModels::Height(model, p.data(), s.diameter) - s.height;
            // A step onto a pole of the curve is refused by its large residual, not followed.
            f(i) = std::isfinite(r) ? r : 1e10;
        }
        return 0;
    }

    int df(const Eigen::VectorXd& p, Eigen::MatrixXd& jacobian) const {
        double g[HeightModels::MaxParameters];
        for (Eigen::Index i = 0; i < jacobian.rows(); ++i) {
            HeightModels::Gradient(model, p.data(), pairs[size_t(i)].diameter, g);
            for (Eigen::Index j = 0; j < jacobian.cols(); ++j)
                jacobian(i, j) = std::isfinite(g[j]) ? g[j] : 0;
        }
        return 0;
    }
};

bool convergedStatus(Eigen::LevenbergMarquardtSpace::Status status) {
    using namespace Eigen::LevenbergMarquardtSpace;
    switch (status) {
    case RelativeReductionTooSmall:
    case RelativeErrorTooSmall:
    case RelativeErrorAndReductionTooSmall:
    case CosinusTooSmall:
    // The tolerances are below what the arithmetic can reach: the minimum is as close as it gets.
    case FtolTooSmall:
    case XtolTooSmall:
    case GtolTooSmall:
        return true;
    default:
        return false;
    }
}

// Why the curve cannot serve over [from, to]: a height that is not finite or not above breast
// height, or one that falls with diameter. Empty when it serves.
QString shapeProblem(const HeightCurveFit& fit, double from, double to) {
    constexpr int steps = 200;
    double previous = -INFINITY;
    for (int i = 0; i <= steps; ++i) {
        const double d = from + (to - from) * i / steps;
        const double h = fit.height(d);
        if (!std::isfinite(h) || h <= BreastHeight)
            return "křivka dává v rozsahu vzorníků neplatné výšky";
        if (h < previous - 1e-9 * (1 + std::fabs(previous)))
            return "křivka s tloušťkou klesá";
        previous = h;
    }
    return {};
}

} // namespace

double HeightCurveFit::height(double diameter) const {
    if (int(parameters.size()) != HeightModels::ParameterCount(model))
        return NAN;
    return HeightModels::Height(model, parameters.data(), diameter);
}

int RequiredSamples(HeightModel model) {
    return HeightModels::ParameterCount(model) + 2;
}

HeightCurveFit FitHeightModel(HeightModel model, const SampleHeights& pairs) {
    HeightCurveFit fit;
    fit.model = model;
    const int k = HeightModels::ParameterCount(model);
    const int n = int(pairs.size());
    if (n < RequiredSamples(model)) {
        fit.failure = QString("model potřebuje alespoň %1 vzorníků").arg(RequiredSamples(model));
        return fit;
    }
    std::vector<double> diameters;
    for (const SampleHeight& s : pairs)
        diameters.push_back(s.diameter);
    std::sort(diameters.begin(), diameters.end());
    // k parameters need the heights of k different diameters.
    const std::optional<std::vector<double>> start =
        std::unique(diameters.begin(), diameters.end()) - diameters.begin() >= k
            ? HeightModels::StartValues(model, pairs)
            : std::nullopt;
    if (!start) {
        fit.failure = "vzorníky neurčují parametry modelu (mají příliš málo různých tlouštěk)";
        return fit;
    }
    Eigen::VectorXd p = Eigen::Map<const Eigen::VectorXd>(start->data(), k);
    Residuals residuals{model, pairs};
    Eigen::VectorXd f(n);
    residuals(p, f);
    Eigen::LevenbergMarquardtSpace::Status status = Eigen::LevenbergMarquardtSpace::ImproperInputParameters;
    if (p.allFinite() && f.allFinite() && f.cwiseAbs().maxCoeff() < 1e9) {
        Eigen::LevenbergMarquardt<Residuals> lm(residuals);
        lm.parameters.maxfev = 2000;
        lm.parameters.ftol = 1e-12;
        lm.parameters.xtol = 1e-12;
        status = lm.minimize(p);
    }
    fit.parameters.assign(p.data(), p.data() + k);

    double rss = 0, sum = 0;
    for (const SampleHeight& s : pairs) {
        const double r = s.height - fit.height(s.diameter);
        rss += r * r;
        sum += r;
    }
    fit.rmse = std::sqrt(rss / n);
    fit.bias = sum / n;
    // A curve through every pair exactly has no finite log-likelihood; the smallest normal number
    // stands in for its zero sum of squares.
    fit.aic = n * std::log(std::max(rss / n, DBL_MIN)) + 2 * k;

    double from = pairs.front().diameter, to = from;
    for (const SampleHeight& s : pairs) {
        from = std::min(from, s.diameter);
        to = std::max(to, s.diameter);
    }
    if (!convergedStatus(status) || !p.allFinite() || !std::isfinite(rss))
        fit.failure = "výpočet nekonvergoval";
    else
        fit.failure = shapeProblem(fit, from, to);
    fit.converged = fit.failure.isEmpty();
    return fit;
}

HeightCurves FitHeightCurves(const SampleHeights& pairs, std::optional<HeightModel> only) {
    HeightCurves curves;
    for (const SampleHeight& s : pairs)
        if (IsUsableSample(s))
            curves.samples.push_back(s);
    if (curves.samples.empty())
        return curves;
    curves.minDiameter = curves.maxDiameter = curves.samples.front().diameter;
    for (const SampleHeight& s : curves.samples) {
        curves.minDiameter = std::min(curves.minDiameter, s.diameter);
        curves.maxDiameter = std::max(curves.maxDiameter, s.diameter);
    }
    for (const HeightModel model : HeightModels::All) {
        if ((only && model != *only) || int(curves.samples.size()) < RequiredSamples(model))
            continue;
        curves.models.push_back(FitHeightModel(model, curves.samples));
        const HeightCurveFit& fit = curves.models.back();
        if (fit.converged && (curves.best < 0 || fit.aic < curves.models[size_t(curves.best)].aic))
            curves.best = int(curves.models.size()) - 1;
    }
    return curves;
}
