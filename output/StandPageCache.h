#pragma once

#include <QString>
#include <array>

// What the page numbering of the stand report remembers between runs, in the file
// "RivwoodStranky.bin" of the database directory: for which template it numbered the pages last,
// and the state of the stand and summary table files after that numbering left every stored page
// number right. While both files are in that state nothing has been written to them since, and the
// numbering has nothing to do. A database on a server (no directory) keeps no such file. The file
// is only a help: a missing, foreign or damaged one reads as empty, one that cannot be written is
// not kept.
class StandPageCache {
  public:
    static constexpr const char* FileName = "RivwoodStranky.bin";
    using Hash = std::array<char, 16>;

    // The state of the SQLite files RivwoodPor.db and RivwoodSes.db: their change counters (which
    // SQLite raises with every transaction that writes them) and sizes. Not valid while a journal
    // is open, in write-ahead mode or when a file cannot be read.
    struct FileState {
        bool valid = false;
        std::array<quint32, 2> counters{};
        std::array<qint64, 2> sizes{};
        bool operator==(const FileState& o) const {
            return valid && o.valid && counters == o.counters && sizes == o.sizes;
        }
    };
    static FileState currentState(const QString& databaseDirectory);
    // The state `before` advanced by exactly one transaction of ours on RivwoodSes.db.
    static bool isOneWriteLater(const FileState& before, const FileState& after);

    explicit StandPageCache(QString databaseDirectory);

    // Reads the file; false, and an empty cache, when there is none or it is not ours.
    bool load();
    // The context (template and its options) and state of the last numbering.
    const Hash& context() const { return m_context; }
    const FileState& state() const { return m_state; }
    // Writes the file: `state` as the state of the files that the stored page numbers are right
    // for under `context` (an invalid one for none).
    void save(const Hash& context, const FileState& state);

  private:
    QString m_file;
    Hash m_context{};
    FileState m_state;
};
