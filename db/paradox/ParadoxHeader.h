#pragma once

#include "ByteView.h"
#include "ParadoxField.h"

#include <QIODevice>
#include <QString>
#include <vector>

// The header of a Paradox data table (.db): the layout of its records and blocks, its fields and
// the code page of its text. Numbers in the header are little-endian; the records hold theirs
// big-endian (see ParadoxValue).
struct ParadoxHeader {
    int recordSize = 0;
    int headerSize = 0; // the data blocks follow the header
    int blockSize = 0;
    int fileType = 0;        // 0 keyed table, 2 table without a key
    int fileVersion = 0;     // 3 (Paradox 3.0) … 12 (Paradox 7)
    quint32 recordCount = 0; // records in the chain of blocks
    int fileBlocks = 0;      // blocks in the file, used or free
    int firstBlock = 0;      // first block of the chain, from 1; 0 in an empty table
    int lastBlock = 0;       // last block of the chain
    int codePage = 0;        // of the text: 1250, 852, …; 0 when the header names none
    QString tableName;
    std::vector<Paradox::Field> fields;

    // Reads the header from the start of an open table file; a file that is not a Paradox data
    // table, or whose header is damaged, is a RivwoodError naming `fileName`.
    static ParadoxHeader Read(QIODevice& device, const QString& fileName);
    // The same from the header bytes (at least the header's own size).
    static ParadoxHeader Parse(ByteView bytes, const QString& fileName);

    // The number of the field of that name (case-insensitive), -1 when there is none.
    int fieldIndex(const QString& name) const;
    // The file offset of a data block, numbered from 1.
    qint64 blockOffset(int block) const { return headerSize + qint64(block - 1) * blockSize; }
};
