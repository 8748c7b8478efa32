#include "ReportPreviewWindow.h"

#include "CodePageDialog.h"
#include "ReportPageView.h"
#include "ReportProgressWindow.h"
#include "ReportTextExport.h"
#include "RivwoodError.h"
#include "SettingsKeys.h"
#include "TSestava.h"

#include "FileDialog.h"
#include "MessageBox.h"
#include "ModalDialog.h"
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* pageButton(QWidget* parent, const char* name, const QString& symbol, const QString& hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(symbol);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setAutoRaise(true);
    return b;
}

} // namespace

ReportPreviewWindow::ReportPreviewWindow(TSestavaD& report, QWidget* parent)
    : QDialog(parent), m_report(report), m_printing(this) {
    setWindowTitle(QStringLiteral("Prohlížení sestavy před tiskem"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);

    m_first = pageButton(this, "firstPage", QStringLiteral("|◀"), QStringLiteral("První stránka"));
    m_prior = pageButton(this, "priorPage", QStringLiteral("◀"), QStringLiteral("Předchozí stránka"));
    m_next = pageButton(this, "nextPage", QStringLiteral("▶"), QStringLiteral("Další stránka"));
    m_last = pageButton(this, "lastPage", QStringLiteral("▶|"), QStringLiteral("Poslední stránka"));
    bar->addWidget(m_first);
    bar->addWidget(m_prior);
    m_pageNumber = new QLabel(this);
    m_pageNumber->setObjectName(QStringLiteral("pageNumber"));
    m_pageNumber->setFrameShape(QFrame::Panel);
    m_pageNumber->setFrameShadow(QFrame::Sunken);
    m_pageNumber->setMinimumWidth(48);
    m_pageNumber->setAlignment(Qt::AlignCenter);
    m_pageNumber->setToolTip(QStringLiteral("Číslo stránky"));
    m_pageCount = new QLabel(this);
    m_pageCount->setObjectName(QStringLiteral("pageCount"));
    m_pageCount->setFrameShape(QFrame::Panel);
    m_pageCount->setFrameShadow(QFrame::Sunken);
    m_pageCount->setMinimumWidth(48);
    m_pageCount->setAlignment(Qt::AlignCenter);
    m_pageCount->setToolTip(QStringLiteral("Počet stran"));
    bar->addWidget(m_pageNumber);
    bar->addWidget(m_pageCount);
    bar->addWidget(m_next);
    bar->addWidget(m_last);
    bar->addSpacing(16);

    m_zooms = new QButtonGroup(this);
    m_zooms->setExclusive(true);
    for (int z : Zooms) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("zoom%1").arg(z));
        b->setText(QStringLiteral("%1 %").arg(z));
        b->setCheckable(true);
        b->setAutoRaise(true);
        m_zooms->addButton(b, z);
        bar->addWidget(b);
    }
    bar->addStretch(1);

    m_edit = new QPushButton(QStringLiteral("Oprava předlohy"), this);
    m_edit->setObjectName(QStringLiteral("editTemplate"));
    m_edit->setEnabled(false);
    auto* print = new QPushButton(QStringLiteral("Tisk sestavy"), this);
    print->setObjectName(QStringLiteral("print"));
    auto* pdf = new QPushButton(QStringLiteral("Uložit do PDF..."), this);
    pdf->setObjectName(QStringLiteral("pdf"));
    auto* text = new QPushButton(QStringLiteral("Uložit jako text..."), this);
    text->setObjectName(QStringLiteral("text"));
    auto* close = new QPushButton(QStringLiteral("Ukončení"), this);
    close->setObjectName(QStringLiteral("close"));
    bar->addWidget(m_edit);
    bar->addWidget(print);
    bar->addWidget(pdf);
    bar->addWidget(text);
    bar->addWidget(close);

    m_view = new ReportPageView(report.output(), this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("pageArea"));
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);

    choosePdfFile = [this] {
        return FileDialog::getSaveFileName(this, QStringLiteral("Uložit sestavu do PDF"), QString(),
                                           QStringLiteral("PDF (*.pdf)|*.pdf"));
    };

    chooseTextFile = [this] {
        return FileDialog::getSaveFileName(this, QStringLiteral("Uložit sestavu jako text"), QString(),
                                           QStringLiteral("Text (*.txt)|*.txt|Všechny soubory (*.*)|*.*"));
    };
    chooseCodePage = [this](TSestLanguage current) {
        return CodePageDialog::ask(this, QStringLiteral("Kódová stránka textu"), current);
    };

    connect(m_first, &QToolButton::clicked, this, [this] { showPage(1); });
    connect(m_prior, &QToolButton::clicked, this, [this] { showPage(currentPage() - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { showPage(currentPage() + 1); });
    connect(m_last, &QToolButton::clicked, this, [this] { showPage(m_report.output().pageCount()); });
    connect(m_zooms, &QButtonGroup::idClicked, this, [this](int z) { setZoom(z); });
    connect(print, &QPushButton::clicked, this, [this] { this->print(); });
    connect(pdf, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(text, &QPushButton::clicked, this, [this] { saveText(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(new QShortcut(QKeySequence(Qt::Key_PageDown), this), &QShortcut::activated, this,
            [this] { showPage(currentPage() + 1); });
    connect(new QShortcut(QKeySequence(Qt::Key_PageUp), this), &QShortcut::activated, this,
            [this] { showPage(currentPage() - 1); });

    setZoom(100);
    showPage(1);
}

int ReportPreviewWindow::currentPage() const {
    return m_view->page() + 1;
}

void ReportPreviewWindow::showPage(int number) {
    const int count = m_report.output().pageCount();
    m_view->setPage(std::clamp(number, 1, std::max(1, count)) - 1);
    m_scroll->ensureVisible(0, 0);
    updateState();
}

int ReportPreviewWindow::zoom() const {
    return m_view->zoom();
}

void ReportPreviewWindow::setZoom(int percent) {
    if (std::find(Zooms.begin(), Zooms.end(), percent) == Zooms.end())
        return;
    m_view->setZoom(percent);
    if (QAbstractButton* b = m_zooms->button(percent))
        b->setChecked(true);
}

void ReportPreviewWindow::updateState() {
    const int count = m_report.output().pageCount();
    const int page = count > 0 ? currentPage() : 0;
    m_pageNumber->setText(QString::number(page));
    m_pageCount->setText(QString::number(count));
    m_first->setEnabled(page > 1);
    m_prior->setEnabled(page > 1);
    m_next->setEnabled(page < count);
    m_last->setEnabled(page < count);
}

void ReportPreviewWindow::print() {
    m_printing.print(m_report);
}

void ReportPreviewWindow::savePdf() {
    const QString file = choosePdfFile();
    if (file.isEmpty())
        return;
    const int start = m_report.StartPage, end = m_report.EndPage, copies = m_report.PrintCopies;
    m_report.StartPage = 1;
    m_report.EndPage = 9999;
    m_report.PrintCopies = 1;
    const bool ok = m_report.exportPdf(file);
    m_report.StartPage = start;
    m_report.EndPage = end;
    m_report.PrintCopies = copies;
    if (!ok)
        m_printing.showMessage(m_report.errorString());
}

void ReportPreviewWindow::setSettingsFile(const QString& file) {
    m_settingsFile = file;
    m_printing.settingsFile = file;
}

void ReportPreviewWindow::saveText() {
    const QString file = chooseTextFile();
    if (file.isEmpty())
        return;
    const std::optional<TSestLanguage> codePage = chooseCodePage(
        CodePageDialog::stored(m_settingsFile, SettingsKeys::KodovaStrankaTextu, m_report.ExportLanguage));
    if (!codePage)
        return;
    CodePageDialog::store(m_settingsFile, SettingsKeys::KodovaStrankaTextu, *codePage);
    // All pages once, in the chosen code page; the component's own settings stay.
    const int start = m_report.StartPage, end = m_report.EndPage, copies = m_report.PrintCopies;
    const TSestLanguage language = m_report.ExportLanguage;
    m_report.StartPage = 1;
    m_report.EndPage = 9999;
    m_report.PrintCopies = 1;
    m_report.ExportLanguage = *codePage;
    try {
        ReportProgressWindow progress(this);
        progress.show();
        ReportTextExport::exportReport(m_report, file, &progress);
    } catch (const RivwoodError& e) {
        m_printing.showMessage(e.message());
    }
    m_report.StartPage = start;
    m_report.EndPage = end;
    m_report.PrintCopies = copies;
    m_report.ExportLanguage = language;
}

bool PreviewReport(TSestava& report, QWidget* parent, const QString& settingsFile) {
    int result = TSestavaD::ComposeFailed;
    {
        ReportProgressWindow progress(parent);
        progress.show();
        report.setProgress(&progress);
        result = report.compose();
        report.setProgress(nullptr);
    }
    if (result == TSestavaD::ComposeFailed) {
        MessageBox::show(parent, {UserMessage::Warning, report.errorString()});
        return false;
    }
    ReportPreviewWindow preview(report, parent);
    preview.setSettingsFile(settingsFile);
    preview.setWindowState(Qt::WindowMaximized);
    return ModalDialog::exec(preview) == QDialog::Accepted;
}
