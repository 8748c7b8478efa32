#pragma once

#include <QPoint>
#include <QRegion>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>

class ClickLabel;
class QFrame;
class QLabel;
class QTimer;

// The about panel: a borderless, rounded, always-on-top window over a background picture with the
// version information of a program file. It closes itself after five seconds unless started with a
// second parameter; "Zavřít" closes it; files dropped on it show their own version information.
class TForm1 : public QWidget {
    Q_OBJECT
  public:
    static constexpr int ClientWidth = 503;
    static constexpr int ClientHeight = 416;
    static constexpr int CloseDelayMs = 5000;
    static inline const QString WebAddress = QStringLiteral("www.rivwood.cz");

    using UrlOpener = std::function<void(const QUrl&)>;

    // `parameters` are the command-line parameters after the program name.
    explicit TForm1(const QStringList& parameters, QWidget* parent = nullptr);

    // Fills the labels from the version resource of `fileName` (empty texts when it has none).
    void showVersionInfo(const QString& fileName);
    // True when a press at `pos` (client coordinates) drags the panel: anywhere except strictly
    // inside the close label and the web link.
    bool isDragPoint(const QPoint& pos) const;
    // The visible shape: a rounded rectangle from (3, 3) to the client edges, 50 × 50 corners.
    static QRegion panelRegion();
    // Replaces the desktop's URL handler (tests).
    void setUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void createComponents();
    QLabel* addLabel(const char* name, const QString& text, const QPoint& at, const QFont& font);
    void centreOnScreen();
    void Timer1Timer();
    void l_CloseMouseDown();
    void l_CloseMouseUp();
    void l_CloseClick();
    void l_wwwClick();

    QLabel* m_image1 = nullptr;
    QLabel* m_company = nullptr;
    QLabel* m_fileName = nullptr;
    QLabel* m_fileVersion = nullptr;
    QLabel* m_fileDescription = nullptr;
    QLabel* m_copyright = nullptr;
    QFrame* m_bevel = nullptr;
    ClickLabel* m_close = nullptr;
    ClickLabel* m_www = nullptr;
    QTimer* m_timer1 = nullptr;
    UrlOpener m_urlOpener;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
