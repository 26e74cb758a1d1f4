#include "admin/monthclose.h"

#include "app/pickers.h"
#include "store/audit.h"
#include "store/monthclose.h"
#include "store/schema.h"

namespace admin {

namespace {

using store::audit::Command;

QString monthText(const QDate& d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

void requireCloseTables()
{
    if (!store::closeTablesExist())
        throw store::DbError(store::ErrorKind::MissingObject, QStringLiteral("0"), QString(),
                             QString::fromLatin1(store::kNeedsUpgrade));
}

// Runs `change` for each department whose month is not yet in the state
// wanted, with its audit row, all in one transaction under the close lock.
template <typename Change>
QList<MonthOutcome> changeMonths(const QStringList& departments, const QDate& monthEnd, bool closing, Command command,
                                 Change change)
{
    requireCloseTables();
    QList<MonthOutcome> out;
    store::Transaction t;
    store::lockMonthCloses(true);
    for (const QString& d : departments) {
        const auto state = store::monthState(d, monthEnd);
        const bool closed = state && state->closed;
        MonthOutcome o{d, closed != closing, {}};
        const QString month = QStringLiteral("the month ending ") + monthText(monthEnd) + QStringLiteral(" of ") + d;
        if (!o.changed) {
            o.text = closing ? QStringLiteral("Already closed: ") + month + QLatin1Char('.')
                             : QStringLiteral("Not closed: ") + month + QLatin1Char('.');
        } else {
            const QJsonObject before = store::audit::monthValues(d, monthEnd);
            change(d);
            store::audit::record(command, QStringLiteral("monthcloses"), store::audit::monthKey(d, monthEnd), before,
                                 store::audit::monthValues(d, monthEnd));
            o.text = (closing ? QStringLiteral("Closed ") : QStringLiteral("Reopened ")) + month + QLatin1Char('.');
        }
        out << o;
    }
    t.commit();
    return out;
}

} // namespace

QStringList departmentsOf(const QString& choice)
{
    if (choice == QLatin1String(kAllDepartments))
        return app::departments();
    return {choice};
}

QList<MonthOutcome> closeMonth(const QStringList& departments, const QDate& monthEnd)
{
    const QString by = store::audit::loginName();
    return changeMonths(departments, monthEnd, true, Command::MonthClose,
                        [&](const QString& d) { store::markClosed(d, monthEnd, by); });
}

QList<MonthOutcome> reopenMonth(const QStringList& departments, const QDate& monthEnd, const QString& reason)
{
    if (reason.trimmed().isEmpty())
        throw store::DbError(store::ErrorKind::Other, QStringLiteral("0"), QString(),
                             QString::fromLatin1(kReasonRequired));
    const QString by = store::audit::loginName();
    return changeMonths(departments, monthEnd, false, Command::MonthReopen,
                        [&](const QString& d) { store::markReopened(d, monthEnd, by, reason.trimmed()); });
}

} // namespace admin
