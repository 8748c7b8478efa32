#include "Ole2Writer.h"

#include "LittleEndian.h"

#include <vector>

namespace Ole2Writer {

namespace {

using LittleEndian::append16;
using LittleEndian::append32;

constexpr int kSector = 512;
constexpr std::uint32_t kFree = 0xFFFFFFFF, kEndOfChain = 0xFFFFFFFE, kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr int kHeaderFatEntries = 109;
constexpr int kMiniStreamCutoff = 4096;

void directoryEntry(QByteArray& out, const QString& name, int type, std::uint32_t child, std::uint32_t start,
                    std::uint32_t size) {
    QByteArray entry;
    for (QChar c : name)
        append16(entry, c.unicode());
    entry.append(QByteArray(64 - entry.size(), '\0'));
    append16(entry, name.isEmpty() ? 0 : std::uint16_t((name.size() + 1) * 2));
    entry.append(char(type));
    entry.append(char(name.isEmpty() ? 0 : 1)); // black
    append32(entry, kNoStream);                 // left sibling
    append32(entry, kNoStream);                 // right sibling
    append32(entry, child);
    entry.append(QByteArray(16 + 4 + 8 + 8, '\0')); // class id, state bits, times
    append32(entry, start);
    append32(entry, size);
    append32(entry, 0);
    out.append(entry);
}

} // namespace

bool write(const QString& streamName, const QByteArray& input, QByteArray& file, QString& error) {
    if (streamName.isEmpty() || streamName.size() > 31) {
        error = QStringLiteral("neplatný název proudu dokumentu");
        return false;
    }
    QByteArray stream = input;
    if (stream.size() < kMiniStreamCutoff)
        stream.append(QByteArray(kMiniStreamCutoff - stream.size(), '\0'));
    const int streamSectors = int((stream.size() + kSector - 1) / kSector);
    int fatSectors = 1;
    while ((streamSectors + 1 + fatSectors + kSector / 4 - 1) / (kSector / 4) > fatSectors)
        ++fatSectors;
    if (fatSectors > kHeaderFatEntries) {
        error = QStringLiteral("sešit je pro formát Excel 5.0 příliš velký");
        return false;
    }
    const int directorySector = streamSectors;
    const int firstFatSector = streamSectors + 1;

    file.clear();
    file.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    file.append(QByteArray(16, '\0'));
    append16(file, 0x003E);
    append16(file, 0x0003);
    append16(file, 0xFFFE);
    append16(file, 9); // 512-byte sectors
    append16(file, 6); // 64-byte mini sectors
    file.append(QByteArray(6, '\0'));
    append32(file, 0); // directory sectors (version 3)
    append32(file, std::uint32_t(fatSectors));
    append32(file, std::uint32_t(directorySector));
    append32(file, 0);
    append32(file, kMiniStreamCutoff);
    append32(file, kEndOfChain); // no mini FAT
    append32(file, 0);
    append32(file, kEndOfChain); // no DIFAT sectors
    append32(file, 0);
    for (int i = 0; i < kHeaderFatEntries; ++i)
        append32(file, i < fatSectors ? std::uint32_t(firstFatSector + i) : kFree);

    file.append(stream);
    file.append(QByteArray(streamSectors * kSector - stream.size(), '\0'));

    QByteArray directory;
    directoryEntry(directory, QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    directoryEntry(directory, streamName, 2, kNoStream, 0, std::uint32_t(stream.size()));
    directoryEntry(directory, QString(), 0, kNoStream, 0, 0);
    directoryEntry(directory, QString(), 0, kNoStream, 0, 0);
    file.append(directory);

    std::vector<std::uint32_t> fat(size_t(fatSectors) * (kSector / 4), kFree);
    for (int i = 0; i < streamSectors; ++i)
        fat[size_t(i)] = i + 1 < streamSectors ? std::uint32_t(i + 1) : kEndOfChain;
    fat[size_t(directorySector)] = kEndOfChain;
    for (int i = 0; i < fatSectors; ++i)
        fat[size_t(firstFatSector + i)] = kFatSector;
    for (std::uint32_t entry : fat)
        append32(file, entry);
    return true;
}

} // namespace Ole2Writer
