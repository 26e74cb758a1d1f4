#include "app/pickers.h"

#include "store/database.h"

namespace app {

namespace {
const QString kDepartments = QStringLiteral("Select Deptt from employees group by Deptt order by Deptt");
const QString kEmployees = QStringLiteral(
    "Select Deptt, EmpName, Designation, Emp_ID, DoB from employees where Deptt = ? order by ID");
const QString kAllEmployees =
    QStringLiteral("Select Deptt, EmpName, Designation, Emp_ID, DoB from employees where Deptt is not null order by ID");
const QString kGrades = QStringLiteral("Select Grade from employees group by Grade order by Grade");
const QString kLeadDepartments = QStringLiteral("Select LeadDeptt from jobs group by LeadDeptt order by LeadDeptt");

QStringList firstColumn(const QString& sql)
{
    QStringList l;
    auto q = store::exec(sql);
    while (q.next())
        l << store::textOf(q.value(0));
    return l;
}
} // namespace

bool isSuperannuated(const QDate& dob, const QDate& today)
{
    return dob.isValid() && dob.daysTo(today) > 21915;
}

QStringList departments()
{
    return firstColumn(kDepartments);
}

namespace {
QList<EmployeeRow> employeeRows(store::Query q)
{
    QList<EmployeeRow> rows;
    while (q.next()) {
        EmployeeRow e;
        e.deptt = store::textOf(q.value(0));
        e.name = store::textOf(q.value(1));
        e.designation = store::textOf(q.value(2));
        e.empId = store::whole(q.value(3));
        e.dob = store::dateOf(q.value(4));
        rows << e;
    }
    return rows;
}
} // namespace

QList<EmployeeRow> employeesOf(const QString& department)
{
    return employeeRows(store::exec(kEmployees, {department}));
}

QHash<QString, QList<EmployeeRow>> employeesByDepartment()
{
    QHash<QString, QList<EmployeeRow>> byDept;
    for (EmployeeRow& e : employeeRows(store::exec(kAllEmployees)))
        byDept[e.deptt] << std::move(e);
    return byDept;
}

QStringList grades()
{
    return firstColumn(kGrades);
}

QStringList leadDepartments()
{
    return firstColumn(kLeadDepartments);
}

QString entryEmployeeText(const EmployeeRow& e)
{
    return e.name + QStringLiteral(", ") + e.designation;
}

int defaultDepartmentIndex(const QString& departmentSetting, int count)
{
    if (count <= 0)
        return -1;
    bool ok = false;
    const int p = departmentSetting.trimmed().toInt(&ok);
    return ok && p >= 0 && p < count ? p : 0;
}

QString noEmployeeMessage(const QString& department)
{
    return (QStringLiteral("No Employee found in ") + department + QLatin1Char('.')).toUpper();
}

} // namespace app
