// All-departments reports: every department's block for a card month, and
// the job totals of all departments for a period.
#include "reports/builders_shared.h"

#include "app/numtext.h"
#include "app/pickers.h"

#include <algorithm>

namespace reports::detail {

namespace {

// Every department's bookings, booked jobs and leave records of one month.
const QString kAllMonthBookings = QStringLiteral(
    "SELECT Deptt, JobNo, Emp_ID, DaysBooked FROM edbooked WHERE MonthName = ? ORDER BY ID");
const QString kAllMonthJobs = QStringLiteral(
    "SELECT JobNo, JobName, Bal_ED, Job_Status FROM jobs WHERE JobNo IN "
    "(SELECT JobNo FROM edbooked WHERE MonthName = ?) ORDER BY ID");
const QString kAllMonthLeaves = QStringLiteral(
    "SELECT Deptt, Emp_ID, ED_Booked, MSC, HLY, CL, rh, EL, SL, HPL, SPL, LWP FROM leaves "
    "WHERE MonthName = ? ORDER BY ID");
// The jobs of the period with a booking above 0, all departments: every
// booking of each counts towards its sum; the job's master fields beside it
// (j.JobNo is empty for a job missing from the master).
const QString kPeriodJobSums = QStringLiteral(
    "SELECT b.JobNo, b.Total, j.JobNo, j.JobName, j.Job_Status FROM "
    "(SELECT JobNo, SUM(DaysBooked) AS Total FROM edbooked WHERE MonthName BETWEEN ? AND ? "
    "GROUP BY JobNo HAVING MAX(DaysBooked) > 0) b LEFT JOIN jobs j ON j.JobNo = b.JobNo ORDER BY b.JobNo");

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

} // namespace

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
    // Every department's employees, read once.
    QHash<QString, QList<app::Employee>> employees;
    if (r.chooseDepartment)
        employees = app::employeesByDepartment();
    for (int p = 0; p < r.departments.size(); ++p) {
        if (r.chooseDepartment) {
            Request::Block next = r.chooseDepartment(p, employees.value(r.departments[p]));
            if (next.changed)
                current = next;
            else
                current.employees = next.employees;
        }
        blockRow = departmentBlock(s, blockRow, p, r.departments[p], current, r.fromDay, r.toDay, months);
    }
    finishFooter(s, blockRow + 1, 2, r, false);
    s.usedRows = blockRow + 2;
    s.blockRow = blockRow;
    s.firstRow = 1;
    s.firstCol = 3;
    return s;
}

Sheet jobPeriod(const Request& r)
{
    Sheet s;
    struct JobSum {
        qint64 job;
        double sum;
        bool found;
        QString name;
        QString status;
    };
    QList<JobSum> jobs;
    {
        auto q = store::exec(kPeriodJobSums, {r.fromDate, r.toDate});
        while (q.next())
            jobs.append({store::whole(q.value(0)), store::num(q.value(1)), !q.isNull(2), store::textOf(q.value(3)),
                         fieldText(q.value(4))});
    }
    if (jobs.isEmpty()) {
        s.message = QString::fromLatin1(kNoJobBooking);
        s.elapsedShown = false;
        return s;
    }
    standardWidths(s);
    writeHeader(s, optionFacts(r.option)->header);
    const int J = jobs.size();
    double grand = 0;
    for (int i = 0; i < J; ++i) {
        const double sum = jobs[i].sum;
        s.set(i + 2, 0, QString::number(i + 1));
        s.set(i + 2, 1, QString::number(jobs[i].job));
        if (jobs[i].found) {
            s.set(i + 2, 2, jobs[i].name);
            s.set(i + 2, 4, jobs[i].status);
        }
        s.setNumber(i + 2, 3, sum);
        grand += sum;
    }
    s.set(J + 2, 2, QStringLiteral("GRAND TOTAL"));
    s.setNumber(J + 2, 3, grand);
    finishFooter(s, J + 4, 2, r, false);
    s.usedRows = J + 5;
    s.jobCount = J;
    s.blockRow = J + 3;
    s.lastColumn = 4;
    s.firstRow = 2;
    s.firstCol = 1;
    return s;
}

} // namespace reports::detail
