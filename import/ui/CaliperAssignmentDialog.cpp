#include "CaliperAssignmentDialog.h"

#include "MessageBox.h"

#include "IniFile.h"
#include "RivwoodError.h"
#include "SettingsKeys.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CaliperAssignmentDialog::CaliperAssignmentDialog(QString settingsPath, QString positionName, QWidget* parent)
    : QDialog(parent), m_settingsPath(std::move(settingsPath)), m_positionName(std::move(positionName)) {
    m_grid = new QTableWidget(1, 2, this);
    m_grid->setObjectName("grid");
    m_grid->setHorizontalHeaderLabels({"Kód průměrky", "Dřevina"});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setFocusPolicy(Qt::NoFocus);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->setVisible(false);

    m_species = new QListWidget(this);
    m_species->setObjectName("speciesList");
    m_species->setVisible(false);

    auto* save = new QPushButton("Uložit kódy dřev.", this);
    save->setObjectName("saveCodesButton");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Zrušit", this);
    cancel->setObjectName("cancelButton");

    auto* top = new QHBoxLayout;
    top->addWidget(m_grid, 3);
    top->addWidget(m_species, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    resize(420, 360);

    connect(m_grid, &QTableWidget::cellClicked, this, &CaliperAssignmentDialog::cellClicked);
    connect(m_species, &QListWidget::itemClicked, this, &CaliperAssignmentDialog::speciesChosen);
    connect(ok, &QPushButton::clicked, this, &CaliperAssignmentDialog::okClicked);
    connect(save, &QPushButton::clicked, this, &CaliperAssignmentDialog::saveClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const IniFile ini(m_settingsPath);
    if (!m_settingsPath.isEmpty() && ini.exists())
        move(ini.ReadInteger(SettingsKeys::PracPlo, m_positionName + SettingsKeys::Leva, x()),
             ini.ReadInteger(SettingsKeys::PracPlo, m_positionName + SettingsKeys::Horni, y()));
}

CaliperAssignmentDialog::~CaliperAssignmentDialog() {
    if (m_settingsPath.isEmpty())
        return;
    try {
        IniFile ini(m_settingsPath);
        ini.WriteInteger(SettingsKeys::PracPlo, m_positionName + SettingsKeys::Leva, x());
        ini.WriteInteger(SettingsKeys::PracPlo, m_positionName + SettingsKeys::Horni, y());
    } catch (const RivwoodError&) {
        // A settings file that cannot be written only loses the window position.
    }
}

void CaliperAssignmentDialog::fillGrid() {
    const SpeciesAssignment& a = assignment();
    m_grid->clearContents();
    m_grid->setRowCount(std::max(1, a.rowCount()));
    for (int r = 0; r < a.rowCount(); ++r) {
        m_grid->setItem(r, 0, new QTableWidgetItem(a.row(r).code));
        m_grid->setItem(r, 1, new QTableWidgetItem(a.row(r).abbreviation));
    }
    m_grid->clearSelection();
    m_species->clear();
    m_species->addItems(a.offered());
    m_species->setVisible(false);
    m_row = -1;
}

void CaliperAssignmentDialog::showMessage(const UserMessage& message) {
    if (m_showMessage) {
        m_showMessage(message);
        return;
    }
    MessageBox::show(this, message);
}

void CaliperAssignmentDialog::cellClicked(int row, int) {
    m_grid->clearSelection();
    if (row < 0 || row >= assignment().rowCount())
        return;
    m_row = row;
    m_species->setVisible(true);
}

void CaliperAssignmentDialog::speciesChosen(QListWidgetItem* item) {
    m_species->setVisible(false);
    if (!item || m_row < 0 || m_row >= assignment().rowCount())
        return;
    assignment().SetAbbreviation(m_row, item->text());
    if (QTableWidgetItem* cell = m_grid->item(m_row, 1))
        cell->setText(assignment().row(m_row).abbreviation);
    else
        m_grid->setItem(m_row, 1, new QTableWidgetItem(assignment().row(m_row).abbreviation));
}

void CaliperAssignmentDialog::saveClicked() {
    try {
        saveCodes();
    } catch (const RivwoodError& e) {
        showMessage({UserMessage::Error, e.message()});
    }
}

void CaliperAssignmentDialog::okClicked() {
    const SpeciesAssignment::Check check = checkOk();
    if (check == SpeciesAssignment::Check::Empty) {
        showMessage(SpeciesAssignment::MessageFor(check));
        reject();
        return;
    }
    if (check != SpeciesAssignment::Check::Ok) {
        showMessage(SpeciesAssignment::MessageFor(check));
        return;
    }
    try {
        runImport();
    } catch (const RivwoodError& e) {
        showMessage({UserMessage::Error, e.message()});
        return;
    } catch (const std::exception& e) {
        showMessage({UserMessage::Error, QString::fromLocal8Bit(e.what())});
        return;
    }
    accept();
}
