#pragma once

#include <QStyledItemDelegate>
#include <functional>

// The editor of a grid cell the surveyor types into: it remembers the text an edit starts with and
// hands back a changed text; a key that moves on (Enter, arrows) first hands the text back and
// closes the editor, then moves.
class CellEditDelegate : public QStyledItemDelegate {
  public:
    using Edited =
        std::function<void(const QModelIndex& index, const QString& oldText, const QString& newText)>;
    // Whether a key leaves the cell, and the move it then makes.
    using MovesOn = std::function<bool(int key)>;
    using MoveOn = std::function<void(int key)>;

    CellEditDelegate(QObject* parent, Edited edited, MovesOn movesOn, MoveOn moveOn);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    Edited m_edited;
    MovesOn m_movesOn;
    MoveOn m_moveOn;
    mutable QString m_oldText;
};
