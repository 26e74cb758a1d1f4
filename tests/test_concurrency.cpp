// Several desktops on one database at the same time, and a connection that
// breaks in the middle of a write. The desktops are separate processes
// (karvela_cardsaver) running the card logic of the data-entry window.
#include "testsupport.h"

#include "admin/employees.h"
#include "admin/monthclose.h"
#include "app/failurebox.h"
#include "app/numtext.h"
#include "entry/cardstore.h"
#include "entry/jobmaster.h"
#include "store/database.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>
#include <vector>

using namespace testsupport;

namespace {

const QDate kTo(2009, 4, 20);
const double kStart = 1000;



// Days the desktop types for line r of an employee's card (as cardsaver does).
double typedDays(qint64 emp, int r, int round = 0)
{
    return 1 + double((emp + r + round) % 4) * 0.5;
}

QStringList jobArgs(const QList<qint64>& jobs)
{
    QStringList l;
    for (qint64 j : jobs)
        l << QString::number(j);
    return l;
}

struct Run {
    QList<QStringList> lines; // output lines of each desktop, after "ready"
    qint64 elapsedMs = 0;
};

// Starts one desktop per argument list, waits until all are connected, lets
// them go at the same instant and collects what each reports.
Run runDesktops(const QList<QStringList>& argLists, const std::function<void()>& meanwhile = {})
{
    std::vector<std::unique_ptr<QProcess>> ps;
    for (const QStringList& args : argLists) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(KARVELA_CARDSAVER), args);
        if (!p->waitForStarted(10000))
            qFatal("cannot start the card saver");
        ps.push_back(std::move(p));
    }
    for (auto& p : ps) {
        while (!p->canReadLine())
            if (!p->waitForReadyRead(20000))
                qFatal("a desktop did not get ready: %s", qPrintable(p->readAll()));
        const QByteArray first = p->readLine().trimmed();
        if (first != "ready")
            qFatal("a desktop said %s", first.constData());
    }
    QElapsedTimer t;
    t.start();
    // QProcess writes only while it is waited on: hand every desktop its
    // line before waiting for any of them to finish.
    for (auto& p : ps)
        p->write("go\n");
    for (auto& p : ps)
        p->waitForBytesWritten(5000);
    if (meanwhile)
        meanwhile();
    Run run;
    for (auto& p : ps) {
        p->closeWriteChannel();
        if (!p->waitForFinished(50000))
            qFatal("a desktop did not finish");
    }
    run.elapsedMs = t.elapsed();
    for (auto& p : ps)
        run.lines << QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

QStringList failures(const Run& run)
{
    QStringList f;
    for (const QStringList& l : run.lines) {
        for (const QString& s : l)
            if (s.startsWith(QLatin1String("failed")))
                f << s;
        if (l.isEmpty() || l.last() != QLatin1String("done"))
            f << QStringLiteral("a desktop did not finish its work");
    }
    return f;
}

void addEmployees(qint64 first, int count)
{
    store::Transaction tx;
    for (int k = 0; k < count; ++k)
        addEmployee(first + k, QStringLiteral("Clerk %1").arg(first + k), "Civil");
    tx.commit();
}

void addThreeJobs()
{
    for (int j : {101, 102, 103})
        addJob(j, QStringLiteral("Job %1").arg(j), 500, kStart, 0, "Civil");
}

// Every job's stored balance is its starting balance minus the days all
// stored cards book on it.
void balancesMatchTheBookings()
{
    for (int j : {101, 102, 103}) {
        const double booked = store::num(scalar("SELECT SUM(DaysBooked) FROM edbooked WHERE JobNo = ?", {j}));
        QCOMPARE(balance(j), kStart - booked);
    }
}

// Makes the server end any session that changes a job, as a server stopped
// after the card's first rows were written would.
void serverStopsAtTheFirstJobChange()
{
    store::execDirect("CREATE OR REPLACE FUNCTION stop_here() RETURNS trigger AS $$ BEGIN "
                      "PERFORM pg_terminate_backend(pg_backend_pid()); RETURN NEW; END $$ LANGUAGE plpgsql");
    store::execDirect("CREATE TRIGGER stop_here BEFORE UPDATE ON jobs FOR EACH ROW EXECUTE FUNCTION stop_here()");
}

void serverRunsAgain()
{
    store::exec("DROP TRIGGER stop_here ON jobs");
}

} // namespace

class TestConcurrency : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
    }

    void init()
    {
        freshDatabase();
        addThreeJobs();
    }

    void eightDesktopsBookTheSameJobs()
    {
        if (!usingPostgres())
            QSKIP("many desktops share a PostgreSQL server");
        const qint64 first = 20000001;
        addEmployees(first, 200);
        // Each desktop lists the three jobs in its own order.
        const QList<QList<qint64>> orders = {{101, 102, 103}, {102, 103, 101}, {103, 101, 102}};
        QList<QStringList> args;
        QHash<qint64, QList<qint64>> jobsOf; // employee -> the card's jobs in row order
        QHash<qint64, double> expectedBooked;
        for (int d = 0; d < 8; ++d) {
            const QList<qint64>& jobs = orders[d % 3];
            const qint64 from = first + 25 * d;
            args << (QStringList{"save", QString::number(from), "25", kTo.toString(Qt::ISODate), "1"} + jobArgs(jobs));
            for (qint64 e = from; e < from + 25; ++e) {
                jobsOf[e] = jobs;
                for (int r = 0; r < 3; ++r)
                    expectedBooked[jobs[r]] += typedDays(e, r);
            }
        }
        const Run run = runDesktops(args);
        QCOMPARE(failures(run), QStringList());
        qInfo("8 desktops saved 200 cards in %lld ms: %.1f cards per second", run.elapsedMs,
              200000.0 / double(std::max<qint64>(run.elapsedMs, 1)));

        // Every card stored, with its three bookings.
        QCOMPARE(rows("leaves"), 200);
        QCOMPARE(rows("edbooked"), 600);
        for (int j : {101, 102, 103})
            QCOMPARE(balance(j), kStart - expectedBooked[j]);

        // Replaying the bookings in record-key order gives each row's balance:
        // a card draws its keys only after it holds its jobs, so for two cards
        // on one job the key order is the order in which they committed.
        QHash<qint64, double> running{{101, kStart}, {102, kStart}, {103, kStart}};
        QHash<QPair<qint64, qint64>, double> stored; // (employee, job) -> Bal_ED
        auto q = store::exec("SELECT Emp_ID, JobNo, DaysBooked, Bal_ED FROM edbooked ORDER BY ID");
        int replayed = 0;
        while (q.next()) {
            const qint64 emp = store::whole(q.value(0));
            const qint64 job = store::whole(q.value(1));
            running[job] -= store::num(q.value(2));
            QCOMPARE(store::num(q.value(3)), running[job]);
            stored[{emp, job}] = store::num(q.value(3));
            ++replayed;
        }
        QCOMPARE(replayed, 600);
        for (int j : {101, 102, 103})
            QCOMPARE(running[j], balance(j));

        // The balances each desktop showed after its save are the stored ones.
        int shown = 0;
        for (const QStringList& out : run.lines)
            for (const QString& line : out) {
                const QStringList w = line.split(' ');
                if (w.value(0) != "saved")
                    continue;
                const qint64 emp = w[1].toLongLong();
                QCOMPARE(w.size(), 6);
                for (int r = 0; r < 3; ++r)
                    QCOMPARE(w[3 + r].toDouble(), stored.value({emp, jobsOf[emp][r]}, -1e9));
                ++shown;
            }
        QCOMPARE(shown, 200);
    }

    void sameCardAtTheSameInstant_data()
    {
        QTest::addColumn<bool>("onFile");
        QTest::newRow("employee on file") << true;
        // No employee row to wait on: the card's unique key decides.
        QTest::newRow("employee not on file") << false;
    }
    void sameCardAtTheSameInstant()
    {
        if (!usingPostgres())
            QSKIP("many desktops share a PostgreSQL server");
        QFETCH(bool, onFile);
        const qint64 emp = 30000001;
        if (onFile)
            addEmployee(emp, "Dora", "Civil");
        // Both desktops save the same employee's cards of five months.
        const QStringList a{"save", QString::number(emp), "1", kTo.toString(Qt::ISODate), "5", "101", "102"};
        const Run run = runDesktops({a, a});
        QCOMPARE(failures(run), QStringList());
        for (int m = 0; m < 5; ++m) {
            const QString month = kTo.addMonths(m).toString(Qt::ISODate);
            QStringList outcomes;
            for (const QStringList& out : run.lines)
                for (const QString& line : out)
                    if (line.section(' ', 2, 2) == month)
                        outcomes << line.section(' ', 0, 0);
            outcomes.sort();
            QCOMPARE(outcomes, (QStringList{"duplicate", "saved"}));
        }
        QCOMPARE(rows("leaves"), 5);
        QCOMPARE(rows("edbooked"), 10);
        QCOMPARE(balance(101), kStart - 5 * typedDays(emp, 0));
        QCOMPARE(balance(102), kStart - 5 * typedDays(emp, 1));
    }

    void aCloseRacingEightDesktopsHasOneOrder()
    {
        if (!usingPostgres())
            QSKIP("many desktops share a PostgreSQL server");
        const qint64 first = 20000001;
        addEmployees(first, 200);
        QList<QStringList> args;
        for (int d = 0; d < 8; ++d)
            args << (QStringList{"save", QString::number(first + 25 * d), "25", kTo.toString(Qt::ISODate), "1"}
                     + jobArgs({101, 102, 103}));
        qputenv("KARVELA_CARDSAVER_PAUSE_MS", "5");
        // A ninth desktop closes the month once the first cards are in.
        const Run run = runDesktops(args, [] {
            QElapsedTimer waited;
            waited.start();
            while (rows("leaves") < 40 && waited.elapsed() < 60000)
                QThread::msleep(5);
            admin::closeMonth({"Civil"}, kTo);
        });
        qunsetenv("KARVELA_CARDSAVER_PAUSE_MS");
        QSet<qint64> saved, refused;
        QStringList other;
        for (const QStringList& out : run.lines)
            for (const QString& line : out) {
                const qint64 emp = line.section(' ', 1, 1).toLongLong();
                if (line.startsWith("saved "))
                    saved << emp;
                else if (line.startsWith("failed ") && line.section(' ', 3).startsWith("AddRecord|MonthClosed|"))
                    refused << emp;
                else if (line != "done")
                    other << line;
            }
        QCOMPARE(other, QStringList());
        QCOMPARE(saved.size() + refused.size(), 200);
        QVERIFY(!refused.isEmpty());
        qInfo("a close among 8 desktops: %lld cards stored before it, %lld refused after it", qint64(saved.size()),
              qint64(refused.size()));
        // Every stored card whole, every refused one absent.
        QSet<qint64> stored;
        for (auto q = store::exec("SELECT Emp_ID FROM leaves"); q.next();)
            stored << store::whole(q.value(0));
        QCOMPARE(stored, saved);
        QCOMPARE(rows("edbooked"), 3 * int(saved.size()));
        balancesMatchTheBookings();
        // Each stored card's audit row comes before the close's, in key order
        // and in time.
        auto close = store::exec("SELECT ID, ChangedAt FROM auditlog WHERE Command = ?", {"month close"});
        QVERIFY(close.next());
        const qint64 closeId = store::whole(close.value(0));
        const QDateTime closedAt = close.value(1).toDateTime();
        close.finish();
        int cards = 0;
        for (auto q = store::exec("SELECT ID, ChangedAt, RecordKey FROM auditlog WHERE Command = ?", {"card append"});
             q.next(); ++cards) {
            QVERIFY(store::whole(q.value(0)) < closeId);
            QVERIFY(q.value(1).toDateTime() <= closedAt);
            QVERIFY(saved.contains(store::textOf(q.value(2)).section('/', 0, 0).toLongLong()));
        }
        QCOMPARE(cards, int(saved.size()));
    }

    void changesAndDeletesRaceAppends()
    {
        if (!usingPostgres())
            QSKIP("many desktops share a PostgreSQL server");
        const qint64 changed = 40000001, deleted = 40000002;
        addEmployees(changed, 2);
        addEmployees(40000101, 50);
        for (qint64 e : {changed, deleted})
            QVERIFY(entry::appendCard({e, "x", "Civil", kTo}, 6, {}, {{101, 2, 0, 0}, {102, 2, 0, 0}, {103, 2, 0, 0}}));
        const QString to = kTo.toString(Qt::ISODate);
        const Run run = runDesktops({
            {"update", QString::number(changed), to, "20"},
            {"delete", QString::number(deleted), to, "10", "101", "102", "103"},
            QStringList{"save", "40000101", "25", to, "1", "101", "102", "103"},
            QStringList{"save", "40000126", "25", to, "1", "103", "102", "101"},
        });
        QCOMPARE(failures(run), QStringList());
        QCOMPARE(rows("leaves"), 51);
        QVERIFY(!entry::cardExists(deleted, kTo));
        for (int r = 0; r < 3; ++r)
            QCOMPARE(store::num(scalar("SELECT DaysBooked FROM edbooked WHERE Emp_ID = ? AND JobNo = ?",
                                       {changed, 101 + r})),
                     typedDays(changed, r, 20));
        balancesMatchTheBookings();
    }

    void serverRestartsWhileDesktopsSave()
    {
        // The whole server restarts (every session ends) while two desktops
        // save cards one after another.
        const QString dir = qEnvironmentVariable("KARVELA_TEST_PGDIR");
        if (!usingPostgres() || dir.isEmpty())
            QSKIP("needs the test command's PostgreSQL cluster (KARVELA_TEST_PGDIR)");
        qputenv("KARVELA_CARDSAVER_PAUSE_MS", "15");
        const QString to = kTo.toString(Qt::ISODate);
        const Run run = runDesktops({QStringList{"save", "80000001", "80", to, "1", "101", "102", "103"},
                                     QStringList{"save", "81000001", "80", to, "1", "103", "101", "102"}},
                                    [&] {
                                        QThread::msleep(300);
                                        QCOMPARE(QProcess::execute("bash", {QStringLiteral(KARVELA_SOURCE_DIR)
                                                                                + "/scripts/pg-test-cluster.sh",
                                                                            "restart", dir}),
                                                 0);
                                    });
        qunsetenv("KARVELA_CARDSAVER_PAUSE_MS");
        // This program's own connection ended too: its next command says so,
        // the one after connects again.
        try {
            scalar("SELECT 1");
        } catch (const store::DbError& e) {
            QCOMPARE(e.kind(), store::ErrorKind::ConnectionLost);
        }
        QCOMPARE(scalar("SELECT 1").toInt(), 1);

        int saved = 0, lost = 0;
        for (const QStringList& out : run.lines) {
            QCOMPARE(out.value(out.size() - 1), QString("done"));
            // After the restart the desktop saves again.
            QVERIFY2(out.value(out.size() - 2).startsWith("saved"), qPrintable(out.join('\n')));
            for (const QString& line : out) {
                const qint64 emp = line.section(' ', 1, 1).toLongLong();
                if (line.startsWith("saved")) {
                    ++saved;
                    QCOMPARE(scalar("SELECT COUNT(*) FROM leaves WHERE Emp_ID = ?", {emp}).toInt(), 1);
                    QCOMPARE(scalar("SELECT COUNT(*) FROM edbooked WHERE Emp_ID = ?", {emp}).toInt(), 3);
                } else if (line.startsWith("failed")) {
                    ++lost;
                    QVERIFY2(line.contains("|ConnectionLost|"), qPrintable(line));
                    // No trace of a card that was not saved.
                    QCOMPARE(scalar("SELECT COUNT(*) FROM leaves WHERE Emp_ID = ?", {emp}).toInt(), 0);
                    QCOMPARE(scalar("SELECT COUNT(*) FROM edbooked WHERE Emp_ID = ?", {emp}).toInt(), 0);
                }
            }
        }
        qInfo("server restart: %d cards saved, %d refused with the lost-connection box", saved, lost);
        QVERIFY(lost > 0);
        QCOMPARE(saved + lost, 160);
        QCOMPARE(rows("leaves"), saved);
        balancesMatchTheBookings();
    }

    void keysRefuseWhatTheLookUpMissed_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("card") << "card";
        QTest::newRow("job number") << "job";
        QTest::newRow("employee ID") << "employee";
    }
    void keysRefuseWhatTheLookUpMissed()
    {
        // Another desktop's row is not committed yet when this desktop looks
        // for it; the key refuses the second one once the first commits.
        QFETCH(QString, what);
        if (what == "card") {
            // An employee with no row to wait on.
            whileAnotherDesktopHolds("INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName, ED_Booked, HLY) VALUES "
                                     "('2009-04-20', 'Civil', 50000001, 'x', 0, 31)",
                                     [] {
                                         QVERIFY(!entry::appendCard({50000001, "x", "Civil", kTo}, 31, {},
                                                                    {{101, 31, 0, 0}}));
                                     });
            QCOMPARE(rows("leaves"), 1);
            QCOMPARE(rows("edbooked"), 0);
            QCOMPARE(balance(101), kStart);
        } else if (what == "job") {
            whileAnotherDesktopHolds("INSERT INTO jobs (JobNo, JobName, Limit_ED, Bal_ED) VALUES (900, 'first', 5, 0)",
                                     [] { QVERIFY(!entry::addJob({900, "second", "", 7, 0, 0, "Civil"})); });
            QCOMPARE(scalar("SELECT JobName FROM jobs WHERE JobNo = 900").toString(), QString("first"));
        } else {
            whileAnotherDesktopHolds("INSERT INTO employees (Emp_ID, EmpName) VALUES (60000001, 'first')", [] {
                admin::EmployeeForm f;
                f.name = "second";
                f.employeeId = "60000001";
                f.birthDate = "01/01/1980";
                try {
                    admin::addEmployee(f);
                    QFAIL("a second employee 60000001 was stored");
                } catch (const store::DbError& e) {
                    QCOMPARE(e.kind(), store::ErrorKind::DuplicateKey);
                }
            });
            QCOMPARE(scalar("SELECT COUNT(*) FROM employees WHERE Emp_ID = 60000001").toInt(), 1);
        }
    }

    void deleteOfACardStoredAgainMeanwhileIsRefused()
    {
        // This desktop opened the card; another deleted it and stored a new
        // card of the same month before this one pressed delete.
        const entry::CardHeader h{10000001, "Amy, Engineer", "Civil", kTo};
        QVERIFY(entry::appendCard(h, 31, {}, {{101, 20, 0, 0}, {102, 11, 0, 0}}));
        const entry::LoadedCard opened = entry::loadCard(10000001, kTo);
        QList<qint64> ids;
        for (const auto& r : opened.rows)
            ids << r.id;
        entry::deleteCard(h, {{101, 0, 20, 0}, {102, 0, 11, 0}}, ids);
        QVERIFY(entry::appendCard(h, 31, {}, {{101, 21, 0, 0}, {102, 10, 0, 0}}));
        try {
            entry::deleteCard(h, {{101, 0, 20, 0}, {102, 0, 11, 0}}, ids);
            QFAIL("a card changed since it was opened was deleted");
        } catch (const entry::CardWriteError& e) {
            QCOMPARE(e.error().kind(), store::ErrorKind::NoRecord);
        }
        QVERIFY(entry::cardExists(10000001, kTo));
        QCOMPARE(rows("edbooked"), 2);
        QCOMPARE(balance(101), kStart - 21);
        balancesMatchTheBookings();
    }

    void serverStopsInTheMiddleOfACardWrite_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("notSaved");
        QTest::newRow("append") << "append" << app::notsaved::Card;
        QTest::newRow("update") << "update" << app::notsaved::CardChange;
        QTest::newRow("delete") << "delete" << app::notsaved::CardDelete;
    }
    void serverStopsInTheMiddleOfACardWrite()
    {
        if (!usingPostgres())
            QSKIP("the server can end a session only on PostgreSQL");
        QFETCH(QString, command);
        QFETCH(QString, notSaved);
        const entry::CardHeader h{10000001, "Amy, Engineer", "Civil", kTo};
        if (command != "append")
            QVERIFY(entry::appendCard(h, 31, {}, {{101, 20, 0, 0}, {102, 11, 0, 0}}));
        const double b101 = balance(101), b102 = balance(102);
        const int edRows = rows("edbooked"), leaveRows = rows("leaves");
        serverStopsAtTheFirstJobChange();
        try {
            if (command == "append")
                entry::appendCard(h, 31, {}, {{101, 20, 0, 0}, {102, 11, 0, 0}});
            else if (command == "update")
                entry::updateCard(h, 31, {}, {{101, 1, 20, 0}, {102, 30, 11, 0}});
            else
                entry::deleteCard(h, {{101, 0, 20, 0}, {102, 0, 11, 0}}, {1, 2});
            QFAIL("a write on a lost connection was reported as done");
        } catch (const entry::CardWriteError& e) {
            QCOMPARE(e.error().kind(), store::ErrorKind::ConnectionLost);
            QCOMPARE(e.routine(), QString("UpdateProgED"));
            const QString box = e.boxText(notSaved);
            QVERIFY2(box.startsWith(e.error().number() + "\r\nUpdateProgED SubRoutine\r\n"), qPrintable(box));
            QVERIFY2(box.contains("data source Tessara was lost"), qPrintable(box));
            QVERIFY2(box.contains(notSaved), qPrintable(box));
        }
        // The next command connects again and finds no trace of the write.
        serverRunsAgain();
        QCOMPARE(rows("leaves"), leaveRows);
        QCOMPARE(rows("edbooked"), edRows);
        QCOMPARE(balance(101), b101);
        QCOMPARE(balance(102), b102);
        if (command != "append")
            QCOMPARE(store::num(scalar("SELECT DaysBooked FROM edbooked WHERE JobNo = 101")), 20.0);
        // And the same command then lands.
        if (command == "append") {
            QVERIFY(entry::appendCard(h, 31, {}, {{101, 20, 0, 0}, {102, 11, 0, 0}}));
            QCOMPARE(balance(101), kStart - 20);
        } else if (command == "update") {
            QCOMPARE(entry::updateCard(h, 31, {}, {{101, 1, 20, 0}, {102, 30, 11, 0}}),
                     (QList<double>{kStart - 1, kStart - 30}));
        } else {
            QCOMPARE(entry::deleteCard(h, {{101, 0, 20, 0}, {102, 0, 11, 0}}, {1, 2}),
                     (QList<double>{kStart, kStart}));
            QCOMPARE(rows("leaves"), 0);
        }
        balancesMatchTheBookings();
    }
};

QTEST_GUILESS_MAIN(TestConcurrency)
#include "test_concurrency.moc"
