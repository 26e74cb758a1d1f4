#include "queries/command.h"

#include "app/messages.h"

#include "app/calendar.h"
#include "app/clock.h"
#include "app/pickers.h"
#include "app/settings.h"
#include "queries/export.h"
#include "queries/panel.h"
#include "queries/queries.h"
#include "reports/gridmodel.h"
#include "store/database.h"


namespace queries {

namespace {

const char* kUsage = "usage: karvela query --index N [--lead-department TEXT] [--grade TEXT] [--department TEXT] "
                     "[--age LL-UU] [--search TEXT --field POS] [--job TEXT] [--from YYYY-MM-DD --to YYYY-MM-DD] "
                     "[--employee EMP_ID] [--format tsv|csv]\n";

int usage(QTextStream& err, const QString& problem)
{
    err << "karvela query: " << problem << "\n" << kUsage;
    return 2;
}

// Box texts go out line by line.
QString lines(const QString& boxText)
{
    QString t = boxText;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t + QLatin1Char('\n');
}

// Position of an entry in a list that has "all" in front of it.
int listPosition(const QString& text, const QString& all, const QStringList& entries)
{
    if (text == all)
        return 0;
    const int i = entries.indexOf(text);
    return i < 0 ? 1 : i + 1;
}

} // namespace

int runQueryCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QStringList valued = {"--index",  "--lead-department", "--grade", "--department", "--age", "--search",
                                "--field",  "--job",             "--from",  "--to",         "--format", "--employee"};
    QHash<QString, QString> opt;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!valued.contains(a))
            return usage(err, QStringLiteral("unknown option ") + a);
        if (i + 1 >= args.size())
            return usage(err, QStringLiteral("missing value for ") + a);
        opt.insert(a, args[++i]);
    }
    bool ok = false;
    const int index = opt.value(QStringLiteral("--index")).toInt(&ok);
    if (!opt.contains(QStringLiteral("--index")) || !ok || index < 0 || index >= kQueryCount)
        return usage(err, QStringLiteral("--index must be a query number from 0 to %1").arg(kQueryCount - 1));
    const int field = opt.value(QStringLiteral("--field"), QStringLiteral("0")).toInt(&ok);
    if (!ok || field < 0 || field > kEntireRecord)
        return usage(err, QStringLiteral("--field must be a search-field position from 0 to 7"));
    const QString formatText = opt.value(QStringLiteral("--format"), QStringLiteral("tsv"));
    if (formatText != QLatin1String("tsv") && formatText != QLatin1String("csv"))
        return usage(err, QStringLiteral("--format must be tsv or csv"));
    const auto dateOption = [&](const QString& name, QDate& d) {
        if (!opt.contains(name))
            return true;
        d = QDate::fromString(opt.value(name), Qt::ISODate);
        return d.isValid();
    };
    QDate from, to;
    if (!dateOption(QStringLiteral("--from"), from) || !dateOption(QStringLiteral("--to"), to))
        return usage(err, QStringLiteral("dates are written YYYY-MM-DD"));

    try {
        store::connectDatabase();
    } catch (const store::DbError&) {
        err << app::consoleText(app::kNoDataSource);
        return 3;
    }

    QueryInputs in;
    in.today = app::today();
    in.startDay = app::calendar::startDay(app::readGlobals().StartDate);
    // The window's period: both rows in the month 28 days back, from day S
    // to day S - 1 (21 and 20 when the start day is 1).
    const QDate ref = app::calendar::reportReference(in.today);
    const int fromDay = in.startDay > 1 ? in.startDay : 21;
    const int toDay = in.startDay > 1 ? in.startDay - 1 : 20;
    const auto period =
        app::calendar::findDuration(ref.year(), ref.month(), fromDay, ref.year(), ref.month(), toDay);
    in.from = from.isValid() ? from : (period ? period->from : QDate());
    in.to = to.isValid() ? to : (period ? period->to : QDate());
    in.ageRange = opt.value(QStringLiteral("--age"), QStringLiteral("25-35"));
    in.searchText = opt.value(QStringLiteral("--search"), QString::fromLatin1(kSampleSearch));
    in.searchField = field;
    in.jobText = opt.value(QStringLiteral("--job"), QString::fromLatin1(kJobHint));
    in.employeeId = opt.value(QStringLiteral("--employee"));

    QString title, count;
    reports::GridModel grid;
    try {
        if (opt.contains(QStringLiteral("--lead-department")))
            in.leadDepartment = opt.value(QStringLiteral("--lead-department"));
        else if (index == LeadJobs || index == OtherLeadJobs)
            in.leadDepartment = app::leadDepartments().value(0);
        in.grade = opt.value(QStringLiteral("--grade"), QStringLiteral("ALL"));
        in.department = opt.value(QStringLiteral("--department"), QStringLiteral("All Departments"));
        if (index == CardHistory) {
            if (in.employeeId.isEmpty())
                return usage(err, QStringLiteral("--employee is required for query 11"));
            auto q = store::exec(QStringLiteral("SELECT EmpName FROM employees WHERE Emp_ID = ?"),
                                 {in.employeeId.toLongLong()});
            if (q.next())
                in.employeeName = store::textOf(q.value(0));
        }
        if (index == GradeEmps || index == MissingCards) {
            in.gradePos = listPosition(in.grade, QStringLiteral("ALL"), app::grades());
            in.departmentPos = listPosition(in.department, QStringLiteral("All Departments"), app::departments());
        }
        title = queryTitle(index, in, optionCaptions());
        count = index == JobBooking ? periodLine(in.from, in.to, in.startDay) : QString::fromLatin1(kCountUnknown);
        grid.clearTexts();
        grid.setFixed(2, 1);
        const QueryResult r = runQuery(index, in, grid);
        if (r.refusal) {
            err << lines(*r.refusal);
            return 1;
        }
        if (r.title)
            title = *r.title;
        if (r.countLine)
            count = *r.countLine;
        out << exportText(title, count, grid, r.usedRows,
                          formatText == QLatin1String("csv") ? ExportFormat::Csv : ExportFormat::Tsv);
    } catch (const store::DbError& e) {
        if (e.kind() == store::ErrorKind::MissingObject || e.kind() == store::ErrorKind::Unavailable) {
            err << app::consoleText(app::kBadTables);
            return 3;
        }
        err << "karvela query: " << e.description() << "\n";
        return 1;
    }
    return 0;
}

} // namespace queries
