// karvela-bench: generates a synthetic organisation and times the program's
// reads and writes against the floor of fetching just the rows they need.
#include "generate.h"

#include "store/database.h"
#include "store/schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    bench::Scale scale;
    bool generateOnly = false;
    bool replace = false;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args[i];
        auto next = [&] { return args.value(++i).toInt(); };
        if (a == QLatin1String("--departments"))
            scale.departments = next();
        else if (a == QLatin1String("--employees"))
            scale.employeesPerDept = next();
        else if (a == QLatin1String("--jobs"))
            scale.jobs = next();
        else if (a == QLatin1String("--months"))
            scale.months = next();
        else if (a == QLatin1String("--generate-only"))
            generateOnly = true;
        else if (a == QLatin1String("--replace"))
            replace = true;
        else {
            std::fprintf(stderr, "usage: karvela-bench [--departments N] [--employees N] [--jobs N] [--months N] "
                                 "[--generate-only] [--replace]\n");
            return 2;
        }
    }
    try {
        store::connectDatabase();
        if (store::anyTableExists()) {
            if (!replace) {
                std::fprintf(stderr, "karvela-bench: the data source Tessara already holds tables; run the benchmark "
                                     "on a scratch data source, or pass --replace to drop them.\n");
                return 1;
            }
            store::dropSchema();
        }
        store::createSchema();
        QElapsedTimer t;
        t.start();
        const bench::Generated g = bench::generate(scale);
        out << "generated " << g.employees << " employees, " << g.jobs << " jobs, " << g.cards << " cards, "
            << g.bookings << " bookings in " << t.elapsed() << " ms\n";
        out.flush();
        if (generateOnly)
            return 0;
    } catch (const store::DbError& e) {
        std::fprintf(stderr, "karvela-bench: %s\n", qPrintable(e.description()));
        return 1;
    }
    return 0;
}
