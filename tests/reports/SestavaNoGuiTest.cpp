#include "MemoryDataSet.h"
#include "TSestavaD.h"
#include "TemplateReader.h"
#include "TemplateTestPrint.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// Composing without a GUI application (rivwood-cli) measures texts approximately instead of failing.
TEST(SestavaNoGui, ComposesWithApproximateTextMetrics) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    TSestavaD report;
    TemplateReader reader;
    ASSERT_TRUE(reader.read({QStringLiteral("I,3,2,1,25,0"),
                             QStringLiteral("T,2,0,0,0,100,20,Arial,10,0,0,16,0,1,\"\",0"),
                             QStringLiteral("T,1,0,0,20,10,5,Arial,10,0,0,0,0,1,\"x\",0")},
                            report));
    MemoryDataSet data;
    data.addField(QStringLiteral("memo"), ReportDataSet::Memo);
    data.addRow({QStringLiteral("jedna\ndva\ntři")});
    report.setDataSet(&data);
    ASSERT_EQ(report.compose(), TSestavaD::ComposeOk);
    const TStranaPrvku& page = report.output().page(0);
    ASSERT_EQ(page.items.size(), 2u);
    EXPECT_EQ(page.items[0].text, QStringLiteral("jedna\ndva\ntři"));
    EXPECT_GT(page.items[0].rect.height(), 40); // three lines of about 16
    EXPECT_EQ(page.items[1].rect.y(), page.items[0].rect.height());
    EXPECT_FALSE(report.exportPdf(QStringLiteral("/tmp/never-written.pdf")));
    EXPECT_FALSE(report.errorString().isEmpty());
}
