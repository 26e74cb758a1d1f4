#include "app/clock.h"

namespace app {

namespace {
QDate g_fixed;
}

QDate today()
{
    return g_fixed.isValid() ? g_fixed : QDate::currentDate();
}

double timerMs()
{
    return double(QTime(0, 0).msecsTo(QTime::currentTime()));
}

void setToday(const QDate& d)
{
    g_fixed = d;
}

} // namespace app
