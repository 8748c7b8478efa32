#pragma once

#include <QColor>

// The 16 colours that element colour fields index: black, maroon, green, olive, navy, purple, teal,
// grey, silver, red, lime, yellow, blue, fuchsia, aqua, white. Indexes outside the table are black.
namespace ReportColors {

QColor color(int index);
constexpr int kCount = 16;

} // namespace ReportColors
