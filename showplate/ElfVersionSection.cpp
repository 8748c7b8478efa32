#include "ElfVersionSection.h"

namespace {

constexpr quint32 SectionTypeNoBits = 8;
constexpr quint32 ExtendedIndex = 0xFFFF; // SHN_XINDEX: the real value lives in section 0

struct Layout {
    bool wide;     // ELFCLASS64
    bool big;      // ELFDATA2MSB
    quint64 entry; // size of one section header as the class defines it
};

struct SectionHeader {
    quint32 name;
    quint32 type;
    quint64 offset;
    quint64 size;
    quint32 link;
};

std::optional<SectionHeader> readHeader(const ByteView& file, const Layout& l, quint64 at) {
    bool ok = true;
    SectionHeader h{};
    h.name = file.u32(at, ok, l.big);
    h.type = file.u32(at + 4, ok, l.big);
    if (l.wide) {
        h.offset = file.u64(at + 24, ok, l.big);
        h.size = file.u64(at + 32, ok, l.big);
        h.link = file.u32(at + 40, ok, l.big);
    } else {
        h.offset = file.u32(at + 16, ok, l.big);
        h.size = file.u32(at + 20, ok, l.big);
        h.link = file.u32(at + 24, ok, l.big);
    }
    if (!ok)
        return std::nullopt;
    return h;
}

// Compares the NUL-terminated name at `offset` of the string table with `wanted`.
bool nameIs(const ByteView& strings, quint64 offset, const QByteArray& wanted) {
    bool ok = true;
    const ByteView name = strings.sub(offset, quint64(wanted.size()) + 1, ok);
    return ok && name.bytes().first(wanted.size()) == wanted && name.bytes().back() == '\0';
}

} // namespace

std::optional<ResourceSpan> findElfVersionSection(const ByteView& file) {
    bool ok = true;
    if (!file.bytes().startsWith("\x7F"
                                 "ELF"))
        return std::nullopt;
    const quint8 cls = file.u8(4, ok);
    const quint8 data = file.u8(5, ok);
    if (!ok || (cls != 1 && cls != 2) || (data != 1 && data != 2))
        return std::nullopt;
    Layout l{cls == 2, data == 2, cls == 2 ? 64u : 40u};

    quint64 tableOffset, entrySize, count, stringIndex;
    if (l.wide) {
        tableOffset = file.u64(0x28, ok, l.big);
        entrySize = file.u16(0x3A, ok, l.big);
        count = file.u16(0x3C, ok, l.big);
        stringIndex = file.u16(0x3E, ok, l.big);
    } else {
        tableOffset = file.u32(0x20, ok, l.big);
        entrySize = file.u16(0x2E, ok, l.big);
        count = file.u16(0x30, ok, l.big);
        stringIndex = file.u16(0x32, ok, l.big);
    }
    if (!ok || tableOffset == 0 || entrySize < l.entry)
        return std::nullopt;

    // Files with very many sections keep the count and the name-table index in section 0.
    const std::optional<SectionHeader> first = readHeader(file, l, tableOffset);
    if (!first)
        return std::nullopt;
    if (count == 0)
        count = first->size;
    if (stringIndex == ExtendedIndex)
        stringIndex = first->link;
    // Only headers that lie in the file can exist; this also bounds the loop below.
    count = qMin(count, (file.size() - qMin(file.size(), tableOffset)) / entrySize);
    if (stringIndex >= count)
        return std::nullopt;

    const std::optional<SectionHeader> names = readHeader(file, l, tableOffset + stringIndex * entrySize);
    if (!names || names->type == SectionTypeNoBits)
        return std::nullopt;
    const ByteView strings = file.sub(names->offset, names->size, ok);
    if (!ok)
        return std::nullopt;

    for (quint64 i = 1; i < count; ++i) {
        const std::optional<SectionHeader> h = readHeader(file, l, tableOffset + i * entrySize);
        if (!h || !nameIs(strings, h->name, ElfVersionSectionName))
            continue;
        if (h->type == SectionTypeNoBits || h->size == 0)
            return std::nullopt;
        return ResourceSpan{h->offset, h->size};
    }
    return std::nullopt;
}
