#include "cli/datacommands.h"
#include "cli/usage.h"

#include "app/numtext.h"
#include "cli/importcsv.h"
#include "store/copy.h"
#include "store/database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace cli {

namespace {

const char* kCopyUsage = usage::kCopyDatabase;
const char* kBackupUsage = usage::kBackup;
const char* kRestoreUsage = usage::kRestore;

const QString kTessara = QStringLiteral("Tessara");

QString dialectName(store::Dialect d)
{
    switch (d) {
    case store::Dialect::SQLite:
        return QStringLiteral("SQLite");
    case store::Dialect::PostgreSQL:
        return QStringLiteral("PostgreSQL");
    case store::Dialect::Other:
        break;
    }
    return QStringLiteral("ODBC");
}

// One end of a copy: its connection string and how messages name it.
struct Source {
    QString connection;
    QString name;
};

// Progress on standard error: a line per table every so many rows and
// when the table is done.
class ProgressLines {
public:
    explicit ProgressLines(QTextStream& err) : err_(err) {}
    void operator()(const QString& table, qint64 copied, qint64 toCopy)
    {
        if (table != table_) {
            table_ = table;
            mark_ = kStep;
        }
        if (copied < toCopy && copied < mark_)
            return;
        while (mark_ <= copied)
            mark_ += kStep;
        err_ << table << ": " << copied << " of " << toCopy << " rows copied\n";
        err_.flush();
    }

private:
    static constexpr qint64 kStep = 100000;
    QTextStream& err_;
    QString table_;
    qint64 mark_ = kStep;
};

void writeSummary(QTextStream& out, const QString& what, const store::CopySummary& s, qint64 ms)
{
    out << what << " (" << dialectName(s.from) << " to " << dialectName(s.to) << ") in "
        << QString::number(double(ms) / 1000.0, 'f', 1) << " s:\n";
    qint64 all = 0;
    for (const store::TableRows& t : s.tables) {
        out << "  " << t.table.leftJustified(12) << QString::number(t.rows).rightJustified(10) << " rows\n";
        all += t.rows;
    }
    out << "  " << QStringLiteral("all").leftJustified(12) << QString::number(all).rightJustified(10) << " rows\n";
    out << "Checked before committing: the row counts of every table, and the booked days ("
        << app::generalNumber(s.totals.bookedDays) << "), job balances (" << app::generalNumber(s.totals.balances)
        << ") and allotted days (" << app::generalNumber(s.totals.allotted) << "), agree on both sides.\n";
}

// Runs one copy and says how it went. `what` begins the summary line.
int copy(const char* command, const Source& from, const Source& to, const QString& what, QTextStream& out,
         QTextStream& err)
{
    const QString prefix = QStringLiteral("karvela %1: ").arg(QLatin1String(command));
    QElapsedTimer clock;
    clock.start();
    try {
        ProgressLines lines(err);
        const store::CopySummary s = store::copyDatabase(
            from.connection, to.connection,
            [&](const QString& t, qint64 copied, qint64 toCopy) { lines(t, copied, toCopy); });
        writeSummary(out, what, s, clock.elapsed());
        return 0;
    } catch (const store::CopyRefused& e) {
        switch (e.reason()) {
        case store::CopyRefused::Reason::SourceWithoutTables:
            err << prefix << from.name << " does not hold Karvela's tables (no table " << e.detail()
                << "); nothing was copied.\n";
            break;
        case store::CopyRefused::Reason::TargetHoldsTables:
            err << prefix << to.name << " already holds Karvela's tables (" << e.detail()
                << "); a copy goes only into a data source without them. Nothing was changed.\n";
            break;
        case store::CopyRefused::Reason::UnknownTable:
            err << prefix << from.name << " holds the table " << e.detail()
                << ", which this Karvela does not know how to create; nothing was copied.\n";
            break;
        case store::CopyRefused::Reason::CheckFailed:
            err << prefix << "the copy did not check out (" << e.detail() << "); nothing was written to " << to.name
                << ".\n";
            break;
        }
        return 1;
    } catch (const store::DbError& e) {
        if (e.kind() == store::ErrorKind::Unavailable) {
            err << prefix << "a data source cannot be opened: " << e.description() << "\n";
            return 3;
        }
        err << prefix << e.description() << "\nNothing was written to " << to.name << ".\n";
        return 1;
    }
}

int copyDatabase(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QStringList options = {"--to-dsn", "--from-dsn", "--to-connection", "--from-connection"};
    if (args.size() != 2 || !options.contains(args[0]) || args[1].isEmpty()) {
        err << "karvela copy-database: name the other data source once\n" << kCopyUsage;
        return 2;
    }
    const bool toOther = args[0].startsWith(QLatin1String("--to-"));
    const bool byName = args[0].endsWith(QLatin1String("-dsn"));
    const Source tessara{QString::fromLatin1(store::kConnectionString), kTessara};
    const Source other{byName ? dsnConnection(args[1]) : args[1],
                       byName ? args[1] : QStringLiteral("the data source of the connection string")};
    const Source& from = toOther ? tessara : other;
    const Source& to = toOther ? other : tessara;
    const QString what = QStringLiteral("Copied %1 to %2").arg(from.name, to.name);
    return copy("copy-database", from, to, what, out, err);
}

int backup(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QString file;
    bool overwrite = false;
    for (const QString& a : args) {
        if (a == QLatin1String("--overwrite"))
            overwrite = true;
        else if (file.isEmpty() && !a.startsWith(QLatin1String("--")))
            file = a;
        else {
            err << "karvela backup: unexpected argument " << a << "\n" << kBackupUsage;
            return 2;
        }
    }
    if (file.isEmpty()) {
        err << "karvela backup: name the backup file\n" << kBackupUsage;
        return 2;
    }
    if (QFileInfo::exists(file) && !overwrite) {
        err << "karvela backup: " << file << " exists; give --overwrite to replace it. Nothing was written.\n";
        return 1;
    }
    // Written beside the backup and renamed once committed and checked, so
    // the file named is never a half-written one.
    const QString partial =
        QStringLiteral("%1.partial-%2").arg(QFileInfo(file).absoluteFilePath()).arg(QCoreApplication::applicationPid());
    QFile::remove(partial);
    const int rc = copy("backup", {QString::fromLatin1(store::kConnectionString), kTessara},
                        {store::sqliteFileConnection(partial), file},
                        QStringLiteral("Backed up Tessara into %1").arg(file), out, err);
    if (rc != 0) {
        QFile::remove(partial);
        return rc;
    }
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(file).constData()) != 0) {
        QFile::remove(partial);
        err << "karvela backup: the backup could not be renamed to " << file << "; nothing was written.\n";
        return 1;
    }
    return 0;
}

int restore(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--"))) {
        err << "karvela restore: name one backup file\n" << kRestoreUsage;
        return 2;
    }
    const QString file = args[0];
    // The SQLite driver would make an empty file of a name that does not exist.
    if (!QFileInfo(file).isFile()) {
        err << "karvela restore: there is no file " << file << "; nothing was changed.\n";
        return 1;
    }
    return copy("restore", {store::sqliteFileConnection(file), file}, {QString::fromLatin1(store::kConnectionString), kTessara},
                QStringLiteral("Restored %1 into Tessara").arg(file), out, err);
}

} // namespace

QString dsnConnection(const QString& dsn)
{
    return QStringLiteral("DSN=%1;UID=sa;PWD=kzq;").arg(dsn);
}

bool isDataCommand(const QString& name)
{
    return name == QLatin1String("copy-database") || name == QLatin1String("backup") ||
        name == QLatin1String("restore") || name == QLatin1String("import");
}

int runDataCommand(const QString& name, const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (name == QLatin1String("copy-database"))
        return copyDatabase(args, out, err);
    if (name == QLatin1String("backup"))
        return backup(args, out, err);
    if (name == QLatin1String("restore"))
        return restore(args, out, err);
    return importCommand(args, out, err);
}

} // namespace cli
