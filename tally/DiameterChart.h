#pragma once

#include <QWidget>
#include <vector>

// The diameter distribution of the species on display: trees per class as bars, over the range
// of classes that hold trees. Hovering a bar tells its class and count.
class DiameterChart : public QWidget {
    Q_OBJECT
  public:
    struct Bar {
        double centre = 0;
        double trees = 0;
        friend bool operator==(const Bar&, const Bar&) = default;
    };

    explicit DiameterChart(QWidget* parent = nullptr);

    // Every class of the sheet in order; the chart shows those from the first to the last class
    // with trees.
    void setData(const QString& species, const std::vector<Bar>& classes);
    const std::vector<Bar>& shownBars() const { return m_bars; }
    const QString& species() const { return m_species; }

    QSize sizeHint() const override { return {300, 220}; }
    QSize minimumSizeHint() const override { return {200, 140}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    QRectF plotArea() const;
    int barAt(const QPoint& point) const;
    double axisTop() const;

    QString m_species;
    std::vector<Bar> m_bars;
};
