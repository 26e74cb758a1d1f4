#include "store/monthclose.h"

#include "store/schema.h"

namespace store {

namespace {

// PostgreSQL: one advisory lock for every close and card write of the
// database, shared by card writes and held alone by a close.
constexpr qint64 kCloseLockKey = 20260101;
const QString kShareLock = QStringLiteral("SELECT pg_advisory_xact_lock_shared(?)");
const QString kOwnLock = QStringLiteral("SELECT pg_advisory_xact_lock(?)");
// SQLite: a write opens the write transaction at once, so the state read
// after it is the state the close commits on.
const QString kTouchCloses = QStringLiteral("UPDATE monthcloses SET Closed = Closed WHERE ID = 0");

const QString kStateOf = QStringLiteral(
    "SELECT Deptt, MonthName, Closed, ClosedAt, ClosedBy, ReopenedAt, ReopenedBy, ReopenReason FROM monthcloses "
    "WHERE Deptt = ? AND MonthName = ?");
const QString kCardDeptt = QStringLiteral("SELECT Deptt FROM leaves WHERE Emp_ID = ? AND MonthName = ? ORDER BY ID");
// Times come from the data source's own clock.
const QString kInsertClosed = QStringLiteral(
    "INSERT INTO monthcloses (Deptt, MonthName, Closed, ClosedAt, ClosedBy) VALUES (?, ?, 1, CURRENT_TIMESTAMP, ?)");
const QString kUpdateClosed = QStringLiteral(
    "UPDATE monthcloses SET Closed = 1, ClosedAt = CURRENT_TIMESTAMP, ClosedBy = ? WHERE Deptt = ? AND MonthName = ?");
const QString kUpdateReopened = QStringLiteral(
    "UPDATE monthcloses SET Closed = 0, ReopenedAt = CURRENT_TIMESTAMP, ReopenedBy = ?, ReopenReason = ? "
    "WHERE Deptt = ? AND MonthName = ?");

} // namespace

void lockMonthCloses(bool forClosing)
{
    if (dialect() == Dialect::PostgreSQL)
        exec(forClosing ? kOwnLock : kShareLock, {kCloseLockKey});
    else if (forClosing)
        exec(kTouchCloses);
}

std::optional<MonthState> monthState(const QString& deptt, const QDate& monthEnd)
{
    auto q = exec(kStateOf, {deptt, monthEnd});
    if (!q.next())
        return std::nullopt;
    MonthState s;
    s.deptt = textOf(q.value(0));
    s.monthEnd = dateOf(q.value(1));
    s.closed = whole(q.value(2)) != 0;
    s.closedAt = timeOf(q.value(3));
    s.closedBy = textOf(q.value(4));
    s.reopenedAt = timeOf(q.value(5));
    s.reopenedBy = textOf(q.value(6));
    s.reopenReason = textOf(q.value(7));
    return s;
}

void checkMonthOpen(const QString& deptt, const QDate& monthEnd)
{
    if (!closeTablesExist())
        return;
    lockMonthCloses(false);
    const std::optional<MonthState> s = monthState(deptt, monthEnd);
    if (s && s->closed)
        throw DbError(ErrorKind::MonthClosed, QStringLiteral("0"), QString(), monthClosedText(*s));
}

void checkCardMonthOpen(qint64 empId, const QDate& monthEnd, const QString& fallbackDeptt)
{
    if (!closeTablesExist())
        return;
    QString deptt = fallbackDeptt;
    {
        auto q = exec(kCardDeptt, {empId, monthEnd});
        if (q.next())
            deptt = textOf(q.value(0));
    }
    checkMonthOpen(deptt, monthEnd);
}

QString monthClosedText(const MonthState& s)
{
    return QStringLiteral("The month ending %1 of the %2 department is closed (since %3, by %4).\r\n"
                          "Nothing was saved. Ask the administrator to reopen the month to change its cards.")
        .arg(s.monthEnd.toString(QStringLiteral("dd/MM/yyyy")), s.deptt, timeText(s.closedAt), s.closedBy);
}

void markClosed(const QString& deptt, const QDate& monthEnd, const QString& by)
{
    if (exec(kUpdateClosed, {by, deptt, monthEnd}).numRowsAffected() == 0)
        exec(kInsertClosed, {deptt, monthEnd, by});
}

void markReopened(const QString& deptt, const QDate& monthEnd, const QString& by, const QString& reason)
{
    exec(kUpdateReopened, {by, reason, deptt, monthEnd});
}

QString timeText(const QDateTime& t)
{
    return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : QString();
}

QDateTime timeOf(const QVariant& v)
{
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime();
    QDateTime t = QDateTime::fromString(v.toString().left(19), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (!t.isValid())
        t = QDateTime::fromString(v.toString().left(19), Qt::ISODate);
    return t;
}

} // namespace store
