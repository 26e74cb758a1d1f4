#pragma once
// Employee master maintenance: adding an employee and changing the fields
// that may change (department, designation, grade, address). Nothing here
// deletes an employee; one who leaves is marked by an address beginning
// with "Transferred".

#include "app/records.h"

#include <QDate>
#include <QString>

#include <optional>

namespace admin {

inline constexpr qint64 kLowestEmployeeId = 10000000;
inline constexpr qint64 kHighestEmployeeId = 99999999;

// The texts of the employee panel.
struct EmployeeForm {
    QString name;
    QString designation;
    QString address;
    QString birthDate;  // dd/mm/yyyy
    QString employeeId; // eight digits
    QString department;
    QString grade;
};

// A day/month/year text ("05/11/1972", "5/11/1972"); no value when the text
// is not a date that exists.
std::optional<QDate> birthDateOf(const QString& text);

// The employee ID typed in the panel: digits only (blanks ignored) with a
// value from 10000000 to 99999999, so leading zeros make it too small.
std::optional<qint64> employeeIdOf(const QString& text);

// The answer to the "which employee" question read as a whole number
// (rounded); no value when the answer is not a number.
std::optional<qint64> idAnswerOf(const QString& answer);

enum class FormCheck { Accepted, BadBirthDate, BadEmployeeId, BlankFields };

inline constexpr const char* kBlankFields = "Employee Name, Department and Designation can not be blank.";

// The checks before a write, in order: the date of birth (a date that does
// not exist is refused when adding, where it would be stored; a date after
// today always), then the employee ID, then that name, department and
// designation are not blank (a blank department would stand at the top of
// every department list).
FormCheck checkForm(const EmployeeForm& form, bool adding, const QDate& today);

// The message for a text of the form that cannot be stored: one longer
// than its column or with a NUL character, or a name and designation that
// would not fit the cards' employee text "name, designation". No value
// when every text fits.
std::optional<QString> formTextProblem(const EmployeeForm& form);

// Inserts the employee. A second employee with an existing ID is refused by
// the data store's unique key: store::DbError of kind DuplicateKey.
// The form must have passed checkForm.
void addEmployee(const EmployeeForm& form);

// The employee with this ID, if any.
std::optional<app::Employee> findEmployee(qint64 empId);

// Writes department, designation, grade and address of the employee, and
// nothing else. Throws store::DbError (kind NoRecord when no such employee).
void updateEmployee(qint64 empId, const EmployeeForm& form);

} // namespace admin
