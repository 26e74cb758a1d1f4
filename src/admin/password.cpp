#include "admin/password.h"

namespace admin {

QString adminCode(const QDate& day)
{
    return day.toString(QStringLiteral("ddMM"));
}

bool passwordAccepted(const QString& typed, const QString& deptPwd, const QDate& today)
{
    return typed == deptPwd || typed == adminCode(today);
}

} // namespace admin
