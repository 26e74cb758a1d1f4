#pragma once
// The administrator window's rules: who may unlock the tools, which start
// days are accepted, and how the two installation settings are written.

#include <QDate>
#include <QString>

namespace admin {

// The first blank-separated word of a department name, in capitals
// ("Admin Section" gives "ADMIN").
QString departmentWord(const QString& department);

// The tools unlock for the administration department ("ADMIN" or
// "ADMINISTRATION" as first word) with its departmental password, and for
// any department with the administrator code of today.
bool toolsUnlocked(const QString& department, const QString& typed, const QString& deptPwd, const QDate& today);

// A start day is accepted when its leading number is a whole number from 1
// to 28 ("5 days" counts as 5; 2.5, 0 and 29 are refused).
bool startDayAccepted(const QString& text);

// Writes the card start day exactly as typed.
void saveStartDay(const QString& text);
// Writes the default department's position in the ascending department list.
void saveDefaultDepartment(int position);

} // namespace admin
