#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// The memo file (.mb) of a table: the memos and blobs longer than their field's leader. After a
// 4 KiB header come blocks of 4 KiB multiples: a blob over 2 KiB fills a block of its own,
// shorter ones share a block of 64 slots.
class ParadoxMemoFile {
  public:
    // The device stays the caller's; its header block is checked at once.
    ParadoxMemoFile(QIODevice& device, QString fileName);

    // The blob that the 10 bytes after a field's leader point to: `pointer` is the file offset
    // of its block with the slot number in the low byte (0xFF for a block of its own), `length`
    // its length in bytes. A pointer that leads nowhere sensible is a RivwoodError naming the
    // file and the block.
    QByteArray read(quint32 pointer, quint32 length);

    const QString& fileName() const { return m_fileName; }

  private:
    QByteArray readAt(qint64 offset, qint64 length, qint64 block);
    QByteArray readOwnBlock(qint64 offset, quint32 length);
    QByteArray readSlot(qint64 offset, int slot, quint32 length);

    QIODevice& m_device;
    QString m_fileName;
};
