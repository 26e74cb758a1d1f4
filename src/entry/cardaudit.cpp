#include "entry/cardaudit.h"

#include "store/monthclose.h"

#include <QJsonArray>

namespace entry {

void checkNewCardMonth(const CardHeader& card)
{
    store::checkMonthOpen(card.deptt, card.toDate);
}

QList<QVariant> openStoredCardForChange(const CardHeader& card)
{
    return store::checkCardMonthOpen(card.empId, card.toDate, card.deptt);
}

QJsonObject cardBefore(const QList<QVariant>& leaves, const QList<store::audit::BookingValues>& bookings)
{
    return store::audit::enabled() ? store::audit::cardValues(leaves, bookings) : QJsonObject();
}

namespace {

// The card as an append or update leaves it, in the fields of
// store::audit::cardValues; an update keeps the stored department and name.
QJsonObject cardAfter(const CardHeader& card, const QJsonObject& before, const QList<CardLine>& lines,
                      double totalED, const LeaveValues& l, const QList<double>& balances)
{
    QJsonObject o{{QStringLiteral("Deptt"), before.value(QStringLiteral("Deptt")).toString(card.deptt)},
                  {QStringLiteral("EmpName"), before.value(QStringLiteral("EmpName")).toString(card.empName)},
                  {QStringLiteral("ED_Booked"), totalED}, {QStringLiteral("CL"), l.CL}, {QStringLiteral("rh"), l.RH},
                  {QStringLiteral("EL"), l.EL}, {QStringLiteral("SL"), l.SL}, {QStringLiteral("HPL"), l.HPL},
                  {QStringLiteral("HLY"), l.HLY}, {QStringLiteral("SPL"), l.SPL}, {QStringLiteral("LWP"), l.LWP},
                  {QStringLiteral("MSC"), l.MSC}};
    QJsonArray bookings;
    for (int i = 0; i < lines.size(); ++i)
        bookings.append(QJsonObject{{QStringLiteral("JobNo"), double(lines[i].jobNo)},
                                    {QStringLiteral("DaysBooked"), lines[i].days},
                                    {QStringLiteral("Bal_ED"), balances.value(i)}});
    if (!bookings.isEmpty())
        o.insert(QStringLiteral("bookings"), bookings);
    return o;
}

} // namespace

store::audit::Row cardAuditRow(store::audit::Command c, const CardHeader& card, const QJsonObject& before,
                               const QList<CardLine>& lines, double totalED, const LeaveValues& leaves,
                               const QList<double>& balances)
{
    if (!store::audit::enabled())
        return {};
    QJsonObject after = c == store::audit::Command::CardDelete
                            ? QJsonObject()
                            : cardAfter(card, before, lines, totalED, leaves, balances);
    QJsonArray credits;
    for (const CardLine& l : lines)
        if (l.credit != 0)
            credits.append(QJsonObject{{QStringLiteral("JobNo"), double(l.jobNo)},
                                       {QStringLiteral("Limit_ED"), l.credit}});
    if (!credits.isEmpty())
        after.insert(QStringLiteral("credited"), credits);
    return store::audit::row(c, QStringLiteral("leaves"), store::audit::cardKey(card.empId, card.toDate), before, after);
}

} // namespace entry
