#include "TTabulka.h"
#include "TallyFixture.h"
#include "TallyGrid.h"
#include <QMenu>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Pictures of the main window and the summary with a stand typed in, for looking at the layout:
// runs only when RIVWOOD_SCREENSHOT_DIR names a directory (e.g. under xvfb-run with a real
// platform plugin).
TEST_F(TallyFixture, Screenshots) {
    const QString out = qEnvironmentVariable("RIVWOOD_SCREENSHOT_DIR");
    if (out.isEmpty())
        GTEST_SKIP() << "RIVWOOD_SCREENSHOT_DIR not set";
    start();
    main()->move(0, 0);
    addSpecies("Smrk ztepilý");
    typeCounts(2, {"3", "8", "15", "22", "19", "12", "6", "2"});
    main()->Refresh();
    click(main()->StrTl);
    type("24");
    key(Qt::Key_Return);
    click(main()->VypZas);
    click(main()->Zaznam);
    main()->Refresh();
    addSpecies("Olše lepkavá");
    typeCounts(1, {"5", "9", "11", "7", "4"});
    main()->Refresh();
    click(main()->StrTl);
    type("19");
    key(Qt::Key_Return);
    click(main()->VypZas);
    click(main()->Zaznam);
    for (const auto& [edit, text] : {std::pair{main()->ETok, QString("Sázava")},
                                     {main()->EBreh, QString("P")},
                                     {main()->ERKm, QString("23,4 - 24,1")},
                                     {main()->EAkce, QString("Revize 2024")},
                                     {main()->Edatum, QString("12.6.2024")},
                                     {main()->EKroviny, QString("350")}})
        edit->setText(text);
    main()->Refresh();
    main()->ZapForm->setFocus();
    main()->ZapForm->setCurrentCell(4, 2);
    QTest::qWait(300);
    EXPECT_TRUE(main()->grab().save(QDir(out).filePath("zapisnik.png")));
    main()->actions().souhrn->trigger();
    ctx().tabulka->move(100, 80);
    QTest::qWait(300);
    EXPECT_TRUE(ctx().tabulka->grab().save(QDir(out).filePath("souhrn.png")));
    QTest::qWait(200);
}
