#include "cli/demo.h"

#include "app/calendar.h"
#include "app/pickers.h"
#include "app/records.h"
#include "cli/rng.h"
#include "store/database.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <cstdint>

namespace cli {

namespace {


const QStringList kDepartments = {
    QStringLiteral("Admin Section"),       QStringLiteral("Civil Design"),
    QStringLiteral("Electrical Design"),   QStringLiteral("Instrumentation"),
    QStringLiteral("Mechanical Design"),   QStringLiteral("Process Engineering"),
};
const QStringList kFirst = {
    QStringLiteral("Anil"),   QStringLiteral("Meera"),  QStringLiteral("Ravi"),   QStringLiteral("Sunita"),
    QStringLiteral("Vikram"), QStringLiteral("Kavita"), QStringLiteral("Suresh"), QStringLiteral("Anjali"),
    QStringLiteral("Prakash"), QStringLiteral("Nisha"), QStringLiteral("Rajesh"), QStringLiteral("Lata"),
    QStringLiteral("Manoj"),  QStringLiteral("Deepa"),  QStringLiteral("Arun"),   QStringLiteral("Pooja"),
    QStringLiteral("Sanjay"), QStringLiteral("Rekha"),  QStringLiteral("Vijay"),  QStringLiteral("Asha"),
};
const QStringList kLast = {
    QStringLiteral("Sharma"), QStringLiteral("Iyer"),   QStringLiteral("Kulkarni"), QStringLiteral("Menon"),
    QStringLiteral("Rao"),    QStringLiteral("Gupta"),  QStringLiteral("Nair"),     QStringLiteral("Joshi"),
    QStringLiteral("Das"),    QStringLiteral("Patil"),  QStringLiteral("Verma"),    QStringLiteral("Bose"),
};
const QStringList kDesignations = {
    QStringLiteral("Engineer"),     QStringLiteral("Senior Engineer"), QStringLiteral("Manager"),
    QStringLiteral("Draughtsman"),  QStringLiteral("Assistant"),       QStringLiteral("Deputy Manager"),
};
const QStringList kGrades = {QStringLiteral("E2"), QStringLiteral("E3"), QStringLiteral("E4"),
                             QStringLiteral("E5"), QStringLiteral("S1")};
const QStringList kJobWords = {
    QStringLiteral("Refinery Expansion"),   QStringLiteral("Cooling Water System"), QStringLiteral("Tank Farm"),
    QStringLiteral("Substation Upgrade"),   QStringLiteral("Boiler Feed Pumps"),    QStringLiteral("Control Room"),
    QStringLiteral("Flare Stack"),          QStringLiteral("Pipe Rack"),            QStringLiteral("Effluent Plant"),
    QStringLiteral("Compressor House"),
};
const QStringList kClients = {QStringLiteral("Bharat Petro Ltd"), QStringLiteral("Coastal Power Co"),
                              QStringLiteral("Deccan Fertilisers"), QStringLiteral("Eastern Steel")};

using app::Employee;

// A job and the last card month that booked it.
struct Job : app::Job {
    QDate lastBooked;
};

// Half days: a value in steps of 0.5 from lo to hi.
double halves(Rng& r, int lo2, int hi2)
{
    return r.range(lo2, hi2) / 2.0;
}

} // namespace

DemoSummary fillDemo(const QDate& today, int startDay)
{
    Rng rng(20081120);
    const int s = startDay >= 1 && startDay <= 28 ? startDay : 21;
    DemoSummary sum;

    // Employees: six or seven per department.
    QList<Employee> emps;
    qint64 id = 10240101;
    for (int d = 0; d < kDepartments.size(); ++d) {
        const int n = d == 0 ? 5 : 7;
        for (int i = 0; i < n; ++i) {
            Employee e;
            e.department = kDepartments[d];
            e.name = kFirst[rng.range(0, kFirst.size() - 1)] + QLatin1Char(' ') + kLast[rng.range(0, kLast.size() - 1)];
            e.designation = kDesignations[i == 0 ? 2 : rng.range(0, kDesignations.size() - 1)];
            e.empId = id;
            id += rng.range(3, 97);
            e.dob = today.addDays(-rng.range(24 * 365, 57 * 365));
            e.grade = kGrades[rng.range(0, kGrades.size() - 1)];
            e.address = QStringLiteral("Quarter %1, Sector %2, Staff Colony").arg(rng.range(1, 240)).arg(rng.range(1, 9));
            emps << e;
        }
    }
    // One retired, one transferred out, one whose address merely mentions it.
    emps[8].dob = today.addDays(-(21915 + 200));
    emps[15].address = QStringLiteral("Transferred to Regional Office, Pune");
    emps[22].address = QStringLiteral("Returned; earlier Transferred to Head Office");

    // Jobs: thirty, led in turn by every department. A job's lead department
    // is kept as the first word of the department's name, which is what the
    // status change compares with the chosen department.
    QList<Job> jobs;
    for (int j = 0; j < 30; ++j) {
        Job job;
        job.jobNo = 24001 + j * 7;
        job.name = kJobWords[j % kJobWords.size()] + QStringLiteral(" - Unit ") + QString::number(j / kJobWords.size() + 1);
        job.client = kClients[rng.range(0, kClients.size() - 1)];
        job.allotted = 50 * rng.range(8, 24);
        if (j % 6 == 5)
            job.allotted = 60; // small allotments: these end over-booked
        job.balance = job.allotted;
        job.status = 5 * rng.range(0, 18);
        if (j % 7 == 3)
            job.status = 100;
        job.lead = kDepartments[j % kDepartments.size()].section(QLatin1Char(' '), 0, 0);
        jobs << job;
    }

    const QString insEmp = QStringLiteral(
        "INSERT INTO employees (Emp_ID, EmpName, DoB, Designation, Deptt, Emp_Addr, Grade) VALUES (?, ?, ?, ?, ?, ?, ?)");
    for (const Employee& e : emps)
        store::exec(insEmp, {e.empId, e.name, e.dob, e.designation, e.department, e.address, e.grade});

    // Twelve card periods ending with the one the report window shows first.
    const QDate ref = app::calendar::reportReference(today);
    const QString insLeave = QStringLiteral(
        "INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName, ED_Booked, CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const QString insBooking = QStringLiteral(
        "INSERT INTO edbooked (MonthName, Deptt, Emp_ID, EmpName, JobNo, DaysBooked, Emp_Tot_ED, Bal_ED) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    for (int k = 11; k >= 0; --k) {
        const QDate toMonth = QDate(ref.year(), ref.month(), 1).addMonths(-k);
        const QDate to(toMonth.year(), toMonth.month(), s > 1 ? s - 1 : 20);
        const QDate fromMonth = toMonth.addMonths(-1);
        const QDate from(fromMonth.year(), fromMonth.month(), s > 1 ? s : 21);
        const int period = int(from.daysTo(to)) + 1;
        for (const Employee& e : emps) {
            if (e.address.startsWith(QLatin1String("Transferred")) && k < 3)
                continue; // gone for the last three months
            if (app::isSuperannuated(e.dob, to))
                continue;
            double cl = rng.chance(60) ? halves(rng, 0, 4) : 0;
            double rh = rng.chance(15) ? 1 : 0;
            double el = rng.chance(15) ? rng.range(1, 5) : 0;
            double sl = rng.chance(10) ? rng.range(1, 3) : 0;
            double hpl = rng.chance(3) ? 2 : 0;
            double hly = rng.range(3, 5);
            double spl = rng.chance(3) ? 1 : 0;
            double lwp = rng.chance(2) ? 1 : 0;
            double msc = rng.chance(5) ? 0.5 : 0;
            const double leave = cl + rh + el + sl + hpl + hly + spl + lwp + msc;
            const double ed = period - leave;

            // Two to five jobs, the department's own more often.
            const int nJobs = rng.range(2, 5);
            QList<int> picked;
            while (picked.size() < nJobs) {
                int j = rng.range(0, jobs.size() - 1);
                if (rng.chance(60)) {
                    for (int t = 0; t < jobs.size(); ++t) {
                        const int c = (j + t) % jobs.size();
                        if (e.department.section(QLatin1Char(' '), 0, 0) == jobs[c].lead && !picked.contains(c)) {
                            j = c;
                            break;
                        }
                    }
                }
                if (!picked.contains(j))
                    picked << j;
            }
            QList<double> days;
            double left = ed;
            for (int i = 0; i < picked.size(); ++i) {
                double d = left;
                if (i + 1 < picked.size()) {
                    d = halves(rng, 2, int(left * 2 / (picked.size() - i)));
                    if (d > left)
                        d = left;
                }
                days << d;
                left -= d;
            }
            const QString who = app::entryEmployeeText(e);
            store::exec(insLeave, {to, e.department, e.empId, who, ed, cl, rh, el, sl, hpl, hly, spl, lwp, msc});
            ++sum.cards;
            for (int i = 0; i < picked.size(); ++i) {
                Job& job = jobs[picked[i]];
                job.balance -= days[i];
                job.lastBooked = to;
                store::exec(insBooking, {to, e.department, e.empId, who, job.jobNo, days[i], ed, job.balance});
                ++sum.bookings;
            }
        }
    }

    const QString insJob = QStringLiteral(
        "INSERT INTO jobs (DateUpdate, JobNo, JobName, ClientCo, Limit_ED, Bal_ED, Job_Status, LeadDeptt) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    for (const Job& j : jobs)
        store::exec(insJob, {j.lastBooked.isValid() ? app::calendar::dateUpdateText(j.lastBooked) : QString(),
                             j.jobNo, j.name, j.client, j.allotted, j.balance, j.status, j.lead});
    sum.departments = kDepartments.size();
    sum.employees = emps.size();
    sum.jobs = jobs.size();
    return sum;
}

} // namespace cli
