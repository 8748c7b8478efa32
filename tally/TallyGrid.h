#pragma once

#include <QTableWidget>

// The tally grid ZapForm: five columns, of which only the count column can be selected and
// edited. A surveyor types the counts straight in: a digit starts editing the cell, Enter or the
// arrow keys hand the count back and move to the next class, Delete empties the cell.
class TallyGrid : public QTableWidget {
    Q_OBJECT
  public:
    static constexpr int CountColumn = 2;

    explicit TallyGrid(QWidget* parent = nullptr);

    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    // Makes every row's items, with the count column the only selectable and editable one.
    void setRows(int rows);
    // Moves the current cell by `step` rows, staying in the count column.
    void moveRows(int step);

  signals:
    // The editor handed back a text that differs from the one it started with.
    void countEdited(int row, const QString& oldText, const QString& newText);

  protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void editorDone(int row, const QString& oldText, const QString& newText);
};
