#include "ParadoxTable.h"

#include "ParadoxError.h"
#include "ParadoxText.h"
#include "ParadoxValue.h"
#include "RivwoodError.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kBlockHeader = 6; // next block, previous block, offset of the last record
constexpr int kBlobTail = 10;   // after a blob field's leader: pointer, length, modification number

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

QString ParadoxTable::MemoPathOf(const QString& tablePath) {
    const QFileInfo info(tablePath);
    const QString name = info.completeBaseName() + ".mb";
    const QDir dir = info.dir();
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return dir.filePath(name);
}

ParadoxTable::ParadoxTable(const QString& path)
    : m_ownTable(std::make_unique<QFile>(path)), m_table(m_ownTable.get()), m_fileName(path),
      m_memoName(MemoPathOf(path)) {
    if (!m_ownTable->open(QIODevice::ReadOnly))
        throw IoError(QString("Soubor „%1“ nelze otevřít: %2.").arg(native(path), m_ownTable->errorString()));
    m_header = ParadoxHeader::Read(*m_table, m_fileName);
    m_visited.assign(size_t(m_header.fileBlocks) + 1, false);
    m_nextBlock = m_header.firstBlock;
}

ParadoxTable::ParadoxTable(QIODevice& table, QIODevice* memo, const QString& tableFile,
                           const QString& memoFile)
    : m_table(&table), m_memoDevice(memo), m_fileName(tableFile), m_memoName(memoFile) {
    m_table->seek(0);
    m_header = ParadoxHeader::Read(*m_table, m_fileName);
    m_visited.assign(size_t(m_header.fileBlocks) + 1, false);
    m_nextBlock = m_header.firstBlock;
}

ParadoxTable::~ParadoxTable() = default;

bool ParadoxTable::next() {
    while (m_index + 1 >= m_count) {
        if (m_nextBlock == 0) {
            if (m_read != m_header.recordCount)
                Paradox::FailHeader(m_fileName, QString("hlavička udává %1 záznamů, bloky jich obsahují %2")
                                                    .arg(m_header.recordCount)
                                                    .arg(m_read));
            return false;
        }
        loadBlock(m_nextBlock);
    }
    ++m_index;
    if (++m_read > m_header.recordCount)
        Paradox::FailBlock(
            m_fileName, m_block,
            QString("bloky obsahují více záznamů, než udává hlavička (%1)").arg(m_header.recordCount));
    return true;
}

void ParadoxTable::loadBlock(int number) {
    if (number > m_header.fileBlocks)
        Paradox::FailBlock(m_fileName, number, QString("soubor má bloků jen %1").arg(m_header.fileBlocks));
    if (m_visited[size_t(number)])
        Paradox::FailBlock(m_fileName, number, "řetěz bloků se uzavírá do kruhu");
    m_visited[size_t(number)] = true;
    const qint64 offset = m_header.blockOffset(number);
    if (offset + m_header.blockSize > m_table->size() || !m_table->seek(offset))
        Paradox::FailBlock(m_fileName, number, "blok leží za koncem souboru (soubor je zkrácen)");
    m_blockBytes = m_table->read(m_header.blockSize);
    if (m_blockBytes.size() != m_header.blockSize)
        Paradox::FailBlock(m_fileName, number, "blok nelze přečíst celý");

    const ByteView view(m_blockBytes);
    bool ok = true;
    const int next = view.u16(0, ok);
    const int lastRecord = qint16(view.u16(4, ok)); // offset of the last record, negative when none
    const int recordSize = m_header.recordSize;
    if (lastRecord >= 0 && lastRecord % recordSize != 0)
        Paradox::FailBlock(m_fileName, number, "délka dat bloku neodpovídá velikosti záznamu");
    const int count = lastRecord < 0 ? 0 : lastRecord / recordSize + 1;
    if (kBlockHeader + count * recordSize > m_header.blockSize)
        Paradox::FailBlock(m_fileName, number, "blok udává více záznamů, než se do něj vejde");
    m_block = number;
    m_nextBlock = next;
    m_count = count;
    m_index = -1;
}

QVariant ParadoxTable::value(int field) const {
    if (field < 0 || size_t(field) >= m_header.fields.size() || m_index < 0)
        return {};
    const Paradox::Field& f = m_header.fields[size_t(field)];
    bool ok = true;
    const ByteView bytes =
        ByteView(m_blockBytes)
            .sub(quint64(kBlockHeader + m_index * m_header.recordSize + f.offset), quint64(f.size), ok);
    if (!ok || Paradox::IsEmptyField(bytes))
        return {};
    switch (f.type) {
    case Paradox::FieldType::Alpha: {
        const QByteArrayView all = bytes.bytes();
        const qsizetype end = all.indexOf('\0');
        return text(end < 0 ? all : all.first(end), f);
    }
    case Paradox::FieldType::Memo:
        return text(blob(bytes, f), f);
    case Paradox::FieldType::Blob:
        return blob(bytes, f);
    case Paradox::FieldType::Bytes:
        return bytes.bytes().toByteArray();
    case Paradox::FieldType::Short:
    case Paradox::FieldType::Long:
    case Paradox::FieldType::AutoIncrement:
    case Paradox::FieldType::Number:
    case Paradox::FieldType::Currency:
    case Paradox::FieldType::Logical:
        return Paradox::DecodeNumeric(f.type, bytes);
    case Paradox::FieldType::FormattedMemo:
    case Paradox::FieldType::Ole:
    case Paradox::FieldType::Graphic:
    case Paradox::FieldType::Date:
    case Paradox::FieldType::Time:
    case Paradox::FieldType::Timestamp:
    case Paradox::FieldType::Bcd:
        break;
    }
    throw RivwoodError(QString("Pole „%1“ tabulky „%2“ je typu %3, který program nečte.")
                           .arg(f.name, native(m_fileName), Paradox::TypeName(f.type)));
}

QString ParadoxTable::text(QByteArrayView bytes, const Paradox::Field& field) const {
    bool ok = true;
    QString s = Paradox::DecodeText(bytes, m_header.codePage, ok);
    if (!ok)
        throw RivwoodError(
            QString("Text pole „%1“ tabulky „%2“ je v kódové stránce %3, kterou program nepřevádí.")
                .arg(field.name, native(m_fileName))
                .arg(m_header.codePage));
    return s;
}

QByteArray ParadoxTable::blob(ByteView bytes, const Paradox::Field& field) const {
    const int leader = field.size - kBlobTail;
    bool ok = true;
    const quint32 pointer = bytes.u32(quint64(leader), ok);
    const quint32 length = bytes.u32(quint64(leader) + 4, ok);
    if (pointer != 0)
        return memoFile().read(pointer, length);
    if (length > quint32(leader))
        Paradox::FailBlock(m_fileName, m_block,
                           QString("poznámka pole „%1“ je delší než její místo v záznamu").arg(field.name));
    return bytes.bytes().first(qsizetype(length)).toByteArray();
}

ParadoxMemoFile& ParadoxTable::memoFile() const {
    if (m_memo)
        return *m_memo;
    if (!m_memoDevice) {
        m_ownMemo = std::make_unique<QFile>(m_memoName);
        if (!m_ownTable || !m_ownMemo->exists())
            throw IoError(QString("Soubor poznámek „%1“ k tabulce „%2“ chybí.")
                              .arg(native(m_memoName), native(m_fileName)));
        if (!m_ownMemo->open(QIODevice::ReadOnly))
            throw IoError(
                QString("Soubor „%1“ nelze otevřít: %2.").arg(native(m_memoName), m_ownMemo->errorString()));
        m_memoDevice = m_ownMemo.get();
    }
    m_memo.emplace(*m_memoDevice, m_memoName);
    return *m_memo;
}
