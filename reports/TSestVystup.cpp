#include "TSestVystup.h"

#include "ReportItemPainter.h"

#include <QPainter>

void TSestVystup::clear() {
    m_pages.clear();
}

TStranaPrvku& TSestVystup::newPage() {
    TStranaPrvku page;
    page.number = int(m_pages.size()) + 1;
    m_pages.push_back(std::move(page));
    return m_pages.back();
}

QPicture TSestVystup::picture(int index) const {
    QPicture picture;
    picture.setBoundingRect(QRect(QPoint(0, 0), m_pageSize));
    QPainter painter(&picture);
    ReportItemPainter().paintPage(painter, page(index));
    painter.end();
    picture.setBoundingRect(QRect(QPoint(0, 0), m_pageSize));
    return picture;
}
