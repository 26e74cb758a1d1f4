#include "admin/settings.h"

#include "admin/password.h"
#include "app/numtext.h"
#include "app/settings.h"

#include <cmath>

namespace admin {

QString departmentWord(const QString& department)
{
    return department.section(QLatin1Char(' '), 0, 0).toUpper();
}

bool toolsUnlocked(const QString& department, const QString& typed, const QString& deptPwd, const QDate& today)
{
    const QString word = departmentWord(department);
    const bool adminDepartment = word == QLatin1String("ADMIN") || word == QLatin1String("ADMINISTRATION");
    return (adminDepartment && typed == deptPwd) || typed == adminCode(today);
}

bool startDayAccepted(const QString& text)
{
    const double n = app::leadingNumber(text);
    return n >= 1 && n <= 28 && n == std::floor(n);
}

void saveStartDay(const QString& text)
{
    app::writeSetting(QStringLiteral("StartDate"), QStringLiteral("StartDate"), text);
}

void saveDefaultDepartment(int position)
{
    app::writeSetting(QStringLiteral("DepttSetting"), QStringLiteral("Department"), QString::number(position));
}

} // namespace admin
