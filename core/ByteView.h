#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// Read-only window on a byte buffer with bounds-checked little- and big-endian fields.
// Every read reports failure through `ok` instead of touching memory outside the buffer.
class ByteView {
  public:
    ByteView() = default;
    explicit ByteView(QByteArrayView bytes) : m_bytes(bytes) {}

    quint64 size() const { return quint64(m_bytes.size()); }
    QByteArrayView bytes() const { return m_bytes; }

    // True when [offset, offset + length) lies inside the buffer (no overflow on huge values).
    bool contains(quint64 offset, quint64 length) const {
        return offset <= size() && length <= size() - offset;
    }

    // The part [offset, offset + length); empty and ok = false when it does not fit.
    ByteView sub(quint64 offset, quint64 length, bool& ok) const {
        if (!contains(offset, length)) {
            ok = false;
            return {};
        }
        return ByteView(m_bytes.sliced(qsizetype(offset), qsizetype(length)));
    }

    quint8 u8(quint64 offset, bool& ok) const { return quint8(read(offset, 1, false, ok)); }
    quint16 u16(quint64 offset, bool& ok, bool bigEndian = false) const {
        return quint16(read(offset, 2, bigEndian, ok));
    }
    quint32 u32(quint64 offset, bool& ok, bool bigEndian = false) const {
        return quint32(read(offset, 4, bigEndian, ok));
    }
    quint64 u64(quint64 offset, bool& ok, bool bigEndian = false) const {
        return read(offset, 8, bigEndian, ok);
    }

  private:
    quint64 read(quint64 offset, int width, bool bigEndian, bool& ok) const {
        if (!contains(offset, quint64(width))) {
            ok = false;
            return 0;
        }
        quint64 value = 0;
        for (int i = 0; i < width; ++i) {
            const quint64 byte = quint8(m_bytes[qsizetype(offset) + (bigEndian ? i : width - 1 - i)]);
            value = (value << 8) | byte;
        }
        return value;
    }

    QByteArrayView m_bytes;
};
