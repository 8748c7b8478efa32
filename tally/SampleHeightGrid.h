#pragma once

#include <QTableWidget>
#include <array>
#include <vector>

// The grid "Výškové vzorníky": the diameter (cm) and height (m) of each sample tree of the species
// on display, one tree a row, the last row empty for the next tree. A digit starts editing a cell;
// Enter hands it back and moves on, from the diameter to the height and from the height to the
// next tree's diameter; Delete empties the cell.
class SampleHeightGrid : public QTableWidget {
    Q_OBJECT
  public:
    explicit SampleHeightGrid(QWidget* parent = nullptr);

    QString text(int row, int column) const;
    // The rows' texts; rows are added or removed to match.
    void setRows(const std::vector<std::array<QString, 2>>& rows);
    // Enter after a cell: the height of the row, or the diameter of the next one.
    void moveOn();
    // Four rows under the header: the charts below get the rest of the height.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  signals:
    // The editor handed back a text that differs from the one it started with.
    void sampleEdited(int row, int column, const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void editorDone(int row, int column, const QString& text);
};
