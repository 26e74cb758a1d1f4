// The data store through the same ODBC path the program uses.
#include "testsupport.h"

#include "app/numtext.h"
#include "entry/cardstore.h"
#include "store/database.h"
#include "store/datasource.h"
#include "store/schema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QTest>

using namespace testsupport;

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
    }
    void init() { freshDatabase(); }

    void columnOrderIsTheSchemas_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("employees") << "employees"
                                   << QStringList{"id", "emp_id", "empname", "dob", "designation", "deptt",
                                                  "emp_addr", "grade"};
        QTest::newRow("jobs") << "jobs"
                              << QStringList{"id", "dateupdate", "jobno", "jobname", "clientco", "limit_ed", "bal_ed",
                                             "job_status", "leaddeptt"};
        QTest::newRow("edbooked") << "edbooked"
                                  << QStringList{"id", "monthname", "deptt", "emp_id", "empname", "jobno",
                                                 "daysbooked", "emp_tot_ed", "bal_ed"};
        QTest::newRow("leaves") << "leaves"
                                << QStringList{"id", "monthname", "deptt", "emp_id", "empname", "ed_booked", "cl",
                                               "rh", "el", "sl", "hpl", "hly", "spl", "lwp", "msc"};
    }
    void columnOrderIsTheSchemas()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, fields);
        auto q = store::exec("SELECT * FROM " + table);
        const QSqlRecord r = q.record();
        QStringList got;
        for (int i = 0; i < r.count(); ++i)
            got << r.fieldName(i).toLower();
        QCOMPARE(got, fields);
    }

    void valuesAreBoundNeverSpliced()
    {
        const QString dept = "R&D 'North' -- ; DROP TABLE jobs";
        addEmployee(10000001, "O'Brien \"Pat\"", dept);
        auto q = store::exec("SELECT EmpName FROM employees WHERE Deptt = ?", {dept});
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QString("O'Brien \"Pat\""));
        QVERIFY(store::anyTableExists());
    }

    void datesAndNumbersRoundTrip()
    {
        store::exec("INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName, ED_Booked, CL) VALUES (?, ?, ?, ?, ?, ?)",
                    {QDate(2008, 11, 20), "Civil", 10000001, "A, B", 7.35, 0.5});
        auto q = store::exec("SELECT MonthName, ED_Booked, CL FROM leaves WHERE MonthName = ?",
                                  {QDate(2008, 11, 20)});
        QVERIFY(q.next());
        QCOMPARE(store::dateOf(q.value(0)), QDate(2008, 11, 20));
        QCOMPARE(app::generalNumber(store::num(q.value(1))), QString("7.35"));
        QCOMPARE(store::num(q.value(2)), 0.5);
        // Date ranges compare as dates.
        QCOMPARE(scalar("SELECT COUNT(*) FROM leaves WHERE MonthName BETWEEN ? AND ?",
                        {QDate(2008, 10, 21), QDate(2008, 12, 1)})
                     .toInt(),
                 1);
    }

    void duplicateKeysAreRefusedByTheStore()
    {
        addEmployee(10000001, "First", "Civil");
        try {
            addEmployee(10000001, "Second", "Civil");
            QFAIL("a second row with the same Emp_ID was stored");
        } catch (const store::DbError& e) {
            QCOMPARE(e.kind(), store::ErrorKind::DuplicateKey);
        }
        addJob(501, "Pump", 10, 10, 0, "Civil");
        QVERIFY_THROWS_EXCEPTION(store::DbError, addJob(501, "Pump again", 10, 10, 0, "Civil"));
        QCOMPARE(scalar("SELECT COUNT(*) FROM employees").toInt(), 1);
    }

    void missingTableIsItsOwnKind()
    {
        store::execDirect("DROP TABLE leaves");
        try {
            store::exec("SELECT CL FROM leaves");
            QFAIL("query on a missing table succeeded");
        } catch (const store::DbError& e) {
            QCOMPARE(e.kind(), store::ErrorKind::MissingObject);
        }
        try {
            store::exec("SELECT NoSuchField FROM jobs");
            QFAIL("query on a missing field succeeded");
        } catch (const store::DbError& e) {
            QCOMPARE(e.kind(), store::ErrorKind::MissingObject);
        }
    }

    void transactionRollsBackUnlessCommitted()
    {
        {
            store::Transaction tx;
            addJob(1, "Kept?", 5, 5, 0, "Civil");
        }
        QCOMPARE(scalar("SELECT COUNT(*) FROM jobs").toInt(), 0);
        {
            store::Transaction tx;
            addJob(1, "Kept", 5, 5, 0, "Civil");
            tx.commit();
        }
        QCOMPARE(scalar("SELECT COUNT(*) FROM jobs").toInt(), 1);
    }

    void generatedKeysComeBack()
    {
        const QString ins = "INSERT INTO edbooked (MonthName, Deptt, Emp_ID, EmpName, JobNo, DaysBooked, Emp_Tot_ED, "
                            "Bal_ED) VALUES (?, ?, ?, ?, ?, ?, ?, ?)";
        const QList<QVariant> v{QDate(2008, 11, 20), "Civil", 10000001, "A, B", 7, 1.5, 1.5, 3.0};
        const qint64 a = store::insertReturningKey(ins, v, "ID");
        const qint64 b = store::insertReturningKey(ins, v, "ID");
        QVERIFY(a > 0);
        QCOMPARE(b, a + 1);
        QCOMPARE(scalar("SELECT DaysBooked FROM edbooked WHERE ID = ?", {b}).toDouble(), 1.5);
    }

    void lostConnectionIsReportedAndTheNextCommandReconnects()
    {
        if (!usingPostgres())
            QSKIP("the server can end a session only on PostgreSQL");
        addJob(1, "Pump", 10, 10, 0, "Civil");
        const int pid = scalar("SELECT pg_backend_pid()").toInt();
        endPostgresSession(pid); // as a server restart would
        try {
            store::Transaction tx;
            store::exec("UPDATE jobs SET Bal_ED = Bal_ED - 1 WHERE JobNo = ?", {1});
            tx.commit();
            QFAIL("a write on a lost connection was reported as done");
        } catch (const store::DbError& e) {
            QCOMPARE(e.kind(), store::ErrorKind::ConnectionLost);
        }
        // The next command opens the connection again; nothing was written.
        QCOMPARE(scalar("SELECT Bal_ED FROM jobs WHERE JobNo = ?", {1}).toDouble(), 10.0);
        QVERIFY(scalar("SELECT pg_backend_pid()").toInt() != pid);
    }

    void aFullDiskLeavesEveryCardWholeAndTheNextSavesWork()
    {
        if (usingPostgres())
            QSKIP("the page limit is SQLite's");
        const QList<int> jobs{11, 12, 13};
        for (int j : jobs)
            addJob(j, "Job", 1000, 1000, 0, "Civil");
        // Room for a few cards only, on this connection.
        const int pages = scalar("PRAGMA page_count").toInt();
        store::exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages + 4));
        const QString name = QString(100, QLatin1Char('n')) + ", " + QString(100, QLatin1Char('d'));
        QList<qint64> saved, failed;
        for (qint64 emp = 10000001; emp <= 10000060; ++emp) {
            QList<entry::CardLine> lines;
            for (int j : jobs)
                lines << entry::CardLine{j, 1.5, 0, 0};
            entry::LeaveValues leaves;
            leaves.HLY = 25.5;
            try {
                QVERIFY(entry::appendCard({emp, name, "Civil", QDate(2008, 11, 20)}, 4.5, leaves, lines));
                saved << emp;
            } catch (const entry::CardWriteError&) {
                QVERIFY2(!saved.isEmpty(), "the disk was full before the first card");
                failed << emp;
            }
        }
        QVERIFY(!failed.isEmpty());
        // After the fault the next command runs on a fresh connection without the limit.
        QCOMPARE(saved.last(), qint64(10000060));
        QList<qint64> stored;
        auto q = store::exec("SELECT Emp_ID, (SELECT COUNT(*) FROM edbooked e WHERE e.Emp_ID = l.Emp_ID) FROM leaves l "
                             "ORDER BY Emp_ID");
        while (q.next()) {
            stored << store::whole(q.value(0));
            QCOMPARE(q.value(1).toInt(), 3);
        }
        QCOMPARE(stored, saved);
        QCOMPARE(rows("edbooked"), 3 * int(saved.size()));
        for (int j : jobs)
            QCOMPARE(balance(j), 1000 - 1.5 * saved.size());
    }

    void aMissingFileIsNeverCreatedByOpeningButCreatedPrivateWhenWanted()
    {
        if (usingPostgres())
            QSKIP("an SQLite data source names a file");
        store::disconnectDatabase();
        const QString file = store::dataSourceFacts().database;
        QVERIFY(QFile::rename(file, file + ".kept"));
        QVERIFY_THROWS_EXCEPTION(store::DbError, store::connectDatabase());
        QVERIFY(!QFile::exists(file));
        QVERIFY(store::createDataSourceFile());
        QCOMPARE(QFile::permissions(file) & 0x0777, QFile::ReadUser | QFile::WriteUser);
        store::connectDatabase();
        QVERIFY(!store::anyTableExists());
        store::disconnectDatabase();
        QVERIFY(QFile::remove(file));
        QVERIFY(QFile::rename(file + ".kept", file));
    }

    void dialectIsDetected()
    {
        QCOMPARE(store::dialect(), usingPostgres() ? store::Dialect::PostgreSQL : store::Dialect::SQLite);
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
