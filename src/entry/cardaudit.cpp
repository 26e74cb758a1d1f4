#include "entry/cardaudit.h"

#include "store/monthclose.h"

#include <QJsonArray>

namespace entry {

void checkNewCardMonth(const CardHeader& card)
{
    store::checkMonthOpen(card.deptt, card.toDate);
}

QJsonObject openStoredCardForChange(const CardHeader& card)
{
    store::checkCardMonthOpen(card.empId, card.toDate, card.deptt);
    return store::audit::enabled() ? store::audit::cardValues(card.empId, card.toDate) : QJsonObject();
}

void auditCard(store::audit::Command c, const CardHeader& card, const QJsonObject& before,
               const QList<CardLine>& lines)
{
    if (!store::audit::enabled())
        return;
    QJsonObject after = store::audit::cardValues(card.empId, card.toDate);
    QJsonArray credits;
    for (const CardLine& l : lines)
        if (l.credit != 0)
            credits.append(QJsonObject{{QStringLiteral("JobNo"), double(l.jobNo)},
                                       {QStringLiteral("Limit_ED"), l.credit}});
    if (!credits.isEmpty())
        after.insert(QStringLiteral("credited"), credits);
    store::audit::record(c, QStringLiteral("leaves"), store::audit::cardKey(card.empId, card.toDate), before, after);
}

} // namespace entry
