#include "VaduzImport.h"
#include "ImportTestSupport.h"
#include "IniFile.h"
#include "RivwoodError.h"
#include "SettingsKeys.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using importtest::samplePath;
using importtest::treesAt;

TEST(VaduzImport, ScanAssignAndImport) {
    QTemporaryDir dir;
    const QString settings = dir.filePath("Rivwood.INI");
    IniFile(settings).WriteString(SettingsKeys::KodyDrevin, "fichte", "SM");
    VaduzImport v(settings);
    v.ScanFile(samplePath("vaduz_de.txt"));
    EXPECT_EQ(v.assignment().codes(), QStringList({"Fichte", "Buche"}));
    EXPECT_EQ(v.assignment().row(0).abbreviation, "SM");
    EXPECT_EQ(v.CheckOk(), SpeciesAssignment::Check::Unassigned);
    v.assignment().SetAbbreviation(1, "sm");
    EXPECT_EQ(v.CheckOk(), SpeciesAssignment::Check::Duplicate);
    v.assignment().SetAbbreviation(1, "BK");
    ASSERT_EQ(v.CheckOk(), SpeciesAssignment::Check::Ok);
    v.SaveCodes();
    EXPECT_EQ(IniFile(settings).ReadString(SettingsKeys::KodyDrevin, "Buche"), "BK");

    StandSession s;
    s.SetClassLayout(2, 6);
    s.stand.append("JD", TManual225{});
    s = v.Import(s);
    EXPECT_TRUE(v.ImportHotov());
    ASSERT_EQ(s.stand.count(), 2);
    // With first centre 6 the 5 cm beech has a class.
    EXPECT_EQ(s.stand.at(1).classes[0].trees, 2);
    EXPECT_EQ(treesAt(s.stand.at(1), 6), 1);
    EXPECT_EQ(s.stand.at(0).classWidth, 2);
    EXPECT_EQ(s.stand.at(0).classes.size(), size_t(s.layout.ElementCount()));
}

TEST(VaduzImport, EmptyAndUnreadableFiles) {
    VaduzImport v;
    v.ScanFile(samplePath("broken_garbage.bin"));
    EXPECT_EQ(v.CheckOk(), SpeciesAssignment::Check::Empty);
    EXPECT_THROW(v.ScanFile(samplePath("no_such_file.txt")), IoError);
    EXPECT_TRUE(v.assignment().isEmpty());
    // A Mantax file is no Vaduz report.
    v.ScanFile(samplePath("mantax_records.txt"));
    EXPECT_EQ(v.CheckOk(), SpeciesAssignment::Check::Empty);
}

TEST(VaduzImport, CodesThatAreAbbreviationsOnRequest) {
    const QString header = QString("Baumnummer:").leftJustified(12) + QString("Baumart:").leftJustified(17) +
                           QString("Guete:").leftJustified(15) + "BHD:";
    const QString tree = QString("1").leftJustified(14) + QString("bk").leftJustified(30) + "   20.0";
    VaduzImport v;
    v.ScanLines({header, tree});
    EXPECT_EQ(v.assignment().row(0).abbreviation, "");
    v.ScanLines({header, tree}, true);
    EXPECT_EQ(v.assignment().row(0).abbreviation, "BK");
}
