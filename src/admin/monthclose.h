#pragma once
// Closing and reopening a department's card month, by the administrator.
// A closed month takes no card appended, changed or deleted (the check runs
// inside every card write); reopening needs a reason. Both are audited.

#include <QDate>
#include <QString>
#include <QStringList>

namespace admin {

// The department picker's entry that stands for every department.
inline constexpr const char* kAllDepartments = "All Departments";
inline constexpr const char* kReasonRequired = "A reason is required to reopen a month.";
inline constexpr const char* kReopenReasonPrompt = "Why is this month reopened? (required)";

// What a close or reopen did to one department's month.
struct MonthOutcome {
    QString deptt;
    bool changed = false;
    QString text; // one line for the user
};

// The departments `choice` names: one department, or all of them when it is
// kAllDepartments.
QStringList departmentsOf(const QString& choice);

// Closes (or reopens) the month ending `monthEnd` of each department, in one
// transaction that holds the close lock: a month already closed (or not
// closed) is left as it is and said so. Throws store::DbError (kind
// MissingObject, with store::kNeedsUpgrade, on a database without the close tables;
// kind Other with kReasonRequired for a blank reason).
QList<MonthOutcome> closeMonth(const QStringList& departments, const QDate& monthEnd);
QList<MonthOutcome> reopenMonth(const QStringList& departments, const QDate& monthEnd, const QString& reason);

} // namespace admin
