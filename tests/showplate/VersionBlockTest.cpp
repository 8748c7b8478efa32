#include "VersionBlock.h"
#include "VersionFixtures.h"

#include <gtest/gtest.h>

using fixtures::Node;

namespace {

QString text(const std::optional<VersionBlock::Value>& value) {
    return value ? value->toString() : QString("<none>");
}

} // namespace

TEST(VersionBlock, AnswersTheThreeKindsOfPath) {
    const VersionBlock block(fixtures::versionBlock());
    ASSERT_TRUE(block.isValid());
    const auto fixed = block.query("\\");
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->bytes, fixtures::fixedFileInfo(2, 7, 1, 42, 0x3F, 0x1));
    const auto translation = block.query("\\VarFileInfo\\Translation");
    ASSERT_TRUE(translation);
    EXPECT_EQ(translation->bytes, QByteArray("\x05\x04\xE2\x04", 4));
    EXPECT_EQ(text(block.query("\\StringFileInfo\\040504E2\\ProductName")), QString("Zápisník"));
    EXPECT_EQ(text(block.query("\\StringFileInfo\\040504E2\\LegalCopyright")), QString("Lesní správa 1999"));
    EXPECT_FALSE(block.query("\\StringFileInfo\\040504E2\\Comments"));
    EXPECT_FALSE(block.query("\\StringFileInfo\\04090000\\ProductName"));
}

TEST(VersionBlock, KeysCompareWithoutCase) {
    const VersionBlock block(fixtures::versionBlock());
    EXPECT_EQ(text(block.query("\\stringfileinfo\\040504e2\\PRODUCTNAME")), QString("Zápisník"));
}

TEST(VersionBlock, KeysOfOddLengthAreAlignedFromTheBlockStart) {
    // "ProductName" has 11 characters, "Comments" 8: both paddings after the key must be handled.
    fixtures::VersionData data;
    data.strings = {{"A", "x"}, {"Comments", "yz"}, {"ProductName", "Vrba"}, {"B", ""}};
    const VersionBlock block(fixtures::versionBlock(data));
    EXPECT_EQ(text(block.query("\\StringFileInfo\\040504E2\\A")), QString("x"));
    EXPECT_EQ(text(block.query("\\StringFileInfo\\040504E2\\Comments")), QString("yz"));
    EXPECT_EQ(text(block.query("\\StringFileInfo\\040504E2\\ProductName")), QString("Vrba"));
    EXPECT_EQ(text(block.query("\\StringFileInfo\\040504E2\\B")), QString(""));
}

TEST(VersionBlock, RejectsBlocksThatAreNoVersionInfo) {
    Node other = fixtures::versionNode({});
    other.key = "VS_OTHER_INFO";
    EXPECT_FALSE(VersionBlock(fixtures::encode(other)).isValid());
    EXPECT_FALSE(VersionBlock(QByteArray()).isValid());
    EXPECT_FALSE(VersionBlock(QByteArray(5, '\x40')).isValid());
    // Unterminated key: the block ends inside "VS_VERSION_INFO".
    EXPECT_FALSE(VersionBlock(fixtures::versionBlock().left(20)).isValid());
    EXPECT_FALSE(VersionBlock().query("\\"));
}

TEST(VersionBlock, ValuesAreClampedToTheirNode) {
    Node root = fixtures::versionNode({});
    root.declaredValueLength = 4000; // claims more than the whole block
    const VersionBlock block(fixtures::encode(root));
    ASSERT_TRUE(block.isValid());
    const auto fixed = block.query("\\");
    ASSERT_TRUE(fixed);
    EXPECT_LT(fixed->bytes.size(), 4000);
    EXPECT_FALSE(block.query("\\StringFileInfo\\040504E2\\ProductName")); // swallowed by the value
}

TEST(VersionBlock, BrokenChildListsEndTheSearchWithoutLooping) {
    fixtures::VersionData data;
    Node root = fixtures::versionNode(data);
    Node& table = root.children[0].children[0];
    table.children[2].declaredLength = 0; // a zero length would never advance
    const VersionBlock zero(fixtures::encode(root));
    EXPECT_EQ(text(zero.query("\\StringFileInfo\\040504E2\\CompanyName")), QString("Lesní správa Poříčí"));
    EXPECT_FALSE(zero.query("\\StringFileInfo\\040504E2\\ProductName"));

    table.children[2].declaredLength = 0xFFFF; // runs past its parent: cut at the parent's end
    const VersionBlock longer(fixtures::encode(root));
    EXPECT_TRUE(longer.query("\\StringFileInfo\\040504E2\\FileVersion"));
    EXPECT_FALSE(longer.query("\\StringFileInfo\\040504E2\\InternalName"));
    EXPECT_TRUE(longer.query("\\VarFileInfo\\Translation")); // the root's own list is intact
}

TEST(VersionBlock, BlockLongerThanItsDataKeepsWhatIsThere) {
    Node root = fixtures::versionNode({});
    root.declaredLength = 0xFFF0;
    const VersionBlock block(fixtures::encode(root));
    ASSERT_TRUE(block.isValid());
    EXPECT_EQ(text(block.query("\\StringFileInfo\\040504E2\\ProductName")), QString("Zápisník"));
}

TEST(VersionBlock, TextStopsAtTheFirstNul) {
    fixtures::VersionData data;
    data.strings = {{"ProductName", QString("Olše") + QChar(0) + "smetí"}};
    const VersionBlock block(fixtures::versionBlock(data));
    EXPECT_EQ(text(block.query("\\StringFileInfo\\040504E2\\ProductName")), QString("Olše"));
}
