#include "cli/query.h"

#include "app/calendar.h"
#include "app/clock.h"
#include "app/messages.h"
#include "app/pickers.h"
#include "app/settings.h"
#include "app/startfailure.h"
#include "cli/fileoutput.h"
#include "cli/queryexport.h"
#include "cli/usage.h"
#include "output/table.h"
#include "queries/panel.h"
#include "queries/queries.h"
#include "reports/gridmodel.h"
#include "store/database.h"


namespace cli {

namespace {

const char* kUsage = cli::usage::kQuery;

int refuse(QTextStream& err, const QString& problem)
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
                                "--field",  "--job",             "--from",  "--to",         "--format", "--output",
                                "--employee"};
    QHash<QString, QString> opt;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!valued.contains(a))
            return refuse(err, QStringLiteral("unknown option ") + a);
        if (i + 1 >= args.size())
            return refuse(err, QStringLiteral("missing value for ") + a);
        opt.insert(a, args[++i]);
    }
    bool ok = false;
    const int index = opt.value(QStringLiteral("--index")).toInt(&ok);
    if (!opt.contains(QStringLiteral("--index")) || !ok || index < 0 || index >= queries::kQueryCount)
        return refuse(err, QStringLiteral("--index must be a query number from 0 to %1").arg(queries::kQueryCount - 1));
    const int field = opt.value(QStringLiteral("--field"), QStringLiteral("0")).toInt(&ok);
    if (!ok || field < 0 || field > queries::kEntireRecord)
        return refuse(err, QStringLiteral("--field must be a search-field position from 0 to 7"));
    const QString formatText = opt.value(QStringLiteral("--format"), QStringLiteral("tsv"));
    cli::OutputOptions output;
    const auto outputPath = opt.contains(QStringLiteral("--output"))
        ? std::optional<QString>(opt.value(QStringLiteral("--output"))) : std::nullopt;
    if (const QString problem = cli::checkOutputOptions(formatText, outputPath, output); !problem.isEmpty())
        return refuse(err, problem);
    const auto dateOption = [&](const QString& name, QDate& d) {
        if (!opt.contains(name))
            return true;
        d = cli::commandDate(opt.value(name)).value_or(QDate());
        return d.isValid();
    };
    QDate from, to;
    if (!dateOption(QStringLiteral("--from"), from) || !dateOption(QStringLiteral("--to"), to))
        return refuse(err, QStringLiteral("dates are written YYYY-MM-DD"));

    try {
        store::connectDatabase();
    } catch (const store::DbError& e) {
        err << app::startFailureConsole(app::kNoDataSource, e);
        return 3;
    }

    queries::QueryInputs in;
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
    in.searchText = opt.value(QStringLiteral("--search"), QString::fromLatin1(queries::kSampleSearch));
    in.searchField = field;
    in.jobText = opt.value(QStringLiteral("--job"), QString::fromLatin1(queries::kJobHint));
    in.employeeId = opt.value(QStringLiteral("--employee"));

    QString title, count;
    reports::GridModel grid;
    try {
        if (opt.contains(QStringLiteral("--lead-department")))
            in.leadDepartment = opt.value(QStringLiteral("--lead-department"));
        else if (index == queries::LeadJobs || index == queries::OtherLeadJobs)
            in.leadDepartment = app::leadDepartments().value(0);
        in.grade = opt.value(QStringLiteral("--grade"), QStringLiteral("ALL"));
        in.department = opt.value(QStringLiteral("--department"), QStringLiteral("All Departments"));
        if (index == queries::CardHistory) {
            if (in.employeeId.isEmpty())
                return refuse(err, QStringLiteral("--employee is required for query 11"));
            auto q = store::exec(QStringLiteral("SELECT EmpName FROM employees WHERE Emp_ID = ?"),
                                 {in.employeeId.toLongLong()});
            if (q.next())
                in.employeeName = store::textOf(q.value(0));
        }
        if (index == queries::GradeEmps || index == queries::MissingCards) {
            in.gradePos = listPosition(in.grade, QStringLiteral("ALL"), app::grades());
            in.departmentPos = listPosition(in.department, QStringLiteral("All Departments"), app::departments());
        }
        title = queries::queryTitle(index, in, queries::optionCaptions());
        count = index == queries::JobBooking ? queries::periodLine(in.from, in.to, in.startDay)
                                             : QString::fromLatin1(queries::kCountUnknown);
        grid.clearTexts();
        grid.setFixed(2, 1);
        const queries::QueryResult r = queries::runQuery(index, in, grid);
        if (r.refusal) {
            err << lines(*r.refusal);
            return 1;
        }
        if (r.title)
            title = *r.title;
        if (r.countLine)
            count = *r.countLine;
        if (output.toFile())
            return cli::writeTableFile(output::tableOf(grid, title, count, r.usedRows), output,
                                       QStringLiteral("query"), err);
        out << exportText(title, count, grid, r.usedRows,
                          formatText == QLatin1String("csv") ? output::ExportFormat::Csv : output::ExportFormat::Tsv);
    } catch (const store::DbError& e) {
        if (e.kind() == store::ErrorKind::MissingObject || e.kind() == store::ErrorKind::Unavailable) {
            err << app::startFailureConsole(app::kBadTables, e);
            return 3;
        }
        err << "karvela query: " << e.description() << "\n";
        return 1;
    }
    return 0;
}

} // namespace cli
