#pragma once
// The audit trail: one row per change the program makes, written inside the
// change's own transaction, so a change that fails or is refused leaves
// none. The program never updates or deletes an audit row. A database
// without the audit table gets no rows and no extra statements.

#include "store/database.h"

#include <QJsonObject>
#include <QString>

#include <functional>
#include <optional>

namespace store::audit {

enum class Command {
    CardAppend,
    CardUpdate,
    CardDelete,
    JobAdd,
    JobEdit,
    JobStatus,
    EmployeeAdd,
    EmployeeEdit,
    MonthClose,
    MonthReopen,
};
// "card append", "job status", "month close", ...
QString commandName(Command c);

// The audit table exists on the shared connection.
bool enabled();
// The operating-system login and the desktop's host name the rows carry.
QString loginName();
QString desktopName();

// An audit row as the statement that writes it: its text and values, the
// text empty without the audit table. An empty object is stored as no value.
struct Row {
    QString sql;
    QList<QVariant> values;
};
Row row(Command c, const QString& table, const QString& key, const QJsonObject& before, const QJsonObject& after);
// Writes an audit row inside the caller's transaction (nothing without the
// audit table).
void record(Command c, const QString& table, const QString& key, const QJsonObject& before,
            const QJsonObject& after);

// Keys and stored values of what the commands change.
QString cardKey(qint64 empId, const QDate& monthEnd); // "10000001/2026-11-20"
QString monthKey(const QString& deptt, const QDate& monthEnd); // "Civil/2026-11-20"
// The card's leaves row and its bookings; empty when there is no card.
QJsonObject cardValues(qint64 empId, const QDate& monthEnd);
// The fields of a card's leaves row as cardValues keeps them: "Deptt",
// "EmpName", "ED_Booked", then the leave columns.
const QStringList& cardLeavesFields();
// One booking row of a card as the database gives it.
struct BookingValues {
    QVariant jobNo;
    QVariant daysBooked;
    QVariant balance;
};
// The same values from rows a write has read already: the leaves row in the
// fields of cardLeavesFields() (empty without a card) and the booking rows
// in record-key order.
QJsonObject cardValues(const QList<QVariant>& leaves, const QList<BookingValues>& bookings);
QJsonObject jobValues(qint64 jobNo);
QJsonObject employeeValues(qint64 empId);
QJsonObject monthValues(const QString& deptt, const QDate& monthEnd);

// A write of one row with its audit row: where the audit table exists, a
// transaction of its own is opened and the row's values read before the
// write; commit() reads them after, writes the audit row and commits.
// Without the audit table it is the bare write, as before the trail existed.
class Write {
public:
    Write(Command c, QString table, QString key, std::function<QJsonObject()> values);
    void commit();

private:
    Command command_;
    QString table_;
    QString key_;
    std::function<QJsonObject()> values_;
    QJsonObject before_;
    std::optional<Transaction> transaction_;
};

} // namespace store::audit
