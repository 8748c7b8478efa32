#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

// What the page numbering of the stand report remembers between runs, in the file
// "RivwoodStranky.bin" of the database directory:
// - for every stand laid out, keyed by a hash of everything its pages depend on (the template,
//   the stand's rows as they affect the layout, where the river changes around it), how many pages
//   come before it (only the first stand can have any) and how many it takes;
// - the report order of the stands, with a hash of the columns it follows;
// - the state of the stand and summary table files after the last numbering that left every
//   stored page number right. While both files are in that state nothing has been written to them
//   since, and the numbering has nothing to do.
// A database on a server (no directory) keeps no such file: its pages are laid out every time.
// The file is only a help: a missing, foreign or damaged one reads as empty, one that cannot be
// written is not kept.
class StandPageCache {
  public:
    static constexpr const char* FileName = "RivwoodStranky.bin";
    using Hash = std::array<char, 16>;

    struct Span {
        int lead = 0;  // pages before the stand's first page that belong to it
        int pages = 1; // its first page up to the next stand's
    };
    struct OrderEntry {
        int key = 0;
        Hash columns{}; // hash of the columns the report order follows
    };

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

    // Reads the file (only its context and state with `headerOnly`); false, and an empty cache,
    // when there is none or it is not ours.
    bool load(bool headerOnly = false);
    // The context and state of the last numbering.
    const Hash& context() const { return m_context; }
    const FileState& state() const { return m_state; }

    std::optional<Span> find(const Hash& stand) const;
    // Remembers a stand's span for the context being numbered.
    void put(const Hash& stand, Span span);
    const std::vector<OrderEntry>& order() const { return m_order; }
    void setOrder(std::vector<OrderEntry> order) { m_order = std::move(order); }

    // Writes the file: the spans looked up or put since load() under `context`, and those of one
    // other context, so that printing with and without the comment keeps both; `state` as the
    // state of the files that the stored page numbers are right for (an invalid one for none).
    void save(const Hash& context, const FileState& state);

  private:
    struct HashOf {
        size_t operator()(const Hash& h) const;
    };
    using Spans = std::unordered_map<Hash, Span, HashOf>;

    QString m_file;
    Hash m_context{};
    FileState m_state;
    std::vector<OrderEntry> m_order;
    Spans m_previous;      // spans of the file's first context
    Hash m_otherContext{}; // and of the one before it
    Spans m_other;
    mutable Spans m_used; // spans of this run
};
