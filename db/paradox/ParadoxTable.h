#pragma once

#include "ParadoxHeader.h"
#include "ParadoxMemoFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

// Reads a Paradox data table (.db) record by record, read-only, along the chain of its data
// blocks; memos longer than their field's leader come from the memo file (.mb) beside it. Only the
// records a block counts are read: a record deleted from a block keeps its bytes after them.
// Damage (a truncated file, a block pointer that leads outside the file or round in a circle, a
// block claiming more records than fit, a memo pointer to nowhere) is a RivwoodError naming the
// file and the block; the files are never written.
//
//     ParadoxTable table(path);
//     const int key = table.fieldIndex("KLIC");
//     while (table.next())
//         use(table.value(key));
class ParadoxTable {
  public:
    // Opens the table file; the memo file (the same name with ".mb", in any case) is opened when
    // a record first needs it. A file that cannot be opened is an IoError.
    explicit ParadoxTable(const QString& path);
    // A table on open devices, which stay the caller's; `memo` may be null when there is none.
    ParadoxTable(QIODevice& table, QIODevice* memo, const QString& tableFile, const QString& memoFile);
    ~ParadoxTable();
    ParadoxTable(const ParadoxTable&) = delete;
    ParadoxTable& operator=(const ParadoxTable&) = delete;

    const ParadoxHeader& header() const { return m_header; }
    const QString& fileName() const { return m_fileName; }
    // The number of the field of that name (case-insensitive), -1 when there is none.
    int fieldIndex(const QString& name) const { return m_header.fieldIndex(name); }

    // Steps to the next record; false after the last one, once the chain has held exactly the
    // header's number of records.
    bool next();
    // A field of the current record: a null QVariant when it is empty; int (Short, Long,
    // AutoIncrement), double (Number, Currency), bool (Logical), QString (Alpha, Memo, in the
    // table's code page) or QByteArray (Blob, Bytes). Fields of the other types (date, time,
    // BCD, formatted memo, OLE, graphic) are a RivwoodError naming the field.
    QVariant value(int field) const;
    // The block of the current record, numbered from 1.
    int block() const { return m_block; }

    // The memo file beside a table file, matched case-insensitively; the plain name when none.
    static QString MemoPathOf(const QString& tablePath);

  private:
    void loadBlock(int number);
    QString text(QByteArrayView bytes, const Paradox::Field& field) const;
    QByteArray blob(ByteView bytes, const Paradox::Field& field) const;
    ParadoxMemoFile& memoFile() const;

    std::unique_ptr<QFile> m_ownTable;
    mutable std::unique_ptr<QFile> m_ownMemo;
    QIODevice* m_table = nullptr;
    mutable QIODevice* m_memoDevice = nullptr;
    mutable std::optional<ParadoxMemoFile> m_memo;
    QString m_fileName, m_memoName;
    ParadoxHeader m_header;

    QByteArray m_blockBytes;
    std::vector<bool> m_visited;
    int m_block = 0;     // current block
    int m_nextBlock = 0; // the block after it in the chain, 0 at the end
    int m_count = 0;     // records counted in the current block
    int m_index = -1;    // current record in the block
    quint64 m_read = 0;  // records read so far
};
