// The sample heights, "Výška z křivky", the height chart and the import of pairs in the window.
#include "HeightChart.h"
#include "SampleHeightGrid.h"
#include "TallyFixture.h"

#include "FileDialog.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

// Typed pairs reach the sheet, Enter leads from diameter to height to the next tree, a bad number
// is reported; the button fills the mean height from the curve and the chart shows samples, curve
// and the JHK curve; the menu imports pairs from a file.
TEST_F(TallyFixture, SampleHeightsCurveAndChart) {
    start();
    fillSampleStand(); // OL on display, computed and recorded
    EXPECT_FALSE(widget<QPushButton>("VyskaZKrivky")->isEnabled());
    typeSamples({"12", "14.5", "16", "17", "20", "18.5", "24", "19"});
    SampleHeightGrid* grid = widget<SampleHeightGrid>("VyskoveVzorniky");
    EXPECT_EQ(grid->currentRow(), 4);
    EXPECT_EQ(grid->currentColumn(), 0);
    EXPECT_EQ(widget<QTabWidget>("Grafy")->currentWidget(), widget<HeightChart>("VyskovaKrivka"))
        << "typing samples shows their curve";
    EXPECT_EQ(state().work.VyskoveVzorniky.size(), 4u);
    typeSamples({"x"});
    EXPECT_EQ(messages(), QStringList{"Tloušťka vzorníku „x“ není kladné číslo v cm."});
    key(Qt::Key_Left);
    key(Qt::Key_Delete);
    EXPECT_EQ(grid->text(4, 0), "");

    FileDialog::setNextFileName(tempPath("vysky.csv"));
    ASSERT_TRUE(testsupport::writeFile(tempPath("vysky.csv"), "OL;29;21\nOL;34;22\nSM;30;25\n"));
    action("VyskoveVzorniky1")->trigger();
    EXPECT_EQ(messages(), QStringList{"Načteny výškové vzorníky: SM 1, OL 2."});
    EXPECT_EQ(state().work.VyskoveVzorniky.size(), 6u);

    const HeightChart::Data& chart = widget<HeightChart>("VyskovaKrivka")->data();
    EXPECT_EQ(chart.species, "OL");
    EXPECT_EQ(chart.samples.size(), 6u);
    ASSERT_TRUE(chart.curve.has_value());
    EXPECT_FALSE(chart.jhk.empty()) << "the JHK curve of the computation";

    click(widget<QPushButton>("VyskaZKrivky"));
    const double curve = chart.curve->height(widget<QLineEdit>("ETloustka")->text().toDouble());
    EXPECT_NEAR(widget<QLineEdit>("EVyska")->text().toDouble(), curve, 0.01);
    EXPECT_FALSE(widget<QCheckBox>("CBVypocteno")->isChecked());
    EXPECT_TRUE(widget<QPushButton>("VypZas")->hasFocus());
    action("Zpet1")->trigger();
    EXPECT_EQ(widget<QLineEdit>("EVyska")->text().trimmed(), "19");
    EXPECT_TRUE(messages().isEmpty());
}
