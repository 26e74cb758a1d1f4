#include "queries/queries.h"

#include "app/numtext.h"
#include "app/pickers.h"
#include "app/records.h"
#include "queries/headers.h"
#include "queries/history.h"
#include "queries/panel.h"
#include "reports/gridmodel.h"
#include "store/database.h"

namespace queries {

namespace {

using reports::GridModel;

// The statements. Rows come in record-key order; every value is bound.
const QString kSelectEmployees = QStringLiteral("SELECT ") + app::kEmployeeColumns + QStringLiteral(" FROM employees");
const QString kAllEmployees = kSelectEmployees + QStringLiteral(" ORDER BY ID");
const QString kAgeGroup = kSelectEmployees + QStringLiteral(" WHERE DoB BETWEEN ? AND ? ORDER BY ID");
const QString kTransferred = kSelectEmployees + QStringLiteral(" WHERE substr(Emp_Addr, 1, 11) = ? ORDER BY ID");
const QString kSelectJobs =
    QStringLiteral("SELECT JobNo, JobName, Limit_ED, Bal_ED, Job_Status, LeadDeptt FROM jobs WHERE ");
const QString kLeadJobs = QStringLiteral("LeadDeptt = ? AND Job_Status < 100");
const QString kOtherLeadJobs = QStringLiteral("LeadDeptt <> ? AND Job_Status < 100");
const QString kOverBooked = QStringLiteral("Limit_ED > 0 AND Bal_ED < 0");
const QString kUnderBooked = QStringLiteral("Limit_ED > 0 AND Bal_ED > 0 AND Job_Status < 100");
const QString kClosedJobs = QStringLiteral("Job_Status = 100");
const QString kJobBookings = QStringLiteral("SELECT MonthName, Emp_ID, EmpName, Deptt, DaysBooked FROM edbooked "
                                            "WHERE JobNo = ? AND DaysBooked > 0 AND MonthName BETWEEN ? AND ? "
                                            "ORDER BY ID");
const QString kJobName = QStringLiteral("SELECT JobName FROM jobs WHERE JobNo = ? ORDER BY ID");

// A field's value as text, unchanged; numbers in their shortest form, so
// that what the driver hands back as 7.349999999999999 reads 7.35.
QString asText(const QVariant& v)
{
    if (v.isNull())
        return {};
    switch (v.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return app::generalNumber(v.toDouble());
    default:
        return v.toString();
    }
}

// A field read by the leading-number rule. A whole number reads back as
// itself, without the round trip through its text.
double asNumber(const QVariant& v)
{
    if (v.metaType().id() == QMetaType::Double && app::printsWhole(v.toDouble()))
        return v.toDouble() + 0.0;
    return app::leadingNumber(asText(v));
}

// A number written back into a cell (never "-0").
QString numberText(double v)
{
    return app::generalNumber(v + 0.0);
}

QString itemsFound(int n)
{
    return QStringLiteral("Items found = ") + QString::number(n);
}

enum class EmpListing { Plain, Superannuated, Transferred };

// The common frame of the employee listings: header set, alignment, widths,
// the rows, the count line and the footer.
QueryResult employeeListing(GridModel& grid, EmpListing kind, const QString& sql, const QList<QVariant>& values,
                            const QDate& today)
{
    QueryResult r;
    if (kind != EmpListing::Plain)
        r.countLine = QString();
    grid.clearTexts();
    QStringList headers = empHeader7();
    if (kind == EmpListing::Superannuated)
        headers << QStringLiteral("DATE OF SUPERANNUATION");
    else if (kind == EmpListing::Transferred)
        headers << QStringLiteral("WHERE TRANSFERRED");
    const QStringList marks = kind == EmpListing::Transferred
                                  ? QStringList{"^", "^", "<", "<", "^", "<", "<", "<"}
                                  : QStringList{"^", "^", "<", "<", "^"};
    r.gridFormat = alignmentString(headers, marks);
    grid.setFormatString(*r.gridFormat);
    formatColStrg(grid);
    writeHeaderRows(grid, headers);

    auto q = store::exec(sql, values);
    int n = 0;
    while (q.next()) {
        const app::Employee e = app::employeeFrom(q);
        QDate retires;
        if (kind == EmpListing::Superannuated) {
            if (!app::isSuperannuated(e.dob, today))
                continue;
            retires = superannuationDate(e.dob);
        }
        const int row = 2 + n;
        grid.setCell(row, 0, QString::number(n + 1));
        grid.setCell(row, 1, QString::number(e.empId));
        grid.setCell(row, 2, e.name);
        grid.setCell(row, 3, e.department);
        grid.setCell(row, 4, e.grade);
        grid.setCell(row, 5, e.designation);
        grid.setCell(row, 6, kind == EmpListing::Plain ? shortDateText(e.dob) : dmyText(e.dob));
        if (kind == EmpListing::Superannuated)
            grid.setCell(row, 7, dmyText(retires));
        else if (kind == EmpListing::Transferred)
            grid.setCell(row, 7, e.address);
        ++n;
    }
    r.countLine = itemsFound(n);
    r.usedRows = finishListing(grid, n, today);
    return r;
}

QueryResult listGradeEmps(const QueryInputs& in, GridModel& grid)
{
    QString sql = kSelectEmployees;
    QStringList where;
    QList<QVariant> values;
    if (in.departmentPos > 0) {
        where << QStringLiteral("Deptt = ?");
        values << in.department;
    }
    if (in.gradePos > 0) {
        where << QStringLiteral("Grade = ?");
        values << in.grade;
    }
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY ID");
    return employeeListing(grid, EmpListing::Plain, sql, values, in.today);
}

QueryResult listAgeGroup(const QueryInputs& in, GridModel& grid)
{
    const auto range = ageRange(in.ageRange);
    if (!range) {
        QueryResult r;
        r.refusal = ageRangeMessage();
        return r;
    }
    const QDate from = in.today.addDays(-365LL * range->second);
    const QDate to = in.today.addDays(-365LL * range->first);
    QueryResult r = employeeListing(
        grid, EmpListing::Plain,
        kAgeGroup, {from, to}, in.today);
    r.from = from;
    r.to = to;
    r.title = QStringLiteral("LIST OF EMPLOYEES BORN BETWEEN ") + dmyText(from) + QStringLiteral(" AND ") + dmyText(to);
    return r;
}

QueryResult listSuperannuated(const QueryInputs& in, GridModel& grid)
{
    return employeeListing(grid, EmpListing::Superannuated,
                           kAllEmployees, {}, in.today);
}

QueryResult listTransferred(const QueryInputs& in, GridModel& grid)
{
    return employeeListing(grid, EmpListing::Transferred,
                           kTransferred, {QStringLiteral("Transferred")}, in.today);
}

QueryResult searchEmpString(const QueryInputs& in, GridModel& grid)
{
    QueryResult r;
    const QString fieldText = searchFieldNames().value(in.searchField);
    grid.clearTexts();
    r.title = QStringLiteral("SEARCH RESULTS FOR THE STRING '") + in.searchText + QLatin1Char('\'');
    r.countLine = QStringLiteral("Search Range: ") + fieldText;
    const int widths[] = {4, 10, 23, 18, 6, 18, 10, 54};
    for (int c = 0; c < 8; ++c)
        grid.setWidthZ(c, widths[c]);
    const QStringList headers = {QStringLiteral("S.No."),       QStringLiteral("Empl. ID"),
                                 QStringLiteral("Employee Name"), QStringLiteral("Designation"),
                                 QStringLiteral("Grade"),       QStringLiteral("Department"),
                                 QStringLiteral("Birth Date"),  QStringLiteral("Present Address/Posting of Employee")};
    writeHeaderRows(grid, headers);

    // Letter case never counts, for any letter (the program folds case
    // itself: the data sources' lower() folds ASCII letters only), and the
    // text is found as typed, quotes, "%" and "_" included.
    // Qt's case-insensitive search folds each character as toCaseFolded()
    // does, without copying the field.
    const auto has = [&](const QString& field) { return field.contains(in.searchText, Qt::CaseInsensitive); };
    // The fields in the order of the field picker; its last entry searches
    // them all.
    constexpr int kFields = 7;
    const auto field = [](const app::Employee& e, int k) -> QString {
        switch (k) {
        case 0: return e.name;
        case 1: return QString::number(e.empId);
        case 2: return e.dob.isValid() ? e.dob.toString(Qt::ISODate) : QString();
        case 3: return e.designation;
        case 4: return e.department;
        case 5: return e.address;
        default: return e.grade;
        }
    };
    const auto matches = [&](const app::Employee& e) {
        if (in.searchField >= 0 && in.searchField < kFields)
            return has(field(e, in.searchField));
        for (int k = 0; k < kFields; ++k)
            if (has(field(e, k)))
                return true;
        return false;
    };
    auto q = store::exec(kAllEmployees);
    int n = 0;
    while (q.next()) {
        const app::Employee e = app::employeeFrom(q);
        if (!matches(e))
            continue;
        const int row = 2 + n;
        grid.setCell(row, 0, QString::number(n + 1));
        grid.setCell(row, 1, QString::number(e.empId));
        grid.setCell(row, 2, e.name);
        grid.setCell(row, 3, e.designation);
        grid.setCell(row, 4, e.grade);
        grid.setCell(row, 5, e.department);
        grid.setCell(row, 6, shortDateText(e.dob));
        grid.setCell(row, 7, e.address);
        ++n;
    }
    if (n > 0)
        r.countLine = QStringLiteral("Items Found in ") + fieldText + QStringLiteral(": ") + QString::number(n);
    r.usedRows = finishListing(grid, n, in.today);
    return r;
}

// The job listings.
enum class JobListing { Lead, OtherLead, Over, Under, Closed };

QueryResult jobListing(JobListing kind, const QueryInputs& in, GridModel& grid)
{
    QueryResult r;
    if (kind == JobListing::Closed)
        r.countLine = QString();
    QStringList headers;
    QStringList marks = {"^", "^", "<", "^", "^"};
    QString where;
    QList<QVariant> values;
    switch (kind) {
    case JobListing::Lead:
        headers = jobHeader3() << QStringLiteral("ALLOTTED ED") << QStringLiteral("STATUS %");
        where = kLeadJobs;
        values << in.leadDepartment;
        break;
    case JobListing::OtherLead:
        headers = jobHeader5() << QStringLiteral("Lead Deptt.");
        marks << QStringLiteral("^");
        where = kOtherLeadJobs;
        values << in.leadDepartment;
        break;
    case JobListing::Over:
        headers = jobHeader6();
        where = kOverBooked;
        break;
    case JobListing::Under:
        headers = jobHeader6();
        where = kUnderBooked;
        break;
    case JobListing::Closed:
        headers = jobHeader5() << QStringLiteral("Lead Deptt.");
        marks << QStringLiteral("^");
        where = kClosedJobs;
        break;
    }
    r.gridFormat = alignmentString(headers, marks);
    grid.setFormatString(*r.gridFormat);
    formatColStrg(grid);
    writeHeaderRows(grid, headers);

    auto q = store::exec(kSelectJobs + where + QStringLiteral(" ORDER BY ID"), values);
    int n = 0;
    while (q.next()) {
        const QVariant jobNo = q.value(0), name = q.value(1), limit = q.value(2), bal = q.value(3),
                       status = q.value(4), lead = q.value(5);
        const int row = 2 + n;
        grid.setCell(row, 0, QString::number(n + 1));
        grid.setCell(row, 1, asText(jobNo));
        grid.setCell(row, 2, asText(name));
        switch (kind) {
        case JobListing::Lead:
            grid.setCell(row, 3, asText(limit));
            grid.setCell(row, 4, asText(status));
            break;
        case JobListing::OtherLead:
        case JobListing::Closed:
            grid.setCell(row, 3, numberText(-asNumber(bal)));
            grid.setCell(row, 4, asText(status));
            grid.setCell(row, 5, asText(lead));
            break;
        case JobListing::Over:
            grid.setCell(row, 3, numberText(asNumber(limit) - asNumber(bal)));
            grid.setCell(row, 4, numberText(asNumber(limit)));
            grid.setCell(row, 5, asText(status));
            break;
        case JobListing::Under:
            grid.setCell(row, 3, numberText(asNumber(bal)));
            grid.setCell(row, 4, numberText(asNumber(limit)));
            grid.setCell(row, 5, asText(status));
            break;
        }
        ++n;
    }
    r.countLine = itemsFound(n);
    if (kind == JobListing::Closed) {
        if (n == 0)
            grid.setCell(2, 2, QStringLiteral("FOUND NONE"));
        grid.setCell(n + 4, 2, footerLine(in.today));
        r.usedRows = n + 5;
    } else {
        grid.setCell(n + 3, 2, footerLine(in.today));
        r.usedRows = n + 4;
    }
    return r;
}

QueryResult searchJobBooking(const QueryInputs& in, GridModel& grid)
{
    QueryResult r;
    grid.clearTexts();
    const double number = app::leadingNumber(in.jobText);
    const QStringList headers = {QStringLiteral("S.N."),    QStringLiteral("MONTH END"),
                                 QStringLiteral("EMP. ID"), QStringLiteral("EMPLOYEE NAME"),
                                 QStringLiteral("DEPTT."),  QStringLiteral("ED BOOKED"),
                                 QStringLiteral("BRIEF DESCRIPTION OF JOB NAME")};
    r.gridFormat = alignmentString(headers, {"^", "^", "^", "<", "^", "<"});
    grid.setFormatString(*r.gridFormat);
    grid.setWidthZ(0, 5);
    grid.setWidthZ(1, 14);
    grid.setWidthZ(2, 10);
    grid.setWidthZ(3, 29);
    writeHeaderRows(grid, headers);

    // A whole job number is compared as one; any other number, or one
    // outside what the JobNo column holds, finds nothing (and is not put to
    // the data source, whose integer field would refuse it).
    const bool whole = app::leadingNumberIsFinite(in.jobText)
        && app::isWholeInRange(number, app::kIntColumnMin, app::kIntColumnMax);
    const QVariant jobNo = static_cast<qint64>(number);
    std::optional<store::Query> q;
    if (whole)
        q.emplace(store::exec(kJobBookings, {jobNo, in.from, in.to}));
    int n = 0;
    double total = 0;
    while (q && q->next()) {
        const int row = 2 + n;
        grid.setCell(row, 0, QString::number(n + 1));
        grid.setCell(row, 1, shortDateText(store::dateOf(q->value(0))));
        grid.setCell(row, 2, asText(q->value(1)));
        grid.setCell(row, 3, asText(q->value(2)));
        grid.setCell(row, 4, asText(q->value(3)));
        grid.setCell(row, 5, asText(q->value(4)));
        total += store::num(q->value(4));
        ++n;
    }
    grid.setCell(n + 2, 1, QStringLiteral("TOTAL ED BOOKED"));
    grid.setCell(n + 2, 5, numberText(total));
    if (whole) {
        auto names = store::exec(kJobName, {jobNo});
        while (names.next())
            grid.setCell(2, 6, asText(names.value(0)));
    }
    r.title = QStringLiteral("SEARCH RESULTS FOR BOOKING AGAINST JOB NO. ") + in.jobText;
    r.countLine = periodLine(in.from, in.to, in.startDay);
    grid.setCell(n + 4, 2, footerLine(in.today));
    r.usedRows = n + 5;
    return r;
}

} // namespace

QString ageRangeMessage()
{
    return QStringLiteral("ENTER AGE IN PROPER FORMAT AND TRY AGAIN. THERE MUST BE TWO\r\n"
                          "DIGITS BEFORE AND AFTER - (Minus) SIGN WITH NO SPACE IN BETWEEN.\r\n"
                          "AGE BELOW 16 AND ABOVE 60 ARE NOT ALLOWED.");
}

std::optional<std::pair<int, int>> ageRange(const QString& text)
{
    if (text.size() != 5 || text[2] != QLatin1Char('-'))
        return std::nullopt;
    const double lower = app::leadingNumber(text.left(2));
    const double upper = app::leadingNumber(text.right(2));
    if (lower < 16 || upper > 60)
        return std::nullopt;
    return std::make_pair(static_cast<int>(lower), static_cast<int>(upper));
}

QDate superannuationDate(const QDate& dob)
{
    if (!dob.isValid())
        return {};
    const int d = dob.day(), m = dob.month(), y = dob.year();
    int day, month, year;
    if (d > 1 && m < 12) {
        day = QDate(y, m, 1).daysInMonth();
        month = m;
        year = y + 60;
    } else if (d > 1) {
        day = 31;
        month = 12;
        year = y + 60;
    } else if (m == 1) {
        day = 31;
        month = 12;
        year = y + 59;
    } else {
        day = QDate(y, m - 1, 1).daysInMonth();
        month = m - 1;
        year = y + 60;
    }
    // A 29 February whose year 60 years on has none (century years) is the
    // last day of that February.
    return QDate(year, month, std::min(day, QDate(year, month, 1).daysInMonth()));
}

QStringList searchColumns()
{
    return {QStringLiteral("EmpName"),
            QStringLiteral("CAST(Emp_ID AS VARCHAR(20))"),
            QStringLiteral("CAST(DoB AS VARCHAR(20))"),
            QStringLiteral("Designation"),
            QStringLiteral("Deptt"),
            QStringLiteral("Emp_Addr"),
            QStringLiteral("Grade")};
}

QString containsPattern(const QString& text)
{
    QString escaped;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\\') || ch == QLatin1Char('%') || ch == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += ch;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

QueryResult runQuery(int index, const QueryInputs& in, reports::GridModel& grid)
{
    const reports::GridModel::Batch batch(grid);
    switch (index) {
    case LeadJobs:
        return jobListing(JobListing::Lead, in, grid);
    case OtherLeadJobs:
        return jobListing(JobListing::OtherLead, in, grid);
    case OverBooked:
        return jobListing(JobListing::Over, in, grid);
    case UnderBooked:
        return jobListing(JobListing::Under, in, grid);
    case GradeEmps:
        return listGradeEmps(in, grid);
    case AgeGroup:
        return listAgeGroup(in, grid);
    case Superannuated:
        return listSuperannuated(in, grid);
    case SearchEmp:
        return searchEmpString(in, grid);
    case JobBooking:
        return searchJobBooking(in, grid);
    case ClosedJobs:
        return jobListing(JobListing::Closed, in, grid);
    case Transferred:
        return listTransferred(in, grid);
    case CardHistory:
        return cardHistory(in, grid);
    case MissingCards:
        return missingCards(in, grid);
    default:
        return jobListing(JobListing::Lead, in, grid);
    }
}

} // namespace queries
