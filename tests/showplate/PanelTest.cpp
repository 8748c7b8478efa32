#include "ApplicationEnvironment.h"
#include "TForm1.h"
#include "TestSupport.h"
#include "VersionFixtures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const auto* const environment = testsupport::InstallApplication<QApplication>(
    "showplate_panel_test", false, [](QApplication& app) { app.setQuitOnLastWindowClosed(false); });

QString text(const TForm1& form, const char* name) {
    const QLabel* label = form.findChild<QLabel*>(name);
    return label ? label->text() : QString("<no label %1>").arg(name);
}

QFrame::Shadow bevelShadow(const TForm1& form) {
    return form.findChild<QFrame*>("Bevel")->frameShadow();
}

class PanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_program = m_dir.filePath("ZAPISNIK.EXE");
        ASSERT_TRUE(testsupport::writeFile(m_program, fixtures::buildPe(fixtures::versionBlock())));
        fixtures::VersionData other;
        other.strings = {{"ProductName", "Olšina"}, {"CompanyName", "Povodí Moravy"}, {"FileVersion", "3.1"}};
        m_other = m_dir.filePath("OLSINA.EXE");
        ASSERT_TRUE(testsupport::writeFile(m_other, fixtures::buildPe(fixtures::versionBlock(other))));
        m_plain = m_dir.filePath("readme.txt");
        ASSERT_TRUE(testsupport::writeFile(m_plain, "no program"));
    }

    // A drag from the shell: it enters the panel, then drops.
    void drop(TForm1& form, const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        QDropEvent event(QPointF(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &event);
    }

    QTemporaryDir m_dir;
    QString m_program, m_other, m_plain;
};

} // namespace

TEST_F(PanelTest, WithoutParametersShowsTheDesignTexts) {
    TForm1 form({});
    EXPECT_EQ(text(form, "FileName"), QString("Valdo"));
    EXPECT_EQ(text(form, "Company"), QString("Company"));
    EXPECT_EQ(text(form, "FileVersion"), QString("verze"));
    EXPECT_EQ(text(form, "FileDescription"), QString("Description"));
    EXPECT_EQ(text(form, "Copyright"), QString("Copy"));
    EXPECT_EQ(text(form, "Label3"), QString("verze:"));
    EXPECT_EQ(text(form, "Label2"), QString("©"));
    EXPECT_EQ(text(form, "l_Close"), QString("Zavřít"));
    EXPECT_EQ(text(form, "l_www"), TForm1::WebAddress);
    EXPECT_TRUE(form.findChild<QTimer*>("Timer1")->isActive());
}

TEST_F(PanelTest, WindowShapeAndPlaces) {
    TForm1 form({});
    EXPECT_EQ(form.size(), QSize(503, 416));
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form.pos(),
              QPoint(screen.x() + (screen.width() - 503) / 2, screen.y() + (screen.height() - 416) / 2));

    const QRegion region = TForm1::panelRegion();
    EXPECT_EQ(form.mask(), region);
    EXPECT_EQ(region.boundingRect(), QRect(3, 3, 500, 413));
    for (const QPoint p : {QPoint(250, 200), QPoint(3, 200), QPoint(502, 200), QPoint(250, 3),
                           QPoint(250, 415), QPoint(28, 5), QPoint(10, 10)})
        EXPECT_TRUE(region.contains(p)) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(2, 200), QPoint(503, 200), QPoint(250, 416), QPoint(4, 4), QPoint(501, 414),
                           QPoint(4, 413), QPoint(500, 5)})
        EXPECT_FALSE(region.contains(p)) << p.x() << "," << p.y();

    const QLabel* image = form.findChild<QLabel*>("Image1");
    EXPECT_EQ(image->geometry(), QRect(0, 0, 503, 416));
    ASSERT_FALSE(image->pixmap().isNull()) << "background picture missing";
    EXPECT_EQ(image->pixmap().size(), QSize(503, 416));
    EXPECT_EQ(form.findChild<QLabel*>("FileName")->geometry(), QRect(88, 80, 401, 55));
    EXPECT_EQ(form.findChild<QLabel*>("FileDescription")->geometry(), QRect(104, 252, 369, 18));
    EXPECT_EQ(form.findChild<QFrame*>("Bevel")->geometry(), QRect(384, 337, 84, 32));
    EXPECT_EQ(form.findChild<QLabel*>("l_Close")->geometry(), QRect(384, 344, 81, 25));
    EXPECT_EQ(form.findChild<QLabel*>("Company")->pos(), QPoint(104, 40));
    EXPECT_EQ(form.findChild<QLabel*>("l_www")->pos(), QPoint(380, 382));
    EXPECT_EQ(form.findChild<QLabel*>("FileName")->font().pixelSize(), 47);
    EXPECT_TRUE(form.findChild<QLabel*>("Copyright")->font().italic());
}

TEST_F(PanelTest, ShowsTheVersionInformationOfItsFirstParameter) {
    TForm1 form({m_program});
    EXPECT_EQ(text(form, "FileName"), QString("Zápisník"));
    EXPECT_EQ(text(form, "Company"), QString("Lesní správa Poříčí"));
    EXPECT_EQ(text(form, "FileVersion"), QString("2.7.1.42"));
    EXPECT_EQ(text(form, "FileDescription"), QString("Zápisník břehových porostů"));
    EXPECT_EQ(text(form, "Copyright"), QString("Lesní správa 1999"));
    EXPECT_TRUE(form.findChild<QTimer*>("Timer1")->isActive()); // one parameter: still closes itself
    // Auto-sized labels grow with their texts.
    const QLabel* company = form.findChild<QLabel*>("Company");
    EXPECT_GE(company->width(), company->fontMetrics().horizontalAdvance(company->text()));
}

TEST_F(PanelTest, FilesWithoutVersionInformationLeaveTheLabelsEmpty) {
    TForm1 form({m_plain, "1"});
    for (const char* name : {"FileName", "Company", "FileVersion", "FileDescription", "Copyright"})
        EXPECT_EQ(text(form, name), QString()) << name;
}

TEST_F(PanelTest, TimerClosesThePanelUnlessASecondParameterIsGiven) {
    TForm1 once({m_program});
    TForm1 kept({m_program, "1"});
    TForm1 bare({});
    EXPECT_FALSE(kept.findChild<QTimer*>("Timer1")->isActive());
    EXPECT_EQ(once.findChild<QTimer*>("Timer1")->interval(), 5000);
    once.show();
    kept.show();
    bare.show();
    QTest::qWait(1000);
    EXPECT_TRUE(once.isVisible());
    QTest::qWait(4600);
    EXPECT_FALSE(once.isVisible());
    EXPECT_FALSE(bare.isVisible());
    EXPECT_TRUE(kept.isVisible());
}

TEST_F(PanelTest, DroppedFilesShowTheLastOne) {
    TForm1 form({m_program, "1"});
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(m_other)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QMimeData web;
    web.setUrls({QUrl("https://example.org/a.exe")});
    QDragEnterEvent refused(QPoint(100, 100), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &refused);
    EXPECT_FALSE(refused.isAccepted());

    drop(form, {QUrl::fromLocalFile(m_program), QUrl::fromLocalFile(m_other)});
    EXPECT_EQ(text(form, "FileName"), QString("Olšina"));
    EXPECT_EQ(text(form, "Company"), QString("Povodí Moravy"));
    EXPECT_EQ(text(form, "FileVersion"), QString("3.1"));
    EXPECT_EQ(text(form, "FileDescription"), QString());
    drop(form, {QUrl::fromLocalFile(m_other), QUrl::fromLocalFile(m_plain)});
    EXPECT_EQ(text(form, "FileName"), QString());
}

TEST_F(PanelTest, CloseLabelBevelAndClick) {
    TForm1 form({m_program, "1"});
    form.show();
    QLabel* close = form.findChild<QLabel*>("l_Close");
    EXPECT_EQ(bevelShadow(form), QFrame::Raised);
    QTest::mousePress(close, Qt::LeftButton);
    EXPECT_EQ(bevelShadow(form), QFrame::Sunken);
    EXPECT_TRUE(form.isVisible());
    QTest::mouseRelease(close, Qt::LeftButton);
    EXPECT_EQ(bevelShadow(form), QFrame::Raised);
    EXPECT_FALSE(form.isVisible());

    // Released outside the label: no click, the panel stays.
    TForm1 second({m_program, "1"});
    second.show();
    QLabel* secondClose = second.findChild<QLabel*>("l_Close");
    QTest::mousePress(secondClose, Qt::LeftButton);
    QTest::mouseRelease(secondClose, Qt::LeftButton, {}, QPoint(-30, -30));
    EXPECT_EQ(bevelShadow(second), QFrame::Raised);
    EXPECT_TRUE(second.isVisible());
}

TEST_F(PanelTest, WebLinkOpensTheAddress) {
    TForm1 form({m_program, "1"});
    form.show();
    QList<QUrl> opened;
    form.setUrlOpener([&](const QUrl& url) { opened.append(url); });
    QTest::mouseClick(form.findChild<QLabel*>("l_www"), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(), QUrl("http://" + TForm1::WebAddress));
    EXPECT_TRUE(form.isVisible());
}

TEST_F(PanelTest, DraggedByEveryPointExceptTheTwoLinks) {
    TForm1 form({m_program, "1"});
    const QRect close(384, 344, 81, 25);
    EXPECT_FALSE(form.isDragPoint(close.center()));
    EXPECT_FALSE(form.isDragPoint(QPoint(385, 345)));
    EXPECT_TRUE(form.isDragPoint(QPoint(384, 350))); // on the edge, not strictly inside
    EXPECT_TRUE(form.isDragPoint(QPoint(465, 350)));
    EXPECT_TRUE(form.isDragPoint(QPoint(400, 344)));
    EXPECT_FALSE(form.isDragPoint(form.findChild<QLabel*>("l_www")->geometry().center()));
    EXPECT_TRUE(form.isDragPoint(QPoint(104 + 5, 40 + 5))); // on a text label
    EXPECT_TRUE(form.isDragPoint(QPoint(390, 340)));        // on the bevel, outside the label

    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QPoint start = form.pos();
    QWidget* company = form.findChild<QLabel*>("Company");
    QTest::mousePress(company, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(company, QPoint(45, 25));
    QTest::mouseRelease(company, Qt::LeftButton, {}, QPoint(45, 25));
    EXPECT_EQ(form.pos(), start + QPoint(40, 20));
}
