#include "app/commands.h"

#include "app/calendar.h"
#include "app/clock.h"
#include "app/demo.h"
#include "app/messages.h"
#include "app/pickers.h"
#include "app/settings.h"
#include "cli/monthcommands.h"
#include "queries/command.h"
#include "store/database.h"
#include "store/schema.h"
#include "reports/builders.h"
#include "reports/export.h"

#include <optional>

namespace app {

namespace {

int createDatabase(const QStringList& args, QTextStream& out, QTextStream& err)
{
    bool demo = false;
    for (const QString& a : args) {
        if (a == QLatin1String("--demo"))
            demo = true;
        else {
            err << "karvela create-database: unknown option " << a << "\n"
                << "usage: karvela create-database [--demo]\n";
            return 2;
        }
    }
    try {
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
            d = fillDemo(today(), calendar::startDay(readGlobals().StartDate));
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

const char* kReportUsage =
    "usage: karvela report --type N --department NAME --to YYYY-MM-DD [--from YYYY-MM-DD] [--employee EMP_ID] "
    "[--include-superannuated] [--format tsv|csv]\n";
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
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args[i];
        const bool hasValue = i + 1 < args.size();
        const auto value = [&] { return args[++i]; };
        if (a == QLatin1String("--include-superannuated")) {
            includeSuperannuated = true;
        } else if (!hasValue && (a == QLatin1String("--type") || a == QLatin1String("--department") ||
                                 a == QLatin1String("--to") || a == QLatin1String("--from") ||
                                 a == QLatin1String("--employee") || a == QLatin1String("--format"))) {
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
            const QDate d = QDate::fromString(value(), QStringLiteral("yyyy-MM-dd"));
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
            const QString f = value();
            if (f != QLatin1String("tsv") && f != QLatin1String("csv"))
                return reportUsage(err, QStringLiteral("--format must be tsv or csv"));
            csv = f == QLatin1String("csv");
        } else {
            return reportUsage(err, QStringLiteral("unknown option ") + a);
        }
    }
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
    } catch (const store::DbError&) {
        err << consoleText(kNoDataSource);
        return 3;
    }
    try {
        const int startDay = calendar::startDay(readGlobals().StartDate);
        const QDate now = today();
        const QStringList departments = app::departments();
        const int position = departments.indexOf(department);
        if (position < 0 && !departments.isEmpty())
            return reportUsage(err, QStringLiteral("no department ") + department);

        reports::Request r;
        r.option = *type;
        r.department = department;
        r.employees = reports::listedEmployees(department, includeSuperannuated, now);
        r.fromDate = from;
        r.toDate = to;
        r.fromDay = from.day();
        r.toDay = to.day();
        r.departments = departments;
        r.chooseDepartment = [&](int p) {
            reports::Request::Block b;
            b.changed = p > 0 || position != 0;
            b.employees = reports::listedEmployees(departments.value(p), includeSuperannuated, now);
            b.fromDate = from;
            b.toDate = to;
            return b;
        };
        r.today = now;
        QString employeeName;
        if (reports::usesEmployee(*type)) {
            if (r.employees.isEmpty()) {
                err << noEmployeeMessage(department) << "\n";
                return 1;
            }
            int e = 0;
            if (employee) {
                e = -1;
                for (int j = 0; j < r.employees.size(); ++j)
                    if (r.employees[j].id == *employee)
                        e = j;
                if (e < 0)
                    return reportUsage(err, QStringLiteral("no employee %1 listed in ").arg(*employee) + department);
            }
            employeeName = r.employees[e].name;
            r.employeeIdText = QString::number(r.employees[e].id);
            r.employeeName = employeeName;
            r.designation = r.employees[e].designation;
        }

        const reports::Sheet sheet = reports::build(r);
        if (!sheet.message.isEmpty()) {
            err << sheet.message << "\n";
            return 1;
        }
        const auto format = csv ? reports::ExportFormat::Csv : reports::ExportFormat::Tsv;
        out << reports::exportLine({reports::titleText(*type, department, employeeName)}, format);
        out << reports::exportLine({reports::periodText(*type, startDay, from, to)}, format);
        for (int row = 0; row < sheet.usedRows; ++row) {
            QStringList cells;
            for (int c = 0; c <= sheet.lastColumn; ++c)
                cells << sheet.at(row, c);
            out << reports::exportLine(cells, format);
        }
    } catch (const store::DbError& e) {
        if (e.kind() == store::ErrorKind::MissingObject) {
            err << consoleText(kBadTables);
            return 3;
        }
        if (e.kind() == store::ErrorKind::Unavailable || e.kind() == store::ErrorKind::ConnectionLost) {
            err << consoleText(kNoDataSource);
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
            || args[0] == QLatin1String("query") || cli::isMonthCommand(args));
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
        return queries::runQueryCommand(rest, out, err);
    if (cli::isMonthCommand(args))
        return cli::runMonthCommand(args, out, err);
    err << "karvela: unknown command " << cmd << "\n";
    return 2;
}

} // namespace app
