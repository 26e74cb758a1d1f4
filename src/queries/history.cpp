#include "queries/history.h"

#include "app/pickers.h"
#include "queries/headers.h"
#include "reports/gridmodel.h"
#include "store/database.h"
#include "store/monthclose.h"
#include "store/schema.h"

namespace queries {

namespace {

const QString kHistory = QStringLiteral(
    "SELECT ChangedAt, ChangedBy, Desktop, Command, RecordKey, OldValues, NewValues FROM auditlog "
    "WHERE TableName = ? AND RecordKey LIKE ? ORDER BY ID DESC");
const QString kMissingSelect = QStringLiteral(
    "SELECT e.Emp_ID, e.EmpName, e.Deptt, e.Designation, e.DoB, e.Emp_Addr%1 FROM employees e%2 "
    "WHERE NOT EXISTS (SELECT 1 FROM leaves l WHERE l.Emp_ID = e.Emp_ID AND l.MonthName = ?)%3 "
    "ORDER BY e.Deptt, e.ID");
const QString kClosedFields = QStringLiteral(", c.Closed, c.ClosedAt, c.ClosedBy");
const QString kClosedJoin = QStringLiteral(" LEFT JOIN monthcloses c ON c.Deptt = e.Deptt AND c.MonthName = ?");
const QString kOneDepartment = QStringLiteral(" AND e.Deptt = ?");
const QString kTransferredMark = QStringLiteral("Transferred");

QString text(const QVariant& v)
{
    return store::textOf(v);
}

// Header rows, alignment and widths of a listing; returns the format.
QString frame(reports::GridModel& grid, const QStringList& headers, const QStringList& marks)
{
    const QString format = alignmentString(headers, marks);
    grid.setFormatString(format);
    formatColStrg(grid);
    writeHeaderRows(grid, headers);
    return format;
}

QueryResult finish(QueryResult r, reports::GridModel& grid, int n, const QDate& today)
{
    r.countLine = QStringLiteral("Items found = ") + QString::number(n);
    r.usedRows = finishListing(grid, n, today);
    return r;
}

} // namespace

QueryResult cardHistory(const QueryInputs& in, reports::GridModel& grid)
{
    QueryResult r;
    if (!store::closeTablesExist()) {
        r.refusal = QString::fromLatin1(store::kNeedsUpgrade);
        return r;
    }
    r.gridFormat = frame(grid,
                         {QStringLiteral("S.N."), QStringLiteral("WHEN"), QStringLiteral("CARD MONTH"),
                          QStringLiteral("COMMAND"), QStringLiteral("WHO"), QStringLiteral("DESKTOP"),
                          QStringLiteral("BEFORE"), QStringLiteral("AFTER")},
                         {"^", "^", "^", "<", "<", "<", "<", "<"});
    auto q = store::exec(kHistory, {QStringLiteral("leaves"), in.employeeId.trimmed() + QStringLiteral("/%")});
    int n = 0;
    while (q.next()) {
        const int row = 2 + n;
        const QString key = text(q.value(4));
        grid.setCell(row, 0, QString::number(n + 1));
        grid.setCell(row, 1, store::timeText(store::timeOf(q.value(0))));
        grid.setCell(row, 2, dmyText(QDate::fromString(key.mid(key.indexOf(QLatin1Char('/')) + 1), Qt::ISODate)));
        grid.setCell(row, 3, text(q.value(3)));
        grid.setCell(row, 4, text(q.value(1)));
        grid.setCell(row, 5, text(q.value(2)));
        grid.setCell(row, 6, text(q.value(5)));
        grid.setCell(row, 7, text(q.value(6)));
        ++n;
    }
    return finish(r, grid, n, in.today);
}

QueryResult missingCards(const QueryInputs& in, reports::GridModel& grid)
{
    QueryResult r;
    const bool closes = store::closeTablesExist();
    r.gridFormat = frame(grid,
                         {QStringLiteral("S.N."), QStringLiteral("EMPL. ID"), QStringLiteral("EMPLOYEE NAME"),
                          QStringLiteral("DEPARTMENT"), QStringLiteral("DESIGNATION"), QStringLiteral("MONTH")},
                         {"^", "^", "<", "<", "<", "<"});
    QList<QVariant> values;
    if (closes)
        values << in.to;
    values << in.to;
    const bool one = in.departmentPos > 0;
    if (one)
        values << in.department;
    const QString sql = kMissingSelect.arg(closes ? kClosedFields : QString(), closes ? kClosedJoin : QString(),
                                           one ? kOneDepartment : QString());
    auto q = store::exec(sql, values);
    int n = 0;
    while (q.next()) {
        if (app::isSuperannuated(store::dateOf(q.value(4)), in.today)
            || text(q.value(5)).left(11) == kTransferredMark)
            continue;
        const int row = 2 + n;
        grid.setCell(row, 0, QString::number(n + 1));
        grid.setCell(row, 1, text(q.value(0)));
        grid.setCell(row, 2, text(q.value(1)));
        grid.setCell(row, 3, text(q.value(2)));
        grid.setCell(row, 4, text(q.value(3)));
        const bool closed = closes && store::whole(q.value(6)) != 0;
        grid.setCell(row, 5, closed ? QStringLiteral("CLOSED since ") + store::timeText(store::timeOf(q.value(7)))
                                          + QStringLiteral(" by ") + text(q.value(8))
                                    : QStringLiteral("open"));
        ++n;
    }
    return finish(r, grid, n, in.today);
}

} // namespace queries
