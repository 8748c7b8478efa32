#pragma once

#include <QString>
#include <QVariant>
#include <vector>

// Paradox tables of the older program's stand database for the tests of their reader and of
// the take-over, written with pxlib independently of our reader. pxlib is GPL: it links into
// tests and benchmarks only, never into the programs.
namespace testsupport {

// A column as the older program's table definitions name it.
struct OldColumn {
    enum Type { Char, Numeric, Smallint, Integer, Boolean, Blob };
    const char* name;
    Type type;
    int size = 0; // characters of a CHAR, the leader of a BLOB
};

// The columns of RivwoodPor, RivwoodDre, RivwoodTlo, RivwoodSes and RivwoodVys in creation
// order, RivwoodPor with the four user-identification columns.
const std::vector<OldColumn>& OldTableColumns(const QString& table);
// The primary key columns (the first ones): 1 for RivwoodPor, 2 for RivwoodDre, else 0.
int OldTableKeyColumns(const QString& table);

// Writes one Paradox table and, when a column is a BLOB, its memo file (".mb") beside it. Text
// is converted to the code page with iconv and stored as bytes.
class ParadoxTableWriter {
  public:
    // Creates `path`; the first `keyColumns` columns form the primary key (rows then come in key
    // order). Any failure is a std::runtime_error.
    ParadoxTableWriter(const QString& path, const std::vector<OldColumn>& columns, int keyColumns = 0,
                       int codePage = 1250);
    ~ParadoxTableWriter();
    ParadoxTableWriter(const ParadoxTableWriter&) = delete;
    ParadoxTableWriter& operator=(const ParadoxTableWriter&) = delete;

    // One row, a value per column: a null QVariant leaves the field empty; QString for CHAR and
    // BLOB, numbers for NUMERIC, SMALLINT and INTEGER, bool for BOOLEAN.
    void addRow(const std::vector<QVariant>& values);
    // Deletes a row as Paradox does: the rows after it in its block move up and the block's old
    // last row stays behind them, past the block's count.
    void deleteRow(int row);
    // Finishes the files (the destructor does it too).
    void close();

  private:
    struct Document;
    Document* m_doc;
    std::vector<OldColumn> m_columns;
    int m_codePage;
};

// Writes one of the five tables into a directory (RivwoodPor → "RivwoodPor.db"), keyed as the
// older program keyed it.
void WriteOldTable(const QString& directory, const QString& table,
                   const std::vector<std::vector<QVariant>>& rows, int codePage = 1250);

// An older database of `stands` stands (keys from 1) in the five tables, for benchmarks: each
// stand with Czech texts and a comment (every tenth over 2 KiB), `species` species (at most 8) of
// `classes` filled classes (at most 11), a summary row and `heights` sample heights each.
void WriteOldDatabase(const QString& directory, int stands, int species, int classes, int heights);

} // namespace testsupport
