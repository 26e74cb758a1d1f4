#include "store/copy.h"

#include "store/schema.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>

namespace store {

namespace {

// Tables added after the first four; the copy carries each where the source
// holds it. A new table is one more line here (and its DDL in the schema).
const QStringList kLaterTables = {
    QStringLiteral("monthcloses"),
    QStringLiteral("auditlog"),
};

// Rows per INSERT: many rows a statement save round trips (on PostgreSQL
// each statement is one or more), within the bound values a statement may
// have: SQLite builds of old allow 999; libpq refuses a parameter
// description of more than 30,000 bytes (4 a value) as out of step.
int rowsPerInsert(Dialect d, int columns)
{
    const int values = d == Dialect::PostgreSQL ? 7000 : 990;
    return std::max(1, std::min(1000, values / columns));
}
constexpr double kTolerance = 1e-6;
constexpr qint64 kRowsPerRead = 50000;

const QString kTotals = QStringLiteral("SELECT (SELECT SUM(DaysBooked) FROM edbooked), (SELECT SUM(Bal_ED) FROM jobs), "
                                       "(SELECT SUM(Limit_ED) FROM jobs)");
// Moves a PostgreSQL key sequence past the keys copied (no sequence, no
// effect: setval of NULL is NULL).
const QString kMoveSequence =
    QStringLiteral("SELECT setval(pg_get_serial_sequence(?, ?), COALESCE(MAX(%2), 0) + 1, false) FROM %1");

// One end of the copy: a connection of its own, rolled back (unless
// committed) and closed when it goes.
class End {
public:
    End(const QString& name, const QString& connectionString) : name_(name)
    {
        QSqlError e;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name_);
            db.setDatabaseName(odbcDatabaseName(connectionString));
            if (db.open())
                dialect_ = dialectOf(db);
            else
                e = db.lastError();
        }
        if (e.isValid()) {
            QSqlDatabase::removeDatabase(name_);
            throw DbError(ErrorKind::Unavailable, e.nativeErrorCode().isEmpty() ? QStringLiteral("0") : e.nativeErrorCode(),
                          QString(), e.databaseText().trimmed().isEmpty() ? e.text() : e.databaseText().trimmed());
        }
    }
    ~End()
    {
        {
            QSqlDatabase d = db();
            if (inTransaction_)
                d.rollback();
            d.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    End(const End&) = delete;
    End& operator=(const End&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    Dialect dialect() const { return dialect_; }

    QSet<QString> tables() const
    {
        QSet<QString> s;
        for (const QString& t : db().tables(QSql::Tables))
            s.insert(t.toLower());
        return s;
    }
    void begin()
    {
        QSqlDatabase d = db();
        if (!d.transaction())
            throw failure(d.lastError());
        inTransaction_ = true;
    }
    void commit()
    {
        QSqlDatabase d = db();
        if (!d.commit())
            throw failure(d.lastError());
        inTransaction_ = false;
    }
    QSqlQuery run(const QString& sql, const QList<QVariant>& values = {}) const
    {
        QSqlQuery q(db());
        q.setForwardOnly(true);
        if (!q.prepare(sql))
            throw errorFrom(q);
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values[i]);
        if (!q.exec())
            throw errorFrom(q);
        return q;
    }
    void runDirect(const QString& sql) const
    {
        QSqlQuery q(db());
        if (!q.exec(sql))
            throw errorFrom(q);
    }

private:
    static DbError failure(const QSqlError& e)
    {
        const QString text = e.databaseText().trimmed().isEmpty() ? e.text() : e.databaseText().trimmed();
        return DbError(ErrorKind::Other, e.nativeErrorCode().isEmpty() ? QStringLiteral("0") : e.nativeErrorCode(),
                       QString(), text);
    }
    QString name_;
    Dialect dialect_ = Dialect::Other;
    bool inTransaction_ = false;
};

CopyTotals totalsOf(const End& end)
{
    QSqlQuery q = end.run(kTotals);
    CopyTotals t;
    if (q.next()) {
        t.bookedDays = num(q.value(0));
        t.balances = num(q.value(1));
        t.allotted = num(q.value(2));
    }
    return t;
}

qint64 rowsOf(const End& end, const QString& table)
{
    QSqlQuery q = end.run(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    return q.next() ? whole(q.value(0)) : 0;
}

QString insertText(const QString& table, const QStringList& columns, int rows)
{
    QString one = QStringLiteral("(?");
    for (int c = 1; c < columns.size(); ++c)
        one += QStringLiteral(", ?");
    one += QLatin1Char(')');
    QStringList all;
    for (int r = 0; r < rows; ++r)
        all << one;
    return QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(table, columns.join(QStringLiteral(", "))) +
        all.join(QStringLiteral(", "));
}

// Copies one table in key order, in INSERTs of several rows each.
void copyTable(const End& from, const End& to, const QString& table, qint64 toCopy, const CopyProgress& progress)
{
    QStringList columns;
    QList<QMetaType> types;
    const QSqlRecord record = to.db().record(table);
    for (int i = 0; i < record.count(); ++i) {
        columns << record.fieldName(i);
        types << record.field(i).metaType();
    }
    const int width = int(columns.size());
    const int perInsert = rowsPerInsert(to.dialect(), width);

    QSqlQuery full(to.db());
    if (!full.prepare(insertText(table, columns, perInsert)))
        throw errorFrom(full);
    QList<QVariant> pending;
    pending.reserve(perInsert * width);
    qint64 copied = 0;
    const auto flush = [&](QSqlQuery& insert) {
        for (int i = 0; i < pending.size(); ++i)
            insert.bindValue(i, pending[i]);
        if (!insert.exec())
            throw errorFrom(insert);
        copied += pending.size() / width;
        pending.clear();
        if (progress)
            progress(table, copied, toCopy);
    };

    // Read a page of rows at a time, after the last key read: a driver that
    // holds a whole result in memory (psqlODBC does) holds one page.
    const QString select = QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QStringLiteral(", ")), table);
    const QString order = QStringLiteral(" ORDER BY %1 LIMIT ?").arg(columns.first());
    const QString firstPage = select + order;
    const QString nextPage = select + QStringLiteral(" WHERE %1 > ?").arg(columns.first()) + order;
    QVariant lastKey;
    for (qint64 read = kRowsPerRead; read == kRowsPerRead;) {
        QSqlQuery rows = lastKey.isValid() ? from.run(nextPage, {lastKey, kRowsPerRead})
                                           : from.run(firstPage, {kRowsPerRead});
        for (read = 0; rows.next(); ++read) {
            // Values go in as the target's column types (a date SQLite
            // hands over as text goes to PostgreSQL as a date).
            for (int c = 0; c < width; ++c) {
                QVariant v = rows.value(c);
                if (v.metaType() != types[c] && types[c].isValid())
                    v.convert(types[c]);
                pending << v;
            }
            lastKey = rows.value(0);
            if (pending.size() == perInsert * width)
                flush(full);
        }
        if (rows.lastError().isValid())
            throw errorFrom(rows);
    }
    if (!pending.isEmpty()) {
        QSqlQuery rest(to.db());
        if (!rest.prepare(insertText(table, columns, int(pending.size() / width))))
            throw errorFrom(rest);
        flush(rest);
    }
    if (copied == 0 && progress)
        progress(table, 0, toCopy);

    if (to.dialect() == Dialect::PostgreSQL)
        to.run(kMoveSequence.arg(table, columns.first()), {table, columns.first().toLower()});
}

bool near(double a, double b)
{
    return std::fabs(a - b) <= kTolerance;
}

} // namespace

QStringList copiedTables()
{
    QStringList t = kTables;
    for (const QString& later : kLaterTables)
        if (!t.contains(later))
            t << later;
    return t;
}

QString sqliteFileConnection(const QString& path)
{
    static const QStringList places = {
        QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so"),
        QStringLiteral("/usr/lib/aarch64-linux-gnu/odbc/libsqlite3odbc.so"),
        QStringLiteral("/usr/lib/odbc/libsqlite3odbc.so"),
        QStringLiteral("/usr/lib64/libsqlite3odbc.so"),
    };
    QString driver = QStringLiteral("libsqlite3odbc.so");
    for (const QString& p : places)
        if (QFileInfo::exists(p)) {
            driver = p;
            break;
        }
    return QStringLiteral("DRIVER=%1;Database=%2;Timeout=10000;").arg(driver, path);
}

CopySummary copyDatabase(const QString& fromConnection, const QString& toConnection, const CopyProgress& progress)
{
    End from(QStringLiteral("karvela_copy_from"), fromConnection);
    End to(QStringLiteral("karvela_copy_to"), toConnection);
    CopySummary summary;
    summary.from = from.dialect();
    summary.to = to.dialect();

    const QSet<QString> sourceTables = from.tables();
    for (const QString& t : kTables)
        if (!sourceTables.contains(t))
            throw CopyRefused(CopyRefused::Reason::SourceWithoutTables, t);
    const QSet<QString> targetTables = to.tables();
    QStringList tables;
    for (const QString& t : copiedTables()) {
        if (targetTables.contains(t))
            throw CopyRefused(CopyRefused::Reason::TargetHoldsTables, t);
        if (sourceTables.contains(t))
            tables << t;
    }

    // One snapshot of the source for every table and total read.
    if (from.dialect() == Dialect::PostgreSQL)
        from.runDirect(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION ISOLATION LEVEL REPEATABLE READ"));
    from.begin();
    summary.totals = totalsOf(from);
    for (const QString& t : tables)
        summary.tables << TableRows{t, rowsOf(from, t)};

    // The tables as create-database makes them; their look-up indexes once
    // the rows are in (built in one go rather than row by row).
    to.begin();
    QStringList indexes;
    for (const QString& s : schemaStatements(to.dialect()) + closeTableStatements(to.dialect())) {
        if (s.startsWith(QLatin1String("CREATE INDEX"), Qt::CaseInsensitive))
            indexes << s;
        else
            to.runDirect(s);
    }
    const QSet<QString> created = to.tables();
    for (const QString& t : tables)
        if (!created.contains(t))
            throw CopyRefused(CopyRefused::Reason::UnknownTable, t);
    for (const TableRows& t : summary.tables)
        copyTable(from, to, t.table, t.rows, progress);
    for (const QString& s : indexes)
        to.runDirect(s);

    // The check, inside the target's transaction: nothing lands otherwise.
    for (const TableRows& t : summary.tables) {
        const qint64 n = rowsOf(to, t.table);
        if (n != t.rows)
            throw CopyRefused(CopyRefused::Reason::CheckFailed,
                              QStringLiteral("%1: %2 rows read, %3 rows written").arg(t.table).arg(t.rows).arg(n));
    }
    const CopyTotals written = totalsOf(to);
    const auto check = [](const char* what, double read, double wrote) {
        if (!near(read, wrote))
            throw CopyRefused(CopyRefused::Reason::CheckFailed, QStringLiteral("%1: %2 read, %3 written")
                                                                    .arg(QLatin1String(what))
                                                                    .arg(read, 0, 'g', 17)
                                                                    .arg(wrote, 0, 'g', 17));
    };
    check("booked days", summary.totals.bookedDays, written.bookedDays);
    check("job balances", summary.totals.balances, written.balances);
    check("allotted days", summary.totals.allotted, written.allotted);
    to.commit();
    // Planner statistics for the new rows now rather than when the server's
    // own vacuum gets round to them; the copy stands either way.
    if (to.dialect() == Dialect::PostgreSQL) {
        try {
            to.runDirect(QStringLiteral("ANALYZE"));
        } catch (const DbError&) {
        }
    }
    return summary;
}

} // namespace store
