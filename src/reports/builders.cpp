#include "reports/builders.h"

#include "app/calendar.h"
#include "app/numtext.h"
#include "store/database.h"

#include <QHash>
#include <QLocale>
#include <QMap>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

namespace reports {

namespace {

// --- Statements ----------------------------------------------------------

// Bookings of one department in one card month or in a period.
const QString kMonthBookings = QStringLiteral(
    "SELECT JobNo, Emp_ID, DaysBooked FROM edbooked WHERE MonthName = ? AND Deptt = ? ORDER BY ID");
const QString kPeriodBookings = QStringLiteral("SELECT JobNo, Emp_ID, DaysBooked FROM edbooked "
                                               "WHERE Deptt = ? AND MonthName BETWEEN ? AND ? ORDER BY ID");
// The master rows of the jobs those bookings name.
const QString kMonthJobs = QStringLiteral(
    "SELECT JobNo, JobName, Bal_ED, Job_Status FROM jobs WHERE JobNo IN "
    "(SELECT JobNo FROM edbooked WHERE MonthName = ? AND Deptt = ?) ORDER BY ID");
const QString kPeriodJobs = QStringLiteral(
    "SELECT JobNo, JobName, Bal_ED, Job_Status FROM jobs WHERE JobNo IN "
    "(SELECT JobNo FROM edbooked WHERE Deptt = ? AND MonthName BETWEEN ? AND ?) ORDER BY ID");
// Leave records of one department in one card month or in a period.
const QString kMonthLeaves = QStringLiteral(
    "SELECT Emp_ID, ED_Booked, MSC, HLY, CL, rh, EL, SL, HPL, SPL, LWP FROM leaves "
    "WHERE MonthName = ? AND Deptt = ? ORDER BY ID");
const QString kPeriodLeaves = QStringLiteral(
    "SELECT Emp_ID, ED_Booked, MSC, HLY, CL, rh, EL, SL, HPL, SPL, LWP FROM leaves "
    "WHERE Deptt = ? AND MonthName BETWEEN ? AND ? ORDER BY ID");
// Every department's bookings, booked jobs and leave records of one month.
const QString kAllMonthBookings = QStringLiteral(
    "SELECT Deptt, JobNo, Emp_ID, DaysBooked FROM edbooked WHERE MonthName = ? ORDER BY ID");
const QString kAllMonthJobs = QStringLiteral(
    "SELECT JobNo, JobName, Bal_ED, Job_Status FROM jobs WHERE JobNo IN "
    "(SELECT JobNo FROM edbooked WHERE MonthName = ?) ORDER BY ID");
const QString kAllMonthLeaves = QStringLiteral(
    "SELECT Deptt, Emp_ID, ED_Booked, MSC, HLY, CL, rh, EL, SL, HPL, SPL, LWP FROM leaves "
    "WHERE MonthName = ? ORDER BY ID");
// Every booking of the period, all departments.
const QString kAllBookings = QStringLiteral(
    "SELECT JobNo, DaysBooked FROM edbooked WHERE MonthName BETWEEN ? AND ? ORDER BY ID");
const QString kBookedJobs = QStringLiteral(
    "SELECT JobNo, JobName, Bal_ED, Job_Status FROM jobs WHERE JobNo IN "
    "(SELECT JobNo FROM edbooked WHERE DaysBooked > 0 AND MonthName BETWEEN ? AND ?) ORDER BY ID");
// One employee's leave records, whatever the department.
const QString kEmployeeMonthLeaves = QStringLiteral(
    "SELECT CL, rh, EL, SL, HPL, HLY, SPL, LWP FROM leaves WHERE Emp_ID = ? AND MonthName = ? ORDER BY ID");
const QString kEmployeePeriodLeaves = QStringLiteral(
    "SELECT CL, rh, EL, SL, HPL, HLY, SPL, LWP FROM leaves WHERE Emp_ID = ? AND MonthName BETWEEN ? AND ? "
    "ORDER BY ID");

// --- Texts ---------------------------------------------------------------

const QString kJobHeader3[] = {QStringLiteral("S.N."), QStringLiteral("JOB NUMBER"),
                               QStringLiteral("JOB DESCRIPTION")};
// Rows after the jobs, column 2, from "PERIOD's TOTAL ED" on.
const QStringList kPeriodLabels = {
    QStringLiteral("PERIOD's TOTAL ED"), QStringLiteral("Miscellaneous"),   QStringLiteral("Availed Holidays"),
    QStringLiteral("Casual Leave"),      QStringLiteral("Restricted Holiday"), QStringLiteral("Earned Leave"),
    QStringLiteral("Sick Leave"),        QStringLiteral("Half Pay Leave"),  QStringLiteral("Special Leave"),
    QStringLiteral("Leave without Pay")};
const QString kMonthTotal = QStringLiteral("M O N T H ' S  T O T A L");
const QString kAverage = QStringLiteral("AVERAGE  O. M. S.");
const QString kPeriodTotalLeave = QStringLiteral("PERIOD's TOTAL LEAVE");
const QString kPeriodTotal = QStringLiteral("PERIOD's  T O T A L");
const QString kEntriesFound = QStringLiteral("Entries found (Months)");

QString num(double v)
{
    return app::generalNumber(v);
}

// A number field as a cell text: empty when the field is empty.
QString fieldText(const QVariant& v)
{
    return v.isNull() ? QString() : app::generalNumber(v.toDouble());
}

// A number field into a cell: empty when the field is empty.
void setField(Sheet& s, int row, int col, const QVariant& v)
{
    if (v.isNull())
        s.set(row, col, QString());
    else
        s.setNumber(row, col, v.toDouble());
}

QString monthName(const QDate& d)
{
    const QStringList names = app::calendar::monthNames();
    return d.isValid() ? names.value(d.month() - 1) : QString();
}

// "21,OCTOBER-2008": a day number, the month of a date in capitals, its year.
QString dayMonthYear(int day, const QDate& d)
{
    return QString::number(day) + QLatin1Char(',') + monthName(d).toUpper() + QLatin1Char('-') +
           QString::number(d.year());
}

// --- Shared pieces ---------------------------------------------------------

struct JobInfo {
    QString name;
    QString balance;
    QString status;
};

QHash<qint64, JobInfo> readJobs(const QString& sql, const QList<QVariant>& values)
{
    QHash<qint64, JobInfo> jobs;
    auto q = store::exec(sql, values);
    while (q.next())
        jobs.insert(store::whole(q.value(0)),
                    {store::textOf(q.value(1)), fieldText(q.value(2)), fieldText(q.value(3))});
    return jobs;
}

struct Booking {
    qint64 job;
    qint64 emp;
    QVariant days;
};

QList<Booking> readBookings(const QString& sql, const QList<QVariant>& values)
{
    QList<Booking> b;
    auto q = store::exec(sql, values);
    while (q.next())
        b.append({store::whole(q.value(0)), store::whole(q.value(1)), q.value(2)});
    return b;
}

// Job numbers of the bookings, ascending as a grouping query lists them.
QList<qint64> distinctJobs(const QList<Booking>& bookings)
{
    std::set<qint64> s;
    for (const Booking& b : bookings)
        s.insert(b.job);
    return QList<qint64>(s.begin(), s.end());
}

// A leave record: ED_Booked then the nine kinds in the report's row order
// MSC, HLY, CL, rh, EL, SL, HPL, SPL, LWP.
struct LeaveRow {
    QVariant v[10];
};

QList<QPair<qint64, LeaveRow>> readLeaves(const QString& sql, const QList<QVariant>& values)
{
    QList<QPair<qint64, LeaveRow>> rows;
    auto q = store::exec(sql, values);
    while (q.next()) {
        LeaveRow r;
        for (int k = 0; k < 10; ++k)
            r.v[k] = q.value(k + 1);
        rows.append({store::whole(q.value(0)), r});
    }
    return rows;
}

QHash<qint64, int> employeeColumns(const QList<app::Employee>& employees)
{
    QHash<qint64, int> col;
    for (int j = 0; j < employees.size(); ++j)
        if (!col.contains(employees[j].empId))
            col.insert(employees[j].empId, j);
    return col;
}

// Rows 0 and 1 of a department report: headers and column numbers.
void deptHeader(Sheet& s, int row, const QList<app::Employee>& employees)
{
    const int e = employees.size();
    writeHeader(s, HeaderSet::Job3, row);
    for (int j = 0; j < e; ++j)
        s.set(row, j + 3, employees[j].name);
    s.set(row, e + 3, QStringLiteral("TOTAL"));
    s.set(row, e + 4, QStringLiteral("Balance ED"));
    s.set(row, e + 5, QStringLiteral("Job Status %"));
    for (int c = 0; c < e + 6; ++c)
        s.set(row + 1, c, QString::number(c + 1));
}

void jobRow(Sheet& s, int row, int serial, qint64 job, const QHash<qint64, JobInfo>& jobs, int e)
{
    s.set(row, 0, QString::number(serial));
    s.set(row, 1, QString::number(job));
    const auto it = jobs.constFind(job);
    if (it == jobs.constEnd())
        return;
    s.set(row, 2, it->name);
    s.set(row, e + 4, it->balance);
    s.set(row, e + 5, it->status);
}

void deptFormat(Sheet& s)
{
    s.format = QStringLiteral("^") + kJobHeader3[0] + QStringLiteral("|^") + kJobHeader3[1] +
               QStringLiteral("|<") + kJobHeader3[2];
    s.widths = {{0, 5}, {1, 10}, {2, 29}};
}

void standardWidths(Sheet& s)
{
    s.widths = {{0, 5}, {1, 10}, {2, 29}};
}

// Days booked in the month by each listed employee on each job: the cell
// shows the record read last, the job total counts every record.
void monthJobCells(Sheet& s, int firstRow, const QList<qint64>& jobs, const QList<app::Employee>& employees,
                   const QList<Booking>& bookings)
{
    const int e = employees.size();
    const QHash<qint64, int> col = employeeColumns(employees);
    QHash<qint64, int> jobIndex;
    for (int i = 0; i < jobs.size(); ++i)
        jobIndex.insert(jobs[i], i);
    // Records per cell in the order read.
    QList<QList<QList<double>>> perCell(jobs.size(), QList<QList<double>>(e));
    for (const Booking& b : bookings) {
        const auto j = col.constFind(b.emp);
        if (j == col.constEnd())
            continue;
        const int i = jobIndex.value(b.job);
        perCell[i][*j].append(store::num(b.days));
        setField(s, firstRow + i, *j + 3, b.days);
    }
    for (int i = 0; i < jobs.size(); ++i) {
        double t = 0;
        for (int j = 0; j < e; ++j)
            for (double d : perCell[i][j])
                t += d;
        s.setNumber(firstRow + i, e + 3, t);
    }
}

// Leave record of the month per listed employee (the one read last) into
// rows first .. first+9 (ED_Booked, then the nine kinds).
void monthLeaveCells(Sheet& s, int first, const QList<app::Employee>& employees,
                     const QList<QPair<qint64, LeaveRow>>& leaves)
{
    const QHash<qint64, int> col = employeeColumns(employees);
    QHash<int, LeaveRow> last;
    for (const auto& l : leaves) {
        const auto j = col.constFind(l.first);
        if (j != col.constEnd())
            last.insert(*j, l.second);
    }
    for (auto it = last.constBegin(); it != last.constEnd(); ++it)
        for (int k = 0; k < 10; ++k)
            setField(s, first + k, it.key() + 3, it.value().v[k]);
}

// --- The reports -----------------------------------------------------------

void finishFooter(Sheet& s, int row, int col, const Request& r, bool fullStop)
{
    s.set(row, col, footerText(r.today, fullStop));
}

Sheet deptMonth(const Request& r)
{
    Sheet s;
    const QList<Booking> bookings = readBookings(kMonthBookings, {r.toDate, r.department});
    const QList<qint64> jobs = distinctJobs(bookings);
    if (jobs.isEmpty()) {
        s.message = QString::fromLatin1(kNoEntry);
        return s;
    }
    const QHash<qint64, JobInfo> info = readJobs(kMonthJobs, {r.toDate, r.department});
    const auto leaves = readLeaves(kMonthLeaves, {r.toDate, r.department});
    const int J = jobs.size();
    const int E = r.employees.size();

    for (int i = 0; i < J; ++i)
        jobRow(s, i + 2, i + 1, jobs[i], info, E);
    deptHeader(s, 0, r.employees);
    deptFormat(s);
    monthJobCells(s, 2, jobs, r.employees, bookings);
    for (int k = 0; k < kPeriodLabels.size(); ++k)
        s.set(J + 2 + k, 2, kPeriodLabels[k]);
    s.set(J + 12, 2, kMonthTotal);
    s.set(J + 13, 2, kAverage);
    monthLeaveCells(s, J + 2, r.employees, leaves);

    // Month's total of an employee: days on jobs plus the nine leave rows.
    for (int j = 0; j < E; ++j) {
        double sum = 0;
        for (int row = 2; row <= J + 13; ++row)
            sum += s.value(row, j + 3);
        s.setNumber(J + 12, j + 3, sum - s.value(J + 2, j + 3));
    }
    double R[11];
    for (int k = 0; k <= 10; ++k) {
        R[k] = 0;
        for (int j = 0; j < E; ++j)
            R[k] += s.value(J + 2 + k, j + 3);
        s.setNumber(J + 2 + k, E + 3, R[k]);
    }
    const double p = R[10] > 0 ? app::roundTo2(R[0] * 100 / R[10]) : 0.0;
    s.set(J + 13, E + 3, app::percentText(p));

    finishFooter(s, J + 15, 2, r, true);
    s.usedRows = J + 16;
    s.lastColumn = E + 5;
    s.firstRow = 2;
    s.firstCol = 3;
    return s;
}

Sheet deptPeriod(const Request& r)
{
    Sheet s;
    const QList<Booking> bookings = readBookings(kPeriodBookings, {r.department, r.fromDate, r.toDate});
    const QList<qint64> jobs = distinctJobs(bookings);
    if (jobs.isEmpty()) {
        s.message = QString::fromLatin1(kNoEntry);
        return s;
    }
    const QHash<qint64, JobInfo> info = readJobs(kPeriodJobs, {r.department, r.fromDate, r.toDate});
    const auto leaves = readLeaves(kPeriodLeaves, {r.department, r.fromDate, r.toDate});
    const int J = jobs.size();
    const int E = r.employees.size();
    const QHash<qint64, int> col = employeeColumns(r.employees);

    for (int i = 0; i < J; ++i)
        jobRow(s, i + 2, i + 1, jobs[i], info, E);
    deptHeader(s, 0, r.employees);
    deptFormat(s);

    // Leave records per employee: the months found and the nine sums (in the
    // report's row order MSC, HLY, CL, rh, EL, SL, HPL, SPL, LWP).
    QList<int> months(E, 0);
    QList<QList<double>> sums(E, QList<double>(9, 0.0));
    for (const auto& l : leaves) {
        const auto j = col.constFind(l.first);
        if (j == col.constEnd())
            continue;
        ++months[*j];
        for (int k = 0; k < 9; ++k)
            sums[*j][k] += store::num(l.second.v[k + 1]);
    }

    // Days booked per job and employee over the period, 0 included.
    QHash<qint64, int> jobIndex;
    for (int i = 0; i < J; ++i)
        jobIndex.insert(jobs[i], i);
    QList<QList<QList<double>>> perCell(J, QList<QList<double>>(E));
    for (const Booking& b : bookings) {
        const auto j = col.constFind(b.emp);
        if (j != col.constEnd())
            perCell[jobIndex.value(b.job)][*j].append(store::num(b.days));
    }
    for (int i = 0; i < J; ++i) {
        double total = 0;
        for (int j = 0; j < E; ++j) {
            double cell = 0;
            for (double d : perCell[i][j]) {
                cell += d;
                total += d;
            }
            s.setNumber(i + 2, j + 3, cell);
        }
        s.setNumber(i + 2, E + 3, total);
    }
    for (int j = 0; j <= E; ++j) {
        double sum = 0;
        for (int row = 2; row <= J + 1; ++row)
            sum += s.value(row, j + 3);
        s.setNumber(J + 2, j + 3, sum);
    }
    for (int k = 0; k < kPeriodLabels.size(); ++k)
        s.set(J + 2 + k, 2, kPeriodLabels[k]);
    s.set(J + 12, 2, kPeriodTotalLeave);
    s.set(J + 13, 2, kPeriodTotal);
    s.set(J + 14, 2, kAverage);
    for (int j = 0; j < E; ++j) {
        // L adds the kinds in the order of the leave columns: CL, rh, EL, SL,
        // HPL, HLY, SPL, LWP, MSC.
        const QList<double>& m = sums[j];
        const double l = m[2] + m[3] + m[4] + m[5] + m[6] + m[1] + m[7] + m[8] + m[0];
        for (int k = 0; k < 9; ++k)
            s.setNumber(J + 3 + k, j + 3, m[k]);
        s.setNumber(J + 12, j + 3, l);
        s.setNumber(J + 13, j + 3, s.value(J + 12, j + 3) + s.value(J + 2, j + 3));
    }
    for (int k = 0; k <= 11; ++k) {
        double sum = 0;
        for (int j = 0; j < E; ++j)
            sum += s.value(J + 2 + k, j + 3);
        s.setNumber(J + 2 + k, E + 3, sum);
    }
    const double total = s.value(J + 13, E + 3);
    const double p = total > 0 ? app::roundTo2(s.value(J + 2, E + 3) * 100 / total) : 0.0;
    s.set(J + 14, E + 3, app::percentText(p));
    s.set(J + 15, 2, kEntriesFound);
    for (int j = 0; j < E; ++j)
        s.set(J + 15, j + 3, QString::number(months[j]));

    finishFooter(s, J + 17, 2, r, true);
    s.usedRows = J + 18;
    s.lastColumn = E + 5;
    s.firstRow = 2;
    s.firstCol = 3;
    return s;
}

// Every department's bookings, job rows and leave records of one card month,
// read with one statement each and kept by department in the order read.
struct MonthOfAll {
    QHash<QString, QList<Booking>> bookings;
    QHash<QString, QList<QPair<qint64, LeaveRow>>> leaves;
    QHash<qint64, JobInfo> jobs;
};

MonthOfAll readMonthOfAll(const QDate& toDate)
{
    MonthOfAll m;
    {
        // A record without a department belongs to no department's block.
        auto q = store::exec(kAllMonthBookings, {toDate});
        while (q.next())
            if (!q.isNull(0))
                m.bookings[q.value(0).toString()].append(
                    {store::whole(q.value(1)), store::whole(q.value(2)), q.value(3)});
    }
    m.jobs = readJobs(kAllMonthJobs, {toDate});
    auto q = store::exec(kAllMonthLeaves, {toDate});
    while (q.next()) {
        if (q.isNull(0))
            continue;
        LeaveRow r;
        for (int k = 0; k < 10; ++k)
            r.v[k] = q.value(k + 2);
        m.leaves[q.value(0).toString()].append({store::whole(q.value(1)), r});
    }
    return m;
}

// One department's block of the all-departments monthly report; returns the
// row at which the next block starts.
int departmentBlock(Sheet& s, int b, int position, const QString& department, const Request::Block& blk,
                    int fromDay, int toDay, QHash<QDate, MonthOfAll>& months)
{
    s.set(b, 1, QStringLiteral("(") + QChar(65 + position) + QStringLiteral(")"));
    s.set(b, 2, department.toUpper());
    auto month = months.find(blk.toDate);
    if (month == months.end())
        month = months.insert(blk.toDate, readMonthOfAll(blk.toDate));
    const QList<Booking> bookings = month->bookings.value(department);
    const QList<qint64> jobs = distinctJobs(bookings);
    if (jobs.isEmpty()) {
        s.set(b + 1, 2,
              QStringLiteral("NO BOOKING BETWEEN ") + dayMonthYear(fromDay, blk.fromDate) + QStringLiteral(" AND ") +
                  dayMonthYear(toDay, blk.toDate) + QStringLiteral("."));
        return b + 3;
    }
    const QHash<qint64, JobInfo>& info = month->jobs;
    const auto leaves = month->leaves.value(department);
    const QList<app::Employee>& emps = blk.employees;
    const int J = jobs.size();
    const int E = emps.size();
    const int T = E + 3; // the "TOTAL" column

    deptHeader(s, b + 1, emps);
    for (int i = 0; i < J; ++i)
        jobRow(s, b + 3 + i, i + 1, jobs[i], info, E);
    const QStringList labels = {
        QStringLiteral("MONTH's TOTAL ED"),   QStringLiteral("Miscellaneous"), QStringLiteral("Availed Holidays"),
        QStringLiteral("Casual Leave"),       QStringLiteral("Restricted Holiday"), QStringLiteral("Earned Leave"),
        QStringLiteral("Sick Leave"),         QStringLiteral("Half Pay Leave"), QStringLiteral("Special Leave"),
        QStringLiteral("Leave without Pay"),  QStringLiteral("MONTH's TOTAL LEAVE"), QStringLiteral("T O T A L "),
        kAverage};
    for (int k = 0; k < labels.size(); ++k)
        s.set(b + J + 3 + k, 2, labels[k]);

    monthJobCells(s, b + 3, jobs, emps, bookings);
    monthLeaveCells(s, b + J + 3, emps, leaves);

    double jobTotal = 0;
    for (int i = 0; i < J; ++i)
        jobTotal += s.value(b + 3 + i, T);
    s.setNumber(b + J + 3, T, jobTotal);
    for (int j = 0; j < E; ++j) {
        double leave = 0;
        for (int row = b + J + 4; row <= b + J + 12; ++row)
            leave += s.value(row, j + 3);
        s.setNumber(b + J + 13, j + 3, leave);
        s.setNumber(b + J + 14, j + 3, s.value(b + J + 3, j + 3) + s.value(b + J + 13, j + 3));
    }
    double leaveTotal = 0;
    for (int row = b + J + 4; row <= b + J + 12; ++row) {
        double sum = 0;
        for (int j = 0; j < E; ++j)
            sum += s.value(row, j + 3);
        s.setNumber(row, T, sum);
        leaveTotal += s.value(row, T);
    }
    s.setNumber(b + J + 13, T, leaveTotal);
    s.setNumber(b + J + 14, T, s.value(b + J + 3, T) + s.value(b + J + 13, T));
    const double all = s.value(b + J + 14, T);
    const double p = all > 0 ? app::roundTo2(s.value(b + J + 3, T) * 100 / all) : 0.0;
    s.set(b + J + 15, T, app::percentText(p));
    s.lastColumn = std::max(s.lastColumn, E + 5);
    return b + J + 17;
}

Sheet allDeptMonth(const Request& r)
{
    Sheet s;
    if (r.departments.isEmpty()) {
        s.message = QString::fromLatin1(kNoDepartmentList);
        return s;
    }
    standardWidths(s);
    const QDate titleFrom = r.toDate.addDays(-29);
    s.set(0, 2,
          QStringLiteral("MONTHLY JOB CARD REPORT OF ALL DEPARMENTS FOR THE PERIOD FROM ") +
              dayMonthYear(r.fromDay, titleFrom) + QStringLiteral(" TO ") + dayMonthYear(r.toDay, r.toDate) +
              QStringLiteral("."));
    s.lastColumn = 2;
    int blockRow = 2;
    // Until a department change recomputes it, FromDate is the title's.
    Request::Block current{false, r.employees, titleFrom, r.toDate};
    // The month's rows of every department, read once per card month shown.
    QHash<QDate, MonthOfAll> months;
    for (int p = 0; p < r.departments.size(); ++p) {
        if (r.chooseDepartment) {
            Request::Block next = r.chooseDepartment(p);
            if (next.changed)
                current = next;
            else
                current.employees = next.employees;
        }
        blockRow = departmentBlock(s, blockRow, p, r.departments[p], current, r.fromDay, r.toDay, months);
    }
    finishFooter(s, blockRow + 1, 2, r, false);
    s.usedRows = blockRow + 2;
    s.firstRow = 1;
    s.firstCol = 3;
    return s;
}

Sheet jobPeriod(const Request& r)
{
    Sheet s;
    // Jobs with a booking above 0 in the period, every booking of them summed
    // in the order read.
    auto q = store::exec(kAllBookings, {r.fromDate, r.toDate});
    QHash<qint64, qsizetype> slot;
    QList<qint64> seen;
    QList<double> sums;
    QList<bool> positive;
    while (q.next()) {
        const qint64 job = store::whole(q.value(0));
        const double d = store::num(q.value(1));
        auto it = slot.constFind(job);
        if (it == slot.constEnd()) {
            it = slot.insert(job, seen.size());
            seen << job;
            sums << 0.0;
            positive << false;
        }
        sums[*it] += d;
        if (d > 0)
            positive[*it] = true;
    }
    QList<qint64> jobs;
    for (qsizetype k = 0; k < seen.size(); ++k)
        if (positive[k])
            jobs << seen[k];
    if (jobs.isEmpty()) {
        s.message = QString::fromLatin1(kNoJobBooking);
        s.elapsedShown = false;
        return s;
    }
    std::sort(jobs.begin(), jobs.end());
    const QHash<qint64, JobInfo> info = readJobs(kBookedJobs, {r.fromDate, r.toDate});
    standardWidths(s);
    const QStringList head = {QStringLiteral("S.N."), QStringLiteral("JOB NUMBER"), QStringLiteral("JOB DESCRIPTION"),
                              QStringLiteral("ED BOOKED"), QStringLiteral("JOB STATUS %")};
    for (int c = 0; c < head.size(); ++c) {
        s.set(0, c, head[c]);
        s.set(1, c, QString::number(c + 1));
    }
    const int J = jobs.size();
    double grand = 0;
    for (int i = 0; i < J; ++i) {
        const double sum = sums[slot.value(jobs[i])];
        s.set(i + 2, 0, QString::number(i + 1));
        s.set(i + 2, 1, QString::number(jobs[i]));
        const auto it = info.constFind(jobs[i]);
        if (it != info.constEnd()) {
            s.set(i + 2, 2, it->name);
            s.set(i + 2, 4, it->status);
        }
        s.setNumber(i + 2, 3, sum);
        grand += sum;
    }
    s.set(J + 2, 2, QStringLiteral("GRAND TOTAL"));
    s.setNumber(J + 2, 3, grand);
    finishFooter(s, J + 4, 2, r, false);
    s.usedRows = J + 5;
    s.lastColumn = 4;
    s.firstRow = 2;
    s.firstCol = 1;
    return s;
}

Sheet leave(const Request& r)
{
    Sheet s;
    const bool period = r.option == LeavePeriod;
    const qint64 id = static_cast<qint64>(app::leadingNumber(r.employeeIdText));
    auto q = period ? store::exec(kEmployeePeriodLeaves, {id, r.fromDate, r.toDate})
                  : store::exec(kEmployeeMonthLeaves, {id, r.toDate});
    // CL, rh, EL, SL, HPL, HLY, SPL, LWP
    double sums[8] = {};
    QString remarks[8];
    int found = 0;
    while (q.next()) {
        ++found;
        for (int k = 0; k < 8; ++k) {
            sums[k] += store::num(q.value(k));
            remarks[k] += QLatin1Char('+') + fieldText(q.value(k));
        }
    }
    if (found == 0) {
        s.message = QString::fromLatin1(kNoEntry);
        return s;
    }
    const QString dmy = QStringLiteral("dd/MM/yyyy");
    QString periodCell;
    if (period) {
        s.set(8, 2, QStringLiteral("Enteries for ") + QString::number(found) + QStringLiteral(" month(s) found"));
        for (QString& m : remarks)
            m = QStringLiteral(" (") + m + QStringLiteral(")");
        periodCell = r.fromDate.toString(dmy) + QStringLiteral(" to ") + r.toDate.toString(dmy);
    } else {
        periodCell = QStringLiteral("Month End: ") + r.toDate.toString(dmy);
        for (QString& m : remarks)
            m.clear();
    }
    const QStringList head = {QStringLiteral("DESCRIPTION"), QStringLiteral("VALUE"), QStringLiteral("REMARKS")};
    for (int c = 0; c < 3; ++c) {
        s.set(0, c, head[c]);
        s.set(1, c, QString::number(c + 1));
    }
    const QStringList form = {QStringLiteral("DIVISION"), QStringLiteral("NAME"), QStringLiteral("DESIGNATION"),
                              QStringLiteral("EMPLOYEE NO."), QStringLiteral("REPORT PERIOD")};
    const QStringList values = {r.department, r.employeeName, r.designation, r.employeeIdText, periodCell};
    for (int k = 0; k < form.size(); ++k) {
        s.set(2 + k, 0, form[k]);
        s.set(2 + k, 1, values[k]);
    }
    const QStringList kinds = {QStringLiteral("Casual Leave (CL)"),       QStringLiteral("Restricted Holiday (RH)"),
                               QStringLiteral("Earned Leave (EL)"),       QStringLiteral("Sick/ Commuted Leave (SL)"),
                               QStringLiteral("Half Pay Leave (HPL)"),    QStringLiteral("Holiday Availed"),
                               QStringLiteral("Special Leave (SPL)"),     QStringLiteral("Leave Without Pay (LWP)")};
    double total = 0;
    for (int k = 0; k < 8; ++k) {
        s.set(8 + k, 0, kinds[k]);
        s.set(8 + k, 1, num(sums[k]) + remarks[k]);
        total += sums[k];
    }
    s.set(16, 0, QStringLiteral("T O T A L"));
    s.setNumber(16, 1, total);
    finishFooter(s, 18, 0, r, true);
    s.usedRows = 20;
    s.lastColumn = 2;
    s.format = QStringLiteral("<DESCRIPTION|<VALUE|<REMARKS");
    s.widths = {{0, 20}, {1, 34}, {2, 30}};
    s.firstRow = 2;
    s.firstCol = 0;
    return s;
}

} // namespace

void Sheet::set(int row, int col, const QString& text)
{
    if (row < 0 || col < 0)
        return;
    if (cells.size() <= row)
        cells.resize(row + 1);
    QStringList& r = cells[row];
    if (r.size() <= col)
        r.resize(col + 1);
    r[col] = text;
    if (row < numbers.size() && col < numbers[row].size())
        numbers[row][col] = qQNaN();
}

void Sheet::setNumber(int row, int col, double v)
{
    if (row < 0 || col < 0)
        return;
    const QString text = app::generalNumber(v);
    set(row, col, text);
    if (numbers.size() <= row)
        numbers.resize(row + 1);
    QList<double>& r = numbers[row];
    if (r.size() <= col)
        r.resize(col + 1, qQNaN());
    // A whole number reads back as itself; any other text is a plain
    // decimal, which the leading-number rule reads as strtod does.
    if (std::fabs(v) < 1e15 && v == std::trunc(v))
        r[col] = v == 0.0 ? 0.0 : v;
    else
        r[col] = std::strtod(text.toLatin1().constData(), nullptr);
}

QString Sheet::at(int row, int col) const
{
    if (row < 0 || row >= cells.size() || col < 0 || col >= cells[row].size())
        return {};
    return cells[row][col];
}

double Sheet::value(int row, int col) const
{
    if (row >= 0 && row < numbers.size() && col >= 0 && col < numbers[row].size() && !qIsNaN(numbers[row][col]))
        return numbers[row][col];
    if (row < 0 || row >= cells.size() || col < 0 || col >= cells[row].size() || cells[row][col].isEmpty())
        return 0.0;
    return app::leadingNumber(cells[row][col]);
}

QStringList headerTexts(HeaderSet set)
{
    const QStringList job3 = {QStringLiteral("S.N."), QStringLiteral("JOB NUMBER"), QStringLiteral("JOB DESCRIPTION")};
    switch (set) {
    case HeaderSet::Job3:
        return job3;
    case HeaderSet::Job5:
        return job3 + QStringList{QStringLiteral("CONSUMED ED"), QStringLiteral("STATUS %")};
    case HeaderSet::Job6:
        return job3 + QStringList{QStringLiteral("CONSUMED ED"), QStringLiteral("ALLOTTED ED"),
                                  QStringLiteral("STATUS %")};
    case HeaderSet::Emp7:
        return {QStringLiteral("S.N."),  QStringLiteral("EMPL. ID"),    QStringLiteral("EMPLOYEE NAME"),
                QStringLiteral("DEPARTMENT"), QStringLiteral("GRADE"), QStringLiteral("DESIGNATION"),
                QStringLiteral("DATE OF BIRTH")};
    }
    return {};
}

void writeHeader(Sheet& sheet, HeaderSet set, int row)
{
    const QStringList texts = headerTexts(set);
    for (int c = 0; c < texts.size(); ++c) {
        sheet.set(row, c, texts[c]);
        sheet.set(row + 1, c, QString::number(c + 1));
    }
}

QStringList optionCaptions()
{
    return {QStringLiteral("Monthly ED Report of a Deptt."), QStringLiteral("ED Report for Specified Period"),
            QStringLiteral("Monthly ED Report of All Deptts."), QStringLiteral("Sp. Period ED Report (All Deptts.) "),
            QStringLiteral("Monthly Leave Report"), QStringLiteral("Specified Period  Leave Report")};
}

Sheet build(const Request& request)
{
    switch (request.option) {
    case DeptMonth:
        return deptMonth(request);
    case DeptPeriod:
        return deptPeriod(request);
    case AllDeptMonth:
        return allDeptMonth(request);
    case AllDeptPeriod:
        if (request.departments.isEmpty()) {
            Sheet s;
            s.message = QString::fromLatin1(kNoDepartmentList);
            return s;
        }
        return jobPeriod(request);
    case LeaveMonth:
    case LeavePeriod:
        return leave(request);
    default:
        return {};
    }
}

QString titleText(int option, const QString& department, const QString& employeeName)
{
    const QString dept = department.toUpper();
    switch (option) {
    case DeptMonth:
        return QStringLiteral("MONTHLY ED BOOKING REPORT OF ") + dept;
    case DeptPeriod:
        return QStringLiteral("ED REPORT OF SPECIFIED PERIOD OF ") + dept;
    case AllDeptMonth:
        return QStringLiteral("MONTHLY ED REPORT OF ALL DEPARTMENTS");
    case AllDeptPeriod:
        return QStringLiteral("SPECIFIED PERIOD ED REPORT OF ALL DEPARTMENTS");
    case LeaveMonth:
        return QStringLiteral("MONTHLY LEAVE REPORT OF ") + employeeName + QStringLiteral(" OF ") + dept;
    case LeavePeriod:
        return QStringLiteral("SPECIFIED PERIOD LEAVE REPORT OF ") + employeeName + QStringLiteral(" OF ") + dept;
    default:
        return {};
    }
}

QString periodText(int option, int startDay, const QDate& from, const QDate& to)
{
    const auto part = [](int day, const QDate& d) {
        return QString::number(day) + QLatin1Char(',') + monthName(d) + QLatin1Char('-') + QString::number(d.year());
    };
    if (option == DeptMonth || option == AllDeptMonth || option == LeaveMonth)
        return QStringLiteral("Month Ending: ") + part(startDay - 1, to);
    return QStringLiteral("Period Between: ") + part(startDay, from) + QStringLiteral(" AND ") +
           part(startDay - 1, to);
}

QString footerText(const QDate& today, bool fullStop)
{
    QString t = QStringLiteral("Report Generated by Karvela Software on ") +
                QLocale().toString(today, QLocale::ShortFormat);
    if (fullStop)
        t += QLatin1Char('.');
    return t;
}

QString elapsedText(double ms)
{
    return QString::number(std::llround(ms)) + QStringLiteral(" ms");
}

int fixedRowsOf(int option)
{
    return option == AllDeptMonth ? 1 : 2;
}

int fixedColsOf(int option)
{
    switch (option) {
    case AllDeptPeriod:
        return 1;
    case LeaveMonth:
    case LeavePeriod:
        return 0;
    default:
        return 3;
    }
}

bool clearsGridOnChoice(int option)
{
    return option != AllDeptMonth;
}

bool usesEmployee(int option)
{
    return option == LeaveMonth || option == LeavePeriod;
}

bool usesFromDate(int option)
{
    return option == DeptPeriod || option == AllDeptPeriod || option == LeavePeriod;
}

} // namespace reports
