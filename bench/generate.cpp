#include "generate.h"

#include "cli/rng.h"
#include "store/database.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <cstdint>

namespace bench {

using cli::Rng;

namespace {


// Inserts rows in multi-row statements of `batch` rows each.
class BulkInsert {
public:
    BulkInsert(QString head, int columns, int batch) : head_(std::move(head)), columns_(columns), batch_(batch) {}
    ~BulkInsert() { flush(); }
    void add(const QList<QVariant>& row)
    {
        values_ += row;
        if (++rows_ == batch_)
            flush();
    }
    void flush()
    {
        if (rows_ == 0)
            return;
        QString sql = head_ + QStringLiteral(" VALUES ");
        const QString one = QLatin1Char('(') + QStringLiteral("?, ").repeated(columns_ - 1) + QStringLiteral("?)");
        for (int i = 0; i < rows_; ++i)
            sql += (i ? QStringLiteral(", ") : QString()) + one;
        store::exec(sql, values_);
        values_.clear();
        rows_ = 0;
    }

private:
    QString head_;
    int columns_;
    int batch_;
    int rows_ = 0;
    QList<QVariant> values_;
};

} // namespace

QString departmentName(int d)
{
    return QStringLiteral("Dept %1").arg(d + 1, 2, 10, QLatin1Char('0'));
}

int jobNumber(int j)
{
    return 100000 + j;
}

qint64 employeeId(int d, int e)
{
    return 20000000 + qint64(d) * 1000 + e;
}

namespace {
const QDate kLastMonth(2025, 12, 20);
qint64 countOf(const QString& table)
{
    store::Query q = store::exec(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    return q.next() ? store::whole(q.value(0)) : 0;
}
} // namespace

Generated generatedAt(const Scale& s)
{
    Generated g;
    g.lastMonth = kLastMonth;
    g.firstMonth = g.lastMonth.addMonths(-(s.months - 1));
    g.employees = countOf(QStringLiteral("employees"));
    g.jobs = countOf(QStringLiteral("jobs"));
    g.cards = countOf(QStringLiteral("leaves"));
    g.bookings = countOf(QStringLiteral("edbooked"));
    return g;
}

Generated generate(const Scale& s)
{
    static const char* designations[] = {"Engineer", "Senior Engineer", "Manager", "Draughtsman", "Assistant"};
    static const char* grades[] = {"E2", "E3", "E4", "E5", "S1"};
    Rng rng(5000);
    Generated g;
    store::Transaction tx;

    {
        BulkInsert emp(QStringLiteral("INSERT INTO employees (Emp_ID, EmpName, DoB, Designation, Deptt, Emp_Addr, Grade)"),
                       7, 50);
        for (int d = 0; d < s.departments; ++d)
            for (int e = 0; e < s.employeesPerDept; ++e) {
                emp.add({employeeId(d, e), QStringLiteral("Employee %1-%2").arg(d + 1).arg(e + 1),
                         QDate(1970, 1, 1).addDays(rng.range(0, 9000)), QString::fromLatin1(designations[e % 5]),
                         departmentName(d), e == 7 ? QStringLiteral("Transferred to Head Office") : QStringLiteral("Colony"),
                         QString::fromLatin1(grades[rng.range(0, 4)])});
                ++g.employees;
            }
    }

    QList<double> limit(s.jobs), bal(s.jobs);
    QList<QDate> last(s.jobs);
    for (int j = 0; j < s.jobs; ++j) {
        limit[j] = 100.0 * rng.range(5, 60);
        bal[j] = limit[j];
    }
    // Each department books mostly on the jobs it leads.
    const int perDept = s.jobs / s.departments;

    g.lastMonth = kLastMonth;
    g.firstMonth = g.lastMonth.addMonths(-(s.months - 1));
    {
        BulkInsert lv(QStringLiteral("INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName, ED_Booked, CL, rh, EL, SL, "
                                     "HPL, HLY, SPL, LWP, MSC)"),
                      14, 50);
        BulkInsert booked(QStringLiteral("INSERT INTO edbooked (MonthName, Deptt, Emp_ID, EmpName, JobNo, DaysBooked, "
                                     "Emp_Tot_ED, Bal_ED)"),
                      8, 100);
        for (int m = 0; m < s.months; ++m) {
            const QDate to = g.firstMonth.addMonths(m);
            const QDate from = to.addMonths(-1).addDays(1);
            const int period = int(from.daysTo(to)) + 1;
            for (int d = 0; d < s.departments; ++d)
                for (int e = 0; e < s.employeesPerDept; ++e) {
                    const double cl = rng.range(0, 2);
                    const double hly = 4;
                    const double el = rng.range(0, 9) == 0 ? 3 : 0;
                    const double ed = period - cl - hly - el;
                    const QString who = QStringLiteral("Employee %1-%2, %3")
                                            .arg(d + 1)
                                            .arg(e + 1)
                                            .arg(QString::fromLatin1(designations[e % 5]));
                    const qint64 id = employeeId(d, e);
                    lv.add({to, departmentName(d), id, who, ed, cl, 0.0, el, 0.0, 0.0, hly, 0.0, 0.0, 0.0});
                    ++g.cards;
                    const int n = rng.range(s.minJobsPerCard, s.maxJobsPerCard);
                    QList<int> picked;
                    while (picked.size() < n) {
                        const int j = rng.range(0, 3) == 0 ? rng.range(0, s.jobs - 1)
                                                           : (d * perDept + rng.range(0, perDept - 1)) % s.jobs;
                        if (!picked.contains(j))
                            picked << j;
                    }
                    double left = ed;
                    for (int i = 0; i < n; ++i) {
                        const double days = i + 1 < n ? double(int(ed / n)) : left;
                        left -= days;
                        bal[picked[i]] -= days;
                        last[picked[i]] = to;
                        booked.add({to, departmentName(d), id, who, jobNumber(picked[i]), days, ed, bal[picked[i]]});
                        ++g.bookings;
                    }
                }
        }
    }
    {
        BulkInsert jobs(QStringLiteral("INSERT INTO jobs (DateUpdate, JobNo, JobName, ClientCo, Limit_ED, Bal_ED, "
                                       "Job_Status, LeadDeptt)"),
                        8, 100);
        for (int j = 0; j < s.jobs; ++j) {
            jobs.add({last[j].isValid() ? last[j].toString(QStringLiteral("dd/MM/yyyy")) : QString(), jobNumber(j),
                      QStringLiteral("Job %1 of the synthetic plant").arg(j + 1), QStringLiteral("Client Co"), limit[j],
                      bal[j], double(j % 11 == 0 ? 100 : (j * 7) % 100), departmentName(j / perDept % s.departments)});
            ++g.jobs;
        }
    }
    tx.commit();
    return g;
}

} // namespace bench
