#pragma once
// What the report builders of the three families (department, all
// departments, leave) share: the statement runner that counts, cell helpers,
// the readers of job, booking and leave rows, and the department layout
// pieces the all-departments report repeats per block. Internal to the
// builders.

#include "reports/builders.h"
#include "store/database.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QVariant>

namespace reports::detail {

// Statements the builders ran since the last reset.

inline const QString kAverage = QStringLiteral("AVERAGE  O. M. S.");

QString num(double v);
// A number field as a cell text: empty when the field is empty.
QString fieldText(const QVariant& v);
// A number field into a cell: empty when the field is empty.
void setField(Sheet& s, int row, int col, const QVariant& v);
// "21,OCTOBER-2008": a day number, the month of a date in capitals, its year.
QString dayMonthYear(int day, const QDate& d);

struct JobInfo {
    QString name;
    QString balance;
    QString status;
};
// Job number -> master row, from a statement giving JobNo, JobName, Bal_ED,
// Job_Status.
QHash<qint64, JobInfo> readJobs(const QString& sql, const QList<QVariant>& values);

struct Booking {
    qint64 job;
    qint64 emp;
    QVariant days;
};
QList<Booking> readBookings(const QString& sql, const QList<QVariant>& values);
// Job numbers of the bookings, ascending as a grouping query lists them.
QList<qint64> distinctJobs(const QList<Booking>& bookings);

// A leave record: ED_Booked then the nine kinds in the report's row order
// MSC, HLY, CL, rh, EL, SL, HPL, SPL, LWP.
struct LeaveRow {
    QVariant v[10];
};
QList<QPair<qint64, LeaveRow>> readLeaves(const QString& sql, const QList<QVariant>& values);

// Column of each listed employee (the first entry of an ID that repeats).
QHash<qint64, int> employeeColumns(const QList<app::Employee>& employees);

void standardWidths(Sheet& s);
void finishFooter(Sheet& s, int row, int col, const Request& r, bool fullStop);

// Department layout: header rows, one job row, the month's cells.
void deptHeader(Sheet& s, int row, const QList<app::Employee>& employees);
void jobRow(Sheet& s, int row, int serial, qint64 job, const QHash<qint64, JobInfo>& jobs, int e);
// Days booked in the month by each listed employee on each job: the cell
// shows the record read last, the job total counts every record.
void monthJobCells(Sheet& s, int firstRow, const QList<qint64>& jobs, const QList<app::Employee>& employees,
                   const QList<Booking>& bookings);
// Leave record of the month per listed employee (the one read last) into
// rows first .. first+9 (ED_Booked, then the nine kinds).
void monthLeaveCells(Sheet& s, int first, const QList<app::Employee>& employees,
                     const QList<QPair<qint64, LeaveRow>>& leaves);

// The reports, one per family file.
Sheet deptMonth(const Request& r);
Sheet deptPeriod(const Request& r);
Sheet allDeptMonth(const Request& r);
Sheet jobPeriod(const Request& r);
Sheet leave(const Request& r);

} // namespace reports::detail
