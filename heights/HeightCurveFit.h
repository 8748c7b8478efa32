#pragma once

#include "HeightModel.h"
#include "SampleHeight.h"

#include <QString>
#include <optional>
#include <vector>

// One height–diameter model fitted to a species' sample heights by nonlinear least squares.
struct HeightCurveFit {
    HeightModel model = HeightModel::Naslund;
    std::vector<double> parameters;
    double rmse = 0; // √(RSS / n), m
    double bias = 0; // mean residual, measured minus curve, m
    double aic = 0;  // n·ln(RSS / n) + 2k
    // The fit converged and the curve rises (or stays) with diameter over the sampled range,
    // above breast height; only such a curve is used.
    bool converged = false;
    QString failure; // why it is not used, in the program's words; empty when converged

    double height(double diameter) const;
    friend bool operator==(const HeightCurveFit&, const HeightCurveFit&) = default;
};

// The height curves of one species: every model that has enough pairs, fitted, and the best.
struct HeightCurves {
    SampleHeights samples; // the usable pairs, in their order
    double minDiameter = 0, maxDiameter = 0;
    std::vector<HeightCurveFit> models; // in the order of HeightModels::All
    int best = -1;                      // index into models; -1 when no model converged

    // The converged model with the lowest AIC, or null.
    const HeightCurveFit* bestFit() const { return best >= 0 ? &models[size_t(best)] : nullptr; }
};

// Pairs a model of k parameters needs: k + 2.
int RequiredSamples(HeightModel model);

// Fits one model to usable pairs (see IsUsableSample) by Levenberg–Marquardt from the start
// values of its linearised form. Fewer pairs than the model needs give a failed fit.
HeightCurveFit FitHeightModel(HeightModel model, const SampleHeights& usablePairs);

// Fits every model (or `only` that one) that the usable pairs among `pairs` suffice for; the
// best is the converged model with the lowest AIC.
HeightCurves FitHeightCurves(const SampleHeights& pairs, std::optional<HeightModel> only = std::nullopt);
