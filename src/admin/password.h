#pragma once
// The departmental password and the date-based administrator code.

#include <QDate>
#include <QString>

namespace admin {

// Two-digit day followed by two-digit month of the given date.
QString adminCode(const QDate& day);
// The typed text opens data entry when it equals the departmental password
// exactly, or today's administrator code.
bool passwordAccepted(const QString& typed, const QString& deptPwd, const QDate& today);

} // namespace admin
