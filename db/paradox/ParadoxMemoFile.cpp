#include "ParadoxMemoFile.h"

#include "ByteView.h"
#include "ParadoxError.h"

namespace {

constexpr qint64 kChunk = 0x1000; // blocks are multiples of this
constexpr int kOwnBlock = 2, kSlotBlock = 3;
constexpr int kOwnHeader = 9;                 // type, chunks, length, modification number
constexpr int kSlotTable = 12, kSlotSize = 5; // slot entries after a 12-byte block header
constexpr int kSlots = 64;

} // namespace

ParadoxMemoFile::ParadoxMemoFile(QIODevice& device, QString fileName)
    : m_device(device), m_fileName(std::move(fileName)) {
    bool ok = true;
    const QByteArray header = readAt(0, 3, 0);
    if (ByteView(header).u8(0, ok) != 0 || ByteView(header).u16(1, ok) == 0 || !ok)
        Paradox::FailBlock(m_fileName, 0, "soubor nezačíná hlavičkou souboru poznámek");
}

QByteArray ParadoxMemoFile::read(quint32 pointer, quint32 length) {
    const int slot = int(pointer & 0xFF);
    const qint64 offset = pointer & ~quint32(0xFF);
    if (offset < kChunk || offset % kChunk != 0)
        Paradox::FailBlock(m_fileName, offset / kChunk, "odkaz na poznámku nemíří na začátek bloku");
    return slot == 0xFF ? readOwnBlock(offset, length) : readSlot(offset, slot, length);
}

QByteArray ParadoxMemoFile::readAt(qint64 offset, qint64 length, qint64 block) {
    // Checked against the size first, so that a damaged length asks for no memory.
    if (offset + length > m_device.size() || !m_device.seek(offset))
        Paradox::FailBlock(m_fileName, block, "blok leží za koncem souboru (soubor je zkrácen)");
    const QByteArray bytes = m_device.read(length);
    if (bytes.size() != length)
        Paradox::FailBlock(m_fileName, block, "blok nelze přečíst celý");
    return bytes;
}

QByteArray ParadoxMemoFile::readOwnBlock(qint64 offset, quint32 length) {
    const qint64 block = offset / kChunk;
    const QByteArray bytes = readAt(offset, kOwnHeader, block);
    const ByteView header(bytes);
    bool ok = true;
    const int type = header.u8(0, ok);
    const qint64 size = header.u16(1, ok) * kChunk;
    const quint32 stored = header.u32(3, ok);
    if (!ok || type != kOwnBlock)
        Paradox::FailBlock(m_fileName, block, QString("blok typu %1 neobsahuje poznámku").arg(type));
    if (stored != length)
        Paradox::FailBlock(m_fileName, block,
                           QString("poznámka má %1 bajtů, záznam tabulky udává %2").arg(stored).arg(length));
    if (kOwnHeader + qint64(length) > size)
        Paradox::FailBlock(m_fileName, block, "poznámka je delší než její blok");
    return readAt(offset + kOwnHeader, length, block);
}

QByteArray ParadoxMemoFile::readSlot(qint64 offset, int slot, quint32 length) {
    const qint64 block = offset / kChunk;
    const QByteArray bytes = readAt(offset, kChunk, block);
    const ByteView view(bytes);
    bool ok = true;
    const int type = view.u8(0, ok);
    if (type != kSlotBlock)
        Paradox::FailBlock(m_fileName, block, QString("blok typu %1 neobsahuje krátké poznámky").arg(type));
    if (slot >= kSlots)
        Paradox::FailBlock(m_fileName, block, QString("poznámka %1 v bloku není").arg(slot));
    const quint64 entry = kSlotTable + quint64(slot) * kSlotSize;
    const quint64 start = view.u8(entry, ok) * 16ull;
    const int chunks = view.u8(entry + 1, ok);
    const int inLast = view.u8(entry + 4, ok);
    if (start == 0 || chunks == 0 || inLast == 0 || inLast > 16)
        Paradox::FailBlock(m_fileName, block, QString("poznámka %1 v bloku byla smazána").arg(slot));
    const quint32 stored = quint32((chunks - 1) * 16 + inLast);
    if (stored != length)
        Paradox::FailBlock(m_fileName, block,
                           QString("poznámka má %1 bajtů, záznam tabulky udává %2").arg(stored).arg(length));
    const ByteView data = view.sub(start, stored, ok);
    if (!ok)
        Paradox::FailBlock(m_fileName, block, QString("poznámka %1 přesahuje blok").arg(slot));
    return data.bytes().toByteArray();
}
