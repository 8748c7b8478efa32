#include "VersionFixtures.h"

namespace fixtures {

namespace {

void put(QByteArray& bytes, qsizetype offset, quint64 value, int width, bool big = false) {
    if (bytes.size() < offset + width)
        bytes.resize(offset + width, '\0');
    for (int i = 0; i < width; ++i)
        bytes[offset + (big ? width - 1 - i : i)] = char((value >> (8 * i)) & 0xFF);
}

void pad4(QByteArray& bytes) {
    while (bytes.size() % 4)
        bytes.append('\0');
}

QByteArray utf16z(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out.append(2, '\0');
}

qsizetype alignUp(qsizetype value, qsizetype alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

} // namespace

void putU16(QByteArray& bytes, int offset, quint16 value) {
    put(bytes, offset, value, 2);
}
void putU32(QByteArray& bytes, int offset, quint32 value) {
    put(bytes, offset, value, 4);
}

Node textNode(const QString& key, const QString& value) {
    return Node{key, utf16z(value), true};
}

QByteArray encode(const Node& node) {
    QByteArray out(6, '\0');
    out += utf16z(node.key);
    pad4(out);
    out += node.value;
    for (const Node& child : node.children) {
        pad4(out);
        out += encode(child);
    }
    const int valueLength = node.declaredValueLength >= 0
                                ? node.declaredValueLength
                                : int(node.text ? node.value.size() / 2 : node.value.size());
    put(out, 0, node.declaredLength >= 0 ? quint64(node.declaredLength) : quint64(out.size()), 2);
    put(out, 2, quint64(valueLength), 2);
    put(out, 4, node.text ? 1 : 0, 2);
    return out;
}

QByteArray fixedFileInfo(quint16 major, quint16 minor, quint16 release, quint16 build, quint32 flagsMask,
                         quint32 flags) {
    QByteArray out;
    put(out, 0, 0xFEEF04BD, 4);
    put(out, 4, 0x00010000, 4);
    put(out, 8, quint32(major) << 16 | minor, 4);
    put(out, 12, quint32(release) << 16 | build, 4);
    put(out, 16, quint32(major) << 16 | minor, 4);
    put(out, 20, quint32(release) << 16 | build, 4);
    put(out, 24, flagsMask, 4);
    put(out, 28, flags, 4);
    put(out, 32, 0x00040004, 4); // VOS_NT_WINDOWS32
    put(out, 36, 1, 4);          // VFT_APP
    put(out, 48, 0, 4);
    return out;
}

Node versionNode(const VersionData& data) {
    Node table{data.tableKey, {}, true};
    for (const auto& [key, value] : data.strings)
        table.children.append(textNode(key, value));
    Node root{QStringLiteral("VS_VERSION_INFO"), data.fixedInfo, false};
    root.children.append(Node(QStringLiteral("StringFileInfo"), {}, true, {table}));
    if (data.translation) {
        Node translation{QStringLiteral("Translation"), *data.translation, false};
        root.children.append(Node(QStringLiteral("VarFileInfo"), {}, true, {translation}));
    }
    return root;
}

QByteArray versionBlock(const VersionData& data) {
    return encode(versionNode(data));
}

int pe::sectionTable(bool pe64) {
    return OptionalHeader + (pe64 ? 240 : 224);
}

QByteArray buildPe(const QByteArray& resource, bool pe64) {
    constexpr quint32 SectionRva = 0x1000;
    const qsizetype resourceSize = (pe::Resource - pe::ResourceRoot) + resource.size();
    QByteArray f(pe::ResourceRoot + alignUp(resourceSize, 0x200), '\0');
    put(f, 0, 0x5A4D, 2); // "MZ"
    put(f, 0x3C, pe::HeaderOffset, 4);
    put(f, pe::HeaderOffset, 0x00004550, 4); // "PE\0\0"

    const int coff = pe::HeaderOffset + 4;
    put(f, coff, pe64 ? 0x8664 : 0x14C, 2);
    put(f, coff + 2, 1, 2); // one section
    put(f, coff + 16, pe64 ? 240 : 224, 2);
    put(f, coff + 18, pe64 ? 0x0022 : 0x0102, 2);

    const int opt = pe::OptionalHeader;
    put(f, opt, pe64 ? 0x20B : 0x10B, 2);
    if (pe64)
        put(f, opt + 24, 0x140000000ull, 8);
    else
        put(f, opt + 28, 0x400000, 4);
    put(f, opt + 32, 0x1000, 4); // section alignment
    put(f, opt + 36, 0x200, 4);  // file alignment
    put(f, opt + 56, SectionRva + alignUp(resourceSize, 0x1000), 4);
    put(f, opt + 60, 0x200, 4); // size of headers
    put(f, opt + 68, 2, 2);     // Windows GUI
    const int directories = opt + (pe64 ? 112 : 96);
    put(f, directories - 4, 16, 4);
    put(f, directories + 2 * 8, SectionRva, 4);
    put(f, directories + 2 * 8 + 4, quint64(resourceSize), 4);

    const int section = pe::sectionTable(pe64);
    f.replace(section, 5, ".rsrc");
    put(f, section + 8, quint64(resourceSize), 4);
    put(f, section + 12, SectionRva, 4);
    put(f, section + 16, quint64(alignUp(resourceSize, 0x200)), 4);
    put(f, section + 20, pe::ResourceRoot, 4);
    put(f, section + 36, 0x40000040, 4);

    const int r = pe::ResourceRoot;
    put(f, r + 14, 2, 2); // root: RT_ICON (empty) and RT_VERSION
    put(f, r + 16, 3, 4);
    put(f, r + 20, 0x80000000u | 0x20, 4);
    put(f, r + 24, 16, 4);
    put(f, r + 28, 0x80000000u | 0x30, 4);
    put(f, pe::NameDirectory + 14, 2, 2);
    put(f, pe::NameDirectory + 16, 1, 4);
    put(f, pe::NameDirectory + 20, 0x80000000u | (pe::LanguageDirectory - r), 4);
    put(f, pe::NameDirectory + 24, 2, 4);
    put(f, pe::NameDirectory + 28, 0x80000000u | (pe::IconDirectory - r), 4);
    put(f, pe::LanguageDirectory + 14, 1, 2); // Czech
    put(f, pe::LanguageDirectory + 16, 0x0405, 4);
    put(f, pe::LanguageDirectory + 20, pe::DataEntry - r, 4);
    put(f, pe::DataEntry, SectionRva + (pe::Resource - r), 4);
    put(f, pe::DataEntry + 4, quint64(resource.size()), 4);
    f.replace(pe::Resource, resource.size(), resource);
    return f;
}

QByteArray buildElf(const QByteArray& contents, const ElfOptions& o) {
    const bool big = o.bigEndian;
    const int headerSize = o.wide ? 64 : 52;
    const int entrySize = o.wide ? 64 : 40;
    QByteArray f(headerSize, '\0');
    f.replace(0, 4,
              "\x7F"
              "ELF");
    f[4] = char(o.wide ? 2 : 1);
    f[5] = char(big ? 2 : 1);
    f[6] = 1;

    const qsizetype text = f.size();
    f.append("\x90\x90\x90\xC3", 4);
    const QByteArray names = QByteArray("\0.text\0.shstrtab\0", 17) + o.sectionName + '\0';
    const qsizetype namesAt = f.size();
    f += names;
    pad4(f);
    const qsizetype contentsAt = f.size();
    f += contents;
    while (f.size() % 8)
        f.append('\0');
    const qsizetype table = f.size();

    struct Header {
        quint32 name, type;
        quint64 offset, size;
        quint32 link;
    };
    const Header headers[] = {
        {0, 0, 0, quint64(o.extendedNumbering ? 4 : 0), quint32(o.extendedNumbering ? 2 : 0)},
        {1, 1, quint64(text), 4, 0},
        {7, 3, quint64(namesAt), quint64(names.size()), 0},
        {17, quint32(o.noBits ? 8 : 1), quint64(contentsAt), quint64(contents.size()), 0},
    };
    for (int i = 0; i < 4; ++i) {
        const qsizetype at = table + i * entrySize;
        f.resize(at + entrySize, '\0');
        put(f, at, headers[i].name, 4, big);
        put(f, at + 4, headers[i].type, 4, big);
        if (o.wide) {
            put(f, at + 24, headers[i].offset, 8, big);
            put(f, at + 32, headers[i].size, 8, big);
            put(f, at + 40, headers[i].link, 4, big);
        } else {
            put(f, at + 16, headers[i].offset, 4, big);
            put(f, at + 20, headers[i].size, 4, big);
            put(f, at + 24, headers[i].link, 4, big);
        }
    }

    put(f, 16, 2, 2, big);                // executable
    put(f, 18, o.wide ? 62 : 40, 2, big); // x86-64 / ARM
    put(f, 20, 1, 4, big);
    const int shoff = o.wide ? 0x28 : 0x20; // section header fields follow e_flags and e_ehsize
    put(f, shoff, quint64(table), o.wide ? 8 : 4, big);
    put(f, shoff + (o.wide ? 12 : 8), quint64(headerSize), 2, big);               // e_ehsize
    put(f, shoff + (o.wide ? 18 : 14), quint64(entrySize), 2, big);               // e_shentsize
    put(f, shoff + (o.wide ? 20 : 16), o.extendedNumbering ? 0 : 4, 2, big);      // e_shnum
    put(f, shoff + (o.wide ? 22 : 18), o.extendedNumbering ? 0xFFFF : 2, 2, big); // e_shstrndx
    return f;
}

} // namespace fixtures
