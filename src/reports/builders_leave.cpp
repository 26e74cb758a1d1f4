// Leave reports: one employee's leave records for a card month or a period.
#include "reports/builders_shared.h"

#include "app/numtext.h"

namespace reports::detail {

namespace {

// One employee's leave records, whatever the department.
const QString kEmployeeMonthLeaves = QStringLiteral(
    "SELECT CL, rh, EL, SL, HPL, HLY, SPL, LWP FROM leaves WHERE Emp_ID = ? AND MonthName = ? ORDER BY ID");
const QString kEmployeePeriodLeaves = QStringLiteral(
    "SELECT CL, rh, EL, SL, HPL, HLY, SPL, LWP FROM leaves WHERE Emp_ID = ? AND MonthName BETWEEN ? AND ? "
    "ORDER BY ID");

} // namespace

Sheet leave(const Request& r)
{
    Sheet s;
    const bool period = r.option == LeavePeriod;
    const qint64 id = static_cast<qint64>(app::leadingNumber(r.employeeIdText));
    auto q = period ? store::exec(kEmployeePeriodLeaves, {id, r.fromDate, r.toDate})
                         : store::exec(kEmployeeMonthLeaves, {id, r.toDate});
    // CL, rh, EL, SL, HPL, HLY, SPL, LWP
    double sums[8] = {};
    QString remarks[8];
    int found = 0;
    while (q.next()) {
        ++found;
        for (int k = 0; k < 8; ++k) {
            sums[k] += store::num(q.value(k));
            remarks[k] += QLatin1Char('+') + fieldText(q.value(k));
        }
    }
    if (found == 0) {
        s.message = QString::fromLatin1(kNoEntry);
        return s;
    }
    const QString dmy = QStringLiteral("dd/MM/yyyy");
    QString periodCell;
    if (period) {
        s.set(8, 2, QStringLiteral("Enteries for ") + QString::number(found) + QStringLiteral(" month(s) found"));
        for (QString& m : remarks)
            m = QStringLiteral(" (") + m + QStringLiteral(")");
        periodCell = r.fromDate.toString(dmy) + QStringLiteral(" to ") + r.toDate.toString(dmy);
    } else {
        periodCell = QStringLiteral("Month End: ") + r.toDate.toString(dmy);
        for (QString& m : remarks)
            m.clear();
    }
    writeHeader(s, optionFacts(r.option)->header);
    const QStringList form = {QStringLiteral("DIVISION"), QStringLiteral("NAME"), QStringLiteral("DESIGNATION"),
                              QStringLiteral("EMPLOYEE NO."), QStringLiteral("REPORT PERIOD")};
    const QStringList values = {r.department, r.employeeName, r.designation, r.employeeIdText, periodCell};
    for (int k = 0; k < form.size(); ++k) {
        s.set(2 + k, 0, form[k]);
        s.set(2 + k, 1, values[k]);
    }
    const QStringList kinds = {QStringLiteral("Casual Leave (CL)"),       QStringLiteral("Restricted Holiday (RH)"),
                               QStringLiteral("Earned Leave (EL)"),       QStringLiteral("Sick/ Commuted Leave (SL)"),
                               QStringLiteral("Half Pay Leave (HPL)"),    QStringLiteral("Holiday Availed"),
                               QStringLiteral("Special Leave (SPL)"),     QStringLiteral("Leave Without Pay (LWP)")};
    double total = 0;
    for (int k = 0; k < 8; ++k) {
        s.set(8 + k, 0, kinds[k]);
        s.set(8 + k, 1, num(sums[k]) + remarks[k]);
        total += sums[k];
    }
    s.set(16, 0, QStringLiteral("T O T A L"));
    s.setNumber(16, 1, total);
    finishFooter(s, 18, 0, r, true);
    s.usedRows = 20;
    s.lastColumn = 2;
    s.format = QStringLiteral("<DESCRIPTION|<VALUE|<REMARKS");
    s.widths = {{0, 20}, {1, 34}, {2, 30}};
    s.firstRow = 2;
    s.firstCol = 0;
    return s;
}

} // namespace reports::detail
