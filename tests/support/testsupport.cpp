#include "testsupport.h"

#include "app/numtext.h"
#include "app/settings.h"
#include "cli/commands.h"
#include "reports/gridmodel.h"
#include "store/schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <unistd.h>
#include <thread>

namespace testsupport {

namespace {

QTemporaryDir* g_dir = nullptr;
bool g_pg = false;
int g_ends = 0;

QString driverPath(const QString& file)
{
    const QStringList roots = {QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc"),
                               QStringLiteral("/usr/lib/aarch64-linux-gnu/odbc"), QStringLiteral("/usr/lib/odbc"),
                               QStringLiteral("/usr/lib64")};
    for (const QString& r : roots)
        if (QFileInfo::exists(r + QLatin1Char('/') + file))
            return r + QLatin1Char('/') + file;
    return file;
}

void writeIni(const QString& body)
{
    QFile f(odbcIniPath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(odbcIniPath()));
    f.write(body.toUtf8());
}

QString pgDriverString(const QString& database)
{
    return QStringLiteral("DRIVER=%1;Servername=%2;Port=%3;Database=%4;UID=sa;PWD=kzq;")
        .arg(driverPath(QStringLiteral("psqlodbcw.so")), qEnvironmentVariable("KARVELA_TEST_PGHOST"),
             qEnvironmentVariable("KARVELA_TEST_PGPORT"), database);
}

void endRecorder(int) { ++g_ends; }

} // namespace

bool initProcess()
{
    QLocale::setDefault(QLocale::c());
    if (!g_dir) {
        g_dir = new QTemporaryDir();
        qputenv("XDG_CONFIG_HOME", (g_dir->path() + QStringLiteral("/config")).toLocal8Bit());
        qputenv("ODBCINI", odbcIniPath().toLocal8Bit());
    }
    g_pg = qEnvironmentVariable("KARVELA_TEST_BACKEND") == QLatin1String("pg");
    if (qEnvironmentVariableIsSet("KARVELA_TEST_ODBC_EMPTY")) {
        // A user DSN file that does not know "Tessara".
        writeIni(QStringLiteral("[Other]\nDriver=none\n"));
        return true;
    }
    if (!g_pg) {
        QFile db(g_dir->path() + QStringLiteral("/karvela.db"));
        if (!db.exists() && !db.open(QIODevice::WriteOnly))
            qFatal("cannot create the test database file");
        db.close();
        writeIni(QStringLiteral("[Tessara]\nDriver=%1\nDatabase=%2\nTimeout=10000\n")
                     .arg(driverPath(QStringLiteral("libsqlite3odbc.so")), g_dir->path() + QStringLiteral("/karvela.db")));
        return true;
    }
    if (qEnvironmentVariable("KARVELA_TEST_PGPORT").isEmpty())
        return false;
    // A database of this process's own on the test server.
    QString name = QCoreApplication::applicationName().toLower();
    name.replace(QRegularExpression(QStringLiteral("[^a-z0-9_]")), QStringLiteral("_"));
    name = QStringLiteral("kt_%1_%2").arg(name).arg(QCoreApplication::applicationPid());
    scratchPostgresDatabase(name);
    writeIni(QStringLiteral("[Tessara]\nDriver=%1\nServername=%2\nPort=%3\nDatabase=%4\n")
                 .arg(driverPath(QStringLiteral("psqlodbcw.so")), qEnvironmentVariable("KARVELA_TEST_PGHOST"),
                      qEnvironmentVariable("KARVELA_TEST_PGPORT"), name));
    return true;
}

bool usingPostgres() { return g_pg; }

QString odbcIniPath() { return g_dir ? g_dir->path() + QStringLiteral("/odbc.ini") : QString(); }

void freshDatabase()
{
    store::connectDatabase();
    store::dropSchema();
    store::createSchema();
}

QString scratchPostgresDatabase(const QString& name)
{
    if (qEnvironmentVariable("KARVELA_TEST_PGPORT").isEmpty())
        return {};
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("pgadmin"));
        admin.setDatabaseName(pgDriverString(QStringLiteral("postgres")));
        if (!admin.open())
            qFatal("cannot reach the PostgreSQL test server: %s", qPrintable(admin.lastError().text()));
        QSqlQuery q(admin);
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS ") + name);
        if (!q.exec(QStringLiteral("CREATE DATABASE ") + name))
            qFatal("cannot create the test database: %s", qPrintable(q.lastError().text()));
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pgadmin"));
    return pgDriverString(name);
}

void endPostgresSession(int pid, const QString& via)
{
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("ender"));
        other.setDatabaseName(store::odbcDatabaseName(via.isEmpty() ? QString::fromLatin1(store::kConnectionString) : via));
        QVERIFY(other.open());
        QSqlQuery q(other);
        q.prepare(QStringLiteral("SELECT pg_terminate_backend(?)"));
        q.addBindValue(pid);
        QVERIFY(q.exec());
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("ender"));
}

void addEmployee(qint64 empId, const QString& name, const QString& deptt, const QString& designation,
                 const QString& grade, const QDate& dob, const QString& addr)
{
    store::exec(QStringLiteral("INSERT INTO employees (Emp_ID, EmpName, DoB, Designation, Deptt, Emp_Addr, Grade) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {empId, name, dob, designation, deptt, addr, grade});
}

void addJob(int jobNo, const QString& name, double limitEd, double balEd, double status, const QString& lead,
            const QString& client, const QString& dateUpdate)
{
    store::exec(QStringLiteral("INSERT INTO jobs (DateUpdate, JobNo, JobName, ClientCo, Limit_ED, Bal_ED, "
                               "Job_Status, LeadDeptt) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                {dateUpdate, jobNo, name, client, limitEd, balEd, status, lead});
}

QStringList gridColumn(const reports::GridModel& grid, int col, int top, int bottom)
{
    QStringList l;
    for (int r = top; r <= bottom; ++r)
        l << grid.cell(r, col);
    return l;
}

QStringList columnsOf(const QString& table)
{
    QStringList c;
    const QSqlRecord r = store::connection().record(table);
    for (int i = 0; i < r.count(); ++i)
        c << r.fieldName(i).toLower();
    return c;
}

store::ErrorKind errorKindOf(const std::function<void()>& run)
{
    try {
        run();
    } catch (const store::DbError& e) {
        return e.kind();
    }
    QTest::qFail("no store::DbError was thrown", __FILE__, __LINE__);
    return store::ErrorKind::Other;
}

CommandRun runCommand(const QStringList& args)
{
    CommandRun r;
    QTextStream out(&r.out), err(&r.err);
    r.code = cli::runCommand(args, out, err);
    out.flush();
    err.flush();
    return r;
}

void compareWithReference(const QString& file, const QString& output)
{
    QFile f(QStringLiteral(KARVELA_TEST_DATA "/") + file + QStringLiteral(".tsv"));
    if (qEnvironmentVariableIsSet("KARVELA_WRITE_REFERENCE")) {
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(output.toUtf8());
        return;
    }
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
    QCOMPARE(output.split(QLatin1Char('\n')), QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')));
}

CommandRun runProgram(const QString& program, const QStringList& args, const QStringList& env)
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& v : env)
        v.contains('=') ? e.insert(v.section('=', 0, 0), v.section('=', 1)) : e.remove(v);
    QProcess p;
    p.setProcessEnvironment(e);
    p.start(program, args);
    const bool ended = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit;
    return {ended ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QStringList pdfPages(const QString& path)
{
    QStringList pages = runProgram(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")})
                            .out.split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QVariant scalar(const QString& sql, const QList<QVariant>& values)
{
    auto q = store::exec(sql, values);
    return q.next() ? q.value(0) : QVariant();
}

QString storedCards()
{
    QStringList parts;
    for (const char* sql : {"SELECT JobNo, DaysBooked, Bal_ED, Emp_Tot_ED FROM edbooked ORDER BY ID",
                            "SELECT ED_Booked, CL FROM leaves ORDER BY ID", "SELECT JobNo, Bal_ED FROM jobs ORDER BY JobNo"}) {
        const QString sep = QByteArray(sql).endsWith("BY JobNo") ? ":" : " ";
        QStringList rows;
        for (auto q = store::exec(QString::fromLatin1(sql)); q.next();) {
            QStringList v;
            for (int i = 0; i < q.columns(); ++i)
                v << app::generalNumber(store::num(q.value(i)));
            rows << v.join(sep);
        }
        parts << rows.join(", ");
    }
    return parts.join(" | ");
}

void whileAnotherDesktopHolds(const QStringList& statements, const std::function<void()>& whileHeld)
{
    std::atomic<bool> holding{false}, ok{false};
    std::thread other([&] {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("other"));
            db.setDatabaseName(QString::fromLatin1(store::kConnectionString).mid(4));
            if (db.open() && db.transaction()) {
                QSqlQuery q(db);
                bool all = true;
                for (const QString& sql : statements)
                    all = all && q.exec(sql);
                ok = all;
                holding = true;
                QThread::msleep(400);
                ok = ok && db.commit();
            }
            holding = true;
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    });
    while (!holding)
        QThread::msleep(5);
    whileHeld();
    other.join();
    QVERIFY(ok);
}

int ScriptedDialogs::message(const QString& text, int style, const QString& title)
{
    shown << Shown{text, style, title, false};
    if (!answers.isEmpty())
        return answers.takeFirst();
    const int buttons = style & 7;
    return buttons == app::style::YesNo || buttons == app::style::YesNoCancel ? app::button::Yes : app::button::Ok;
}

int ScriptedDialogs::messageWithReason(const QString& text, int style, const QString& reason)
{
    const int b = message(text, style, QString());
    shown.last().reason = reason;
    return b;
}

std::optional<QString> ScriptedDialogs::input(const QString& prompt, const QString& title, const QString&)
{
    shown << Shown{prompt, 0, title, true};
    return inputs.isEmpty() ? std::nullopt : inputs.takeFirst();
}

QStringList ScriptedDialogs::texts(bool styled) const
{
    QStringList l;
    for (const Shown& s : shown)
        l << (!styled ? QString() : s.input ? QStringLiteral("? ") : QString::number(s.style) + ' ') + s.text;
    return l;
}

ScriptedDialogs& scriptDialogs()
{
    static ScriptedDialogs* d = nullptr;
    delete d;
    d = new ScriptedDialogs;
    app::setDialogs(d);
    app::setEndProgramAction(&endRecorder);
    g_ends = 0;
    return *d;
}

QString standardErrorOf(const std::function<void()>& run)
{
    QTemporaryFile file;
    if (!file.open())
        qFatal("cannot capture standard error");
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(file.handle(), 2);
    run();
    std::fflush(stderr);
    dup2(saved, 2);
    ::close(saved);
    file.seek(0);
    return QString::fromLocal8Bit(file.readAll());
}

int programEnds() { return g_ends; }

} // namespace testsupport
