// Department reports: one department's jobs and employees for a card month
// or a period.
#include "reports/builders_shared.h"

#include "app/numtext.h"

#include <algorithm>

namespace reports::detail {

namespace {

// Bookings of one department in one card month or in a period.
const QString kMonthBookings = QStringLiteral(
    "SELECT JobNo, Emp_ID, DaysBooked FROM edbooked WHERE MonthName = ? AND Deptt = ? ORDER BY ID");
// Days booked over a period per job and employee, with the job's master
// row (a job number is unique in the master; j.JobNo is empty for a job
// missing from it).
const QString kPeriodCells = QStringLiteral(
    "SELECT b.JobNo, b.Emp_ID, b.Days, j.JobNo, j.JobName, j.Bal_ED, j.Job_Status FROM "
    "(SELECT JobNo, Emp_ID, SUM(DaysBooked) AS Days FROM edbooked WHERE Deptt = ? AND MonthName BETWEEN ? AND ? "
    "GROUP BY JobNo, Emp_ID) b LEFT JOIN jobs j ON j.JobNo = b.JobNo");
// The master rows of the jobs those bookings name.
const QString kMonthJobs = QStringLiteral(
    "SELECT JobNo, JobName, Bal_ED, Job_Status FROM jobs WHERE JobNo IN "
    "(SELECT JobNo FROM edbooked WHERE MonthName = ? AND Deptt = ?) ORDER BY ID");
// Leave records of one department in one card month or in a period.
const QString kMonthLeaves = QStringLiteral(
    "SELECT Emp_ID, ED_Booked, MSC, HLY, CL, rh, EL, SL, HPL, SPL, LWP FROM leaves "
    "WHERE MonthName = ? AND Deptt = ? ORDER BY ID");
// Per employee over a period: the leave records found and the nine sums in
// the report's row order.
const QString kPeriodLeaveSums = QStringLiteral(
    "SELECT Emp_ID, COUNT(*), SUM(MSC), SUM(HLY), SUM(CL), SUM(rh), SUM(EL), SUM(SL), SUM(HPL), SUM(SPL), SUM(LWP) "
    "FROM leaves WHERE Deptt = ? AND MonthName BETWEEN ? AND ? GROUP BY Emp_ID");

const QString kJobHeader3[] = {QStringLiteral("S.N."), QStringLiteral("JOB NUMBER"),
                               QStringLiteral("JOB DESCRIPTION")};
// Rows after the jobs, column 2, from "PERIOD's TOTAL ED" on.
const QStringList kPeriodLabels = {
    QStringLiteral("PERIOD's TOTAL ED"), QStringLiteral("Miscellaneous"),   QStringLiteral("Availed Holidays"),
    QStringLiteral("Casual Leave"),      QStringLiteral("Restricted Holiday"), QStringLiteral("Earned Leave"),
    QStringLiteral("Sick Leave"),        QStringLiteral("Half Pay Leave"),  QStringLiteral("Special Leave"),
    QStringLiteral("Leave without Pay")};
const QString kMonthTotal = QStringLiteral("M O N T H ' S  T O T A L");
const QString kPeriodTotalLeave = QStringLiteral("PERIOD's TOTAL LEAVE");
const QString kPeriodTotal = QStringLiteral("PERIOD's  T O T A L");
const QString kEntriesFound = QStringLiteral("Entries found (Months)");

void deptFormat(Sheet& s)
{
    s.format = QStringLiteral("^") + kJobHeader3[0] + QStringLiteral("|^") + kJobHeader3[1] +
               QStringLiteral("|<") + kJobHeader3[2];
    s.widths = {{0, 5}, {1, 10}, {2, 29}};
}

} // namespace

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
    // Each record's place and days in the order read; the job total adds
    // them cell by cell in column order, each cell's records in that order.
    struct Record {
        int job, col;
        double days;
    };
    QList<Record> records;
    records.reserve(bookings.size());
    for (const Booking& b : bookings) {
        const auto j = col.constFind(b.emp);
        if (j == col.constEnd())
            continue;
        const int i = jobIndex.value(b.job);
        records.append({i, *j, store::num(b.days)});
        setField(s, firstRow + i, *j + 3, b.days);
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const Record& a, const Record& b) { return a.job != b.job ? a.job < b.job : a.col < b.col; });
    QList<double> totals(jobs.size(), 0.0);
    for (const Record& rec : records)
        totals[rec.job] += rec.days;
    for (int i = 0; i < jobs.size(); ++i)
        s.setNumber(firstRow + i, e + 3, totals[i]);
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

    // Month's total of an employee: days on jobs plus the nine leave rows
    // (the total and average rows are still empty here).
    const QList<double> sums = s.columnSums(2, J + 13, 3, E);
    for (int j = 0; j < E; ++j)
        s.setNumber(J + 12, j + 3, sums[j] - s.value(J + 2, j + 3));
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
    s.jobCount = J;
    s.lastColumn = E + 5;
    s.firstRow = 2;
    s.firstCol = 3;
    return s;
}

Sheet deptPeriod(const Request& r)
{
    Sheet s;
    // One booking per job and employee: the period's sum.
    QList<Booking> bookings;
    QHash<qint64, JobInfo> info;
    {
        auto q = store::exec(kPeriodCells, {r.department, r.fromDate, r.toDate});
        while (q.next()) {
            const qint64 job = store::whole(q.value(0));
            bookings.append({job, store::whole(q.value(1)), q.value(2)});
            if (!q.isNull(3))
                info.insert(job, {store::textOf(q.value(4)), fieldText(q.value(5)), fieldText(q.value(6))});
        }
    }
    const QList<qint64> jobs = distinctJobs(bookings);
    if (jobs.isEmpty()) {
        s.message = QString::fromLatin1(kNoEntry);
        return s;
    }
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
    {
        auto q = store::exec(kPeriodLeaveSums, {r.department, r.fromDate, r.toDate});
        while (q.next()) {
            const auto j = col.constFind(store::whole(q.value(0)));
            if (j == col.constEnd())
                continue;
            months[*j] += int(store::whole(q.value(1)));
            for (int k = 0; k < 9; ++k)
                sums[*j][k] += store::num(q.value(k + 2));
        }
    }

    // Days booked per job and employee over the period, 0 included.
    QHash<qint64, int> jobIndex;
    for (int i = 0; i < J; ++i)
        jobIndex.insert(jobs[i], i);
    // (The statement groups by job and employee: one record per cell.)
    QList<double> days(qsizetype(J) * E, 0.0);
    for (const Booking& b : bookings) {
        const auto j = col.constFind(b.emp);
        if (j != col.constEnd())
            days[qsizetype(jobIndex.value(b.job)) * E + *j] += store::num(b.days);
    }
    for (int i = 0; i < J; ++i) {
        double total = 0;
        for (int j = 0; j < E; ++j) {
            const double cell = days[qsizetype(i) * E + j];
            s.setNumber(i + 2, j + 3, cell);
            total += cell;
        }
        s.setNumber(i + 2, E + 3, total);
    }
    const QList<double> columnTotals = s.columnSums(2, J + 1, 3, E + 1);
    for (int j = 0; j <= E; ++j)
        s.setNumber(J + 2, j + 3, columnTotals[j]);
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
    s.jobCount = J;
    s.lastColumn = E + 5;
    s.firstRow = 2;
    s.firstCol = 3;
    return s;
}

} // namespace reports::detail
