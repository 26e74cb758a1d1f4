#include "reference.h"

#include "app/numtext.h"
#include "entry/cardstore.h"
#include "store/database.h"

#include <QElapsedTimer>

namespace bench {

namespace {

QString fieldText(const QVariant& v)
{
    return v.isNull() ? QString() : app::generalNumber(v.toDouble());
}

// Lays out the job rows and leave rows of the month cell by cell.
reports::Sheet perCellSheet(const QString& department, const QList<app::Employee>& employees,
                            const QDate& monthEnd)
{
    reports::Sheet s;
    QList<qint64> jobs;
    {
        store::Query q = store::exec(QStringLiteral("SELECT JobNo FROM edbooked WHERE MonthName = ? AND Deptt = ? "
                                                    "GROUP BY JobNo ORDER BY JobNo"),
                                     {monthEnd, department});
        while (q.next())
            jobs << store::whole(q.value(0));
    }
    const int E = employees.size();
    for (int i = 0; i < jobs.size(); ++i) {
        const int row = i + 2;
        s.set(row, 0, QString::number(i + 1));
        s.set(row, 1, QString::number(jobs[i]));
        store::Query job = store::exec(QStringLiteral("SELECT JobName, Bal_ED, Job_Status FROM jobs WHERE JobNo = ?"),
                                       {jobs[i]});
        if (job.next()) {
            s.set(row, 2, store::textOf(job.value(0)));
            s.set(row, E + 4, fieldText(job.value(1)));
            s.set(row, E + 5, fieldText(job.value(2)));
        }
        double total = 0;
        for (int j = 0; j < E; ++j) {
            store::Query cell = store::exec(QStringLiteral("SELECT DaysBooked FROM edbooked WHERE MonthName = ? AND "
                                                           "Deptt = ? AND JobNo = ? AND Emp_ID = ?"),
                                            {monthEnd, department, jobs[i], employees[j].empId});
            while (cell.next()) {
                s.set(row, j + 3, fieldText(cell.value(0)));
                total += store::num(cell.value(0));
            }
        }
        s.set(row, E + 3, app::generalNumber(total));
    }
    const int J = jobs.size();
    for (int j = 0; j < E; ++j) {
        store::Query l = store::exec(QStringLiteral("SELECT ED_Booked, MSC, HLY, CL, rh, EL, SL, HPL, SPL, LWP FROM "
                                                    "leaves WHERE MonthName = ? AND Emp_ID = ?"),
                                     {monthEnd, employees[j].empId});
        if (l.next())
            for (int k = 0; k < 10; ++k)
                s.set(J + 2 + k, j + 3, fieldText(l.value(k)));
    }
    return s;
}

} // namespace

ReferenceResult perCellDeptMonth(int runs, const QString& department, const QList<app::Employee>& employees,
                                 const QDate& monthEnd, const QDate& today)
{
    ReferenceResult r;
    r.sample = measure(runs, [&] { perCellSheet(department, employees, monthEnd); });
    reports::Request req;
    req.option = reports::DeptMonth;
    req.department = department;
    req.employees = employees;
    req.fromDate = monthEnd.addMonths(-1).addDays(1);
    req.toDate = monthEnd;
    req.today = today;
    const reports::Sheet report = reports::build(req);
    const reports::Sheet cells = perCellSheet(department, employees, monthEnd);
    // Job rows and leave rows: every cell from the S.N. column to the total.
    const int last = cells.cells.size();
    r.cellsAgree = last > 2 && report.usedRows >= last;
    for (int row = 2; r.cellsAgree && row < last; ++row)
        for (int c = 0; c <= employees.size() + 5; ++c)
            if (!cells.at(row, c).isEmpty() || row < last - 10)
                if (cells.at(row, c) != report.at(row, c)) {
                    r.cellsAgree = false;
                    break;
                }
    return r;
}

CardTimes timeCard(int runs, const Generated& g)
{
    const qint64 emp = employeeId(0, 1);
    const QString dept = departmentName(0);
    const QString who = QStringLiteral("Employee 1-2, Senior Engineer");
    const QDate month = g.lastMonth.addMonths(1);
    const QDate floorMonth = g.lastMonth.addMonths(2);
    // What an earlier, broken-off run may have left.
    for (const QDate& m : {month, floorMonth}) {
        store::exec(QStringLiteral("DELETE FROM edbooked WHERE Emp_ID = ? AND MonthName = ?"), {emp, m});
        store::exec(QStringLiteral("DELETE FROM leaves WHERE Emp_ID = ? AND MonthName = ?"), {emp, m});
    }
    entry::LeaveValues leaves;
    leaves.CL = 1;
    leaves.HLY = 4;
    QList<entry::CardLine> first, second;
    for (int j = 0; j < 10; ++j) {
        first.append({jobNumber(j), 2, 0, 0});
        second.append({jobNumber(j), 2.5, 2, 0});
    }
    const QString dmy = month.toString(QStringLiteral("dd/MM/yyyy"));

    QList<double> t[4], f[4];
    CardTimes c;
    auto timed = [](QList<double>& list, Sample& s, bool keep, auto&& fn) {
        store::resetCounts();
        QElapsedTimer e;
        e.start();
        fn();
        if (keep)
            list << e.nsecsElapsed() / 1e6;
        s.statements = store::counts().statements;
        s.rows = store::counts().rows;
    };
    for (int run = 0; run <= runs; ++run) {
        const bool keep = run > 0; // the first run warms up
        const entry::CardHeader h{emp, who, dept, month};
        timed(t[0], c.op[0], keep, [&] {
            if (!entry::appendCard(h, 20, leaves, first))
                throw store::DbError(store::ErrorKind::Other, QStringLiteral("0"), QString(),
                                     QStringLiteral("the benchmark card was stored already"));
        });
        QList<qint64> ids;
        timed(t[1], c.op[1], keep, [&] {
            for (const entry::LoadedRow& r : entry::loadCard(emp, month).rows)
                ids << r.id;
        });
        timed(t[2], c.op[2], keep, [&] { entry::updateCard(h, 25, leaves, second); });
        timed(t[3], c.op[3], keep, [&] { entry::deleteCard(h, second, ids); });

        // The floors: the same rows written and read with the fewest plain statements.
        const QList<QVariant> key{emp, floorMonth};
        timed(f[0], c.floor[0], keep, [&] {
            store::Transaction tx;
            store::exec(QStringLiteral("INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName, ED_Booked, CL, rh, EL, "
                                       "SL, HPL, HLY, SPL, LWP, MSC) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                        {floorMonth, dept, emp, who, 20.0, 1.0, 0.0, 0.0, 0.0, 0.0, 4.0, 0.0, 0.0, 0.0});
            QString sql = QStringLiteral("INSERT INTO edbooked (MonthName, Deptt, Emp_ID, EmpName, JobNo, DaysBooked, "
                                         "Emp_Tot_ED, Bal_ED) VALUES ");
            QList<QVariant> v;
            for (int j = 0; j < 10; ++j) {
                sql += (j ? QStringLiteral(", ") : QString()) + QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?)");
                v << floorMonth << dept << emp << who << jobNumber(j) << 2.0 << 20.0 << 0.0;
            }
            store::exec(sql, v);
            store::exec(QStringLiteral("UPDATE jobs SET Bal_ED = Bal_ED - ?, DateUpdate = ? WHERE JobNo BETWEEN ? AND ?"),
                        {2.0, dmy, jobNumber(0), jobNumber(9)});
            tx.commit();
        });
        timed(f[1], c.floor[1], keep, [&] {
            fetchAll({{QStringLiteral("SELECT JobNo, DaysBooked, ID FROM edbooked WHERE Emp_ID = ? AND MonthName = ?"), key},
                      {QStringLiteral("SELECT JobNo, Bal_ED, Limit_ED, JobName FROM jobs WHERE JobNo IN (SELECT JobNo "
                                      "FROM edbooked WHERE Emp_ID = ? AND MonthName = ?)"),
                       key},
                      {QStringLiteral("SELECT CL, rh, HPL, SL, EL, SPL, LWP, MSC, HLY FROM leaves WHERE Emp_ID = ? AND "
                                      "MonthName = ?"),
                       key}});
        });
        timed(f[2], c.floor[2], keep, [&] {
            store::Transaction tx;
            store::exec(QStringLiteral("UPDATE leaves SET ED_Booked = ?, CL = ?, rh = ?, EL = ?, SL = ?, HPL = ?, "
                                       "HLY = ?, SPL = ?, LWP = ?, MSC = ? WHERE Emp_ID = ? AND MonthName = ?"),
                        {25.0, 1.0, 0.0, 0.0, 0.0, 0.0, 4.0, 0.0, 0.0, 0.0, emp, floorMonth});
            store::exec(QStringLiteral("UPDATE edbooked SET DaysBooked = ?, Emp_Tot_ED = ? WHERE Emp_ID = ? AND "
                                       "MonthName = ?"),
                        {2.5, 25.0, emp, floorMonth});
            store::exec(QStringLiteral("UPDATE jobs SET Bal_ED = Bal_ED - ?, DateUpdate = ? WHERE JobNo BETWEEN ? AND ?"),
                        {0.5, dmy, jobNumber(0), jobNumber(9)});
            tx.commit();
        });
        timed(f[3], c.floor[3], keep, [&] {
            store::Transaction tx;
            store::exec(QStringLiteral("DELETE FROM leaves WHERE Emp_ID = ? AND MonthName = ?"), key);
            store::exec(QStringLiteral("DELETE FROM edbooked WHERE Emp_ID = ? AND MonthName = ?"), key);
            store::exec(QStringLiteral("UPDATE jobs SET Bal_ED = Bal_ED + ?, DateUpdate = ? WHERE JobNo BETWEEN ? AND ?"),
                        {2.5, dmy, jobNumber(0), jobNumber(9)});
            tx.commit();
        });
    }
    for (int k = 0; k < 4; ++k) {
        c.op[k].ms = median(t[k]);
        c.floor[k].ms = median(f[k]);
    }
    return c;
}

} // namespace bench
