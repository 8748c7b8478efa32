#pragma once

#include "SampleHeight.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

// The height–diameter models of a stand's height curve, each h = 1.3 + f(d) with d in cm and h in m:
//   naslund     h = 1.3 + d² / (a + b·d)²
//   michailoff  h = 1.3 + a·exp(−b / d)
//   curtis      h = 1.3 + a·(d / (1 + d))^b
//   meyer       h = 1.3 + a·(1 − exp(−b·d))
//   power       h = 1.3 + a·d^b
//   petterson   h = 1.3 + (d / (a + b·d))³
//   wykoff      h = 1.3 + exp(a + b / (d + 1))
//   prodan      h = 1.3 + d² / (a + b·d + c·d²)
enum class HeightModel { Naslund, Michailoff, Curtis, Meyer, Power, Petterson, Wykoff, Prodan };

namespace HeightModels {

inline constexpr std::array<HeightModel, 8> All{
    HeightModel::Naslund, HeightModel::Michailoff, HeightModel::Curtis, HeightModel::Meyer,
    HeightModel::Power,   HeightModel::Petterson,  HeightModel::Wykoff, HeightModel::Prodan};
inline constexpr int MaxParameters = 3;

// The name rivwood-cli uses ("naslund" …).
QString Name(HeightModel model);
// The name the windows show ("Näslund" …).
QString Title(HeightModel model);
// The model of a name (case-insensitive); nothing for an unknown one.
std::optional<HeightModel> FromName(const QString& name);
// "naslund, michailoff, …" for messages.
QString NameList();
int ParameterCount(HeightModel model);

// The height at diameter d (may be non-finite where the curve has a pole).
double Height(HeightModel model, const double* parameters, double d);
// ∂h/∂parameter at diameter d, one value per parameter.
void Gradient(HeightModel model, const double* parameters, double d, double* gradient);
// Start values from a least-squares fit of the model's linearised form (Näslund: d/√(h−1.3) is
// linear in d); for Meyer's model the best asymptote for each rate on a grid of rates. Nothing when
// the usable pairs do not determine the parameters (all at one diameter).
std::optional<std::vector<double>> StartValues(HeightModel model, const SampleHeights& usablePairs);

} // namespace HeightModels
