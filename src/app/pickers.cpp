#include "app/pickers.h"

#include "store/database.h"

namespace app {

namespace {
const QString kDepartments = QStringLiteral("Select Deptt from employees group by Deptt order by Deptt");
const QString kEmployees =
    QStringLiteral("SELECT ") + kEmployeeColumns + QStringLiteral(" FROM employees WHERE Deptt = ? ORDER BY ID");
const QString kAllEmployees = QStringLiteral("SELECT ") + kEmployeeColumns +
                              QStringLiteral(" FROM employees WHERE Deptt IS NOT NULL ORDER BY ID");
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

QList<Employee> listedEmployees(const QList<Employee>& employees, bool includeSuperannuated, const QDate& today)
{
    QList<Employee> list;
    for (const Employee& e : employees)
        if (includeSuperannuated || !isSuperannuated(e.dob, today))
            list << e;
    return list;
}

QList<Employee> listedEmployees(const QString& department, bool includeSuperannuated, const QDate& today)
{
    QList<Employee> list;
    auto q = store::exec(kEmployees, {department});
    while (q.next()) {
        Employee e = employeeFrom(q);
        if (includeSuperannuated || !isSuperannuated(e.dob, today))
            list << std::move(e);
    }
    return list;
}

QHash<QString, QList<Employee>> employeesByDepartment()
{
    QHash<QString, QList<Employee>> byDept;
    auto q = store::exec(kAllEmployees);
    while (q.next()) {
        Employee e = employeeFrom(q);
        byDept[e.department] << std::move(e);
    }
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

QString entryEmployeeText(const Employee& e)
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
