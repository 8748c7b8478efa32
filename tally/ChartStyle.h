#pragma once

#include <QString>

class QPainter;
class QWidget;

// What the sheet's charts share: the frame with its title and the steps of the axes.
namespace ChartStyle {

// A step of 1, 2 or 5 × 10^n, at least 1, that divides `span` into at most `ticks` parts.
double NiceStep(double span, int ticks);
// The chart's base and border, and its title ("Rozdělení četností – OL") centred at the top.
void PaintFrame(QPainter& painter, const QWidget& chart, const QString& title, const QString& species);

} // namespace ChartStyle
