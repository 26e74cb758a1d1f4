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

DbError Statement::error() const
{
    QString state, native, text;
    if (h_) {
        SQLCHAR st[6] = {0};
        SQLINTEGER code = 0;
        SQLCHAR msg[1024];
        SQLSMALLINT len = 0;
        for (SQLSMALLINT i = 1; SQL_SUCCEEDED(SQLGetDiagRecA(SQL_HANDLE_STMT, h_, i, st, &code, msg, sizeof msg, &len));
             ++i) {
            const QString m = QString::fromUtf8(reinterpret_cast<const char*>(msg),
                                                qMin<int>(len, int(sizeof msg) - 1)).trimmed();
            if (i == 1) {
                state = QString::fromLatin1(reinterpret_cast<const char*>(st), 5);
                native = QString::number(code);
            }
            if (!m.isEmpty())
                text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + m;
        }
    }
    if (text.isEmpty())
        text = QStringLiteral("The data source could not run the statement.");
    return DbError(classify(state, native, text), native.isEmpty() ? QStringLiteral("0") : native, state, text);
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
    const auto raw = [&](const void* p, qsizetype n) { data = QByteArray(static_cast<const char*>(p), n); };
    switch (v.typeId()) {
    case QMetaType::QDate: {
        const QDate d = v.toDate();
        DATE_STRUCT s{SQLSMALLINT(d.year()), SQLUSMALLINT(d.month()), SQLUSMALLINT(d.day())};
        raw(&s, sizeof s);
        cType = SQL_C_DATE;
        sqlType = SQL_DATE;
        break;
    }
    case QMetaType::QDateTime: {
        const QDateTime t = v.toDateTime();
        TIMESTAMP_STRUCT s{SQLSMALLINT(t.date().year()), SQLUSMALLINT(t.date().month()), SQLUSMALLINT(t.date().day()),
                           SQLUSMALLINT(t.time().hour()), SQLUSMALLINT(t.time().minute()),
                           SQLUSMALLINT(t.time().second()), 0};
        raw(&s, sizeof s);
        cType = SQL_C_TIMESTAMP;
        sqlType = SQL_TIMESTAMP;
        size = 19;
        break;
    }
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int: {
        const SQLINTEGER n = v.toInt();
        raw(&n, sizeof n);
        cType = SQL_C_SLONG;
        sqlType = SQL_INTEGER;
        break;
    }
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        const SQLBIGINT n = v.toLongLong();
        raw(&n, sizeof n);
        cType = SQL_C_SBIGINT;
        sqlType = SQL_BIGINT;
        break;
    }
    case QMetaType::Float:
    case QMetaType::Double: {
        const SQLDOUBLE n = v.toDouble();
        raw(&n, sizeof n);
        cType = SQL_C_DOUBLE;
        sqlType = SQL_DOUBLE;
        break;
    }
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
    const bool utf8 = utf8_;
    // Most values fit the first read; a longer one comes in pieces.
    char buf[1024];
    QByteArray all;
    const SQLSMALLINT cType = utf8 ? SQL_C_CHAR : SQL_C_WCHAR;
    const int terminator = utf8 ? 1 : 2;
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
            return utf8 ? QString::fromUtf8(buf, n) : QString::fromUtf16(reinterpret_cast<const char16_t*>(buf), n / 2);
        all.append(buf, n);
        if (!more)
            break;
    }
    return utf8 ? QString::fromUtf8(all)
                : QString::fromUtf16(reinterpret_cast<const char16_t*>(all.constData()), all.size() / 2);
}

void Statement::readColumn(int index)
{
    const Kind k = kinds_[index];
    const SQLUSMALLINT col = SQLUSMALLINT(index + 1);
    SQLLEN ind = 0;
    QVariant& v = row_[index];
    const auto got = [&](SQLRETURN r) {
        if (!SQL_SUCCEEDED(r))
            throw error();
        if (ind == SQL_NULL_DATA)
            v = nullOf(k);
        return ind != SQL_NULL_DATA;
    };
    switch (k) {
    case Kind::Int: {
        SQLINTEGER n = 0;
        if (got(SQLGetData(h_, col, SQL_C_SLONG, &n, sizeof n, &ind)))
            v = int(n);
        break;
    }
    case Kind::BigInt: {
        SQLBIGINT n = 0;
        if (got(SQLGetData(h_, col, SQL_C_SBIGINT, &n, sizeof n, &ind)))
            v = qlonglong(n);
        break;
    }
    case Kind::Double: {
        SQLDOUBLE n = 0;
        if (got(SQLGetData(h_, col, SQL_C_DOUBLE, &n, sizeof n, &ind)))
            v = double(n);
        break;
    }
    case Kind::Date: {
        DATE_STRUCT d{};
        if (got(SQLGetData(h_, col, SQL_C_DATE, &d, sizeof d, &ind)))
            v = QDate(d.year, d.month, d.day);
        break;
    }
    case Kind::Time: {
        TIME_STRUCT t{};
        if (got(SQLGetData(h_, col, SQL_C_TIME, &t, sizeof t, &ind)))
            v = QTime(t.hour, t.minute, t.second);
        break;
    }
    case Kind::DateTime: {
        TIMESTAMP_STRUCT t{};
        if (got(SQLGetData(h_, col, SQL_C_TIMESTAMP, &t, sizeof t, &ind)))
            v = QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, int(t.fraction / 1000000)));
        break;
    }
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
