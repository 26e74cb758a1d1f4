#include "store/statement.h"

#include <QDateTime>

#include <sql.h>
#include <sqlext.h>


namespace store::detail {

static_assert(sizeof(SQLLEN) == sizeof(qint64), "indicators are kept as qint64");

ErrorKind classify(const QString& state, const QString& native, const QString& text)
{
    const QString t = text.toLower();
    if (state.startsWith(QLatin1String("08")) || state == QLatin1String("57P01")
        || state == QLatin1String("57P02") || state == QLatin1String("57P03")
        || t.contains(QLatin1String("server closed the connection"))
        || t.contains(QLatin1String("could not send data"))
        || t.contains(QLatin1String("could not receive data"))
        || t.contains(QLatin1String("no connection to the server"))
        || t.contains(QLatin1String("connection not open")) || t.contains(QLatin1String("connection has been lost"))
        || t.contains(QLatin1String("connection lost")) || t.contains(QLatin1String("connection is closed"))
        || t.contains(QLatin1String("terminating connection")))
        return ErrorKind::ConnectionLost;
    if (state == QLatin1String("23505") || state == QLatin1String("23000")
        || (native == QLatin1String("19") && t.contains(QLatin1String("unique")))
        || t.contains(QLatin1String("unique constraint")) || t.contains(QLatin1String("duplicate key")))
        return ErrorKind::DuplicateKey;
    if (state == QLatin1String("42S02") || state == QLatin1String("42S22")
        || state == QLatin1String("42P01") || state == QLatin1String("42703")
        || t.contains(QLatin1String("no such table")) || t.contains(QLatin1String("no such column"))
        || (t.contains(QLatin1String("relation")) && t.contains(QLatin1String("does not exist")))
        || (t.contains(QLatin1String("column")) && t.contains(QLatin1String("does not exist"))))
        return ErrorKind::MissingObject;
    return ErrorKind::Other;
}

namespace {

Statement::Kind kindOf(SQLSMALLINT type)
{
    using K = Statement::Kind;
    switch (type) {
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_TINYINT:
    case SQL_BIT:
        return K::Int;
    case SQL_BIGINT:
        return K::BigInt;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
    case SQL_FLOAT:
    case SQL_REAL:
    case SQL_DOUBLE:
        return K::Double;
    case SQL_DATE:
    case SQL_TYPE_DATE:
        return K::Date;
    case SQL_TIME:
    case SQL_TYPE_TIME:
        return K::Time;
    case SQL_TIMESTAMP:
    case SQL_TYPE_TIMESTAMP:
        return K::DateTime;
    default:
        return K::Text;
    }
}

// A typed null, as a read of that column would give it.
QVariant nullOf(Statement::Kind k)
{
    using K = Statement::Kind;
    switch (k) {
    case K::Int: return QVariant(QMetaType::fromType<int>());
    case K::BigInt: return QVariant(QMetaType::fromType<qlonglong>());
    case K::Double: return QVariant(QMetaType::fromType<double>());
    case K::Date: return QVariant(QMetaType::fromType<QDate>());
    case K::Time: return QVariant(QMetaType::fromType<QTime>());
    case K::DateTime: return QVariant(QMetaType::fromType<QDateTime>());
    case K::Text: break;
    }
    return QVariant(QMetaType::fromType<QString>());
}

// A value bound as NULL: no value, or a null text, date or time.
bool boundNull(const QVariant& v)
{
    if (v.isNull())
        return true;
    switch (v.typeId()) {
    case QMetaType::QString: return static_cast<const QString*>(v.constData())->isNull();
    case QMetaType::QByteArray: return static_cast<const QByteArray*>(v.constData())->isNull();
    case QMetaType::QDate: return static_cast<const QDate*>(v.constData())->isNull();
    case QMetaType::QTime: return static_cast<const QTime*>(v.constData())->isNull();
    case QMetaType::QDateTime: return static_cast<const QDateTime*>(v.constData())->isNull();
    default: return false;
    }
}

} // namespace

Statement::Statement(void* dbc, bool utf8Text) : connection_(g_connection), utf8_(utf8Text)
{
    SQLHANDLE h = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &h)))
        h = SQL_NULL_HSTMT;
    h_ = h;
}

Statement::~Statement()
{
    // A statement of a connection closed meanwhile went with it.
    if (h_ && connection_ == g_connection)
        SQLFreeHandle(SQL_HANDLE_STMT, h_);
}

Diagnostics diagnosticsOf(short handleType, void* handle)
{
    Diagnostics d;
    if (!handle)
        return d;
    SQLCHAR state[6] = {0};
    SQLINTEGER code = 0;
    SQLCHAR msg[1024];
    SQLSMALLINT len = 0;
    for (SQLSMALLINT i = 1; SQL_SUCCEEDED(SQLGetDiagRecA(handleType, handle, i, state, &code, msg, sizeof msg, &len));
         ++i) {
        const QString m =
            QString::fromUtf8(reinterpret_cast<const char*>(msg), qMin<int>(len, int(sizeof msg) - 1)).trimmed();
        if (i == 1) {
            d.state = QString::fromLatin1(reinterpret_cast<const char*>(state), 5);
            d.native = QString::number(code);
        }
        if (!m.isEmpty())
            d.text += (d.text.isEmpty() ? QString() : QStringLiteral(" ")) + m;
    }
    return d;
}

DbError Statement::error() const
{
    Diagnostics d = diagnosticsOf(SQL_HANDLE_STMT, h_);
    if (d.text.isEmpty())
        d.text = QStringLiteral("The data source could not run the statement.");
    return DbError(classify(d.state, d.native, d.text), d.native.isEmpty() ? QStringLiteral("0") : d.native, d.state,
                   d.text);
}

void Statement::prepare(const QString& sql)
{
    if (!h_)
        throw DbError(ErrorKind::ConnectionLost, QStringLiteral("0"), QString(),
                      QStringLiteral("No statement could be opened on the connection."));
    SQLSetStmtAttr(h_, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(SQL_CURSOR_FORWARD_ONLY), SQL_IS_UINTEGER);
    const QByteArray text = sql.toUtf8();
    if (!SQL_SUCCEEDED(SQLPrepareA(h_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.constData())),
                                   SQLINTEGER(text.size()))))
        throw error();
}

void Statement::bind(int index, const QVariant& v)
{
    QByteArray& data = params_[index];
    SQLLEN* ind = reinterpret_cast<SQLLEN*>(&indicators_[index]);
    const bool null = boundNull(v);
    *ind = null ? SQL_NULL_DATA : 0;
    SQLSMALLINT cType = SQL_C_WCHAR, sqlType = SQL_WVARCHAR;
    SQLULEN size = 0;
    // A value of fixed size, kept as its bytes.
    const auto fixed = [&](const auto& value, SQLSMALLINT c, SQLSMALLINT t) {
        data = QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
        cType = c;
        sqlType = t;
    };
    switch (v.typeId()) {
    case QMetaType::QDate: {
        const QDate d = v.toDate();
        fixed(DATE_STRUCT{SQLSMALLINT(d.year()), SQLUSMALLINT(d.month()), SQLUSMALLINT(d.day())}, SQL_C_DATE,
              SQL_DATE);
        break;
    }
    case QMetaType::QDateTime: {
        const QDate d = v.toDateTime().date();
        const QTime t = v.toDateTime().time();
        fixed(TIMESTAMP_STRUCT{SQLSMALLINT(d.year()), SQLUSMALLINT(d.month()), SQLUSMALLINT(d.day()),
                               SQLUSMALLINT(t.hour()), SQLUSMALLINT(t.minute()), SQLUSMALLINT(t.second()), 0},
              SQL_C_TIMESTAMP, SQL_TIMESTAMP);
        size = 19;
        break;
    }
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
        fixed(SQLINTEGER(v.toInt()), SQL_C_SLONG, SQL_INTEGER);
        break;
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        fixed(SQLBIGINT(v.toLongLong()), SQL_C_SBIGINT, SQL_BIGINT);
        break;
    case QMetaType::Float:
    case QMetaType::Double:
        fixed(SQLDOUBLE(v.toDouble()), SQL_C_DOUBLE, SQL_DOUBLE);
        break;
    default: {
        const QString s = v.toString();
        data = QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
        if (!null)
            *ind = data.size();
        size = SQLULEN(qMax<qsizetype>(s.size(), 1));
        sqlType = s.size() > 254 ? SQL_WLONGVARCHAR : SQL_WVARCHAR;
        break;
    }
    }
    if (!SQL_SUCCEEDED(SQLBindParameter(h_, SQLUSMALLINT(index + 1), SQL_PARAM_INPUT, cType, sqlType, size, 0,
                                        data.data(), SQLLEN(data.size()), ind)))
        throw error();
}

void Statement::execute(const QList<QVariant>& values)
{
    close();
    SQLFreeStmt(h_, SQL_RESET_PARAMS);
    params_ = QList<QByteArray>(values.size());
    indicators_ = QList<qint64>(values.size(), 0);
    for (int i = 0; i < values.size(); ++i)
        bind(i, values[i]);
    const SQLRETURN r = SQLExecute(h_);
    if (!SQL_SUCCEEDED(r) && r != SQL_NO_DATA)
        throw error();
    SQLSMALLINT count = 0;
    SQLNumResultCols(h_, &count);
    kinds_.clear();
    for (SQLSMALLINT c = 1; c <= count; ++c) {
        SQLSMALLINT type = SQL_VARCHAR, nameLen = 0, scale = 0, nullable = 0;
        SQLULEN size = 0;
        SQLCHAR name[8];
        SQLDescribeColA(h_, SQLUSMALLINT(c), name, sizeof name, &nameLen, &type, &size, &scale, &nullable);
        kinds_ << kindOf(type);
    }
    cursor_ = count > 0;
    row_ = QList<QVariant>(count);
    read_ = count;
}

bool Statement::fetch()
{
    if (!cursor_)
        return false;
    const SQLRETURN r = SQLFetch(h_);
    if (r == SQL_NO_DATA) {
        close();
        return false;
    }
    if (!SQL_SUCCEEDED(r))
        throw error();
    read_ = 0;
    return true;
}

const QVariant& Statement::value(int index)
{
    static const QVariant none;
    if (index < 0 || index >= row_.size())
        return none;
    // Drivers hand out a row's values in column order.
    while (read_ <= index)
        readColumn(read_++);
    return row_[index];
}

QVariant Statement::readText(int index)
{
    // Most values fit the first read; a longer one comes in pieces.
    char buf[1024];
    QByteArray all;
    const SQLSMALLINT cType = utf8_ ? SQL_C_CHAR : SQL_C_WCHAR;
    const int terminator = utf8_ ? 1 : 2;
    for (;;) {
        SQLLEN ind = 0;
        const SQLRETURN r = SQLGetData(h_, SQLUSMALLINT(index + 1), cType, buf, sizeof buf, &ind);
        if (r == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(r))
            throw error();
        if (ind == SQL_NULL_DATA)
            return nullOf(Kind::Text);
        const bool more = r == SQL_SUCCESS_WITH_INFO && (ind == SQL_NO_TOTAL || ind > SQLLEN(sizeof buf - terminator));
        const qsizetype n = more ? qsizetype(sizeof buf - terminator) : qsizetype(ind);
        if (!more && all.isEmpty())
            return utf8_ ? QString::fromUtf8(buf, n) : QString::fromUtf16(reinterpret_cast<const char16_t*>(buf), n / 2);
        all.append(buf, n);
        if (!more)
            break;
    }
    return utf8_ ? QString::fromUtf8(all)
                : QString::fromUtf16(reinterpret_cast<const char16_t*>(all.constData()), all.size() / 2);
}

void Statement::readColumn(int index)
{
    const Kind k = kinds_[index];
    QVariant& v = row_[index];
    // A value of fixed size: read into `value`, then made a QVariant.
    const auto fixed = [&](auto value, SQLSMALLINT cType, auto&& make) {
        SQLLEN ind = 0;
        if (!SQL_SUCCEEDED(SQLGetData(h_, SQLUSMALLINT(index + 1), cType, &value, sizeof value, &ind)))
            throw error();
        v = ind == SQL_NULL_DATA ? nullOf(k) : QVariant(make(value));
    };
    switch (k) {
    case Kind::Int:
        fixed(SQLINTEGER(0), SQL_C_SLONG, [](SQLINTEGER n) { return int(n); });
        break;
    case Kind::BigInt:
        fixed(SQLBIGINT(0), SQL_C_SBIGINT, [](SQLBIGINT n) { return qlonglong(n); });
        break;
    case Kind::Double:
        fixed(SQLDOUBLE(0), SQL_C_DOUBLE, [](SQLDOUBLE n) { return double(n); });
        break;
    case Kind::Date:
        fixed(DATE_STRUCT{}, SQL_C_DATE, [](const DATE_STRUCT& d) { return QDate(d.year, d.month, d.day); });
        break;
    case Kind::Time:
        fixed(TIME_STRUCT{}, SQL_C_TIME, [](const TIME_STRUCT& t) { return QTime(t.hour, t.minute, t.second); });
        break;
    case Kind::DateTime:
        fixed(TIMESTAMP_STRUCT{}, SQL_C_TIMESTAMP, [](const TIMESTAMP_STRUCT& t) {
            return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, int(t.fraction / 1000000)));
        });
        break;
    case Kind::Text:
        v = readText(index);
        break;
    }
}

qint64 Statement::rowsAffected() const
{
    SQLLEN n = 0;
    return SQL_SUCCEEDED(SQLRowCount(h_, &n)) ? qint64(n) : -1;
}

void Statement::close()
{
    if (cursor_ && h_ && connection_ == g_connection)
        SQLFreeStmt(h_, SQL_CLOSE);
    cursor_ = false;
}

} // namespace store::detail
