#pragma once
// The one shared connection to the data source "Tessara", typed errors and
// the helpers every read and write goes through.

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <memory>
#include <stdexcept>

class QSqlQuery;

namespace store {

// The installation's fixed connection string.
inline constexpr const char* kConnectionString = "DSN=Tessara;UID=sa;PWD=kzq;";
// Name of the shared connection inside Qt's connection registry.
inline constexpr const char* kConnectionName = "DbConnection";

enum class ErrorKind {
    Unavailable,    // the data source cannot be reached or opened
    MissingObject,  // a table or field does not exist
    DuplicateKey,   // a unique key refused the row
    NoRecord,       // the row asked for does not exist
    ConnectionLost, // the connection broke while a command ran
    Other,
    MonthClosed,    // the card's department has closed its month
};

// A failed database operation. `number` is the driver's native error code,
// `sqlState` the five-character state where the driver gives one.
class DbError : public std::runtime_error {
public:
    DbError(ErrorKind kind, QString number, QString sqlState, QString description);
    ErrorKind kind() const { return kind_; }
    const QString& number() const { return number_; }
    const QString& sqlState() const { return sqlState_; }
    const QString& description() const { return description_; }

private:
    ErrorKind kind_;
    QString number_;
    QString sqlState_;
    QString description_;
};

enum class Dialect { SQLite, PostgreSQL, Other };

// Opens the shared connection with the fixed connection string. Throws
// DbError (kind Unavailable) when the data source cannot be opened, or when
// it names an SQLite file that does not exist (which is never created here).
void connectDatabase();
// Closes and forgets the shared connection (tests; reconnecting after a loss).
void disconnectDatabase();
bool isConnected();
QSqlDatabase connection();
Dialect dialect();
// What Qt's ODBC driver is given for a connection string: the part after
// "DSN=" where the string names a data source (the driver puts "DSN=" in
// front of a string that names no driver of its own).
QString odbcDatabaseName(const QString& connectionString);
// What stands behind an open ODBC connection.
Dialect dialectOf(const QSqlDatabase& db);

// What the program has asked of the data source since the last reset: the
// statements run (exec, execDirect) and the rows read through Query::next().
// Plain counters in one place, so that counting costs an increment each.
struct Counts {
    qint64 statements = 0;
    qint64 rows = 0;
};
namespace detail {
inline Counts g_counts;
// Counts the connections opened; a statement of an earlier one is dead.
inline int g_connection = 0;
}
inline Counts counts() { return detail::g_counts; }
inline void resetCounts() { detail::g_counts = {}; }

namespace detail {
class Statement;
}

// An executed statement and its rows. Every row the program reads goes
// through next(), which counts it. The prepared statement behind it is kept
// for the next exec() of the same text once this object is gone (or
// finished), so it cannot be copied.
class Query {
public:
    explicit Query(std::shared_ptr<detail::Statement> s);
    Query(Query&& other) noexcept;
    Query& operator=(Query&& other) noexcept;
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;
    ~Query();

    // The next row; false after the last. Throws DbError when the rows
    // cannot be read (a lost connection, for one), rather than ending early.
    bool next();
    // A value of the current row. Numbers come as int, qlonglong or double,
    // dates as QDate, times of day as QTime and QDateTime, the rest as
    // QString; a NULL as a null QVariant of its column's type.
    QVariant value(int index) const;
    bool isNull(int index) const;
    int columns() const;
    int numRowsAffected() const;
    // Releases the statement's result before the object goes.
    void finish();

private:
    std::shared_ptr<detail::Statement> s_;
};

// Prepares `sql`, binds `values` in order and executes it. Throws DbError.
Query exec(const QString& sql, const QList<QVariant>& values = {});
// Runs a statement whose text holds no values (DDL).
void execDirect(const QString& sql);
// Key of the row the last INSERT made on the shared connection. `insertSql`
// must be an INSERT; on PostgreSQL it is run with "RETURNING <keyColumn>".
qint64 insertReturningKey(const QString& insertSql, const QList<QVariant>& values,
                          const QString& keyColumn);

// Classifies a failed QSqlQuery (the copy's own connections).
DbError errorFrom(const QSqlQuery& query);

// Numbers the transactions on the shared connection: the one open now, 0
// while none is.
qint64 openTransaction();

// A transaction on the shared connection: rolled back when it leaves scope
// without commit().
class Transaction {
public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    bool open_ = false;
};

// Value helpers: drivers return numbers and dates in varying types.
inline double num(const QVariant& v) { return v.isNull() ? 0.0 : v.toDouble(); }
inline qint64 whole(const QVariant& v) { return v.isNull() ? 0 : v.toLongLong(); }
QDate dateOf(const QVariant& v);
QString textOf(const QVariant& v);

} // namespace store
