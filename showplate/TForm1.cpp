#include "TForm1.h"

#include "ClickLabel.h"
#include "TFileVersion.h"

#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

QFont arial(int pixels, bool italic) {
    QFont font;
    // Arial where it is installed, else a face with its metrics, so the texts keep their places.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("Nimbus Sans")});
    font.setPixelSize(pixels);
    font.setBold(true);
    font.setItalic(italic);
    return font;
}

QFont sansSerif(int pixels) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")});
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

// Strictly inside: the rectangle's edges themselves still drag the panel.
bool strictlyInside(const QRect& r, const QPoint& p) {
    return p.x() > r.left() && p.x() < r.left() + r.width() && p.y() > r.top() &&
           p.y() < r.top() + r.height();
}

} // namespace

TForm1::TForm1(const QStringList& parameters, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_urlOpener([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    createComponents();
    setMask(panelRegion());
    setAcceptDrops(true);
    centreOnScreen();

    if (!parameters.isEmpty())
        showVersionInfo(parameters.first());
    if (parameters.size() > 1)
        m_timer1->stop();
}

void TForm1::createComponents() {
    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(0, 0, ClientWidth, ClientHeight);
    m_image1->setPixmap(QPixmap(QStringLiteral(":/showplate/Showplate.jpg")));

    m_company = addLabel("Company", QStringLiteral("Company"), {104, 40}, arial(21, false));
    m_fileName = addLabel("FileName", QStringLiteral("Valdo"), {88, 80}, arial(47, false));
    m_fileName->setWordWrap(true);
    m_fileName->setGeometry(88, 80, 401, 55);
    addLabel("Label3", QStringLiteral("verze:"), {318, 218}, arial(16, false));
    m_fileVersion = addLabel("FileVersion", QStringLiteral("verze"), {374, 218}, arial(16, false));
    m_fileDescription =
        addLabel("FileDescription", QStringLiteral("Description"), {104, 252}, arial(16, true));
    m_fileDescription->setWordWrap(true);
    m_fileDescription->setGeometry(104, 252, 369, 18);
    addLabel("Label2", QStringLiteral("©"), {8, 384}, arial(16, true));
    m_copyright = addLabel("Copyright", QStringLiteral("Copy"), {28, 384}, arial(16, true));

    m_bevel = new QFrame(this);
    m_bevel->setObjectName(QStringLiteral("Bevel"));
    m_bevel->setGeometry(384, 337, 84, 32);
    m_bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);

    m_close = new ClickLabel(QStringLiteral("Zavřít"), this);
    m_close->setObjectName(QStringLiteral("l_Close"));
    m_close->setTextFormat(Qt::PlainText);
    m_close->setFont(arial(16, true));
    m_close->setAlignment(Qt::AlignCenter);
    m_close->setGeometry(384, 344, 81, 25);
    m_close->setCursor(Qt::PointingHandCursor);
    connect(m_close, &ClickLabel::pressed, this, &TForm1::l_CloseMouseDown);
    connect(m_close, &ClickLabel::released, this, &TForm1::l_CloseMouseUp);
    connect(m_close, &ClickLabel::clicked, this, &TForm1::l_CloseClick);

    m_www = new ClickLabel(WebAddress, this);
    m_www->setObjectName(QStringLiteral("l_www"));
    m_www->setTextFormat(Qt::PlainText);
    m_www->setFont(sansSerif(13));
    QPalette blue = m_www->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    m_www->setPalette(blue);
    m_www->move(380, 382);
    m_www->adjustSize();
    m_www->setCursor(Qt::PointingHandCursor);
    connect(m_www, &ClickLabel::clicked, this, &TForm1::l_wwwClick);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(CloseDelayMs);
    connect(m_timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    m_timer1->start();
}

QLabel* TForm1::addLabel(const char* name, const QString& text, const QPoint& at, const QFont& font) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    // Texts come from arbitrary files: never let them be read as rich text.
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->move(at);
    label->adjustSize();
    return label;
}

void TForm1::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

QRegion TForm1::panelRegion() {
    constexpr int left = 3, top = 3, corner = 50, radius = corner / 2;
    const int width = ClientWidth - left, height = ClientHeight - top;
    QRegion region(left + radius, top, width - corner, height);
    region += QRegion(left, top + radius, width, height - corner);
    region += QRegion(left, top, corner, corner, QRegion::Ellipse);
    region += QRegion(ClientWidth - corner, top, corner, corner, QRegion::Ellipse);
    region += QRegion(left, ClientHeight - corner, corner, corner, QRegion::Ellipse);
    region += QRegion(ClientWidth - corner, ClientHeight - corner, corner, corner, QRegion::Ellipse);
    return region;
}

void TForm1::showVersionInfo(const QString& fileName) {
    TFileVersion version;
    version.setFileName(fileName);
    m_fileName->setText(version.productName());
    m_company->setText(version.companyName());
    m_company->adjustSize();
    m_fileVersion->setText(version.fileVersion());
    m_fileVersion->adjustSize();
    m_fileDescription->setText(version.fileDescription());
    m_copyright->setText(version.legalCopyright());
    m_copyright->adjustSize();
}

bool TForm1::isDragPoint(const QPoint& pos) const {
    return !strictlyInside(m_close->geometry(), pos) && !strictlyInside(m_www->geometry(), pos);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

// Every dropped file is shown in turn, so the last one stays on the panel.
void TForm1::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            showVersionInfo(url.toLocalFile());
    event->acceptProposedAction();
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isDragPoint(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The window manager moves the panel where it can; elsewhere it follows the mouse by hand.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pos();
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - m_dragOffset);
    else
        QWidget::mouseMoveEvent(event);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void TForm1::Timer1Timer() {
    close();
}

void TForm1::l_CloseMouseDown() {
    m_bevel->setFrameShadow(QFrame::Sunken);
}

void TForm1::l_CloseMouseUp() {
    m_bevel->setFrameShadow(QFrame::Raised);
}

void TForm1::l_CloseClick() {
    close();
}

void TForm1::l_wwwClick() {
    m_urlOpener(QUrl::fromUserInput(m_www->text()));
}
