#include "VersionResource.h"
#include "VersionFixtures.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using namespace fixtures;

namespace {

const QByteArray Block = versionBlock();

} // namespace

TEST(PeVersionResource, FindsTheResourceInPe32AndPe32Plus) {
    for (const bool pe64 : {false, true}) {
        const VersionResource r = VersionResource::fromBytes(buildPe(Block, pe64));
        EXPECT_EQ(r.declaredSize, quint64(Block.size())) << pe64;
        EXPECT_EQ(r.data, Block) << pe64;
    }
}

TEST(PeVersionResource, PrefersNameOneAndOtherwiseTakesTheFirstName) {
    const auto withNames = [](quint32 first, quint32 firstTarget, quint32 second, quint32 secondTarget) {
        QByteArray pe = buildPe(Block);
        putU32(pe, pe::NameDirectory + 16, first);
        putU32(pe, pe::NameDirectory + 20, 0x80000000u | quint32(firstTarget - pe::ResourceRoot));
        putU32(pe, pe::NameDirectory + 24, second);
        putU32(pe, pe::NameDirectory + 28, 0x80000000u | quint32(secondTarget - pe::ResourceRoot));
        return VersionResource::fromBytes(pe).data;
    };
    EXPECT_EQ(withNames(2, pe::IconDirectory, 1, pe::LanguageDirectory), Block);
    EXPECT_EQ(withNames(5, pe::LanguageDirectory, 2, pe::IconDirectory), Block);
    EXPECT_TRUE(withNames(2, pe::IconDirectory, 5, pe::LanguageDirectory).isEmpty());
    // A named entry whose string offset happens to be 1 is no id 1.
    EXPECT_EQ(withNames(0x80000001u, pe::IconDirectory, 1, pe::LanguageDirectory), Block);
}

TEST(PeVersionResource, FilesWithoutVersionResourceDeclareNothing) {
    QByteArray noVersion = buildPe(Block);
    putU32(noVersion, pe::RootVersionEntry, 14); // RT_GROUP_ICON instead of RT_VERSION
    QByteArray noDirectory = buildPe(Block);
    putU32(noDirectory, pe::OptionalHeader + 96 + 16, 0);
    QByteArray noSection = buildPe(Block);
    putU32(noSection, pe::sectionTable(false) + 12, 0x5000); // resource RVA in no section
    QByteArray badMagic = buildPe(Block);
    putU16(badMagic, pe::OptionalHeader, 0x107);
    QByteArray fewDirectories = buildPe(Block);
    putU32(fewDirectories, pe::OptionalHeader + 92, 2);

    for (const QByteArray& file : {noVersion, noDirectory, noSection, badMagic, fewDirectories,
                                   QByteArray("MZ"), QByteArray(), QByteArray("plain text, no program")}) {
        const VersionResource r = VersionResource::fromBytes(file);
        EXPECT_EQ(r.declaredSize, 0u);
        EXPECT_TRUE(r.data.isEmpty());
    }
}

TEST(PeVersionResource, DeclaredButUnreadableResourcesHaveSizeAndNoData) {
    QByteArray oversized = buildPe(Block);
    putU32(oversized, pe::DataEntry + 4, 0xFFFFFFF0u);
    QByteArray outside = buildPe(Block);
    putU32(outside, pe::DataEntry, 0x7FFFFFF0u); // RVA that no section maps
    QByteArray cut = buildPe(Block).left(pe::Resource + 10);
    for (const QByteArray& file : {oversized, outside, cut}) {
        const VersionResource r = VersionResource::fromBytes(file);
        EXPECT_GT(r.declaredSize, 0u);
        EXPECT_TRUE(r.data.isEmpty());
    }
}

TEST(PeVersionResource, LoopsAndWrongDepthsInTheDirectoryTreeEndTheSearch) {
    QByteArray selfLoop = buildPe(Block);
    putU32(selfLoop, pe::RootVersionEntry + 4, 0x80000000u); // RT_VERSION -> the root itself
    QByteArray backLoop = buildPe(Block);
    putU32(backLoop, pe::LanguageDirectory + 20, 0x80000000u | 0x30); // language -> the name level
    QByteArray dataTooEarly = buildPe(Block);
    putU32(dataTooEarly, pe::NameDirectory + 20, 0x60); // name level points at the data entry
    QByteArray farAway = buildPe(Block);
    putU32(farAway, pe::RootVersionEntry + 4, 0xFFFFFFFFu);
    QByteArray manyEntries = buildPe(Block);
    putU16(manyEntries, pe::ResourceRoot + 12, 0xFFFF); // more entries than the file holds
    for (const QByteArray& file : {selfLoop, backLoop, dataTooEarly, farAway, manyEntries})
        EXPECT_EQ(VersionResource::fromBytes(file).declaredSize, 0u);
}

TEST(PeVersionResource, OversizedHeaderOffsetsAreRejected) {
    for (const quint32 offset : {0xFFFFFFFCu, 0x7FFFFFFFu, 0x1000u}) {
        QByteArray pe = buildPe(Block);
        putU32(pe, 0x3C, offset);
        EXPECT_EQ(VersionResource::fromBytes(pe).declaredSize, 0u) << offset;
    }
    QByteArray sections = buildPe(Block);
    putU16(sections, pe::HeaderOffset + 6, 0xFFFF);
    EXPECT_EQ(VersionResource::fromBytes(sections).declaredSize, 0u);
    QByteArray optional = buildPe(Block);
    putU16(optional, pe::HeaderOffset + 20, 0xFFFF);
    EXPECT_EQ(VersionResource::fromBytes(optional).declaredSize, 0u);
}

TEST(PeVersionResource, EveryTruncationIsSafe) {
    const QByteArray pe = buildPe(Block);
    for (qsizetype n = 0; n < pe.size(); ++n) {
        const VersionResource r = VersionResource::fromBytes(pe.left(n));
        if (n >= pe::Resource + Block.size())
            EXPECT_EQ(r.data, Block) << n;
        else
            EXPECT_TRUE(r.data.isEmpty()) << n;
    }
}

TEST(ElfVersionSection, FindsTheSectionInEveryClassAndByteOrder) {
    for (const bool wide : {true, false}) {
        for (const bool big : {false, true}) {
            ElfOptions o;
            o.wide = wide;
            o.bigEndian = big;
            const VersionResource r = VersionResource::fromBytes(buildElf(Block, o));
            EXPECT_EQ(r.declaredSize, quint64(Block.size())) << wide << big;
            EXPECT_EQ(r.data, Block) << wide << big;
        }
    }
}

TEST(ElfVersionSection, ReadsExtendedSectionNumbering) {
    ElfOptions o;
    o.extendedNumbering = true;
    EXPECT_EQ(VersionResource::fromBytes(buildElf(Block, o)).data, Block);
}

TEST(ElfVersionSection, OtherSectionsAreNotTaken) {
    ElfOptions prefix;
    prefix.sectionName = ".rsrc_versions";
    ElfOptions shorter;
    shorter.sectionName = ".rsrc_versio";
    ElfOptions empty;
    empty.noBits = true;
    for (const ElfOptions& o : {prefix, shorter, empty})
        EXPECT_EQ(VersionResource::fromBytes(buildElf(Block, o)).declaredSize, 0u)
            << o.sectionName.constData();
    EXPECT_EQ(VersionResource::fromBytes(buildElf(QByteArray())).declaredSize, 0u);
}

TEST(ElfVersionSection, OversizedOffsetsAndCountsAreSafe) {
    const QByteArray elf = buildElf(Block);
    const quint64 table = quint64(quint8(elf[0x28])) | quint64(quint8(elf[0x29])) << 8;
    const int version = int(table) + 3 * 64;

    QByteArray hugeOffset = elf;
    putU32(hugeOffset, version + 24, 0xFFFFFFF0u);
    putU32(hugeOffset, version + 28, 0xFFFFFFFFu); // sh_offset near 2^64: offset + size overflows
    QByteArray hugeSize = elf;
    putU32(hugeSize, version + 36, 0x10);
    for (const QByteArray& file : {hugeOffset, hugeSize}) {
        const VersionResource r = VersionResource::fromBytes(file);
        EXPECT_GT(r.declaredSize, 0u);
        EXPECT_TRUE(r.data.isEmpty());
    }

    QByteArray tableFar = elf;
    putU32(tableFar, 0x2C, 0x7FFFFFFF);
    QByteArray countHuge = elf;
    putU16(countHuge, 0x3C, 0xFFFF);
    QByteArray namesIndex = elf;
    putU16(namesIndex, 0x3E, 40);
    QByteArray nameOffset = elf;
    putU32(nameOffset, version, 0xFFFFFFFFu);
    QByteArray entrySize = elf;
    putU16(entrySize, 0x3A, 8);
    for (const QByteArray& file : {tableFar, namesIndex, nameOffset, entrySize})
        EXPECT_EQ(VersionResource::fromBytes(file).declaredSize, 0u);
    // Counting more headers than the file holds only limits the search to those that exist.
    EXPECT_EQ(VersionResource::fromBytes(countHuge).data, Block);
}

TEST(ElfVersionSection, EveryTruncationIsSafe) {
    const QByteArray elf = buildElf(Block);
    for (qsizetype n = 0; n < elf.size(); ++n)
        EXPECT_TRUE(VersionResource::fromBytes(elf.left(n)).data.isEmpty()) << n;
}

TEST(VersionResource, RandomDamageNeverReadsOutsideTheFile) {
    // Run under the sanitizer build this catches any out-of-bounds read; elsewhere it catches crashes.
    QRandomGenerator random(20240611);
    const QByteArray originals[] = {buildPe(Block), buildPe(Block, true), buildElf(Block),
                                    buildElf(Block, {false, true})};
    for (const QByteArray& original : originals) {
        for (int round = 0; round < 400; ++round) {
            QByteArray damaged = original;
            const int flips = 1 + int(random.bounded(8));
            for (int i = 0; i < flips; ++i)
                damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
            const VersionResource r = VersionResource::fromBytes(damaged);
            EXPECT_LE(quint64(r.data.size()), r.declaredSize);
        }
    }
}

TEST(VersionResource, FilesOnDiskAreRead) {
    EXPECT_EQ(VersionResource::fromFile("/nonexistent/program.exe").declaredSize, 0u);
    EXPECT_EQ(VersionResource::fromFile("").declaredSize, 0u);
    EXPECT_EQ(VersionResource::fromFile("/").declaredSize, 0u); // a directory
}
