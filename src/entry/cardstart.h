#pragma once
// Helps for typing a card: starting from the employee's previous card, and
// the running count of days against the period.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace entry {

// The jobs a new card starts with, taken from the employee's most recent
// card before the period. `refusal` says why there is none to start from.
struct CardStart {
    QList<qint64> jobs; // in the row order of the earlier card
    QDate from;         // month-end date of the earlier card
    QString refusal;    // empty when the card can start
};
CardStart startFromLastCard(qint64 empId, const QDate& toDate);

inline constexpr const char* kNoEarlierCard = "There is no earlier card of this employee to start from.";
inline constexpr const char* kPeriodHasCard =
    "This period already has a card for this employee. Open it to change it.";

// Days typed so far against the period's length, read as the sum check
// reads them. `lastJobRow` is the card's last job row.
struct DaysCount {
    double entered = 0;
    double left = 0; // negative when over-full
    int period = 0;
};
DaysCount countDays(const QStringList& jobTexts, int lastJobRow, const QStringList& leaveTexts, int periodDays);
// "Period 31 days, entered 20, left 11".
QString daysCountText(const DaysCount& c);

} // namespace entry
