#include "SampleHeightGrid.h"

#include "CellEditDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>

SampleHeightGrid::SampleHeightGrid(QWidget* parent) : QTableWidget(parent) {
    setObjectName("VyskoveVzorniky");
    setColumnCount(2);
    setHorizontalHeaderLabels({"Tloušťka (cm)", "Výška (m)"});
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);
    // Enter hands the cell back and moves on.
    const auto enter = [](int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; };
    setItemDelegate(new CellEditDelegate(
        this,
        [this](const QModelIndex& index, const QString&, const QString& text) {
            editorDone(index.row(), index.column(), text);
        },
        enter, [this](int) { moveOn(); }));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setToolTip("Výškové vzorníky dřeviny: tloušťka a výška změřených stromů");
}

QString SampleHeightGrid::text(int row, int column) const {
    const QTableWidgetItem* i = item(row, column);
    return i ? i->text() : QString();
}

void SampleHeightGrid::setRows(const std::vector<std::array<QString, 2>>& rows) {
    const int before = rowCount();
    if (before != int(rows.size()))
        setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < 2; ++c) {
            QTableWidgetItem* i = item(r, c);
            if (!i) {
                i = new QTableWidgetItem;
                i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                setItem(r, c, i);
            }
            if (i->text() != rows[size_t(r)][size_t(c)])
                i->setText(rows[size_t(r)][size_t(c)]);
        }
    }
}

QSize SampleHeightGrid::sizeHint() const {
    return {220, horizontalHeader()->sizeHint().height() + verticalHeader()->defaultSectionSize() * 4 +
                     2 * frameWidth()};
}

void SampleHeightGrid::moveOn() {
    if (rowCount() == 0)
        return;
    const int row = std::max(currentRow(), 0);
    if (currentColumn() == 0)
        setCurrentCell(row, 1);
    else
        setCurrentCell(std::min(row + 1, rowCount() - 1), 0);
}

void SampleHeightGrid::keyPressEvent(QKeyEvent* event) {
    if (state() != EditingState) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            moveOn();
            return;
        case Qt::Key_Delete:
        case Qt::Key_Backspace: {
            const int row = currentRow(), column = currentColumn();
            if (row >= 0 && column >= 0 && !text(row, column).isEmpty()) {
                item(row, column)->setText(QString());
                editorDone(row, column, QString());
            }
            return;
        }
        default:
            break;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void SampleHeightGrid::editorDone(int row, int column, const QString& text) {
    emit sampleEdited(row, column, text);
}
