#include "app/commands.h"

#include "app/calendar.h"
#include "app/clock.h"
#include "app/demo.h"
#include "app/settings.h"
#include "queries/command.h"
#include "store/database.h"
#include "store/schema.h"

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
        if (demo)
            out << "Demo organisation: " << d.departments << " departments, " << d.employees << " employees, "
                << d.jobs << " jobs, " << d.cards << " cards, " << d.bookings << " bookings.\n";
    } catch (const store::DbError& e) {
        err << "karvela create-database: " << e.description() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

bool isCommand(const QStringList& args)
{
    return !args.isEmpty() && (args[0] == QLatin1String("create-database") || args[0] == QLatin1String("query"));
}

int runCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString cmd = args.value(0);
    const QStringList rest = args.mid(1);
    if (cmd == QLatin1String("create-database"))
        return createDatabase(rest, out, err);
    if (cmd == QLatin1String("query"))
        return queries::runQueryCommand(rest, out, err);
    err << "karvela: unknown command " << cmd << "\n";
    return 2;
}

} // namespace app
