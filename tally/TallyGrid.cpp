#include "TallyGrid.h"

#include "CellEditDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace {

// The rows Enter and the vertical keys move the cursor by; 0 for any other key.
int stepOf(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        return 1;
    case Qt::Key_Up:
        return -1;
    case Qt::Key_PageDown:
        return 10;
    case Qt::Key_PageUp:
        return -10;
    default:
        return 0;
    }
}

} // namespace

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
    // The count editor: Enter and the vertical keys hand the count back and move on.
    setItemDelegateForColumn(
        CountColumn,
        new CellEditDelegate(
            this,
            [this](const QModelIndex& index, const QString& oldText, const QString& newText) {
                editorDone(index.row(), oldText, newText);
            },
            [](int key) { return stepOf(key) != 0; }, [this](int key) { moveRows(stepOf(key)); }));
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
