#pragma once

#include "RivwoodError.h"

// A failure of the stand database with its cause, so the user reads what went wrong (another
// program holds the lock, the disk is full, …) and callers can tell a busy database from a
// damaged one.
class DatabaseError : public RivwoodError {
  public:
    // NeedsPassword: a server that asks for a password that was not given, or refuses the one
    // given.
    enum Cause { Busy, DiskFull, Io, ReadOnly, Denied, Damaged, NeedsPassword, Other };

    DatabaseError(Cause cause, const QString& message) : RivwoodError(message), m_cause(cause) {}
    Cause cause() const { return m_cause; }

    // The cause of an SQLite result code (primary or extended).
    static Cause CauseOf(int sqliteCode);
    // The Czech message of a cause; Other names what was being done (when given) and the
    // database's text.
    static QString MessageFor(Cause cause, const QString& what, const QString& detail);
    // The error of an SQLite result code (primary or extended).
    [[noreturn]] static void Throw(int sqliteCode, const QString& what, const QString& detail);
    // Table files with the journal of an interrupted save, opened by someone who may not write.
    static QString InterruptedSaveMessage();

  private:
    Cause m_cause;
};
