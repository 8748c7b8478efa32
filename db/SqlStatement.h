#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <cstdint>

// The tables a statement reads or writes, as a set of bits.
namespace StandTables {
enum Bits : unsigned { Por = 1, Dre = 2, Tlo = 4, Ses = 8, Vys = 16, All = 31, Rows = Dre | Tlo | Ses | Vys };
} // namespace StandTables

// One statement of a stand database backend, written once for both ("?" stands for each value).
// Every value is bound as a parameter, never written into the SQL. Values are numbered from 1
// and stay bound until bound again. Errors are DatabaseErrors naming their cause.
//
// run() executes a statement whose rows are not read (a change, a transaction step). A server
// backend may send it together with the next statement whose rows are read, so one round trip
// serves several; its error then surfaces at that statement or, at the latest, at the commit,
// which fails and stores nothing. open() executes a statement for its rows, read by next() and
// the column accessors (columns numbered from 0).
class SqlStatement {
  public:
    virtual ~SqlStatement() = default;

    virtual SqlStatement& bindNull(int index) = 0;
    virtual SqlStatement& bind(int index, std::int64_t value) = 0;
    SqlStatement& bind(int index, int value) { return bind(index, std::int64_t(value)); }
    virtual SqlStatement& bind(int index, double value) = 0;
    virtual SqlStatement& bind(int index, QStringView text) = 0;
    SqlStatement& bind(int index, const QString& text) { return bind(index, QStringView(text)); }
    SqlStatement& bind(int index, bool value) = delete; // a truth value goes through bindBool
    // A BOOLEAN column.
    virtual SqlStatement& bindBool(int index, bool value) = 0;
    // A value read from another database: null, a number, a truth value or a text (bytes are
    // taken as UTF-8 text).
    SqlStatement& bindValue(int index, const QVariant& value);

    // The tables the statement touches, and when it touches the rows of one stand only, its key
    // (0: any). Backends that hold rows back to send them in bulk send them first when the
    // statement may meet them. Everything unless told otherwise; reset by each run.
    SqlStatement& touching(unsigned tables, int key = 0) {
        m_tables = tables;
        m_key = key;
        return *this;
    }

    virtual void run() = 0;
    virtual void open() = 0;
    virtual bool next() = 0;
    // Ends the use: rows not read are dropped (and with them any lock they hold), and so are rows
    // given to an inserter after its last finish().
    virtual void reset() = 0;
    // An inserter's rows given to run() are in the database's hands after this: written, or on a
    // server gathered for the commit. Other statements have nothing to finish.
    virtual void finish() {}

    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    virtual bool isNull(int column) const = 0;
    virtual std::int64_t integer(int column) const = 0;
    virtual double number(int column) const = 0;
    virtual QString text(int column) const = 0;
    // The value as stored text (UTF-8), valid until the next row.
    virtual QByteArrayView bytes(int column) const = 0;
    // A BOOLEAN column; NULL reads false.
    virtual bool boolean(int column) const = 0;
    // The value as the database types it: a whole number (qlonglong), a double, a bool, a text;
    // NULL is a valid null value, a column past the last an invalid one.
    virtual QVariant value(int column) const = 0;

  protected:
    unsigned m_tables = StandTables::All;
    int m_key = 0;
};
