#pragma once

#include "TStranaPrvku.h"

#include <QPicture>
#include <QSize>
#include <vector>

// The output buffer of a report run: the composed pages with their items, kept until the next run.
class TSestVystup {
  public:
    void clear();
    // Paper size in hundredths of an inch (after orientation).
    void setPageSize(const QSize& size) { m_pageSize = size; }
    QSize pageSize() const { return m_pageSize; }

    // Starts a new page numbered after the last one and returns it.
    TStranaPrvku& newPage();
    int pageCount() const { return int(m_pages.size()); }
    const TStranaPrvku& page(int index) const { return m_pages.at(size_t(index)); }
    TStranaPrvku& page(int index) { return m_pages.at(size_t(index)); }
    TStranaPrvku* lastPage() { return m_pages.empty() ? nullptr : &m_pages.back(); }

    // The page as a recorded drawing in hundredths of an inch, its bounding rectangle the paper.
    QPicture picture(int index) const;

  private:
    std::vector<TStranaPrvku> m_pages;
    QSize m_pageSize{850, 1200};
};
