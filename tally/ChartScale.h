#pragma once

// The axis steps of the sheet's charts.
namespace ChartScale {

// A step of 1, 2 or 5 × 10^n, at least 1, that divides `span` into at most `ticks` parts.
double NiceStep(double span, int ticks);

} // namespace ChartScale
