#pragma once
// What the department, employee, grade and lead-department pickers list.

#include <QDate>
#include <QHash>
#include <QList>
#include <QStringList>

namespace app {

struct EmployeeRow {
    QString deptt;
    QString name;
    QString designation;
    qint64 empId = 0;
    QDate dob;
};

// More than 21915 days (60 years of 365.25 days) from birth to today.
bool isSuperannuated(const QDate& dob, const QDate& today);

// Distinct departments, ascending.
QStringList departments();
// Employees of one department, in the order the data source returns them.
QList<EmployeeRow> employeesOf(const QString& department);
// Every employee in one statement, by department, each department's in the
// order employeesOf gives them.
QHash<QString, QList<EmployeeRow>> employeesByDepartment();
// Distinct grades, ascending.
QStringList grades();
// Distinct lead departments of the jobs, ascending.
QStringList leadDepartments();

// The entry of the data-entry employee picker: name, ", ", designation.
QString entryEmployeeText(const EmployeeRow& e);

// Position the Department setting selects in a list of `count` entries: the
// stored position, or the first entry when the setting is empty, not a
// number, negative or beyond the list. -1 for an empty list.
int defaultDepartmentIndex(const QString& departmentSetting, int count);

// Messages of the pickers.
QString noEmployeeMessage(const QString& department);
inline constexpr const char* kNoDepartment = "NO DEPARTMENT FOUND TO DISPLAY";

} // namespace app
