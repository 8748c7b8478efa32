#include "TFileVersion.h"
#include "LanguageNames.h"
#include "TestSupport.h"
#include "VersionFixtures.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QMetaProperty>
#include <QTemporaryDir>

using namespace fixtures;

namespace {

const QStringList StringProperties = {"CompanyName",    "FileDescription",  "FileVersion", "InternalName",
                                      "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};

QString stringProperty(const TFileVersion& v, const QString& name) {
    return TFileVersion::staticMetaObject
        .property(TFileVersion::staticMetaObject.indexOfProperty(name.toLatin1()))
        .readOnGadget(&v)
        .toString();
}

// Everything a failed load must leave behind: numbers 0, texts empty.
void expectCleared(const TFileVersion& v) {
    EXPECT_EQ(v.majorVersion() | v.minorVersion() | v.release() | v.build(), 0);
    EXPECT_EQ(v.fileFlags(), 0u);
    EXPECT_EQ(v.fileFlagsMask(), 0u);
    EXPECT_EQ(v.language(), QString());
    for (const QString& name : StringProperties)
        EXPECT_EQ(stringProperty(v, name), QString()) << name.toStdString();
}

class TFileVersionTest : public ::testing::Test {
  protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(testsupport::writeFile(path, bytes));
        return path;
    }
    TFileVersion load(const QByteArray& block) {
        TFileVersion v;
        v.setFileName(write("program.exe", buildPe(block)));
        return v;
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TFileVersionTest, StartsWithEmptyFileName) {
    const TFileVersion v;
    EXPECT_EQ(v.error(), QString("Empty FileName"));
    expectCleared(v);
}

TEST_F(TFileVersionTest, ReadsEveryPropertyOfAWindowsProgram) {
    const TFileVersion v = load(versionBlock());
    EXPECT_EQ(v.error(), QString());
    EXPECT_EQ(v.majorVersion(), 2);
    EXPECT_EQ(v.minorVersion(), 7);
    EXPECT_EQ(v.release(), 1);
    EXPECT_EQ(v.build(), 42);
    EXPECT_EQ(v.fileFlagsMask(), 0x3Fu);
    EXPECT_EQ(v.fileFlags(), 0x1u);
    EXPECT_EQ(v.language(), QString("Czech"));
    EXPECT_EQ(v.companyName(), QString("Lesní správa Poříčí"));
    EXPECT_EQ(v.fileDescription(), QString("Zápisník břehových porostů"));
    EXPECT_EQ(v.fileVersion(), QString("2.7.1.42"));
    EXPECT_EQ(v.internalName(), QString("Zapisnik"));
    EXPECT_EQ(v.legalCopyright(), QString("Lesní správa 1999"));
    EXPECT_EQ(v.originalFilename(), QString("ZAPISNIK.EXE"));
    EXPECT_EQ(v.productName(), QString("Zápisník"));
    EXPECT_EQ(v.productVersion(), QString("2.7"));
    EXPECT_EQ(v.infoString("Comments"), QString());
}

TEST_F(TFileVersionTest, MissingAndEmptyStrings) {
    VersionData data;
    data.strings = {{"ProductName", ""}, {"CompanyName", "Povodí"}};
    const TFileVersion v = load(versionBlock(data));
    EXPECT_EQ(v.error(), QString());
    EXPECT_EQ(v.productName(), QString("No ProductName"));
    EXPECT_EQ(v.companyName(), QString("Povodí"));
    EXPECT_EQ(v.fileVersion(), QString());

    // An empty value declared with no characters at all reads the same.
    Node root = versionNode(data);
    root.children[0].children[0].children[0] = Node{"ProductName", {}, true};
    EXPECT_EQ(load(encode(root)).productName(), QString("No ProductName"));
}

TEST_F(TFileVersionTest, StringTableWithoutEntries) {
    VersionData data;
    data.strings.clear();
    const TFileVersion v = load(versionBlock(data));
    EXPECT_EQ(v.error(), QString());
    EXPECT_EQ(v.majorVersion(), 2);
    for (const QString& name : StringProperties)
        EXPECT_EQ(stringProperty(v, name), QString()) << name.toStdString();
}

TEST_F(TFileVersionTest, StringsComeFromTheTableOfTheFirstTranslation) {
    VersionData data;
    data.translation = QByteArray("\x09\x04\xB0\x04\x05\x04\xE2\x04", 8); // English first, then Czech
    const TFileVersion english = load(versionBlock(data));
    EXPECT_EQ(english.error(), QString());
    EXPECT_EQ(english.language(), QString("English (United States)"));
    EXPECT_EQ(english.productName(), QString()); // the table is the Czech one

    data.tableKey = "040904b0"; // lower-case hex in the file still matches
    EXPECT_EQ(load(versionBlock(data)).productName(), QString("Zápisník"));
}

TEST_F(TFileVersionTest, ErrorTexts) {
    VersionData noTranslation;
    noTranslation.translation.reset();
    VersionData shortTranslation;
    shortTranslation.translation = QByteArray("\x05\x04", 2);
    VersionData noFixed;
    noFixed.fixedInfo.clear();
    VersionData shortFixed;
    shortFixed.fixedInfo = fixedFileInfo(1, 2, 3, 4).left(40);
    VersionData longFixed;
    longFixed.fixedInfo = fixedFileInfo(1, 2, 3, 4) + QByteArray(4, '\0');
    Node wrongRoot = versionNode({});
    wrongRoot.key = "VS_VERSION";

    const struct {
        QByteArray file;
        const char* error;
    } cases[] = {
        {buildPe(versionBlock(noTranslation)), "No Language Info"},
        {buildPe(versionBlock(shortTranslation)), "No Language Info"},
        {buildPe(versionBlock(noFixed)), "No FixedInfo"},
        {buildPe(versionBlock(shortFixed)), "Bad size of FixedInfo"},
        {buildPe(versionBlock(longFixed)), "Bad size of FixedInfo"},
        {buildPe(encode(wrongRoot)), "No FileVersionInfo"},
        {buildPe(versionBlock()).left(pe::Resource + 8), "No FileVersionInfo"},
        {buildPe(QByteArray(64, '\0')), "No FileVersionInfo"},
        {QByteArray("MZ garbage"), "InfoSize=0"},
        {QByteArray(), "InfoSize=0"},
    };
    for (const auto& c : cases) {
        TFileVersion v;
        v.setFileName(write("case.exe", c.file));
        EXPECT_EQ(v.error(), QString(c.error));
        expectCleared(v);
    }

    TFileVersion v;
    v.setFileName(m_dir.filePath("missing.exe"));
    EXPECT_EQ(v.error(), QString("InfoSize=0"));
    v.setFileName(QString());
    EXPECT_EQ(v.error(), QString("InfoSize=0"));
}

TEST_F(TFileVersionTest, EachFileReplacesTheLastOne) {
    VersionData shortFixed;
    shortFixed.fixedInfo = fixedFileInfo(1, 2, 3, 4).left(40);
    VersionData noFixed;
    noFixed.fixedInfo.clear();

    TFileVersion v;
    v.setFileName(write("good.exe", buildPe(versionBlock())));
    ASSERT_EQ(v.productName(), QString("Zápisník"));
    v.setFileName(write("bad.exe", buildPe(versionBlock(shortFixed))));
    EXPECT_EQ(v.error(), QString("Bad size of FixedInfo"));
    expectCleared(v);
    v.setFileName(m_dir.filePath("good.exe"));
    EXPECT_EQ(v.error(), QString());
    EXPECT_EQ(v.build(), 42);
    // A file without fixed information never inherits the empty Error of the file before.
    v.setFileName(write("nofixed.exe", buildPe(versionBlock(noFixed))));
    EXPECT_EQ(v.error(), QString("No FixedInfo"));
    expectCleared(v);
    EXPECT_EQ(v.fileName(), m_dir.filePath("nofixed.exe"));
}

TEST_F(TFileVersionTest, ReadsElfFilesAndBytesInMemory) {
    TFileVersion v;
    v.setFileName(write("program", buildElf(versionBlock())));
    EXPECT_EQ(v.error(), QString());
    EXPECT_EQ(v.productName(), QString("Zápisník"));

    TFileVersion fromMemory;
    fromMemory.loadBytes("-", buildPe(versionBlock(), true));
    EXPECT_EQ(fromMemory.fileVersion(), QString("2.7.1.42"));
    EXPECT_EQ(fromMemory.fileName(), QString("-"));
}

TEST(LanguageNames, NamesCommonIdsAndFallsBack) {
    EXPECT_EQ(languageName(0x0405), QString("Czech"));
    EXPECT_EQ(languageName(0x041B), QString("Slovak"));
    EXPECT_EQ(languageName(0x0407), QString("German (Germany)"));
    EXPECT_EQ(languageName(0x0C07), QString("German (Austria)"));
    EXPECT_EQ(languageName(0x040A), QString("Spanish (Traditional Sort)"));
    EXPECT_EQ(languageName(0x0000), QString("Language Neutral"));
    EXPECT_EQ(languageName(0x0805), QString("Czech"));   // unlisted sublanguage: its primary language
    EXPECT_EQ(languageName(0x7C09), QString("English")); // likewise
    EXPECT_EQ(languageName(0x03FF), QString("Language Neutral"));
    EXPECT_EQ(languageName(0x0400), QString("Language Neutral"));
}

// Our own programs carry the version block that CMake generated from the project version.
TEST(OwnPrograms, ShowplateCarriesTheProjectVersion) {
    const QString showplate = testsupport::binDir() + "/showplate";
    ASSERT_TRUE(QFileInfo::exists(showplate)) << showplate.toStdString();
    TFileVersion v;
    v.setFileName(showplate);
    ASSERT_EQ(v.error(), QString());
    const QStringList parts = QString(RIVWOOD_PROJECT_VERSION).split('.');
    EXPECT_EQ(v.majorVersion(), parts.value(0).toUInt());
    EXPECT_EQ(v.minorVersion(), parts.value(1).toUInt());
    EXPECT_EQ(v.release(), parts.value(2).toUInt());
    EXPECT_EQ(v.productName(), QString("Rivwood"));
    EXPECT_EQ(v.productVersion(), QString(RIVWOOD_PROJECT_VERSION));
    EXPECT_TRUE(v.fileVersion().startsWith(QString(RIVWOOD_PROJECT_VERSION)))
        << v.fileVersion().toStdString();
    EXPECT_EQ(v.originalFilename(), QString("showplate"));
    EXPECT_EQ(v.internalName(), QString("showplate"));
    EXPECT_EQ(v.fileDescription(), QString("Informace o programu"));
    EXPECT_TRUE(v.legalCopyright().contains(v.companyName())) << v.legalCopyright().toStdString();
    EXPECT_EQ(v.language(), QString("Czech"));
}

TEST(OwnPrograms, TheTestProgramItselfCarriesItsDescription) {
    TFileVersion v;
    v.setFileName(QFileInfo("/proc/self/exe").canonicalFilePath());
    ASSERT_EQ(v.error(), QString());
    EXPECT_EQ(v.fileDescription(), QString("Zkouška \"čtení\" verze \\ žluťoučký kůň"));
    EXPECT_EQ(v.originalFilename(), QString("showplate_version_test"));
    EXPECT_EQ(v.productName(), QString("Rivwood"));
    EXPECT_EQ(v.companyName(), QString("Rivwood s.r.o."));
    EXPECT_EQ(v.fileFlags(), RIVWOOD_DEBUG_BUILD ? 1u : 0u);
    EXPECT_EQ(v.fileFlagsMask(), 0x3Fu);
}
