#include "TTabulka.h"

#include "FileDialog.h"
#include "LocaleNumbers.h"
#include "MessageBox.h"
#include "SettingsKeys.h"
#include "StandReports.h"
#include "TZapisnik.h"
#include "TallyContext.h"
#include "WindowPlacement.h"
#include "WorkbookCommands.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kHiddenColumns[] = {1, 2, 3, 6};

const UserMessage kNotComputed{UserMessage::Information, "Nejdřív je potřeba vypočítat tabulku !"};

} // namespace

TTabulka::TTabulka(TallyContext& context, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(context) {
    setObjectName("TTabulka");
    setWindowTitle(" Souhrn ");
    auto* layout = new QVBoxLayout(this);

    auto* location = new QGridLayout;
    const char* captions[4] = {"Tok", "Břeh", "Říční kilometr", "Název akce"};
    const char* names[4] = {"LTok", "LBreh", "LRKm", "LAkce"};
    for (int i = 0; i < 4; ++i) {
        m_location[i] = new QLineEdit(this);
        m_location[i]->setObjectName(names[i]);
        m_location[i]->setReadOnly(true);
        m_location[i]->setFocusPolicy(Qt::NoFocus);
        location->addWidget(new QLabel(QString::fromUtf8(captions[i]), this), 0, i);
        location->addWidget(m_location[i], 1, i);
    }
    location->setColumnStretch(0, 3);
    location->setColumnStretch(1, 1);
    location->setColumnStretch(2, 2);
    location->setColumnStretch(3, 4);
    layout->addLayout(location);

    m_grid = new QTableWidget(this);
    m_grid->setObjectName("Tabulka");
    m_grid->setColumnCount(SummaryTable::ColumnCount);
    QStringList titles;
    for (const char* t : SummaryTable::Titles)
        titles << QString::fromUtf8(t);
    m_grid->setHorizontalHeaderLabels(titles);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                            QAbstractItemView::EditKeyPressed);
    for (int c = 0; c < SummaryTable::ColumnCount; ++c) {
        const int titleWidth = m_grid->horizontalHeader()->fontMetrics().horizontalAdvance(titles[c]) + 18;
        m_grid->setColumnWidth(c, std::max(SummaryTable::DesignWidths[c] + 12, titleWidth));
    }
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(m_grid, 1);
    connect(m_grid, &QTableWidget::cellChanged, this, &TTabulka::cellEdited);

    auto* options = new QHBoxLayout;
    m_stocking = new QLabel(this);
    m_stocking->setObjectName("Zakmeneni");
    m_stocking->setVisible(false);
    m_comment = new QCheckBox("S komentářem", this);
    m_comment->setObjectName("SKomentarem");
    m_comment->setVisible(false);
    connect(m_comment, &QCheckBox::clicked, this, [this](bool on) { m_ctx.sheet.setWithComment(on); });
    m_allColumns = new QCheckBox("&Všechny sloupce", this);
    m_allColumns->setObjectName("VsechnySloupce");
    m_allColumns->setToolTip("Zobrazí také zastoupení, redukovanou a skutečnou plochu a tabulkovou zásobu");
    connect(m_allColumns, &QCheckBox::toggled, this, &TTabulka::showAllColumns);
    options->addWidget(m_allColumns);
    options->addWidget(m_stocking);
    options->addWidget(m_comment);
    options->addStretch();
    layout->addLayout(options);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* caption, const char* name, bool visible) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(name);
        b->setAutoDefault(true);
        b->setVisible(visible);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* compute = button("Výpočet a uložení do databáze", "VypocetUlozeni", true);
    QPushButton* print = button("Tisk", "Tisk", false);
    QPushButton* toExcel = button("Do excelu", "DoExcelu", false);
    QPushButton* excelOut = button("Výstup do excelu", "VystupDoExcelu", false);
    m_textOutput = button("Výstup do souboru", "VystupDoSouboru", false);
    QPushButton* next = button("Další porost", "DalsiPorost", false);
    buttons->addStretch();
    QPushButton* back = button("Návrat", "Navrat", true);
    layout->addLayout(buttons);
    connect(compute, &QPushButton::clicked, this, [this] { ComputeSummary(); });
    connect(print, &QPushButton::clicked, this, &TTabulka::TiskClick);
    connect(toExcel, &QPushButton::clicked, this, &TTabulka::DoExceluClick);
    connect(excelOut, &QPushButton::clicked, this, &TTabulka::VystupDoExceluClick);
    connect(m_textOutput, &QPushButton::clicked, this, &TTabulka::VystupDoSouboruClick);
    connect(next, &QPushButton::clicked, this, &TTabulka::DalsiPorostClick);
    connect(back, &QPushButton::clicked, this, &QWidget::close);

    resize(640, 520);
    showAllColumns(false);
    WindowPlacement::Restore(this, m_ctx.settingsFile(), SettingsKeys::Telegram);
}

TTabulka::~TTabulka() {
    WindowPlacement::Save(this, m_ctx.settingsFile(), SettingsKeys::Telegram);
}

void TTabulka::showAllColumns(bool all) {
    for (int c : kHiddenColumns)
        m_grid->setColumnHidden(c, !all);
    // The window fits the columns shown.
    int width = 0;
    for (int c = 0; c < SummaryTable::ColumnCount; ++c)
        if (!m_grid->isColumnHidden(c))
            width += m_grid->columnWidth(c);
    width += m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * m_grid->frameWidth();
    const QMargins margins = layout()->contentsMargins();
    resize(std::max(width + margins.left() + margins.right(), 460), height());
}

void TTabulka::showCells() {
    m_filling = true;
    const SummaryTable& table = m_ctx.sheet.summary().table();
    const int species = m_ctx.sheet.state().stand.count();
    const int rows = table.rowCount() - 1;
    m_grid->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < SummaryTable::ColumnCount; ++c) {
            QTableWidgetItem* item = m_grid->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                m_grid->setItem(r, c, item);
            }
            item->setText(LocaleNumbers::Localize(table.cell(c, r + 1)).trimmed());
            item->setTextAlignment(c == 0 ? Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter)
                                          : Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (SummaryTable::IsEditable(c, r + 1, species))
                flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
            QFont font = item->font();
            font.setBold(r == species);
            item->setFont(font);
        }
    }
    m_stocking->setText(LocaleNumbers::Localize(table.stockingText()));
    m_filling = false;
}

void TTabulka::cellEdited(int row, int column) {
    if (m_filling || column != SummaryTable::TableStockColumn)
        return;
    if (QTableWidgetItem* item = m_grid->item(row, column))
        m_ctx.sheet.summary().setTableStock(row + 1, item->text());
}

void TTabulka::showLocation() {
    const TManualy225& stand = m_ctx.sheet.state().stand;
    m_location[0]->setText(stand.river);
    m_location[1]->setText(stand.bank);
    m_location[2]->setText(stand.riverKm);
    m_location[3]->setText(stand.action);
}

bool TTabulka::ComputeSummary() {
    bool stored = false;
    RunGuarded(this, [&] {
        struct Show {
            TTabulka* w;
            ~Show() { w->showCells(); }
        } show{this};
        stored = m_ctx.sheet.summary().computeAndSave();
    });
    if (stored && m_ctx.zapisnik())
        m_ctx.zapisnik()->showSaved();
    return stored;
}

void TTabulka::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        m_comment->setChecked(m_ctx.sheet.state().flags.SKomentarem);
        RunGuarded(this, [this] { m_ctx.sheet.summary().show(); });
        showCells();
        showLocation();
        m_grid->setCurrentCell(0, SummaryTable::TableStockColumn);
        m_grid->setFocus();
    }
    QWidget::showEvent(event);
}

void TTabulka::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void TTabulka::TiskClick() {
    if (!m_ctx.sheet.state().stand.summary) {
        MessageBox::show(this, kNotComputed);
        return;
    }
    StandReports::PrintStand(m_ctx, this, m_ctx.sheet.state().key());
}

void TTabulka::DoExceluClick() {
    WorkbookCommands::DoExcelu(m_ctx.database, m_ctx.sheet.state(), m_ctx.sheet.state().key(),
                               m_ctx.workDirectory(), this);
}

void TTabulka::VystupDoExceluClick() {
    if (!m_ctx.sheet.state().stand.summary) {
        MessageBox::show(this, kNotComputed);
        return;
    }
    WorkbookCommands::VystupDoExcelu(m_ctx.database, m_ctx.sheet.state(), m_ctx.sheet.state().key(),
                                     m_ctx.workDirectory(), this);
}

void TTabulka::VystupDoSouboruClick() {
    m_textOutput->setEnabled(false);
    RunGuarded(this, [this] {
        if (!m_output.hasFile()) {
            const QString file = FileDialog::getSaveFileName(this, "Výstup do souboru", m_ctx.workDirectory(),
                                                             "All Files (*.*)|*.*");
            if (file.isEmpty())
                return;
            m_output.setFile(file);
        }
        m_output.Write(m_ctx.sheet.summary().table().TextOutputLines(m_ctx.sheet.state().stand));
    });
    m_textOutput->setEnabled(true);
}

void TTabulka::DalsiPorostClick() {
    m_ctx.sheet.summary().requestNextStand();
    close();
}
