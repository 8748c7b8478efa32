#include "TFVybPor.h"

#include "MessageBox.h"
#include "ModalDialog.h"
#include "StandBatchCommands.h"
#include "StandListModel.h"
#include "TallyContext.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TFVybPor::TFVybPor(TallyContext& context, QWidget* parent) : QDialog(parent), m_ctx(context) {
    setObjectName("TFVybPor");
    setWindowTitle("Seznam porostů");
    m_model = new StandListModel(m_ctx.database, this);

    auto* layout = new QVBoxLayout(this);
    auto* filter = new QHBoxLayout;
    const QString filterHint = "Filtr pro zobrazení porostů";
    auto* show = new QLabel("Zobrazit:", this);
    show->setToolTip(filterHint);
    m_computed = new QCheckBox("&Vypočtené", this);
    m_computed->setObjectName("Vypoctene");
    m_notComputed = new QCheckBox("&Nevypočtené", this);
    m_notComputed->setObjectName("Nevypoctene");
    for (QCheckBox* box : {m_computed, m_notComputed}) {
        box->setChecked(true);
        box->setToolTip(filterHint);
        connect(box, &QCheckBox::clicked, this, [this] { RunGuarded(this, [this] { FilterClick(); }); });
    }
    filter->addWidget(show);
    filter->addWidget(m_computed);
    filter->addWidget(m_notComputed);
    filter->addStretch();
    layout->addLayout(filter);

    m_grid = new QTableView(this);
    m_grid->setObjectName("DBGrid");
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->horizontalHeader()->setHighlightSections(false);
    layout->addWidget(m_grid, 1);
    connect(m_grid, &QTableView::doubleClicked, this, [this] {
        if (m_choose->isEnabled())
            VyberPorostClick();
    });

    auto* buttons = new QHBoxLayout;
    const QStyle::StandardPixmap icons[4] = {QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,
                                             QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipForward};
    const char* hints[4] = {"První záznam", "Předcházející záznam", "Další záznam", "Poslední záznam"};
    const char* names[4] = {"NavFirst", "NavPrior", "NavNext", "NavLast"};
    for (int i = 0; i < 4; ++i) {
        m_nav[i] = new QToolButton(this);
        m_nav[i]->setObjectName(names[i]);
        m_nav[i]->setIcon(style()->standardIcon(icons[i]));
        m_nav[i]->setToolTip(QString::fromUtf8(hints[i]));
        buttons->addWidget(m_nav[i]);
        connect(m_nav[i], &QToolButton::clicked, this, [this, i] {
            const int rows = m_model->rowCount();
            if (rows == 0)
                return;
            const int row = currentRow();
            const int target = i == 0   ? 0
                               : i == 1 ? std::max(0, row - 1)
                               : i == 2 ? std::min(rows - 1, row + 1)
                                        : rows - 1;
            setCurrentRow(target);
        });
    }
    buttons->addStretch();
    // Several stands at once: select them with Shift or Ctrl.
    m_compute = new QPushButton("Výpočet vybraných porostů", this);
    m_compute->setObjectName("VypocetVybranych");
    m_compute->setToolTip("Výpočet, souhrn a uložení vybraných porostů");
    m_csv = new QPushButton("Export do CSV", this);
    m_csv->setObjectName("ExportCsv");
    m_csv->setToolTip("Vybrané porosty a jejich dřeviny do tabulky CSV");
    buttons->addWidget(m_compute);
    buttons->addWidget(m_csv);
    connect(m_compute, &QPushButton::clicked, this, [this] {
        if (StandBatchCommands::ComputeStands(m_ctx, this, selectedKeys()))
            RunGuarded(this, [this] { FilterClick(); });
    });
    connect(m_csv, &QPushButton::clicked, this,
            [this] { StandBatchCommands::ExportCsv(m_ctx, this, selectedKeys()); });
    m_delete = new QPushButton("Zruš porost", this);
    m_delete->setObjectName("ZrusPorost");
    m_delete->setToolTip("Zruš porost");
    m_choose = new QPushButton("Vyber porost", this);
    m_choose->setObjectName("VyberPorost");
    m_choose->setToolTip("Výber porost");
    m_choose->setDefault(true);
    auto* back = new QPushButton("Zpět", this);
    back->setObjectName("Zpet");
    back->setToolTip("Návrat do zápisníku");
    buttons->addWidget(m_delete);
    buttons->addWidget(m_choose);
    buttons->addWidget(back);
    layout->addLayout(buttons);
    connect(m_delete, &QPushButton::clicked, this,
            [this] { RunGuarded(this, [this] { ZrusPorostClick(); }); });
    connect(m_choose, &QPushButton::clicked, this, [this] { VyberPorostClick(); });
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TFVybPor::updateButtons);

    resize(760, 440);
}

TFVybPor::~TFVybPor() = default;

bool TFVybPor::Choose() {
    ModalDialog::exec(*this);
    return m_selected;
}

void TFVybPor::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        m_selected = false;
        RunGuarded(this, [this] { FilterClick(); });
        setCurrentRow(0);
        m_grid->setFocus();
    }
    QDialog::showEvent(event);
}

void TFVybPor::setChooseAllowed(bool allowed) {
    m_chooseAllowed = allowed;
    updateButtons();
}

void TFVybPor::updateButtons() {
    const bool any = m_model->rowCount() > 0;
    // With an empty list there is no stand to open; taking key 0 would empty the stand in memory
    // while the sheet still showed it.
    m_choose->setEnabled(m_chooseAllowed && any);
    m_delete->setEnabled(any);
    m_compute->setEnabled(any);
    m_csv->setEnabled(any);
    for (QToolButton* b : m_nav)
        b->setEnabled(any);
}

std::vector<int> TFVybPor::selectedKeys() const {
    std::vector<int> keys;
    QModelIndexList rows = m_grid->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& i : rows)
        keys.push_back(m_model->keyAt(i.row()));
    if (keys.empty() && currentRow() >= 0)
        keys.push_back(m_model->keyAt(currentRow()));
    return keys;
}

int TFVybPor::currentRow() const {
    const QModelIndex i = m_grid->currentIndex();
    return i.isValid() ? i.row() : (m_model->rowCount() > 0 ? 0 : -1);
}

void TFVybPor::setCurrentRow(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_grid->setCurrentIndex(m_model->index(row, 0));
    m_grid->selectRow(row);
}

void TFVybPor::FilterClick() {
    const int row = currentRow();
    const int currentKey = m_model->keyAt(row);
    std::vector<int> selectedKeys;
    for (const QModelIndex& i : m_grid->selectionModel()->selectedRows())
        selectedKeys.push_back(m_model->keyAt(i.row()));
    m_model->setFilter(m_computed->isChecked(), m_notComputed->isChecked());
    m_grid->resizeColumnsToContents();
    setCurrentRow(std::min(row < 0 ? 0 : row, m_model->rowCount() - 1));
    // The stands selected before stay selected where the list still holds them, the current one
    // current: a computation of the selected stands leaves the selection for the next step.
    QItemSelection kept;
    int keptCurrent = -1;
    for (int r = 0; r < m_model->rowCount(); ++r) {
        const int key = m_model->keyAt(r);
        if (std::find(selectedKeys.begin(), selectedKeys.end(), key) == selectedKeys.end())
            continue;
        kept.select(m_model->index(r, 0), m_model->index(r, StandListModel::ColumnCount - 1));
        if (keptCurrent < 0 || key == currentKey)
            keptCurrent = r;
    }
    if (kept.isEmpty())
        return;
    m_grid->selectionModel()->setCurrentIndex(m_model->index(keptCurrent, 0), QItemSelectionModel::NoUpdate);
    m_grid->selectionModel()->select(kept, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TFVybPor::VyberPorostClick() {
    if (!m_choose->isEnabled())
        return;
    m_chosenKey = m_model->keyAt(currentRow());
    m_selected = true;
    accept();
}

void TFVybPor::ZrusPorostClick() {
    const int row = currentRow();
    if (row < 0)
        return;
    if (!MessageBox::ask(this, StandListModel::DeleteQuestion(), MessageBox::Buttons::OkNo))
        return;
    const int key = m_model->keyAt(row);
    m_model->DeleteStand(row, m_ctx.store);
    m_ctx.sheet.standDeleted(key);
    m_grid->resizeColumnsToContents();
    setCurrentRow(std::min(row, m_model->rowCount() - 1));
}
