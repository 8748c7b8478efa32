#include "SpeciesAssignment.h"
#include "IniFile.h"
#include "SettingsKeys.h"
#include "SpeciesCodes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using Check = SpeciesAssignment::Check;

namespace {

struct SettingsFile {
    QTemporaryDir dir;
    QString path() const { return dir.filePath("Rivwood.INI"); }
};

} // namespace

TEST(SpeciesAssignment, CodesAreCutListedOnceAndLookedUpCaseInsensitively) {
    SpeciesCodes codes;
    for (const char* c : {"Smrk", " SMRK ", "", "Buk", "ABCDEFGHIJKLMN", "abcdefghijXYZ"})
        codes.Add(c);
    EXPECT_EQ(codes.list(), QStringList({"Smrk", "Buk", "ABCDEFGHIJ"}));
    SpeciesAssignment a;
    a.SetCodes(codes.list());
    EXPECT_EQ(a.IndexOfCode("buk"), 1);
    EXPECT_EQ(a.IndexOfCode("abcdefghijQQ"), 2);
    EXPECT_EQ(a.IndexOfCode("Dub"), -1);
    EXPECT_TRUE(a.Assign("SMRK", "sm"));
    EXPECT_FALSE(a.Assign("Dub", "DB"));
    EXPECT_EQ(a.row(0).abbreviation, "SM");
    EXPECT_EQ(a.AbbreviationOf("smrk"), "SM");
    EXPECT_EQ(a.AbbreviationOf("Buk"), "");
}

TEST(SpeciesAssignment, OfferedAbbreviationsInTheListsSpelling) {
    SpeciesAssignment a;
    EXPECT_EQ(a.OfferedAbbreviation(" ols "), "OLS");
    EXPECT_EQ(a.OfferedAbbreviation("XYZ"), "");
    EXPECT_EQ(a.OfferedAbbreviation(""), "");
    EXPECT_EQ(a.offered().size(), 81);
}

TEST(SpeciesAssignment, FilledFromSettingsAndCodesThatAreAbbreviations) {
    SettingsFile f;
    IniFile ini(f.path());
    ini.WriteString(SettingsKeys::KodyDrevin, "12", "bk");
    ini.WriteString(SettingsKeys::KodyDrevin, "SM", "JD");
    ini.WriteString(SettingsKeys::KodyDrevin, "smrk", "SM");
    ini.WriteString(SettingsKeys::KodyDrevin, "hand", "Dub?");
    SpeciesAssignment a;
    a.SetCodes({"12", "SM", "Smrk", "hand", "7"});
    a.FillFromSettings(f.path(), true);
    EXPECT_EQ(a.row(0).abbreviation, "BK");
    // A code equal to an abbreviation takes it even against the settings.
    EXPECT_EQ(a.row(1).abbreviation, "SM");
    EXPECT_EQ(a.row(2).abbreviation, "SM");
    EXPECT_EQ(a.row(3).abbreviation, "Dub?");
    EXPECT_EQ(a.row(4).abbreviation, "");

    SpeciesAssignment settingsOnly;
    settingsOnly.SetCodes({"SM"});
    settingsOnly.FillFromSettings(f.path(), false);
    EXPECT_EQ(settingsOnly.row(0).abbreviation, "JD");
}

TEST(SpeciesAssignment, WithoutSettingsFileOnlyAbbreviationCodesAreAssigned) {
    SettingsFile f;
    SpeciesAssignment a;
    a.SetCodes({"bk", "12"});
    a.FillFromSettings(f.path(), true);
    EXPECT_EQ(a.row(0).abbreviation, "BK");
    EXPECT_EQ(a.row(1).abbreviation, "");
    EXPECT_FALSE(QFile::exists(f.path()));
}

TEST(SpeciesAssignment, SaveWritesCompleteRowsAndKeepsTheRest) {
    SettingsFile f;
    IniFile ini(f.path());
    ini.WriteString(SettingsKeys::PracPlo, "ZapisnikLeva", "5");
    ini.WriteString(SettingsKeys::KodyDrevin, "old", "OL");
    SpeciesAssignment a;
    a.SetCodes({"12", "7", "a=b", "Smrk"});
    a.SetAbbreviation(0, "BK");
    a.SetAbbreviation(2, "SM");
    a.SetAbbreviation(3, "sm");
    a.SaveToSettings(f.path());
    EXPECT_EQ(ini.ReadSection(SettingsKeys::KodyDrevin), QStringList({"old", "12", "Smrk"}));
    EXPECT_EQ(ini.ReadString(SettingsKeys::KodyDrevin, "SMRK"), "SM");
    EXPECT_EQ(ini.ReadString(SettingsKeys::PracPlo, "ZapisnikLeva"), "5");
    // Saved codes come back on the next import.
    SpeciesAssignment b;
    b.SetCodes({"7", "12"});
    b.FillFromSettings(f.path(), false);
    EXPECT_EQ(b.row(1).abbreviation, "BK");
}

TEST(SpeciesAssignment, OkChecks) {
    SpeciesAssignment a;
    EXPECT_EQ(a.CheckAssignments(false), Check::Empty);
    a.SetCodes({"1", "2", "3"});
    a.SetAbbreviation(0, "SM");
    a.SetAbbreviation(1, "BK");
    EXPECT_EQ(a.CheckAssignments(false), Check::Unassigned);
    a.SetAbbreviation(2, "XYZ");
    EXPECT_EQ(a.CheckAssignments(false), Check::Unassigned);
    a.SetAbbreviation(2, "sm");
    EXPECT_EQ(a.CheckAssignments(false), Check::Duplicate);
    EXPECT_EQ(a.CheckAssignments(true), Check::Ok);
    a.SetAbbreviation(2, "OL");
    EXPECT_EQ(a.CheckAssignments(false), Check::Ok);
}

TEST(SpeciesAssignment, Messages) {
    EXPECT_EQ(SpeciesAssignment::MessageFor(Check::Empty).text, "Prázdný datový soubor !");
    EXPECT_EQ(SpeciesAssignment::MessageFor(Check::Unassigned).text, " Nejsou přiřazeny všechny dřeviny !");
    const UserMessage dup = SpeciesAssignment::MessageFor(Check::Duplicate);
    EXPECT_EQ(dup.text, " Duplicita drevin. \r  Opravte drevinu!");
    EXPECT_EQ(dup.ForDisplay(), " Duplicita drevin. \n  Opravte drevinu!");
    EXPECT_EQ(dup.kind, UserMessage::Error);
}
