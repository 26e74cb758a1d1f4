#include "entry/cardstart.h"

#include "app/numtext.h"
#include "entry/cardchecks.h"
#include "entry/cardstore.h"
#include "store/database.h"

namespace entry {

namespace {
const QString kLastCardBefore =
    QStringLiteral("SELECT MonthName FROM leaves WHERE Emp_ID = ? AND MonthName < ? ORDER BY MonthName DESC");
const QString kJobsOfCard =
    QStringLiteral("SELECT JobNo FROM edbooked WHERE Emp_ID = ? AND MonthName = ? ORDER BY ID");
} // namespace

CardStart startFromLastCard(qint64 empId, const QDate& toDate)
{
    CardStart s;
    if (cardExists(empId, toDate)) {
        s.refusal = QString::fromLatin1(kPeriodHasCard);
        return s;
    }
    {
        auto q = store::exec(kLastCardBefore, {empId, toDate});
        if (q.next() && !q.value(0).isNull())
            s.from = store::dateOf(q.value(0));
    }
    if (!s.from.isValid()) {
        s.refusal = QString::fromLatin1(kNoEarlierCard);
        return s;
    }
    auto q = store::exec(kJobsOfCard, {empId, s.from});
    while (q.next()) {
        const qint64 no = store::whole(q.value(0));
        if (!s.jobs.contains(no))
            s.jobs << no;
    }
    return s;
}

DaysCount countDays(const QStringList& jobTexts, int lastJobRow, const QStringList& leaveTexts, int periodDays)
{
    const CardSum sum = checkCardSum(jobTexts, lastJobRow, leaveTexts, periodDays);
    return DaysCount{sum.sum, periodDays - sum.sum, periodDays};
}

QString daysCountText(const DaysCount& c)
{
    return QStringLiteral("Period %1 days, entered %2, left %3")
        .arg(c.period)
        .arg(app::generalNumber(c.entered), app::generalNumber(c.left));
}

} // namespace entry
