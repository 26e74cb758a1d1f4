#pragma once
// Closed card months: a department's month, once closed by the
// administrator, takes no card appended, changed or deleted until it is
// reopened. Card writes and the close take one lock first, so a close and a
// save running together happen one after the other.

#include "store/database.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace store {

// One department's month as the monthcloses table holds it.
struct MonthState {
    QString deptt;
    QDate monthEnd;
    bool closed = false;
    QDateTime closedAt;
    QString closedBy;
    QDateTime reopenedAt;
    QString reopenedBy;
    QString reopenReason;
};

// Takes the lock closes and card writes share, inside the caller's
// transaction: a card write shares it with other card writes, a close holds
// it alone. On SQLite the write transaction itself serialises.
void lockMonthCloses(bool forClosing);
// Runs `lockingWrite` (a write that locks the row a card write starts from)
// and then takes the shared lock, in one statement where the server allows;
// the month checks later in the same transaction do not take it again.
void lockThenShareCloses(const QString& lockingWrite, const QList<QVariant>& values);

// The stored state of a department's month; none when it was never closed.
std::optional<MonthState> monthState(const QString& deptt, const QDate& monthEnd);

// Throws DbError of kind MonthClosed, with the box text, when the
// department's month is closed. Takes the shared lock first. Does nothing on
// a database without the close tables.
void checkMonthOpen(const QString& deptt, const QDate& monthEnd);
// The same for a stored card: the department is the one stored on the card
// (`fallbackDeptt` when the card is not found). Gives back the card's first
// leaves row in the columns of audit::cardLeavesFields(), read by the same
// statement as the month's state (none without a card or the close tables).
QList<QVariant> checkCardMonthOpen(qint64 empId, const QDate& monthEnd, const QString& fallbackDeptt);

// The text of the refusal.
QString monthClosedText(const MonthState& s);

// Marks a department's month closed (a new row or the stored one), or
// reopened (the stored row), at the data source's time.
void markClosed(const QString& deptt, const QDate& monthEnd, const QString& by);
void markReopened(const QString& deptt, const QDate& monthEnd, const QString& by, const QString& reason);

// "yyyy-MM-dd hh:mm:ss", the way the program shows the server's times.
QString timeText(const QDateTime& t);
QDateTime timeOf(const QVariant& v);

} // namespace store
