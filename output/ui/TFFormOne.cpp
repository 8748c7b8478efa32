#include "TFFormOne.h"

#include "Biff5Writer.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "ResultsSheet.h"
#include "RivwoodError.h"
#include "StandQueries.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kShownRows = 30;
constexpr int kShownColumns = 14;

} // namespace

TFFormOne::TFFormOne(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TFFormOne"));
    setWindowTitle(QStringLiteral("Tabulka výsledků"));
    auto* layout = new QVBoxLayout(this);
    auto* panel = new QHBoxLayout;
    auto* back = new QPushButton(QStringLiteral("Návrat"), this);
    back->setObjectName(QStringLiteral("Navrat"));
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    panel->addWidget(back);
    panel->addStretch();
    layout->addLayout(panel);
    m_view = new QTableWidget(this);
    m_view->setObjectName(QStringLiteral("F1Book1"));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_view);
    resize(900, 480);
    showSheet();
}

TFFormOne& TFFormOne::of(QWidget* owner) {
    if (auto* existing = owner->findChild<TFFormOne*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new TFFormOne(owner);
}

void TFFormOne::FillResultsSheet(int sheet, StandDatabase& database, int key) {
    ResultsSheet::FillResultsSheet(m_book, sheet, StandQueries::QSestava(database, key));
    showSheet();
}

QString TFFormOne::SaveResultsWorkbook(const QString& saveDirectory, const QString& standCode) {
    const QString file = FileDialog::getSaveFileName(this, ResultsSheet::DialogTitle,
                                                     ResultsSheet::ProposedFileName(saveDirectory, standCode),
                                                     ResultsSheet::DialogFilter);
    if (file.isEmpty()) {
        MessageBox::show(this, {UserMessage::Information, ResultsSheet::NotSaved});
        return {};
    }
    QString error;
    if (!Biff5Writer::write(m_book, file, error))
        throw RivwoodError(error);
    return file;
}

void TFFormOne::SetWorkbookFont() {
    ResultsSheet::SetWorkbookFont(m_book);
    showSheet();
}

void TFFormOne::showSheet() {
    m_view->clear();
    m_view->setRowCount(std::max(kShownRows, m_book.LastRow()));
    m_view->setColumnCount(std::max(kShownColumns, m_book.LastCol()));
    const QLocale locale;
    for (const auto& [pos, cell] : m_book.sheet(m_book.Sheet()).cells) {
        auto* item = new QTableWidgetItem(cell.isText ? cell.text : locale.toString(cell.number, 'g', 15));
        if (!cell.isText)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const ResultsWorkbook::Font& f = m_book.fonts()[size_t(cell.font)];
        QFont font(f.name, std::max(1, f.size / 20));
        font.setBold(f.bold);
        font.setItalic(f.italic);
        font.setUnderline(f.underline);
        font.setStrikeOut(f.strikeOut);
        item->setFont(font);
        m_view->setItem(pos.first - 1, pos.second - 1, item);
    }
    m_view->resizeColumnsToContents();
}
