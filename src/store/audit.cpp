#include "store/audit.h"
#include "store/dialect.h"

#include "store/schema.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

namespace store::audit {

namespace {

// A write that changes nothing, first in a transaction: it makes SQLite take
// the write lock before the values are read (a reader that writes later
// would fail instead of waiting for another desktop's write).
const QString kTakeWriteLock = QStringLiteral("UPDATE auditlog SET Command = Command WHERE ID = 0");
const QString kInsert = QStringLiteral(
    "INSERT INTO auditlog (ChangedAt, ChangedBy, Desktop, Command, TableName, RecordKey, OldValues, NewValues) "
    "VALUES (%1, ?, ?, ?, ?, ?, ?, ?)");
const QString kCardLeaves = QStringLiteral(
    "SELECT Deptt, EmpName, ED_Booked, CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC FROM leaves "
    "WHERE Emp_ID = ? AND MonthName = ? ORDER BY ID");
const QString kCardBookings = QStringLiteral(
    "SELECT JobNo, DaysBooked, Bal_ED FROM edbooked WHERE Emp_ID = ? AND MonthName = ? ORDER BY ID");
const QString kJob = QStringLiteral(
    "SELECT JobNo, JobName, ClientCo, Limit_ED, Bal_ED, Job_Status, LeadDeptt, DateUpdate FROM jobs WHERE JobNo = ?");
const QString kEmployee = QStringLiteral(
    "SELECT Emp_ID, EmpName, DoB, Designation, Deptt, Emp_Addr, Grade FROM employees WHERE Emp_ID = ? ORDER BY ID");

const QString kMonth = QStringLiteral(
    "SELECT Deptt, MonthName, Closed, ClosedAt, ClosedBy, ReopenedAt, ReopenedBy, ReopenReason FROM monthcloses "
    "WHERE Deptt = ? AND MonthName = ?");

QJsonValue jsonOf(const QVariant& v)
{
    if (v.isNull())
        return QJsonValue::Null;
    switch (v.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
        return v.toDouble();
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    default:
        return v.toString();
    }
}

// The first row of a "SELECT a, b FROM ..." as an object named by the
// fields as the statement spells them (drivers differ in letter case).
QJsonObject rowOf(const QString& sql, const QList<QVariant>& values)
{
    const QStringList fields =
        sql.mid(7, sql.indexOf(QLatin1String(" FROM ")) - 7).split(QStringLiteral(", "));
    auto q = exec(sql, values);
    QJsonObject o;
    if (!q.next())
        return o;
    for (int i = 0; i < fields.size(); ++i)
        o.insert(fields[i], jsonOf(q.value(i)));
    return o;
}

QVariant jsonText(const QJsonObject& o)
{
    if (o.isEmpty())
        return QVariant(QMetaType(QMetaType::QString));
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

} // namespace

QString commandName(Command c)
{
    switch (c) {
    case Command::CardAppend:
        return QStringLiteral("card append");
    case Command::CardUpdate:
        return QStringLiteral("card update");
    case Command::CardDelete:
        return QStringLiteral("card delete");
    case Command::JobAdd:
        return QStringLiteral("job add");
    case Command::JobEdit:
        return QStringLiteral("job edit");
    case Command::JobStatus:
        return QStringLiteral("job status");
    case Command::EmployeeAdd:
        return QStringLiteral("employee add");
    case Command::EmployeeEdit:
        return QStringLiteral("employee edit");
    case Command::MonthClose:
        return QStringLiteral("month close");
    case Command::MonthReopen:
        return QStringLiteral("month reopen");
    }
    return {};
}

bool enabled()
{
    return closeTablesExist();
}

QString loginName()
{
    static const QString name = [] {
        if (const passwd* p = getpwuid(geteuid()); p && p->pw_name)
            return QString::fromLocal8Bit(p->pw_name);
        return qEnvironmentVariable("USER");
    }();
    return name;
}

QString desktopName()
{
    static const QString name = QSysInfo::machineHostName();
    return name;
}

Row row(Command c, const QString& table, const QString& key, const QJsonObject& before, const QJsonObject& after)
{
    if (!enabled())
        return {};
    return {kInsert.arg(SqlDialect::current().now()),
            {loginName(), desktopName(), commandName(c), table, key, jsonText(before), jsonText(after)}};
}

void record(Command c, const QString& table, const QString& key, const QJsonObject& before,
            const QJsonObject& after)
{
    const Row r = row(c, table, key, before, after);
    if (!r.sql.isEmpty())
        exec(r.sql, r.values);
}

QString cardKey(qint64 empId, const QDate& monthEnd)
{
    return QString::number(empId) + QLatin1Char('/') + monthEnd.toString(Qt::ISODate);
}

QString monthKey(const QString& deptt, const QDate& monthEnd)
{
    return deptt + QLatin1Char('/') + monthEnd.toString(Qt::ISODate);
}

const QStringList& cardLeavesFields()
{
    static const QStringList fields = [] {
        const QString& sql = kCardLeaves;
        return sql.mid(7, sql.indexOf(QLatin1String(" FROM ")) - 7).split(QStringLiteral(", "));
    }();
    return fields;
}

QJsonObject cardValues(const QList<QVariant>& leaves, const QList<BookingValues>& bookings)
{
    QJsonObject card;
    const QStringList& fields = cardLeavesFields();
    for (int i = 0; i < leaves.size() && i < fields.size(); ++i)
        card.insert(fields[i], jsonOf(leaves[i]));
    QJsonArray rows;
    for (const BookingValues& b : bookings)
        rows.append(QJsonObject{{QStringLiteral("JobNo"), jsonOf(b.jobNo)},
                                {QStringLiteral("DaysBooked"), jsonOf(b.daysBooked)},
                                {QStringLiteral("Bal_ED"), jsonOf(b.balance)}});
    if (!rows.isEmpty())
        card.insert(QStringLiteral("bookings"), rows);
    return card;
}

QJsonObject cardValues(qint64 empId, const QDate& monthEnd)
{
    QJsonObject card = rowOf(kCardLeaves, {empId, monthEnd});
    QJsonArray bookings;
    auto q = exec(kCardBookings, {empId, monthEnd});
    while (q.next())
        bookings.append(QJsonObject{{QStringLiteral("JobNo"), jsonOf(q.value(0))},
                                    {QStringLiteral("DaysBooked"), jsonOf(q.value(1))},
                                    {QStringLiteral("Bal_ED"), jsonOf(q.value(2))}});
    if (!bookings.isEmpty())
        card.insert(QStringLiteral("bookings"), bookings);
    return card;
}

QJsonObject jobValues(qint64 jobNo)
{
    return rowOf(kJob, {jobNo});
}

QJsonObject employeeValues(qint64 empId)
{
    return rowOf(kEmployee, {empId});
}

QJsonObject monthValues(const QString& deptt, const QDate& monthEnd)
{
    return rowOf(kMonth, {deptt, monthEnd});
}

Write::Write(Command c, QString table, QString key, std::function<QJsonObject()> values)
    : command_(c), table_(std::move(table)), key_(std::move(key)), values_(std::move(values))
{
    if (!enabled())
        return;
    transaction_.emplace();
    exec(kTakeWriteLock);
    before_ = values_();
}

void Write::commit()
{
    if (!transaction_)
        return;
    record(command_, table_, key_, before_, values_());
    transaction_->commit();
}

} // namespace store::audit
