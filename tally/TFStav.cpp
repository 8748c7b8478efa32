#include "TFStav.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFStav::TFStav(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TFStav");
    setWindowTitle("FStav");
    auto* layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName("Memo");
    layout->addWidget(m_text);
    auto* close = new QPushButton("Konec", this);
    close->setObjectName("Konec");
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(420, 300);
}
