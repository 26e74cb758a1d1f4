#include "cli/commands.h"

#include "app/calendar.h"
#include "cli/cards.h"
#include "cli/fileoutput.h"
#include "output/table.h"
#include "app/clock.h"
#include "app/messages.h"
#include "app/pickers.h"
#include "app/settings.h"
#include "app/startfailure.h"
#include "cli/datacommands.h"
#include "cli/demo.h"
#include "cli/monthcommands.h"
#include "cli/query.h"
#include "cli/usage.h"
#include "output/export.h"
#include "store/database.h"
#include "store/datasource.h"
#include "store/schema.h"
#include "reports/builders.h"

#include <optional>

namespace cli {

namespace {

int createDatabase(const QStringList& args, QTextStream& out, QTextStream& err)
{
    bool demo = false;
    for (const QString& a : args) {
        if (a == QLatin1String("--demo"))
            demo = true;
        else {
            err << "karvela create-database: unknown option " << a << "\n"
                << usage::kCreateDatabase;
            return 2;
        }
    }
    try {
        // A new SQLite file is wanted here; opening never creates one.
        store::createDataSourceFile();
        store::connectDatabase();
    } catch (const store::DbError& e) {
        err << "karvela create-database: the data source Tessara cannot be opened: " << e.description() << "\n";
        return 1;
    }
    try {
        if (store::anyTableExists()) {
            err << "karvela create-database: the data source Tessara already holds Karvela's tables; "
                   "nothing was changed.\n";
            return 1;
        }
        // The tables and the demo land together or not at all.
        store::Transaction tx;
        store::createSchema();
        DemoSummary d;
        if (demo)
            d = fillDemo(app::today(), app::calendar::startDay(app::readGlobals().StartDate));
        tx.commit();
        out << "Created the tables employees, jobs, edbooked and leaves.\n";
        out << "Created the tables monthcloses and auditlog.\n";
        if (demo)
            out << "Demo organisation: " << d.departments << " departments, " << d.employees << " employees, "
                << d.jobs << " jobs, " << d.cards << " cards, " << d.bookings << " bookings.\n";
    } catch (const store::DbError& e) {
        err << "karvela create-database: " << e.description() << "\n";
        return 1;
    }
    return 0;
}

const char* kReportUsage = usage::kReport;
int reportUsage(QTextStream& err, const QString& problem)
{
    err << "karvela report: " << problem << "\n" << kReportUsage;
    return 2;
}

int report(const QStringList& args, QTextStream& out, QTextStream& err)
{
    std::optional<int> type;
    QString department;
    bool haveDepartment = false;
    QDate to;
    QDate from;
    std::optional<qint64> employee;
    bool includeSuperannuated = false;
    bool csv = false;
    QString formatText = QStringLiteral("tsv");
    std::optional<QString> outputPath;
    cli::OutputOptions output;
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args[i];
        const bool hasValue = i + 1 < args.size();
        const auto value = [&] { return args[++i]; };
        if (a == QLatin1String("--include-superannuated")) {
            includeSuperannuated = true;
        } else if (!hasValue && (a == QLatin1String("--type") || a == QLatin1String("--department") ||
                                 a == QLatin1String("--to") || a == QLatin1String("--from") ||
                                 a == QLatin1String("--employee") || a == QLatin1String("--format") ||
                                 a == QLatin1String("--output"))) {
            return reportUsage(err, QStringLiteral("option ") + a + QStringLiteral(" needs a value"));
        } else if (a == QLatin1String("--type")) {
            bool ok = false;
            const int n = value().toInt(&ok);
            if (!ok || n < 0 || n >= reports::kOptionCount)
                return reportUsage(err, QStringLiteral("--type must be 0 to 5"));
            type = n;
        } else if (a == QLatin1String("--department")) {
            department = value();
            haveDepartment = true;
        } else if (a == QLatin1String("--to") || a == QLatin1String("--from")) {
            const QDate d = commandDate(value()).value_or(QDate());
            if (!d.isValid())
                return reportUsage(err, a + QStringLiteral(" must be a date YYYY-MM-DD"));
            (a == QLatin1String("--to") ? to : from) = d;
        } else if (a == QLatin1String("--employee")) {
            bool ok = false;
            const qint64 id = value().toLongLong(&ok);
            if (!ok)
                return reportUsage(err, QStringLiteral("--employee must be an employee number"));
            employee = id;
        } else if (a == QLatin1String("--format")) {
            formatText = value();
            csv = formatText == QLatin1String("csv");
        } else if (a == QLatin1String("--output")) {
            outputPath = value();
        } else {
            return reportUsage(err, QStringLiteral("unknown option ") + a);
        }
    }
    if (const QString problem = cli::checkOutputOptions(formatText, outputPath, output); !problem.isEmpty())
        return reportUsage(err, problem);
    if (!type)
        return reportUsage(err, QStringLiteral("--type is required"));
    if (!haveDepartment)
        return reportUsage(err, QStringLiteral("--department is required"));
    if (!to.isValid())
        return reportUsage(err, QStringLiteral("--to is required"));
    if (!from.isValid())
        from = to.addMonths(-1).addDays(1);

    try {
        store::connectDatabase();
    } catch (const store::DbError& e) {
        err << app::startFailureConsole(app::kNoDataSource, e);
        return 3;
    }
    try {
        const int startDay = app::calendar::startDay(app::readGlobals().StartDate);
        const QDate now = app::today();
        const QStringList departments = app::departments();
        const int position = departments.indexOf(department);
        if (position < 0 && !departments.isEmpty())
            return reportUsage(err, QStringLiteral("no department ") + department);

        reports::Request r;
        r.option = *type;
        r.department = department;
        r.employees = app::listedEmployees(department, includeSuperannuated, now);
        r.fromDate = from;
        r.toDate = to;
        r.fromDay = from.day();
        r.toDay = to.day();
        r.departments = departments;
        r.chooseDepartment = [&](int p, const QList<app::Employee>& rows) {
            reports::Request::Block b;
            b.changed = p > 0 || position != 0;
            b.employees = app::listedEmployees(rows, includeSuperannuated, now);
            b.fromDate = from;
            b.toDate = to;
            return b;
        };
        r.today = now;
        QString employeeName;
        if (reports::usesEmployee(*type)) {
            if (r.employees.isEmpty()) {
                err << app::noEmployeeMessage(department) << "\n";
                return 1;
            }
            int e = 0;
            if (employee) {
                e = -1;
                for (int j = 0; j < r.employees.size(); ++j)
                    if (r.employees[j].empId == *employee)
                        e = j;
                if (e < 0)
                    return reportUsage(err, QStringLiteral("no employee %1 listed in ").arg(*employee) + department);
            }
            employeeName = r.employees[e].name;
            r.employeeIdText = QString::number(r.employees[e].empId);
            r.employeeName = employeeName;
            r.designation = r.employees[e].designation;
        }

        const reports::Sheet sheet = reports::build(r);
        if (!sheet.message.isEmpty()) {
            err << sheet.message << "\n";
            return 1;
        }
        if (output.toFile())
            return cli::writeTableFile(output::tableOf(sheet, *type, reports::titleText(*type, department, employeeName),
                                                       reports::periodText(*type, startDay, from, to)),
                                       output, QStringLiteral("report"), err);
        const auto format = csv ? output::ExportFormat::Csv : output::ExportFormat::Tsv;
        out << output::exportLine({reports::titleText(*type, department, employeeName)}, format);
        out << output::exportLine({reports::periodText(*type, startDay, from, to)}, format);
        for (int row = 0; row < sheet.usedRows; ++row) {
            QStringList cells;
            for (int c = 0; c <= sheet.lastColumn; ++c)
                cells << sheet.at(row, c);
            out << output::exportLine(cells, format);
        }
    } catch (const store::DbError& e) {
        if (e.kind() == store::ErrorKind::MissingObject) {
            err << app::startFailureConsole(app::kBadTables, e);
            return 3;
        }
        if (e.kind() == store::ErrorKind::Unavailable || e.kind() == store::ErrorKind::ConnectionLost) {
            err << app::startFailureConsole(app::kNoDataSource, e);
            return 3;
        }
        err << "karvela report: " << e.number() << " " << e.description() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

bool isCommand(const QStringList& args)
{
    return !args.isEmpty()
        && (args[0] == QLatin1String("create-database") || args[0] == QLatin1String("report")
            || args[0] == QLatin1String("query") || args[0] == QLatin1String("cards") || cli::isDataCommand(args[0])
            || cli::isMonthCommand(args));
}

int runCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString cmd = args.value(0);
    const QStringList rest = args.mid(1);
    if (cmd == QLatin1String("create-database"))
        return createDatabase(rest, out, err);
    if (cmd == QLatin1String("report"))
        return report(rest, out, err);
    if (cmd == QLatin1String("query"))
        return runQueryCommand(rest, out, err);
    if (cmd == QLatin1String("cards"))
        return cli::runCardsCommand(rest, out, err);
    if (cli::isDataCommand(cmd))
        return cli::runDataCommand(cmd, rest, out, err);
    if (cli::isMonthCommand(args))
        return cli::runMonthCommand(args, out, err);
    err << "karvela: unknown command " << cmd << "\n";
    return 2;
}

} // namespace cli
