#pragma once
// The few pieces of SQL text that differ between the servers the program
// runs on, in one place. Everything else is one text for all of them.

#include "store/database.h"

#include <QString>

namespace store {

class SqlDialect {
public:
    explicit SqlDialect(Dialect d) : d_(d) {}
    // The dialect of the shared connection.
    static SqlDialect current() { return SqlDialect(dialect()); }

    // An UPDATE can hand back the rows it changed ("RETURNING ...").
    bool updateReturns() const { return d_ == Dialect::PostgreSQL; }
    // A write can stand in a WITH clause before the statement's own write
    // (PostgreSQL's data-modifying WITH), so that both take one round trip.
    bool writesInWith() const { return d_ == Dialect::PostgreSQL; }
    // What a SELECT ends with to lock the rows it reads until the
    // transaction ends, in the order it reads them; empty where the first
    // write of a transaction locks the whole database anyway.
    QString lockRowsSuffix() const
    {
        return d_ == Dialect::PostgreSQL ? QStringLiteral(" FOR UPDATE") : QString();
    }

    // The server's clock as a statement runs. PostgreSQL's CURRENT_TIMESTAMP
    // is the start of the transaction, which may come before a lock the
    // transaction then waits for: rows stamped after such a wait would seem
    // to come before rows committed while it waited.
    QString now() const
    {
        return d_ == Dialect::PostgreSQL ? QStringLiteral("clock_timestamp()") : QStringLiteral("CURRENT_TIMESTAMP");
    }

private:
    Dialect d_;
};

// "?, ?, ?": `n` placeholders for a list of bound values.
inline QString placeholders(qsizetype n)
{
    QString s;
    for (qsizetype i = 0; i < n; ++i)
        s += i ? QStringLiteral(", ?") : QStringLiteral("?");
    return s;
}

} // namespace store
