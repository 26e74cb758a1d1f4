#pragma once
// The card period calendar: picker contents, presets, the month coupling of
// the data-entry window and the period's dates and length.

#include <QDate>
#include <QStringList>

#include <optional>

namespace app::calendar {

inline constexpr int kFirstYear = 1980;
inline constexpr int kLastYear = 2079;

QStringList monthNames(); // twelve full names in the user's language
QStringList dayEntries(); // "1" to "31"
QStringList yearEntries(); // "1980" to "2079"

// Position of a year in the year list, or -1 when it is not listed.
int yearIndex(int year);

// The whole-number start day S from the StartDate setting.
int startDay(const QString& startDateSetting);

// Reference date of the report window's presets: today less 28 days.
QDate reportReference(const QDate& today);

struct Period {
    QDate from;
    QDate to;
    int days = 0; // to - from + 1; zero or negative when from lies after to
};

// Dates picked in the From and To rows (month 1-12). No value when either
// date does not exist.
std::optional<Period> findDuration(int fromYear, int fromMonth, int fromDay, int toYear, int toMonth,
                                   int toDay);

// Month coupling of the data-entry window (months 1-12).
struct MonthYear {
    int month;
    int year;
};
MonthYear toRowAfterFromMonth(int fromMonth, int fromYear);
int toYearAfterFromYear(int fromMonth, int fromYear);
MonthYear fromRowAfterToMonth(int toMonth, int toYear);
int fromYearAfterToYear(int toMonth, int toYear);

// "dd/mm/yyyy", as DateUpdate of a job holds it.
QString dateUpdateText(const QDate& d);
// "dd mmmm 'yy", as the password dialog shows today's date.
QString longDayText(const QDate& d);

} // namespace app::calendar
