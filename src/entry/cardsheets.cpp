#include "entry/cardsheets.h"

#include "store/database.h"

namespace entry {

namespace {

const QString kCardsOfDepartment = QStringLiteral(
    "SELECT Emp_ID, EmpName, CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC FROM leaves "
    "WHERE Deptt = ? AND MonthName = ? ORDER BY EmpName, Emp_ID");
const QString kCardOfEmployee = QStringLiteral(
    "SELECT Emp_ID, EmpName, CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC FROM leaves "
    "WHERE Deptt = ? AND MonthName = ? AND Emp_ID = ? ORDER BY ID");
const QString kCardJobs = QStringLiteral(
    "SELECT e.JobNo, e.DaysBooked, e.Bal_ED, j.JobName FROM edbooked e LEFT JOIN jobs j ON j.JobNo = e.JobNo "
    "WHERE e.Emp_ID = ? AND e.MonthName = ? ORDER BY e.ID");
const QString kEmployee = QStringLiteral("SELECT EmpName, Designation FROM employees WHERE Emp_ID = ?");

} // namespace

double PrintedCard::total() const
{
    double t = 0;
    for (const PrintedJob& j : jobs)
        t += j.days;
    for (double l : leaves)
        t += l;
    return t;
}

const std::array<const char*, 9>& leaveNames()
{
    static const std::array<const char*, 9> names = {
        "CL  Casual leave",      "RH  Restricted holiday", "EL  Earned leave",
        "SL  Sick / commuted leave", "HPL  Half pay leave", "HLY  Holidays availed",
        "SPL  Special leave",    "LWP  Leave without pay", "MSC  Miscellaneous"};
    return names;
}

QString noCardsMessage(const QString& department, const QDate& monthEnd)
{
    return QStringLiteral("No cards stored for %1 for the month ending %2.")
        .arg(department, monthEnd.toString(QStringLiteral("dd/MM/yyyy")));
}

QDate cardPeriodStart(const QDate& monthEnd)
{
    return monthEnd.addDays(1).addMonths(-1);
}

QList<PrintedCard> cardsOf(const QString& department, const QDate& monthEnd, std::optional<qint64> empId)
{
    QList<PrintedCard> cards;
    {
        auto q = empId ? store::exec(kCardOfEmployee, {department, monthEnd, *empId})
                       : store::exec(kCardsOfDepartment, {department, monthEnd});
        while (q.next()) {
            PrintedCard c;
            c.empId = store::whole(q.value(0));
            c.name = store::textOf(q.value(1));
            for (int i = 0; i < 9; ++i)
                c.leaves[i] = store::num(q.value(2 + i));
            c.department = department;
            c.to = monthEnd;
            c.from = cardPeriodStart(monthEnd);
            c.periodDays = int(c.from.daysTo(c.to)) + 1;
            cards << c;
        }
    }
    for (PrintedCard& c : cards) {
        {
            auto q = store::exec(kEmployee, {c.empId});
            if (q.next()) {
                c.name = store::textOf(q.value(0));
                c.designation = store::textOf(q.value(1));
            }
        }
        auto q = store::exec(kCardJobs, {c.empId, monthEnd});
        while (q.next())
            c.jobs << PrintedJob{store::whole(q.value(0)), store::textOf(q.value(3)), store::num(q.value(1)),
                                 store::num(q.value(2))};
    }
    return cards;
}

} // namespace entry
