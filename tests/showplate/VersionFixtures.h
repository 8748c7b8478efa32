#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// Builders of version resources and of the program files that carry them, for the reader tests.
namespace fixtures {

// One node of a VS_VERSIONINFO block.
struct Node {
    Node(QString key = {}, QByteArray value = {}, bool text = false, QList<Node> children = {})
        : key(std::move(key)), value(std::move(value)), text(text), children(std::move(children)) {}

    QString key;
    QByteArray value;
    bool text = false;
    QList<Node> children;
    int declaredValueLength = -1; // wValueLength; -1: characters (text) or bytes (binary) of value
    int declaredLength = -1;      // wLength; -1: the node's real length
};

Node textNode(const QString& key, const QString& value); // value stored with its terminating NUL
QByteArray encode(const Node& node);

QByteArray fixedFileInfo(quint16 major, quint16 minor, quint16 release, quint16 build,
                         quint32 flagsMask = 0x3F, quint32 flags = 0);

// A typical block: the fixed information, one string table and a translation.
struct VersionData {
    QByteArray fixedInfo = fixedFileInfo(2, 7, 1, 42, 0x3F, 0x1);
    QString tableKey = QStringLiteral("040504E2");
    QList<QPair<QString, QString>> strings = {
        {QStringLiteral("CompanyName"), QStringLiteral("Lesní správa Poříčí")},
        {QStringLiteral("FileDescription"), QStringLiteral("Zápisník břehových porostů")},
        {QStringLiteral("FileVersion"), QStringLiteral("2.7.1.42")},
        {QStringLiteral("InternalName"), QStringLiteral("Zapisnik")},
        {QStringLiteral("LegalCopyright"), QStringLiteral("Lesní správa 1999")},
        {QStringLiteral("OriginalFilename"), QStringLiteral("ZAPISNIK.EXE")},
        {QStringLiteral("ProductName"), QStringLiteral("Zápisník")},
        {QStringLiteral("ProductVersion"), QStringLiteral("2.7")},
    };
    std::optional<QByteArray> translation = QByteArray("\x05\x04\xE2\x04", 4); // 0x0405, 1250
};
Node versionNode(const VersionData& data);
QByteArray versionBlock(const VersionData& data = {});

// A minimal PE image (one ".rsrc" section) whose resource tree holds an icon type without
// entries and a version resource with the given bytes (name 1, Czech).
QByteArray buildPe(const QByteArray& resource, bool pe64 = false);
// File offsets inside buildPe's result, for tests that damage it.
namespace pe {
constexpr int HeaderOffset = 0x40; // "PE\0\0"
constexpr int OptionalHeader = 0x58;
constexpr int ResourceRoot = 0x200;          // root directory of the resource tree
constexpr int RootVersionEntry = 0x200 + 24; // root's second entry (RT_VERSION)
constexpr int IconDirectory = 0x200 + 0x20;  // no entries
constexpr int NameDirectory = 0x200 + 0x30;  // names 1 (-> language directory) and 2 (-> icons)
constexpr int LanguageDirectory = 0x200 + 0x50;
constexpr int DataEntry = 0x200 + 0x68;
constexpr int Resource = 0x200 + 0x78;
int sectionTable(bool pe64);
} // namespace pe

struct ElfOptions {
    bool wide = true;
    bool bigEndian = false;
    QByteArray sectionName = ".rsrc_version";
    bool noBits = false;
    bool extendedNumbering = false; // count and name-table index kept in section 0
};
// A minimal ELF file with the sections "", ".text", ".shstrtab" and the version section.
QByteArray buildElf(const QByteArray& contents, const ElfOptions& options = {});

void putU16(QByteArray& bytes, int offset, quint16 value);
void putU32(QByteArray& bytes, int offset, quint32 value);

} // namespace fixtures
