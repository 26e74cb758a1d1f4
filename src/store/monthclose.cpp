#include "store/monthclose.h"
#include "store/dialect.h"

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
// A stored card's first leaves row with its department's month state, in
// one statement: the leaves columns of audit::cardLeavesFields(), then the
// state's columns as kStateOf reads them.
const QString kCardWithState = QStringLiteral(
    "SELECT l.Deptt, l.EmpName, l.ED_Booked, l.CL, l.rh, l.EL, l.SL, l.HPL, l.HLY, l.SPL, l.LWP, l.MSC, "
    "m.Deptt, m.MonthName, m.Closed, m.ClosedAt, m.ClosedBy, m.ReopenedAt, m.ReopenedBy, m.ReopenReason "
    "FROM leaves l LEFT JOIN monthcloses m ON m.Deptt = l.Deptt AND m.MonthName = ? "
    "WHERE l.Emp_ID = ? AND l.MonthName = ? ORDER BY l.ID");
constexpr int kCardColumns = 12;
// Times come from the data source's own clock.
const QString kInsertClosed = QStringLiteral(
    "INSERT INTO monthcloses (Deptt, MonthName, Closed, ClosedAt, ClosedBy) VALUES (?, ?, 1, %1, ?)");
const QString kUpdateClosed = QStringLiteral(
    "UPDATE monthcloses SET Closed = 1, ClosedAt = %1, ClosedBy = ? WHERE Deptt = ? AND MonthName = ?");
const QString kUpdateReopened = QStringLiteral(
    "UPDATE monthcloses SET Closed = 0, ReopenedAt = %1, ReopenedBy = ?, ReopenReason = ? "
    "WHERE Deptt = ? AND MonthName = ?");
// The transaction that holds the shared lock already (PostgreSQL).
qint64 g_sharedIn = 0;

} // namespace

void lockMonthCloses(bool forClosing)
{
    if (dialect() == Dialect::PostgreSQL) {
        if (!forClosing && g_sharedIn != 0 && g_sharedIn == openTransaction())
            return;
        exec(forClosing ? kOwnLock : kShareLock, {kCloseLockKey});
        if (!forClosing)
            g_sharedIn = openTransaction();
    } else if (forClosing) {
        exec(kTouchCloses);
    }
}

void lockThenShareCloses(const QString& lockingWrite, const QList<QVariant>& values)
{
    if (dialect() != Dialect::PostgreSQL || !closeTablesExist()) {
        exec(lockingWrite, values);
        return;
    }
    // The count reads every row the write locked before the shared lock is
    // asked for, so the two are taken in that order, as two statements would.
    exec(QStringLiteral("WITH w AS (") + lockingWrite + QStringLiteral(" RETURNING 1) ") + kShareLock +
             QStringLiteral(" FROM (SELECT COUNT(*) FROM w) n"),
         QList<QVariant>(values) << kCloseLockKey);
    g_sharedIn = openTransaction();
}

namespace {

// The state in the row's columns from `first` on.
MonthState stateAt(const Query& q, int first)
{
    MonthState s;
    s.deptt = textOf(q.value(first));
    s.monthEnd = dateOf(q.value(first + 1));
    s.closed = whole(q.value(first + 2)) != 0;
    s.closedAt = timeOf(q.value(first + 3));
    s.closedBy = textOf(q.value(first + 4));
    s.reopenedAt = timeOf(q.value(first + 5));
    s.reopenedBy = textOf(q.value(first + 6));
    s.reopenReason = textOf(q.value(first + 7));
    return s;
}

void refuseIfClosed(const std::optional<MonthState>& s)
{
    if (s && s->closed)
        throw DbError(ErrorKind::MonthClosed, QStringLiteral("0"), QString(), monthClosedText(*s));
}

} // namespace

std::optional<MonthState> monthState(const QString& deptt, const QDate& monthEnd)
{
    auto q = exec(kStateOf, {deptt, monthEnd});
    if (!q.next())
        return std::nullopt;
    return stateAt(q, 0);
}

void checkMonthOpen(const QString& deptt, const QDate& monthEnd)
{
    if (!closeTablesExist())
        return;
    lockMonthCloses(false);
    refuseIfClosed(monthState(deptt, monthEnd));
}

QList<QVariant> checkCardMonthOpen(qint64 empId, const QDate& monthEnd, const QString& fallbackDeptt)
{
    if (!closeTablesExist())
        return {};
    lockMonthCloses(false);
    auto q = exec(kCardWithState, {monthEnd, empId, monthEnd});
    if (!q.next()) {
        refuseIfClosed(monthState(fallbackDeptt, monthEnd));
        return {};
    }
    if (!q.isNull(kCardColumns))
        refuseIfClosed(stateAt(q, kCardColumns));
    QList<QVariant> card;
    for (int i = 0; i < kCardColumns; ++i)
        card << q.value(i);
    return card;
}

QString monthClosedText(const MonthState& s)
{
    return QStringLiteral("The month ending %1 of the %2 department is closed (since %3, by %4).\r\n"
                          "Nothing was saved. Ask the administrator to reopen the month to change its cards.")
        .arg(s.monthEnd.toString(QStringLiteral("dd/MM/yyyy")), s.deptt, timeText(s.closedAt), s.closedBy);
}

void markClosed(const QString& deptt, const QDate& monthEnd, const QString& by)
{
    if (exec(kUpdateClosed.arg(SqlDialect::current().now()), {by, deptt, monthEnd}).numRowsAffected() == 0)
        exec(kInsertClosed.arg(SqlDialect::current().now()), {deptt, monthEnd, by});
}

void markReopened(const QString& deptt, const QDate& monthEnd, const QString& by, const QString& reason)
{
    exec(kUpdateReopened.arg(SqlDialect::current().now()), {by, reason, deptt, monthEnd});
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
