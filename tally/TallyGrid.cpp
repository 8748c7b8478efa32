#include "TallyGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

// The count editor: remembers the text an edit starts with and reports a changed text; Enter and
// the vertical arrows close it and move on.
class CountDelegate : public QStyledItemDelegate {
  public:
    explicit CountDelegate(TallyGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        editor->setFrame(false);
        (void)option;
        (void)index;
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        m_oldText = index.data(Qt::EditRole).toString();
        static_cast<QLineEdit*>(editor)->setText(m_oldText);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        const QString text = static_cast<QLineEdit*>(editor)->text();
        if (text == m_oldText)
            return;
        const QString old = m_oldText;
        m_oldText = text;
        model->setData(index, text, Qt::EditRole);
        m_grid->editorDone(index.row(), old, text);
    }

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            int step = 0;
            switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Down:
                step = 1;
                break;
            case Qt::Key_Up:
                step = -1;
                break;
            case Qt::Key_PageDown:
                step = 10;
                break;
            case Qt::Key_PageUp:
                step = -10;
                break;
            default:
                break;
            }
            if (step != 0) {
                auto* editor = qobject_cast<QWidget*>(object);
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_grid->moveRows(step);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

  private:
    TallyGrid* m_grid;
    mutable QString m_oldText;
};

TallyGrid::TallyGrid(QWidget* parent) : QTableWidget(parent) {
    setObjectName("ZapForm");
    setColumnCount(5);
    setHorizontalHeaderLabels({"Obvod", "Tl.stupeň", "Četnost", "Obj.jedn.", "Objem"});
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    // Tab leaves the grid for the next control of the workflow.
    setTabKeyNavigation(false);
    setItemDelegateForColumn(CountColumn, new CountDelegate(this));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QString TallyGrid::text(int row, int column) const {
    const QTableWidgetItem* i = item(row, column);
    return i ? i->text() : QString();
}

void TallyGrid::setText(int row, int column, const QString& text) {
    QTableWidgetItem* i = item(row, column);
    if (!i)
        return;
    i->setText(text);
}

void TallyGrid::setRows(int rows) {
    const int before = rowCount();
    setRowCount(rows);
    const QBrush fixed = palette().brush(QPalette::Button);
    for (int r = before; r < rows; ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            auto* i = new QTableWidgetItem;
            i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (c == CountColumn) {
                i->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            } else {
                i->setFlags(Qt::ItemIsEnabled);
                if (c < CountColumn)
                    i->setBackground(fixed);
            }
            setItem(r, c, i);
        }
    }
}

void TallyGrid::moveRows(int step) {
    if (rowCount() == 0)
        return;
    const int row = currentIndex().isValid() ? currentRow() : 0;
    const int target = std::clamp(row + step, 0, rowCount() - 1);
    setCurrentCell(target, CountColumn);
}

QModelIndex TallyGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveLeft || action == MoveRight || action == MoveNext || action == MovePrevious)
        return currentIndex();
    const QModelIndex i = QTableWidget::moveCursor(action, modifiers);
    return i.isValid() ? model()->index(i.row(), CountColumn) : i;
}

void TallyGrid::keyPressEvent(QKeyEvent* event) {
    if (state() != EditingState) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            moveRows(1);
            return;
        case Qt::Key_Delete:
        case Qt::Key_Backspace: {
            const int row = currentRow();
            if (row >= 0 && currentColumn() == CountColumn && !text(row, CountColumn).isEmpty()) {
                const QString old = text(row, CountColumn);
                setText(row, CountColumn, QString());
                editorDone(row, old, QString());
            }
            return;
        }
        default:
            break;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void TallyGrid::editorDone(int row, const QString& oldText, const QString& newText) {
    emit countEdited(row, oldText, newText);
}
