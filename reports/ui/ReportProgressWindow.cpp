#include "ReportProgressWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kEventInterval = 40; // ms between event processing while the report runs
}

ReportProgressWindow::ReportProgressWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Informace"));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(PreparingText, this);
    m_label->setObjectName(QStringLiteral("message"));
    m_label->setMinimumWidth(
        m_label->fontMetrics().horizontalAdvance(PreparingText + QStringLiteral("000000")));
    layout->addWidget(m_label);
    m_stop = new QPushButton(QStringLiteral("Přerušit"), this);
    m_stop->setObjectName(QStringLiteral("interrupt"));
    layout->addWidget(m_stop, 0, Qt::AlignHCenter);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_interrupted = true; });
    m_sinceEvents.start();
}

void ReportProgressWindow::showSending() {
    m_label->setText(SendingText);
    processEvents(true);
}

QString ReportProgressWindow::message() const {
    return m_label->text();
}

void ReportProgressWindow::recordNumber(int number) {
    m_record = number;
    if (m_sinceEvents.elapsed() >= kEventInterval || number <= 1)
        m_label->setText(PreparingText + QString::number(number));
}

bool ReportProgressWindow::poll() {
    processEvents(false);
    return m_interrupted;
}

void ReportProgressWindow::processEvents(bool force) {
    if (!force && m_sinceEvents.elapsed() < kEventInterval)
        return;
    if (m_label->text().startsWith(PreparingText))
        m_label->setText(PreparingText + QString::number(m_record));
    QApplication::processEvents();
    m_sinceEvents.restart();
}
