// Whole data sets between data sources: the copy to a shared server and
// back, backups and restores. The other data source is of the other kind
// (PostgreSQL beside SQLite, an SQLite file beside PostgreSQL).
#include "testsupport.h"

#include "app/pickers.h"
#include "cli/demo.h"
#include "store/copy.h"
#include "store/database.h"
#include "store/schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

namespace {

const QString kTessara = QString::fromLatin1(store::kConnectionString);
using Rows = QMap<QString, QStringList>;

// Runs `work` on a connection of its own to the data source of `connection`.
void on(const QString& connection, const std::function<void(QSqlDatabase&, const QStringList& tables)>& work)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QODBC", "look");
        db.setDatabaseName(store::odbcDatabaseName(connection));
        if (!db.open())
            qFatal("cannot open %s", qPrintable(connection));
        QStringList tables; // Karvela's tables there
        for (const QString& t : store::copiedTables())
            if (db.tables(QSql::Tables).contains(t, Qt::CaseInsensitive))
                tables << t;
        work(db, tables);
    }
    QSqlDatabase::removeDatabase("look");
}

// Every row of every Karvela table, in key order, as text.
Rows rowsAt(const QString& connection)
{
    Rows rows;
    on(connection, [&](QSqlDatabase& db, const QStringList& tables) {
        for (const QString& t : tables) {
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(t)));
            while (q.next()) {
                QStringList cells;
                for (int i = 0; i < q.record().count(); ++i) {
                    const QVariant v = q.value(i);
                    cells << (v.isNull() ? QStringLiteral("NULL")
                              : v.metaType().id() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 15)
                              : v.metaType().id() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate)
                                                                      : v.toString());
                }
                rows[t] << cells.join('|');
            }
        }
    });
    return rows;
}

// What the program itself prints for `args` when "Tessara" is what the
// ODBC ini file `ini` says.
QString programOutput(const QString& ini, const QStringList& args)
{
    const CommandRun r = runProgram(KARVELA_BIN, args, {"ODBCINI=" + ini});
    return QString::number(r.code) + '\n' + r.out + r.err;
}

} // namespace

class TestCopyDatabase : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString other;    // connection string of the other data source
    QString otherIni; // an ODBC ini file naming it "Tessara"
    bool otherIsPostgres = false;

private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
        if (!usingPostgres())
            other = scratchPostgresDatabase(QString("kt_copy_other_%1").arg(QCoreApplication::applicationPid()));
        otherIsPostgres = !other.isEmpty();
        if (!otherIsPostgres)
            other = store::sqliteFileConnection(dir.filePath("other.db"));
        QString entry = "[Tessara]\n" + other.split(';', Qt::SkipEmptyParts).join('\n');
        otherIni = dir.filePath("other.ini");
        QFile f(otherIni);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(entry.replace("DRIVER=", "Driver=").toUtf8() + '\n');
    }

    void init()
    {
        freshDatabase();
        store::Transaction tx;
        cli::fillDemo(QDate(2026, 12, 6), 21);
        tx.commit();
        on(other, [](QSqlDatabase& db, const QStringList& tables) {
            for (const QString& t : tables)
                QSqlQuery(db).exec("DROP TABLE " + t);
        });
    }

    void roundTripKeepsEveryRowAndEveryOutput()
    {
        const Rows before = rowsAt(kTessara);
        const QString n = QString::number(before.value("edbooked").size());
        QVERIFY(n != "0");
        const CommandRun there = runCommand({"copy-database", "--to-connection", other});
        QCOMPARE(there.code, 0);
        QVERIFY2(there.out.contains("edbooked          " + n + " rows"), qPrintable(there.out));
        QVERIFY2(there.err.contains("edbooked: " + n + " of " + n + " rows copied"), qPrintable(there.err));
        QCOMPARE(rowsAt(other), before);

        // Every report and query reads the same on both.
        const QStringList departments = app::departments();
        const QString job = scalar("SELECT MIN(JobNo) FROM edbooked").toString();
        const QStringList period = {"--from", "2025-12-21", "--to", "2026-11-20"};
        QList<QStringList> commands;
        for (int type = 0; type <= 5; ++type)
            for (const QString& d : {departments.first(), departments.last()})
                commands << QStringList{"report", "--type", QString::number(type), "--department", d} + period;
        for (int index = 0; index <= 10; ++index)
            commands << QStringList{"query", "--index", QString::number(index), "--search", "a", "--field", "7",
                                    "--job", job} + period;
        for (const QStringList& c : commands) {
            const QString here = programOutput(odbcIniPath(), c);
            QVERIFY2(here.startsWith("0\n") && here.size() > 100, qPrintable(c.join(' ') + "\n" + here));
            QCOMPARE(programOutput(otherIni, c), here);
        }

        store::dropSchema();
        QCOMPARE(runCommand({"copy-database", "--from-connection", other}).code, 0);
        QCOMPARE(rowsAt(kTessara), before);

        // The keys go on after the copied ones on either side.
        const QString insert = "INSERT INTO jobs (JobNo, JobName) VALUES (?, 'new')";
        const qint64 lastKey = scalar("SELECT MAX(ID) FROM jobs").toLongLong();
        QCOMPARE(store::insertReturningKey(insert, {9999991}, "ID"), lastKey + 1);
        on(other, [&](QSqlDatabase& db, const QStringList&) {
            QSqlQuery q(db);
            q.prepare(insert);
            q.addBindValue(9999992);
            QVERIFY(q.exec() && q.exec("SELECT MAX(ID) FROM jobs") && q.next());
            QCOMPARE(q.value(0).toLongLong(), lastKey + 1);
        });
    }

    void copyIntoTablesChangesNothing()
    {
        on(other, [](QSqlDatabase& db, const QStringList&) {
            QSqlQuery q(db);
            QVERIFY(q.exec(store::schemaStatements(store::dialectOf(db)).first()));
            QVERIFY(q.exec("INSERT INTO employees (Emp_ID, EmpName) VALUES (12345678, 'There first')"));
        });
        const Rows there = rowsAt(other);
        QCOMPARE(there.keys(), QStringList{"employees"});
        const CommandRun o = runCommand({"copy-database", "--to-connection", other});
        QCOMPARE(o.code, 1);
        QVERIFY2(o.err.contains("already holds Karvela's tables (employees)"), qPrintable(o.err));
        QCOMPARE(rowsAt(other), there);
    }

    void interruptedCopyLeavesNoTables()
    {
        if (!otherIsPostgres)
            QSKIP("the copying connection is ended on a PostgreSQL target");
        const QString database = other.section("Database=", 1).section(';', 0, 0);
        bool ended = false;
        const auto endTheCopy = [&](const QString& table, qint64, qint64) {
            if (ended || table != "edbooked")
                return;
            ended = true;
            on(other, [&](QSqlDatabase& db, const QStringList&) {
                QSqlQuery q(db);
                q.prepare("SELECT pid FROM pg_stat_activity WHERE datname = ? AND pid <> pg_backend_pid()");
                q.addBindValue(database);
                QVERIFY(q.exec() && q.next());
                endPostgresSession(q.value(0).toInt(), other);
            });
        };
        QVERIFY_THROWS_EXCEPTION(store::DbError, store::copyDatabase(kTessara, other, endTheCopy));
        QVERIFY(ended);
        on(other, [](QSqlDatabase&, const QStringList& tables) { QCOMPARE(tables, QStringList()); });
    }

    void backupThenRestoreGivesIdenticalRows()
    {
        const Rows before = rowsAt(kTessara);
        const QString file = dir.filePath("backup.db");
        QCOMPARE(runCommand({"backup", file}).code, 0);
        QCOMPARE(QDir(dir.path()).entryList({"backup.db*"}, QDir::Files), QStringList{"backup.db"});
        const CommandRun again = runCommand({"backup", file});
        QCOMPARE(again.code, 1);
        QVERIFY(again.err.contains("give --overwrite"));
        QCOMPARE(runCommand({"backup", file, "--overwrite"}).code, 0);
        QCOMPARE(runCommand({"restore", file}).code, 1); // Tessara is not empty
        store::dropSchema();
        QCOMPARE(runCommand({"restore", file}).code, 0);
        QCOMPARE(rowsAt(kTessara), before);
    }
};

QTEST_GUILESS_MAIN(TestCopyDatabase)
#include "test_copy_database.moc"
