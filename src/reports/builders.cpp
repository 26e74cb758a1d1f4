// The report builders' common ground: the sheet, the per-option facts, the
// window texts, the readers the three report families share, and the choice
// of builder.
#include "reports/builders_shared.h"

#include "app/calendar.h"
#include "app/numtext.h"
#include "app/pickers.h"
#include "store/database.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <array>
#include <set>

namespace reports {

namespace detail {


QString num(double v)
{
    return app::generalNumber(v);
}

// A number field as a cell text: empty when the field is empty.
QString fieldText(const QVariant& v)
{
    return v.isNull() ? QString() : app::generalNumber(v.toDouble());
}

// A number field into a cell: empty when the field is empty.
void setField(Sheet& s, int row, int col, const QVariant& v)
{
    if (v.isNull())
        s.set(row, col, QString());
    else
        s.setNumber(row, col, v.toDouble());
}

QString monthName(const QDate& d)
{
    const QStringList names = app::calendar::monthNames();
    return d.isValid() ? names.value(d.month() - 1) : QString();
}

// "21,OCTOBER-2008": a day number, the month of a date in capitals, its year.
QString dayMonthYear(int day, const QDate& d)
{
    return QString::number(day) + QLatin1Char(',') + monthName(d).toUpper() + QLatin1Char('-') +
           QString::number(d.year());
}

// --- Shared pieces ---------------------------------------------------------

QHash<qint64, JobInfo> readJobs(const QString& sql, const QList<QVariant>& values)
{
    QHash<qint64, JobInfo> jobs;
    auto q = store::exec(sql, values);
    while (q.next())
        jobs.insert(store::whole(q.value(0)),
                    {store::textOf(q.value(1)), fieldText(q.value(2)), fieldText(q.value(3))});
    return jobs;
}

QList<Booking> readBookings(const QString& sql, const QList<QVariant>& values)
{
    QList<Booking> b;
    auto q = store::exec(sql, values);
    while (q.next())
        b.append({store::whole(q.value(0)), store::whole(q.value(1)), q.value(2)});
    return b;
}

// Job numbers of the bookings, ascending as a grouping query lists them.
QList<qint64> distinctJobs(const QList<Booking>& bookings)
{
    std::set<qint64> s;
    for (const Booking& b : bookings)
        s.insert(b.job);
    return QList<qint64>(s.begin(), s.end());
}

QList<QPair<qint64, LeaveRow>> readLeaves(const QString& sql, const QList<QVariant>& values)
{
    QList<QPair<qint64, LeaveRow>> rows;
    auto q = store::exec(sql, values);
    while (q.next()) {
        LeaveRow r;
        for (int k = 0; k < 10; ++k)
            r.v[k] = q.value(k + 1);
        rows.append({store::whole(q.value(0)), r});
    }
    return rows;
}

QHash<qint64, int> employeeColumns(const QList<app::Employee>& employees)
{
    QHash<qint64, int> col;
    for (int j = 0; j < employees.size(); ++j)
        if (!col.contains(employees[j].empId))
            col.insert(employees[j].empId, j);
    return col;
}

void standardWidths(Sheet& s)
{
    s.widths = {{0, 5}, {1, 10}, {2, 29}};
}

void finishFooter(Sheet& s, int row, int col, const Request& r, bool fullStop)
{
    s.set(row, col, footerText(r.today, fullStop));
}

} // namespace detail

void Sheet::set(int row, int col, const QString& text)
{
    cells.set(row, col, text);
}

void Sheet::setNumber(int row, int col, double v)
{
    if (row < 0 || col < 0)
        return;
    const QString text = app::generalNumber(v);
    // A whole number reads back as itself; any other text is a plain
    // decimal, which the leading-number rule reads as strtod does.
    const double stored = app::printsWhole(v) ? v + 0.0 : std::strtod(text.toLatin1().constData(), nullptr);
    cells.set(row, col, text, stored);
}

QString Sheet::at(int row, int col) const
{
    return cells.at(row, col);
}

namespace {
// What value() reads from a cell's stored number and text.
double cellValue(double number, const QString& text)
{
    if (!qIsNaN(number))
        return number;
    return text.isEmpty() ? 0.0 : app::leadingNumber(text);
}
} // namespace

double Sheet::value(int row, int col) const
{
    QString text;
    const double n = cells.number(row, col, &text);
    return cellValue(n, text);
}

QList<double> Sheet::columnSums(int first, int last, int firstCol, int count) const
{
    // An empty cell adds 0, which leaves a sum begun at 0 as it is.
    QList<double> sums(count, 0.0);
    for (int row = first; row <= last; ++row)
        cells.forEachInRow(row, [&](int col, double number, const QString& text) {
            if (col >= firstCol && col < firstCol + count)
                sums[col - firstCol] += cellValue(number, text);
        });
    return sums;
}

namespace {

const QStringList kJob3 = {QStringLiteral("S.N."), QStringLiteral("JOB NUMBER"), QStringLiteral("JOB DESCRIPTION")};

// What each report option gives the window and the builder, in option order.
// The title's "{dept}" and "{emp}" stand for the department (in capitals)
// and the employee picker's name.
const std::array<OptionFacts, kOptionCount> kFacts = {{
    {"Monthly ED Report of a Deptt.", "MONTHLY ED BOOKING REPORT OF {dept}", 2, 3, true, false, false, true,
     HeaderSet::Job3, &detail::deptMonth},
    {"ED Report for Specified Period", "ED REPORT OF SPECIFIED PERIOD OF {dept}", 2, 3, true, false, true, false,
     HeaderSet::Job3, &detail::deptPeriod},
    {"Monthly ED Report of All Deptts.", "MONTHLY ED REPORT OF ALL DEPARTMENTS", 1, 3, false, false, false, true,
     HeaderSet::Job3, &detail::allDeptMonth},
    {"Sp. Period ED Report (All Deptts.) ", "SPECIFIED PERIOD ED REPORT OF ALL DEPARTMENTS", 2, 1, true, false, true,
     false, HeaderSet::JobBooked5, &detail::jobPeriod},
    {"Monthly Leave Report", "MONTHLY LEAVE REPORT OF {emp} OF {dept}", 2, 0, true, true, false, true,
     HeaderSet::Leave3, &detail::leave},
    {"Specified Period  Leave Report", "SPECIFIED PERIOD LEAVE REPORT OF {emp} OF {dept}", 2, 0, true, true, true,
     false, HeaderSet::Leave3, &detail::leave},
}};

} // namespace

const OptionFacts* optionFacts(int option)
{
    return option >= 0 && option < kOptionCount ? &kFacts[option] : nullptr;
}

QStringList headerTexts(HeaderSet set)
{
    switch (set) {
    case HeaderSet::Job3:
        return kJob3;
    case HeaderSet::Job5:
        return kJob3 + QStringList{QStringLiteral("CONSUMED ED"), QStringLiteral("STATUS %")};
    case HeaderSet::Job6:
        return kJob3 + QStringList{QStringLiteral("CONSUMED ED"), QStringLiteral("ALLOTTED ED"),
                                   QStringLiteral("STATUS %")};
    case HeaderSet::Emp7:
        return {QStringLiteral("S.N."),  QStringLiteral("EMPL. ID"),    QStringLiteral("EMPLOYEE NAME"),
                QStringLiteral("DEPARTMENT"), QStringLiteral("GRADE"), QStringLiteral("DESIGNATION"),
                QStringLiteral("DATE OF BIRTH")};
    case HeaderSet::JobBooked5:
        return kJob3 + QStringList{QStringLiteral("ED BOOKED"), QStringLiteral("JOB STATUS %")};
    case HeaderSet::Leave3:
        return {QStringLiteral("DESCRIPTION"), QStringLiteral("VALUE"), QStringLiteral("REMARKS")};
    }
    return {};
}

void writeHeader(Sheet& sheet, HeaderSet set, int row)
{
    const QStringList texts = headerTexts(set);
    for (int c = 0; c < texts.size(); ++c) {
        sheet.set(row, c, texts[c]);
        sheet.set(row + 1, c, QString::number(c + 1));
    }
}

QStringList optionCaptions()
{
    QStringList captions;
    for (const OptionFacts& f : kFacts)
        captions << QString::fromLatin1(f.caption);
    return captions;
}

Sheet build(const Request& request)
{
    const OptionFacts* f = optionFacts(request.option);
    if (!f)
        return {};
    // The all-departments reports need the department list to walk.
    if (request.option == AllDeptPeriod && request.departments.isEmpty()) {
        Sheet s;
        s.message = QString::fromLatin1(kNoDepartmentList);
        return s;
    }
    return f->build(request);
}

QString titleText(int option, const QString& department, const QString& employeeName)
{
    const OptionFacts* f = optionFacts(option);
    if (!f)
        return {};
    // One pass, so that a name holding a placeholder's text stays as it is.
    const QString pattern = QString::fromLatin1(f->title);
    const QString dept = QStringLiteral("{dept}"), emp = QStringLiteral("{emp}");
    QString t;
    for (qsizetype i = 0; i < pattern.size();) {
        if (pattern.mid(i, dept.size()) == dept) {
            t += department.toUpper();
            i += dept.size();
        } else if (pattern.mid(i, emp.size()) == emp) {
            t += employeeName;
            i += emp.size();
        } else {
            t += pattern[i++];
        }
    }
    return t;
}

QString periodText(int option, int startDay, const QDate& from, const QDate& to)
{
    const auto part = [](int day, const QDate& d) {
        return QString::number(day) + QLatin1Char(',') + detail::monthName(d) + QLatin1Char('-') +
               QString::number(d.year());
    };
    const OptionFacts* f = optionFacts(option);
    if (f && f->monthly)
        return QStringLiteral("Month Ending: ") + part(startDay - 1, to);
    return QStringLiteral("Period Between: ") + part(startDay, from) + QStringLiteral(" AND ") +
           part(startDay - 1, to);
}

QString footerText(const QDate& today, bool fullStop)
{
    QString t = QStringLiteral("Report Generated by Karvela Software on ") +
                QLocale().toString(today, QLocale::ShortFormat);
    if (fullStop)
        t += QLatin1Char('.');
    return t;
}

QString elapsedText(double ms)
{
    return QString::number(std::llround(ms)) + QStringLiteral(" ms");
}

int fixedRowsOf(int option)
{
    const OptionFacts* f = optionFacts(option);
    return f ? f->fixedRows : 2;
}

int fixedColsOf(int option)
{
    const OptionFacts* f = optionFacts(option);
    return f ? f->fixedCols : 3;
}

bool clearsGridOnChoice(int option)
{
    const OptionFacts* f = optionFacts(option);
    return !f || f->clearsGrid;
}

bool usesEmployee(int option)
{
    const OptionFacts* f = optionFacts(option);
    return f && f->employeePicker;
}

bool usesFromDate(int option)
{
    const OptionFacts* f = optionFacts(option);
    return f && f->fromDate;
}


} // namespace reports
