#include "ReportPageView.h"

#include "ReportItemPainter.h"
#include "TSestVystup.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

ReportPageView::ReportPageView(const TSestVystup& output, QWidget* parent)
    : QWidget(parent), m_output(output) {
    setObjectName(QStringLiteral("pageView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(sizeHint());
}

void ReportPageView::setPage(int index) {
    m_page = index;
    update();
}

void ReportPageView::setZoom(int percent) {
    m_zoom = percent;
    setFixedSize(sizeHint());
    update();
}

double ReportPageView::scale() const {
    return m_zoom / 100.0 * logicalDpiX() / 100.0;
}

QSize ReportPageView::sizeHint() const {
    const QSize paper = m_output.pageSize();
    return QSize(int(std::ceil(paper.width() * scale())), int(std::ceil(paper.height() * scale())));
}

void ReportPageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (m_page < 0 || m_page >= m_output.pageCount())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale(), scale());
    ReportItemPainter().paintPage(painter, m_output.page(m_page));
}
