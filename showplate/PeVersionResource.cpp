#include "PeVersionResource.h"

#include <QList>

namespace {

constexpr quint32 ResourceTypeVersion = 16;
constexpr quint32 VersionResourceId = 1; // VS_VERSION_INFO
constexpr quint32 SubdirectoryFlag = 0x80000000u;
constexpr quint32 NameFlag = 0x80000000u;
constexpr int ResourceDirectoryIndex = 2;

struct Section {
    quint32 virtualAddress;
    quint32 virtualSize;
    quint32 rawSize;
    quint32 rawOffset;
};

// File offset of a relative virtual address, through the section that holds it in the file.
std::optional<quint64> rvaToOffset(const QList<Section>& sections, quint32 rva) {
    for (const Section& s : sections) {
        const quint64 extent = qMax(s.virtualSize, s.rawSize);
        if (rva >= s.virtualAddress && quint64(rva) - s.virtualAddress < extent) {
            const quint64 delta = quint64(rva) - s.virtualAddress;
            if (delta >= s.rawSize)
                return std::nullopt; // uninitialised part of the section, nothing in the file
            return quint64(s.rawOffset) + delta;
        }
    }
    return std::nullopt;
}

struct DirectoryEntry {
    quint32 name;
    quint32 target;
};

// Entries of the resource directory at `offset` (relative to the resource root).
std::optional<QList<DirectoryEntry>> readDirectory(const ByteView& root, quint64 offset) {
    bool ok = true;
    const quint32 named = root.u16(offset + 12, ok);
    const quint32 ids = root.u16(offset + 14, ok);
    if (!ok || !root.contains(offset + 16, quint64(named + ids) * 8))
        return std::nullopt;
    QList<DirectoryEntry> entries;
    entries.reserve(named + ids);
    for (quint32 i = 0; i < named + ids; ++i) {
        const quint64 at = offset + 16 + quint64(i) * 8;
        entries.append({root.u32(at, ok), root.u32(at + 4, ok)});
    }
    return entries;
}

// The subdirectory chosen at one level: the entry with the wanted numeric id, or the first one.
std::optional<quint32> pickEntry(const QList<DirectoryEntry>& entries, std::optional<quint32> wantedId,
                                 bool requireWanted) {
    if (wantedId) {
        for (const DirectoryEntry& e : entries)
            if (!(e.name & NameFlag) && e.name == *wantedId)
                return e.target;
        if (requireWanted)
            return std::nullopt;
    }
    if (entries.isEmpty())
        return std::nullopt;
    return entries.first().target;
}

} // namespace

std::optional<ResourceSpan> findPeVersionResource(const ByteView& file) {
    bool ok = true;
    if (file.u16(0, ok) != 0x5A4D || !ok) // "MZ"
        return std::nullopt;
    const quint64 pe = file.u32(0x3C, ok);
    if (!ok || file.u32(pe, ok) != 0x00004550 || !ok) // "PE\0\0"
        return std::nullopt;

    const quint64 coff = pe + 4;
    const quint32 sectionCount = file.u16(coff + 2, ok);
    const quint32 optionalSize = file.u16(coff + 16, ok);
    const quint64 optional = coff + 20;
    const quint16 magic = file.u16(optional, ok);
    if (!ok)
        return std::nullopt;
    quint64 directoryCountAt;
    if (magic == 0x10B)
        directoryCountAt = 92; // PE32
    else if (magic == 0x20B)
        directoryCountAt = 108; // PE32+
    else
        return std::nullopt;
    const quint32 directoryCount = file.u32(optional + directoryCountAt, ok);
    const quint64 resourceEntry = directoryCountAt + 4 + ResourceDirectoryIndex * 8;
    if (!ok || directoryCount <= ResourceDirectoryIndex || optionalSize < resourceEntry + 8)
        return std::nullopt;
    const quint32 resourceRva = file.u32(optional + resourceEntry, ok);
    if (!ok || resourceRva == 0)
        return std::nullopt;

    const quint64 sectionTable = optional + optionalSize;
    if (!file.contains(sectionTable, quint64(sectionCount) * 40))
        return std::nullopt;
    QList<Section> sections;
    for (quint32 i = 0; i < sectionCount; ++i) {
        const quint64 at = sectionTable + quint64(i) * 40;
        sections.append(
            {file.u32(at + 12, ok), file.u32(at + 8, ok), file.u32(at + 16, ok), file.u32(at + 20, ok)});
    }

    const std::optional<quint64> rootOffset = rvaToOffset(sections, resourceRva);
    if (!rootOffset || *rootOffset >= file.size())
        return std::nullopt;
    // Offsets inside the tree are relative to its root; the rest of the file bounds them.
    const ByteView root = file.sub(*rootOffset, file.size() - *rootOffset, ok);

    // Three levels: type, name, language. A directory visited twice is a loop and ends the search.
    QList<quint64> visited;
    quint64 directory = 0;
    quint32 target = 0;
    const std::optional<quint32> wanted[3] = {ResourceTypeVersion, VersionResourceId, std::nullopt};
    for (int level = 0; level < 3; ++level) {
        if (visited.contains(directory))
            return std::nullopt;
        visited.append(directory);
        const std::optional<QList<DirectoryEntry>> entries = readDirectory(root, directory);
        if (!entries)
            return std::nullopt;
        const std::optional<quint32> picked = pickEntry(*entries, wanted[level], level == 0);
        if (!picked)
            return std::nullopt;
        target = *picked;
        const bool isDirectory = target & SubdirectoryFlag;
        if (isDirectory != (level < 2))
            return std::nullopt;
        directory = target & ~SubdirectoryFlag;
    }

    // IMAGE_RESOURCE_DATA_ENTRY: data RVA, size, code page, reserved.
    const quint32 dataRva = root.u32(target, ok);
    const quint32 dataSize = root.u32(quint64(target) + 4, ok);
    if (!ok || dataSize == 0)
        return std::nullopt;
    const std::optional<quint64> dataOffset = rvaToOffset(sections, dataRva);
    // A resource the sections do not map is declared but cannot be read: report it past the end.
    return ResourceSpan{dataOffset.value_or(file.size()), dataSize};
}
