#pragma once
// Copying every Karvela table from one data source to another, SQLite or
// PostgreSQL either way: the move to a shared server, backups and restores.
// The target must hold none of the tables; it gets them from the program's
// own schema for its dialect, and the rows, keys included, in one
// transaction that commits only when the copy checks out.

#include "store/database.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

namespace store {

// The tables a copy carries, in the order they are copied: the four, then
// the later ones where the source holds them. The first column of each is
// its record key; rows go across in its order.
QStringList copiedTables();

// A connection string that opens an SQLite file through the SQLite ODBC
// driver itself, without a data source entry.
QString sqliteFileConnection(const QString& path);

struct TableRows {
    QString table;
    qint64 rows = 0;
};

// What the check compares besides the row counts.
struct CopyTotals {
    double bookedDays = 0; // SUM(DaysBooked) of edbooked
    double balances = 0;   // SUM(Bal_ED) of jobs
    double allotted = 0;   // SUM(Limit_ED) of jobs
};

struct CopySummary {
    Dialect from = Dialect::Other;
    Dialect to = Dialect::Other;
    QList<TableRows> tables;
    CopyTotals totals;
};

// A copy that did not happen; the target is as it was.
class CopyRefused : public std::runtime_error {
public:
    enum class Reason {
        SourceWithoutTables, // the source lacks one of the four tables
        TargetHoldsTables,   // the target holds a Karvela table already
        UnknownTable,        // the source holds a table this program cannot create
        CheckFailed,         // counts or totals differ after copying (rolled back)
    };
    CopyRefused(Reason reason, QString detail)
        : std::runtime_error(detail.toStdString()), reason_(reason), detail_(std::move(detail))
    {
    }
    Reason reason() const { return reason_; }
    // The table named, or what differed.
    const QString& detail() const { return detail_; }

private:
    Reason reason_;
    QString detail_;
};

// Called after each batch of rows written: the table, its rows copied so
// far and its rows to copy.
using CopyProgress = std::function<void(const QString& table, qint64 copied, qint64 toCopy)>;

// Copies from the data source of `fromConnection` to that of
// `toConnection` (connection strings as the program's own). Reads the
// source in one transaction (a consistent snapshot), writes the target in
// one. Throws CopyRefused, or DbError when a data source fails (nothing of
// the copy is then left in the target).
CopySummary copyDatabase(const QString& fromConnection, const QString& toConnection,
                         const CopyProgress& progress = {});

} // namespace store
