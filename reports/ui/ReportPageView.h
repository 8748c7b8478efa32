#pragma once

#include <QWidget>

class TSestVystup;

// One composed page drawn on white paper at a zoom (100 % = the paper's real size on the screen).
class ReportPageView : public QWidget {
    Q_OBJECT

  public:
    explicit ReportPageView(const TSestVystup& output, QWidget* parent = nullptr);

    void setPage(int index);
    int page() const { return m_page; }
    void setZoom(int percent);
    int zoom() const { return m_zoom; }
    // Screen pixels per hundredth of an inch at the current zoom.
    double scale() const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const TSestVystup& m_output;
    int m_page = 0;
    int m_zoom = 100;
};
