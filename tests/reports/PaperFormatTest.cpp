#include "TListFormatu.h"

#include "TestSupport.h"

#include "TemplateTestPrint.h"
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PaperFormat, BuiltInFormats) {
    TListFormatu list;
    ASSERT_EQ(list.count(), 18);
    EXPECT_EQ(list.at(0).name, QStringLiteral("Uživat. (210 x 297 mm)"));
    EXPECT_EQ(list.at(1).name, QStringLiteral("Skládaný (8.5 x 12\")"));
    EXPECT_EQ(list.at(15).name, QStringLiteral("Obálka otoč.(114 x 162 mm)"));
    EXPECT_EQ(list.at(17).width, 637);
    EXPECT_EQ(list.at(17).height, 896);
    EXPECT_EQ(list.indexOf(850, 1200), 1);
    EXPECT_EQ(list.indexOf(826, 1169), 0); // the first entry of that size
    EXPECT_EQ(list.indexOf(1652, 2338), 6);
    EXPECT_EQ(list.indexOf(1, 1), -1);
    EXPECT_TRUE(list.loadUserFormats(QStringLiteral("/nonexistent/SESTDLL.INI")));
    EXPECT_EQ(list.count(), 18);
}

TEST(PaperFormat, UserFormatsFromIni) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("SESTDLL.INI");
    ASSERT_TRUE(testsupport::writeFile(
        ini,
        QByteArray("[Jine]\r\nPocetFormatu=9\r\n[formatypapiru]\r\npocetformatu = 4\r\n"
                   "FORMAT1=M\xf9j form\xe1t,500,600\r\nFormat2=Velmi dlouh\xfd n\xe1zev form\xe1tu pap\xed"
                   "ru nad limit,700,800\r\nFormat4=Bez rozm\xecr\xf9\r\n")));
    TListFormatu list;
    ASSERT_TRUE(list.loadUserFormats(ini));
    ASSERT_EQ(list.count(), 22);
    EXPECT_EQ(list.at(18).name, QStringLiteral("Můj formát"));
    EXPECT_EQ(list.at(18).width, 500);
    EXPECT_EQ(list.at(18).height, 600);
    EXPECT_EQ(list.at(19).name.size(), 31);
    EXPECT_EQ(list.at(19).name, QStringLiteral("Velmi dlouhý název formátu papí"));
    EXPECT_EQ(list.at(20).name, QStringLiteral("Uživat. (210 x 297 mm)")); // Format3 missing
    EXPECT_EQ(list.at(20).width, 826);
    EXPECT_EQ(list.at(21).name, QStringLiteral("Bez rozměrů"));
    EXPECT_EQ(list.at(21).height, 1169);
    EXPECT_EQ(list.indexOf(700, 800), 19);
    // Loading again replaces the user formats.
    ASSERT_TRUE(testsupport::writeFile(ini, "[FormatyPapiru]\nPocetFormatu=999999\n"));
    ASSERT_TRUE(list.loadUserFormats(ini));
    EXPECT_EQ(list.count(), 18 + TListFormatu::kMaxUserFormats);
    ASSERT_TRUE(testsupport::writeFile(ini, "[FormatyPapiru]\nPocetFormatu=-3\n"));
    ASSERT_TRUE(list.loadUserFormats(ini));
    EXPECT_EQ(list.count(), 18);
}
