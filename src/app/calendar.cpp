#include "app/calendar.h"

#include "app/numtext.h"

#include <QLocale>

namespace app::calendar {

QStringList monthNames()
{
    QStringList l;
    const QLocale loc;
    for (int m = 1; m <= 12; ++m)
        l << loc.standaloneMonthName(m, QLocale::LongFormat);
    return l;
}

QStringList dayEntries()
{
    QStringList l;
    for (int d = 1; d <= 31; ++d)
        l << QString::number(d);
    return l;
}

QStringList yearEntries()
{
    QStringList l;
    for (int y = kFirstYear; y <= kLastYear; ++y)
        l << QString::number(y);
    return l;
}

int yearIndex(int year)
{
    return year >= kFirstYear && year <= kLastYear ? year - kFirstYear : -1;
}

int startDay(const QString& startDateSetting)
{
    // A hand-edited setting: above 28 (or not a finite number) it is the
    // default 21; 1 or less leaves the day pickers open, as 1 does.
    if (!leadingNumberIsFinite(startDateSetting))
        return 21;
    const double v = leadingNumber(startDateSetting);
    if (v > 28)
        return 21;
    return v < 1 ? 1 : int(v);
}

QDate reportReference(const QDate& today)
{
    return today.addDays(-28);
}

std::optional<Period> findDuration(int fromYear, int fromMonth, int fromDay, int toYear, int toMonth, int toDay)
{
    const QDate from(fromYear, fromMonth, fromDay);
    const QDate to(toYear, toMonth, toDay);
    if (!from.isValid() || !to.isValid())
        return std::nullopt;
    return Period{from, to, int(from.daysTo(to)) + 1};
}

MonthYear toRowAfterFromMonth(int fromMonth, int fromYear)
{
    return fromMonth == 12 ? MonthYear{1, fromYear + 1} : MonthYear{fromMonth + 1, fromYear};
}

int toYearAfterFromYear(int fromMonth, int fromYear)
{
    return fromMonth == 12 ? fromYear + 1 : fromYear;
}

MonthYear fromRowAfterToMonth(int toMonth, int toYear)
{
    return toMonth == 1 ? MonthYear{12, toYear - 1} : MonthYear{toMonth - 1, toYear};
}

int fromYearAfterToYear(int toMonth, int toYear)
{
    return toMonth == 1 ? toYear - 1 : toYear;
}

QString dateUpdateText(const QDate& d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

QString longDayText(const QDate& d)
{
    return QLocale().toString(d, QStringLiteral("dd MMMM ''yy"));
}

} // namespace app::calendar
