#include "ParadoxHeader.h"

#include "ParadoxError.h"
#include "ParadoxText.h"

namespace {

using Paradox::FailHeader;

// Offsets of the header's fixed part.
constexpr int kRecordSize = 0x00, kHeaderSize = 0x02, kFileType = 0x04, kBlockSizeCode = 0x05,
              kRecordCount = 0x06, kFileBlocks = 0x0C, kFirstBlock = 0x0E, kLastBlock = 0x10,
              kFieldCount = 0x21, kEncryption = 0x25, kFileVersion = 0x39, kEncryption4 = 0x5C,
              kCodePage = 0x6A;
// Where the field list starts: tables of Paradox 4 and later have 32 more bytes of header.
constexpr int kFieldsOld = 0x58, kFields = 0x78;
// Paradox 4 and later.
constexpr int kVersion4 = 5, kVersion7 = 12;

struct Reader {
    ByteView bytes;
    const QString& file;

    quint32 at(int offset, int width) const {
        bool ok = true;
        const quint32 v = width == 1   ? bytes.u8(quint64(offset), ok)
                          : width == 2 ? bytes.u16(quint64(offset), ok)
                                       : bytes.u32(quint64(offset), ok);
        if (!ok)
            FailHeader(file, "hlavička je kratší, než udává");
        return v;
    }
    // A zero-terminated string starting at `offset` within `length` bytes.
    QByteArrayView string(qint64 offset, qint64 length) const {
        bool ok = true;
        const ByteView part = bytes.sub(quint64(offset), quint64(length), ok);
        if (!ok)
            FailHeader(file, "názvy polí přesahují hlavičku");
        const qsizetype end = part.bytes().indexOf('\0');
        return end < 0 ? part.bytes() : part.bytes().first(end);
    }
};

QString text(QByteArrayView bytes, int codePage) {
    bool ok = true;
    return Paradox::DecodeText(bytes, codePage, ok);
}

} // namespace

ParadoxHeader ParadoxHeader::Read(QIODevice& device, const QString& fileName) {
    const QByteArray start = device.read(kFieldsOld);
    if (start.size() < kFieldsOld)
        FailHeader(fileName, "soubor je kratší než hlavička tabulky");
    const int size = Reader{ByteView(start), fileName}.at(kHeaderSize, 2);
    if (size < kFieldsOld)
        FailHeader(fileName, QString("velikost hlavičky %1 bajtů není možná").arg(size));
    const QByteArray rest = device.read(size - kFieldsOld);
    if (rest.size() < size - kFieldsOld)
        FailHeader(fileName, "soubor je kratší než hlavička tabulky");
    return Parse(ByteView(start + rest), fileName);
}

ParadoxHeader ParadoxHeader::Parse(ByteView all, const QString& fileName) {
    ParadoxHeader h;
    h.headerSize = int(Reader{all, fileName}.at(kHeaderSize, 2));
    bool whole = true;
    const ByteView bytes = all.sub(0, quint64(h.headerSize), whole);
    if (!whole)
        FailHeader(fileName, "soubor je kratší než hlavička tabulky");
    const Reader r{bytes, fileName};
    h.recordSize = int(r.at(kRecordSize, 2));
    h.fileType = int(r.at(kFileType, 1));
    h.recordCount = r.at(kRecordCount, 4);
    h.fileBlocks = int(r.at(kFileBlocks, 2));
    h.firstBlock = int(r.at(kFirstBlock, 2));
    h.lastBlock = int(r.at(kLastBlock, 2));
    h.fileVersion = int(r.at(kFileVersion, 1));
    const int blockCode = int(r.at(kBlockSizeCode, 1));
    const int fieldCount = int(r.at(kFieldCount, 2));

    if (h.fileType != 0 && h.fileType != 2)
        FailHeader(fileName, QString("soubor typu %1 není tabulka s daty").arg(h.fileType));
    if (h.fileVersion < 3 || h.fileVersion > kVersion7)
        FailHeader(fileName, QString("verze souboru %1 není známa").arg(h.fileVersion));
    if (blockCode < 1 || blockCode > 32)
        FailHeader(fileName, QString("kód velikosti bloku %1 není možný").arg(blockCode));
    h.blockSize = blockCode * 0x400;
    if (h.recordSize < 1 || h.recordSize > h.blockSize - 6)
        FailHeader(fileName, QString("velikost záznamu %1 bajtů není možná").arg(h.recordSize));
    if (fieldCount < 1 || fieldCount > 255)
        FailHeader(fileName, QString("počet polí %1 není možný").arg(fieldCount));
    if (h.firstBlock > h.fileBlocks || h.lastBlock > h.fileBlocks)
        FailHeader(fileName, QString("první nebo poslední blok leží za %1 bloky souboru").arg(h.fileBlocks));
    if (h.firstBlock == 0 && h.recordCount > 0)
        FailHeader(fileName, QString("%1 záznamů bez prvního bloku").arg(h.recordCount));

    const bool version4 = h.fileVersion >= kVersion4;
    if (r.at(version4 ? kEncryption4 : kEncryption, 4) != 0)
        FailHeader(fileName, "tabulka je zašifrována heslem");
    h.codePage = version4 ? int(r.at(kCodePage, 2)) : 0;

    const int fieldList = version4 ? kFields : kFieldsOld;
    int offset = 0;
    for (int i = 0; i < fieldCount; ++i) {
        Paradox::Field f;
        const quint8 code = quint8(r.at(fieldList + 2 * i, 1));
        if (!Paradox::TypeOfCode(code, f.type))
            FailHeader(fileName, QString("pole %1 má neznámý typ %2").arg(i + 1).arg(code));
        f.size = Paradox::FieldSize(f.type, int(r.at(fieldList + 2 * i + 1, 1)));
        if (f.size == 0)
            FailHeader(fileName, QString("pole %1 má nemožnou velikost").arg(i + 1));
        f.offset = offset;
        offset += f.size;
        h.fields.push_back(f);
    }
    if (offset != h.recordSize)
        FailHeader(fileName, QString("pole zabírají %1 bajtů, záznam %2").arg(offset).arg(h.recordSize));

    // After the field list: a pointer, a pointer per field, the table name, then the field names.
    const qint64 nameOffset = fieldList + 6 * qint64(fieldCount) + 4;
    const int nameLength = h.fileVersion >= kVersion7 ? 261 : 79;
    h.tableName = text(r.string(nameOffset, nameLength), h.codePage);
    qint64 next = nameOffset + nameLength;
    for (Paradox::Field& f : h.fields) {
        const QByteArrayView name = r.string(next, qint64(bytes.size()) - next);
        if (next + name.size() >= qint64(bytes.size()))
            FailHeader(fileName, "názvy polí přesahují hlavičku");
        f.name = text(name, h.codePage);
        next += name.size() + 1;
    }
    return h;
}

int ParadoxHeader::fieldIndex(const QString& name) const {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}
