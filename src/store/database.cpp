#include "store/database.h"

#include "store/datasource.h"
#include "store/statement.h"

#include <QCoreApplication>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>

#include <sql.h>
#include <sqlext.h>

namespace store {

DbError::DbError(ErrorKind kind, QString number, QString sqlState, QString description)
    : std::runtime_error(description.toStdString()),
      kind_(kind),
      number_(std::move(number)),
      sqlState_(std::move(sqlState)),
      description_(std::move(description))
{
}

namespace {

Dialect g_dialect = Dialect::Other;
// Set when a command found the connection broken; the next command outside
// a transaction opens it afresh.
bool g_broken = false;
int g_transactions = 0;
qint64 g_transactionSerial = 0;

// Prepared statements by their text, for the next exec() of the same text:
// preparing costs a server round trip or more (PostgreSQL), binding and
// executing a prepared one does not. An entry is reused only while no Query
// holds it.
QHash<QString, std::shared_ptr<detail::Statement>> g_prepared;
constexpr int kPreparedKept = 128;

// Forgets the prepared statements nobody holds (all of them before the
// connection closes or the schema changes).
void forgetPrepared()
{
    for (auto it = g_prepared.begin(); it != g_prepared.end();)
        it = it->use_count() == 1 ? g_prepared.erase(it) : std::next(it);
}

bool connectionDead();

// A failure on a connection the driver reports dead is a lost connection,
// whatever the driver's wording (psqlODBC, for one, reports a statement
// inside a transaction as "internal SAVEPOINT failed").
DbError noteLoss(DbError e)
{
    if (e.kind() != ErrorKind::ConnectionLost && e.kind() != ErrorKind::DuplicateKey && connectionDead())
        e = DbError(ErrorKind::ConnectionLost, e.number(), e.sqlState(), e.description());
    if (e.kind() == ErrorKind::ConnectionLost)
        g_broken = true;
    return e;
}

// Opens the connection again after a loss, before a new command starts.
void reconnectIfBroken()
{
    if (!g_broken || g_transactions > 0)
        return;
    try {
        connectDatabase();
    } catch (const DbError& e) {
        throw DbError(ErrorKind::ConnectionLost, e.number(), e.sqlState(), e.description());
    }
}

// Qt hands out ODBC handles as a QVariant holding the handle value.
SQLHANDLE handleOf(const QVariant& v)
{
    if (!v.isValid() || v.metaType().sizeOf() != int(sizeof(SQLHANDLE)) || !v.constData())
        return nullptr;
    return *static_cast<const SQLHANDLE*>(v.constData());
}

// The driver's own view of the connection (SQL_ATTR_CONNECTION_DEAD); false
// where the driver does not tell.
bool connectionDead()
{
    if (!QSqlDatabase::contains(QLatin1String(kConnectionName)))
        return false;
    const QSqlDatabase db = QSqlDatabase::database(QLatin1String(kConnectionName), false);
    if (!db.isOpen() || !db.driver())
        return false;
    SQLHANDLE hdbc = handleOf(db.driver()->handle());
    if (!hdbc)
        return false;
    SQLUINTEGER dead = SQL_CD_FALSE;
    return SQL_SUCCEEDED(SQLGetConnectAttr(hdbc, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) && dead == SQL_CD_TRUE;
}

QString describe(const QSqlError& e)
{
    QString d = e.databaseText().trimmed();
    if (d.isEmpty())
        d = e.text().trimmed();
    return d;
}

} // namespace

DbError errorFrom(const QSqlQuery& query)
{
    const QSqlError e = query.lastError();
    const QString state =
        query.result() ? detail::diagnosticsOf(SQL_HANDLE_STMT, handleOf(query.result()->handle())).state : QString();
    const QString native = e.nativeErrorCode();
    const QString text = describe(e) + QLatin1Char(' ') + e.driverText();
    return DbError(detail::classify(state, native, text), native.isEmpty() ? QStringLiteral("0") : native, state,
                   describe(e));
}

void connectDatabase()
{
    disconnectDatabase();
    // Opening an SQLite file that is not there would create an empty one.
    checkDataSourceFile();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QLatin1String(kConnectionName));
    // The statements kept go before the program's end closes the connection
    // (a data source refuses to close while statements are open). Routines
    // run in the reverse order of their adding, so this one, added after
    // the first connection was, runs before the one that closes it.
    static const bool forgetAtEnd = [] {
        qAddPostRoutine([] { g_prepared.clear(); });
        return true;
    }();
    (void)forgetAtEnd;
    db.setDatabaseName(odbcDatabaseName(QString::fromLatin1(kConnectionString)));
    if (!db.open()) {
        const QSqlError e = db.lastError();
        const QString native = e.nativeErrorCode();
        throw DbError(ErrorKind::Unavailable, native.isEmpty() ? QStringLiteral("0") : native, QString(),
                      describe(e));
    }
    g_dialect = dialectOf(db);
    g_broken = false;
}

QString odbcDatabaseName(const QString& connectionString)
{
    if (connectionString.startsWith(QLatin1String("DSN="), Qt::CaseInsensitive))
        return connectionString.mid(4);
    return connectionString;
}

Dialect dialectOf(const QSqlDatabase& db)
{
    if (!db.isOpen() || !db.driver())
        return Dialect::Other;
    if (SQLHANDLE hdbc = handleOf(db.driver()->handle())) {
        SQLCHAR name[128] = {0};
        SQLSMALLINT len = 0;
        if (SQL_SUCCEEDED(SQLGetInfoA(hdbc, SQL_DBMS_NAME, name, sizeof name, &len))) {
            const QString n = QString::fromLatin1(reinterpret_cast<const char*>(name)).toLower();
            if (n.contains(QLatin1String("sqlite")))
                return Dialect::SQLite;
            if (n.contains(QLatin1String("postgres")))
                return Dialect::PostgreSQL;
        }
    }
    return Dialect::Other;
}

void disconnectDatabase()
{
    g_prepared.clear();
    ++detail::g_connection;
    if (QSqlDatabase::contains(QLatin1String(kConnectionName))) {
        {
            QSqlDatabase db = QSqlDatabase::database(QLatin1String(kConnectionName), false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(QLatin1String(kConnectionName));
    }
}

bool isConnected()
{
    return QSqlDatabase::contains(QLatin1String(kConnectionName))
        && QSqlDatabase::database(QLatin1String(kConnectionName), false).isOpen();
}

QSqlDatabase connection()
{
    return QSqlDatabase::database(QLatin1String(kConnectionName), false);
}

Dialect dialect()
{
    return g_dialect;
}

Query::Query(std::shared_ptr<detail::Statement> s) : s_(std::move(s)) {}

Query::Query(Query&& other) noexcept = default;

Query& Query::operator=(Query&& other) noexcept
{
    finish();
    s_ = std::move(other.s_);
    return *this;
}

Query::~Query()
{
    finish();
}

bool Query::next()
{
    try {
        if (!s_->fetch())
            return false;
    } catch (const DbError& e) {
        throw noteLoss(e);
    }
    ++detail::g_counts.rows;
    return true;
}

QVariant Query::value(int index) const
{
    try {
        return s_->value(index);
    } catch (const DbError& e) {
        throw noteLoss(e);
    }
}

bool Query::isNull(int index) const
{
    return value(index).isNull();
}

int Query::columns() const
{
    return s_->columns();
}

int Query::numRowsAffected() const
{
    return int(s_->rowsAffected());
}

void Query::finish()
{
    if (s_)
        s_->close();
}

Query exec(const QString& sql, const QList<QVariant>& values)
{
    ++detail::g_counts.statements;
    reconnectIfBroken();
    QSqlDatabase db = connection();
    SQLHANDLE hdbc = db.isOpen() && db.driver() ? handleOf(db.driver()->handle()) : nullptr;
    if (!hdbc)
        throw DbError(ErrorKind::ConnectionLost, QStringLiteral("0"), QString(),
                      QStringLiteral("The connection to the data source is not open."));
    std::shared_ptr<detail::Statement> s;
    const auto kept = g_prepared.constFind(sql);
    try {
        if (kept != g_prepared.constEnd() && kept->use_count() == 1) {
            s = *kept;
        } else {
            // SQLite's driver hands back the stored UTF-8 bytes as they are.
            s = std::make_shared<detail::Statement>(hdbc, g_dialect == Dialect::SQLite);
            s->prepare(sql);
            if (kept == g_prepared.constEnd()) {
                if (g_prepared.size() >= kPreparedKept)
                    forgetPrepared();
                g_prepared.insert(sql, s);
            }
        }
        s->execute(values);
    } catch (const DbError& e) {
        g_prepared.remove(sql);
        throw noteLoss(e);
    }
    return Query(std::move(s));
}

void execDirect(const QString& sql)
{
    ++detail::g_counts.statements;
    // A schema change may void what was prepared.
    forgetPrepared();
    QSqlDatabase db = connection();
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw errorFrom(q);
}

qint64 insertReturningKey(const QString& insertSql, const QList<QVariant>& values, const QString& keyColumn)
{
    if (dialect() == Dialect::PostgreSQL) {
        Query q = exec(insertSql + QLatin1String(" RETURNING ") + keyColumn, values);
        if (!q.next())
            throw DbError(ErrorKind::Other, QStringLiteral("0"), QString(),
                          QStringLiteral("The data source returned no key for the new row."));
        return whole(q.value(0));
    }
    exec(insertSql, values);
    Query k = exec(QStringLiteral("SELECT last_insert_rowid()"));
    if (!k.next())
        throw DbError(ErrorKind::Other, QStringLiteral("0"), QString(),
                      QStringLiteral("The data source returned no key for the new row."));
    return whole(k.value(0));
}

Transaction::Transaction()
{
    reconnectIfBroken();
    QSqlDatabase db = connection();
    if (!db.isOpen() || !db.transaction()) {
        const QSqlError e = db.lastError();
        const QString text = describe(e).isEmpty() ? QStringLiteral("A transaction could not be started.") : describe(e);
        throw noteLoss(DbError(db.isOpen() ? detail::classify(QString(), e.nativeErrorCode(), text) : ErrorKind::ConnectionLost,
                               e.nativeErrorCode().isEmpty() ? QStringLiteral("0") : e.nativeErrorCode(), QString(),
                               text));
    }
    open_ = true;
    if (g_transactions++ == 0)
        ++g_transactionSerial;
}

qint64 openTransaction()
{
    return g_transactions > 0 ? g_transactionSerial : 0;
}

// A connection whose commit or rollback failed is not trusted again: the
// data source may already have ended the transaction on its own (SQLite
// does so when the disk is full) while the driver still believes one is
// open, and would write every later statement on its own. The next command
// opens the connection afresh.
static void retireConnection()
{
    g_broken = true;
}

Transaction::~Transaction()
{
    if (open_) {
        --g_transactions;
        QSqlDatabase db = connection();
        if (!db.isOpen() || !db.rollback())
            retireConnection();
    }
}

void Transaction::commit()
{
    QSqlDatabase db = connection();
    const bool ok = db.commit();
    if (!ok) {
        retireConnection();
        const QSqlError e = db.lastError();
        throw noteLoss(DbError(detail::classify(QString(), e.nativeErrorCode(), describe(e)),
                               e.nativeErrorCode().isEmpty() ? QStringLiteral("0") : e.nativeErrorCode(), QString(),
                               describe(e)));
    }
    open_ = false;
    --g_transactions;
}

QDate dateOf(const QVariant& v)
{
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDate)
        return v.toDate();
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

QString textOf(const QVariant& v)
{
    return v.isNull() ? QString() : v.toString();
}

} // namespace store
