#pragma once

#include "HeightCurveFit.h"
#include "JhkReference.h"

#include <QWidget>
#include <optional>
#include <vector>

// The height curve of the species on display: its sample trees as points, the best height curve
// fitted to them over the sampled diameters, the JHK curve its computation chose and the mean
// stem; the legend names the model and its root mean square error. Axes in cm and m. Hovering a
// point tells its diameter and height.
class HeightChart : public QWidget {
    Q_OBJECT
  public:
    struct Data {
        QString species;
        SampleHeights samples;
        std::optional<HeightCurveFit> curve; // the best curve; none when none converged
        double from = 0, to = 0;             // the sampled diameters the curve is drawn over
        std::vector<CurvePoint> jhk;         // the chosen JHK curve; empty before a computation
        QString jhkName;                     // "JHK 24,00"
        double meanDiameter = 0, meanHeight = 0;
        friend bool operator==(const Data&, const Data&) = default;
    };

    explicit HeightChart(QWidget* parent = nullptr);

    void setData(const Data& data);
    const Data& data() const { return m_data; }

    QSize sizeHint() const override { return {300, 220}; }
    QSize minimumSizeHint() const override { return {200, 140}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    struct Scale {
        QRectF area;
        double x0 = 0, x1 = 1, y0 = 0, y1 = 1;
        bool legendBeside = false;
        QPointF at(double d, double h) const;
    };
    Scale scale() const;
    int sampleAt(const QPoint& point) const;

    Data m_data;
};
