#pragma once
// What the department, employee, grade and lead-department pickers list.

#include "app/records.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QStringList>

namespace app {

// More than 21915 days (60 years of 365.25 days) from birth to today.
bool isSuperannuated(const QDate& dob, const QDate& today);

// Distinct departments, ascending.
QStringList departments();
// The employees a department's pickers list, in record-key order: the active
// ones, or everybody when superannuated staff are included (one statement).
QList<Employee> listedEmployees(const QString& department, bool includeSuperannuated, const QDate& today);
// The same rule over employees already read.
QList<Employee> listedEmployees(const QList<Employee>& employees, bool includeSuperannuated, const QDate& today);
// Every employee in one statement, by department, each department's in
// record-key order.
QHash<QString, QList<Employee>> employeesByDepartment();
// Distinct grades, ascending.
QStringList grades();
// Distinct lead departments of the jobs, ascending.
QStringList leadDepartments();

// The entry of the data-entry employee picker: name, ", ", designation.
QString entryEmployeeText(const Employee& e);

// Position the Department setting selects in a list of `count` entries: the
// stored position, or the first entry when the setting is empty, not a
// number, negative or beyond the list. -1 for an empty list.
int defaultDepartmentIndex(const QString& departmentSetting, int count);

// Messages of the pickers.
QString noEmployeeMessage(const QString& department);
inline constexpr const char* kNoDepartment = "NO DEPARTMENT FOUND TO DISPLAY";

} // namespace app
