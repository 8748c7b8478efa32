#include "HelpTopics.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QString helpDir() {
    return QDir(testsupport::binDir()).filePath("help");
}

// The ids of a help page.
QSet<QString> idsOf(const QString& page) {
    QSet<QString> ids;
    const QString html = QString::fromUtf8(testsupport::readFile(QDir(helpDir()).filePath(page)));
    static const QRegularExpression id(R"re(\sid="([^"]+)")re");
    for (const auto& m : id.globalMatch(html))
        ids.insert(m.captured(1));
    return ids;
}

} // namespace

// Every context number the windows open lands on an existing anchor of the copied help.
TEST(HelpLinks, EveryContextHasItsAnchor) {
    QSet<int> contexts;
    for (const HelpTopics::Topic& t : HelpTopics::All()) {
        EXPECT_FALSE(contexts.contains(t.context)) << t.context;
        contexts.insert(t.context);
        EXPECT_TRUE(idsOf(t.page).contains(t.anchor))
            << t.context << " " << t.page.toStdString() << "#" << t.anchor.toStdString();
    }
    EXPECT_EQ(HelpTopics::ForContext(9999).page, "index.html");
    EXPECT_EQ(HelpTopics::Url("/h", HelpTopics::TallyGrid).toString(), "file:///h/zapisnik.html#cetnosti");
}

// Every relative link and picture of every page exists, anchors included.
TEST(HelpLinks, EveryLinkAndPictureExists) {
    const QStringList pages = QDir(helpDir()).entryList({"*.html"}, QDir::Files);
    ASSERT_GE(pages.size(), 5);
    static const QRegularExpression link(R"re((?:href|src)="([^"]*)")re");
    for (const QString& page : pages) {
        const QString html = QString::fromUtf8(testsupport::readFile(QDir(helpDir()).filePath(page)));
        for (const auto& m : link.globalMatch(html)) {
            const QString target = m.captured(1);
            if (target.contains(':'))
                continue; // http:, mailto:
            const QString file = target.section('#', 0, 0);
            const QString anchor = target.section('#', 1);
            const QString path = file.isEmpty() ? page : file;
            EXPECT_TRUE(QFileInfo(QDir(helpDir()).filePath(path)).isFile())
                << page.toStdString() << ": " << target.toStdString();
            if (!anchor.isEmpty() && path.endsWith(".html")) {
                EXPECT_TRUE(idsOf(path).contains(anchor))
                    << page.toStdString() << ": " << target.toStdString();
            }
        }
    }
}
