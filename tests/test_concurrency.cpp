// Several desktops on one database at the same time, and card writes that
// fail half-way. The desktops are separate processes (karvela_cardsaver)
// running the card logic of the data-entry window.
#include "testsupport.h"

#include "admin/employees.h"
#include "admin/monthclose.h"
#include "app/failurebox.h"
#include "entry/cardstore.h"
#include "entry/jobmaster.h"
#include "store/database.h"

#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>
#include <vector>

using namespace testsupport;

namespace {

const QDate kTo(2009, 4, 20);
const QString kToText = kTo.toString(Qt::ISODate);
const double kStart = 1000;
const QList<QStringList> kOrders = {{"101", "102", "103"}, {"102", "103", "101"}, {"103", "101", "102"}};

// Starts one desktop per argument list, lets them all go at the same instant
// once connected and gives back the lines each printed after "ready".
QList<QStringList> runDesktops(const QList<QStringList>& argLists, const std::function<void()>& meanwhile)
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
        if (const QByteArray first = p->readLine().trimmed(); first != "ready")
            qFatal("a desktop said %s", first.constData());
    }
    // QProcess writes only while it is waited on: hand every desktop its
    // line before waiting for any of them to finish.
    for (auto& p : ps)
        p->write("go\n");
    for (auto& p : ps)
        p->waitForBytesWritten(5000);
    meanwhile();
    QList<QStringList> lines;
    for (auto& p : ps) {
        if (p->closeWriteChannel(); !p->waitForFinished(50000))
            qFatal("a desktop did not finish");
        lines << QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (lines.last().value(lines.last().size() - 1) != "done")
            qFatal("a desktop did not finish its work");
    }
    return lines;
}

// The lines of every desktop that start with `word`.
QStringList linesOf(const QList<QStringList>& run, const QString& word)
{
    QStringList l;
    for (const QStringList& out : run)
        for (const QString& line : out)
            if (line.section(' ', 0, 0) == word)
                l << line;
    return l;
}

void addEmployees(qint64 first, int count)
{
    store::Transaction tx;
    for (int k = 0; k < count; ++k)
        addEmployee(first + k, QStringLiteral("Clerk %1").arg(first + k), "Civil");
    tx.commit();
}

// Every job's stored balance is its starting balance minus the days all
// stored cards book on it.
void balancesMatchTheBookings()
{
    for (int j : {101, 102, 103})
        QCOMPARE(balance(j), kStart - store::num(scalar("SELECT SUM(DaysBooked) FROM edbooked WHERE JobNo = ?", {j})));
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
        if (!usingPostgres() && QByteArray(QTest::currentTestFunction()).toLower().contains("desktops"))
            QSKIP("many desktops share a PostgreSQL server");
        freshDatabase();
        addEmployee(10000001, "Amy", "Civil");
        for (int j : {101, 102, 103})
            addJob(j, QStringLiteral("Job %1").arg(j), 500, kStart, 0, "Civil");
    }

    // Eight desktops book the same three jobs, each listing them in its own
    // order; a ninth closes the month once the first cards are in.
    void eightDesktopsAndAClose()
    {
        addEmployees(20000001, 200);
        QList<QStringList> args; // 25 cards each
        for (int d = 0; d < 8; ++d)
            args << QStringList{QString::number(20000001 + 25 * d), "25", kToText, "1"} + kOrders[d % 3];
        qputenv("KARVELA_CARDSAVER_PAUSE_MS", "5");
        const auto run = runDesktops(args, [] {
            QElapsedTimer waited;
            waited.start();
            while (rows("leaves") < 40 && waited.elapsed() < 60000)
                QThread::msleep(5);
            admin::closeMonth({"Civil"}, kTo);
        });
        qunsetenv("KARVELA_CARDSAVER_PAUSE_MS");
        QSet<qint64> saved, refused, stored;
        for (const QString& line : linesOf(run, "saved"))
            saved << line.section(' ', 1, 1).toLongLong();
        for (const QString& line : linesOf(run, "failed")) {
            QVERIFY2(line.section(' ', 3).startsWith("AddRecord|MonthClosed|"), qPrintable(line));
            refused << line.section(' ', 1, 1).toLongLong();
        }
        QCOMPARE(saved.size() + refused.size(), 200);
        QVERIFY(!refused.isEmpty());
        // Every stored card whole, every refused one absent.
        for (auto q = store::exec("SELECT Emp_ID FROM leaves"); q.next();)
            stored << store::whole(q.value(0));
        QCOMPARE(stored, saved);
        QCOMPARE(rows("edbooked"), 3 * int(saved.size()));
        balancesMatchTheBookings();
        // Replaying the bookings in record-key order gives each row's balance:
        // a card draws its keys only after it holds its jobs, so for two cards
        // on one job the key order is the order in which they committed.
        QHash<qint64, double> running{{101, kStart}, {102, kStart}, {103, kStart}};
        QHash<QPair<qint64, qint64>, double> booked; // (employee, job) -> Bal_ED
        for (auto q = store::exec("SELECT Emp_ID, JobNo, DaysBooked, Bal_ED FROM edbooked ORDER BY ID"); q.next();) {
            const qint64 job = store::whole(q.value(1));
            running[job] -= store::num(q.value(2));
            QCOMPARE(store::num(q.value(3)), running[job]);
            booked[{store::whole(q.value(0)), job}] = running[job];
        }
        // The balances each desktop showed after its save are the stored ones.
        for (int d = 0; d < 8; ++d)
            for (const QString& line : linesOf({run[d]}, "saved")) {
                const QStringList w = line.split(' ');
                for (int r = 0; r < 3; ++r)
                    QCOMPARE(w[3 + r].toDouble(), booked.value({w[1].toLongLong(), kOrders[d % 3][r].toLongLong()}, -1e9));
            }
        // Each stored card's audit row comes before the close's, in key order
        // and in time.
        const qint64 closeId = store::whole(scalar("SELECT ID FROM auditlog WHERE Command = ?", {"month close"}));
        const QDateTime closedAt = scalar("SELECT ChangedAt FROM auditlog WHERE Command = ?", {"month close"}).toDateTime();
        QVERIFY(closedAt.isValid());
        int cards = 0;
        for (auto q = store::exec("SELECT ID, ChangedAt, RecordKey FROM auditlog WHERE Command = ?", {"card append"});
             q.next(); ++cards) {
            QVERIFY(store::whole(q.value(0)) < closeId);
            QVERIFY(q.value(1).toDateTime() <= closedAt);
            QVERIFY(saved.contains(store::textOf(q.value(2)).section('/', 0, 0).toLongLong()));
        }
        QCOMPARE(cards, int(saved.size()));
    }

    // Cards changed 20 times and deleted and stored again 10 times here while
    // two desktops append.
    void changesAndDeletesWhileDesktopsAppend()
    {
        const entry::CardHeader changed{40000001, "x", "Civil", kTo}, deleted{40000002, "x", "Civil", kTo};
        const auto lines = [](double days) { return QList<entry::CardLine>{{101, days, 0, 0}, {102, days, 0, 0}, {103, days, 0, 0}}; };
        addEmployees(40000001, 2);
        addEmployees(40000101, 50);
        for (const entry::CardHeader& h : {changed, deleted})
            QVERIFY(entry::appendCard(h, 6, {}, lines(2)));
        const auto run = runDesktops({QStringList{"40000101", "25", kToText, "1"} + kOrders[0],
                                      QStringList{"40000126", "25", kToText, "1"} + kOrders[2]},
                                     [&] {
                                         for (int r = 1; r <= 20; ++r)
                                             entry::updateCard(changed, 3 * r, {}, lines(r));
                                         for (int r = 0; r < 10; ++r) {
                                             QList<qint64> ids;
                                             for (const auto& row : entry::loadCard(deleted.empId, kTo).rows)
                                                 ids << row.id;
                                             entry::deleteCard(deleted, lines(0), ids);
                                             if (r < 9)
                                                 QVERIFY(entry::appendCard(deleted, 3 * r, {}, lines(r)));
                                         }
                                     });
        QCOMPARE(linesOf(run, "failed"), QStringList());
        QCOMPARE(rows("leaves"), 51);
        QVERIFY(!entry::cardExists(deleted.empId, kTo));
        QCOMPARE(store::num(scalar("SELECT SUM(DaysBooked) FROM edbooked WHERE Emp_ID = ?", {changed.empId})), 60.0);
        balancesMatchTheBookings();
    }

    // Another desktop wrote the same key and has not committed yet when this
    // desktop looks for it: this write waits, then the key refuses it. A
    // card's employee without a row to wait on: the card's unique key decides.
    void anotherDesktopWasFirst()
    {
        const QString card = "INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName, ED_Booked, CL, rh, EL, SL, HPL, HLY, "
                             "SPL, LWP, MSC) VALUES ('2009-04-20', 'Civil', %1, 'first', 0, 0, 0, 0, 0, 0, 31, 0, 0, 0)";
        const auto append = [](qint64 emp) {
            return entry::appendCard({emp, "Amy", "Civil", kTo}, 31, {}, {{101, 31, 0, 0}}) ? "written" : "refused";
        };
        admin::EmployeeForm f;
        f.name = "second";
        f.employeeId = "60000001";
        f.birthDate = "01/01/1980";
        const struct {
            QStringList held;
            std::function<QString()> write;
            QString outcome, check; // whose write stayed
        } cases[] = {
            {{"UPDATE employees SET EmpName = EmpName WHERE Emp_ID = 10000001", card.arg(10000001)},
             [&] { return append(10000001); }, "refused", "SELECT EmpName FROM leaves WHERE Emp_ID = 10000001"},
            {{card.arg(30000001)}, [&] { return append(30000001); }, "refused", "SELECT EmpName FROM leaves WHERE Emp_ID = 30000001"},
            {{"INSERT INTO jobs (JobNo, JobName, Limit_ED, Bal_ED) VALUES (900, 'first', 5, 0)"},
             [] { return entry::addJob({900, "second", "", 7, 0, 0, "Civil"}) ? "written" : "refused"; }, "refused",
             "SELECT JobName FROM jobs WHERE JobNo = 900"},
            {{"INSERT INTO employees (Emp_ID, EmpName) VALUES (60000001, 'first')"}, [&] { admin::addEmployee(f); return "written"; },
             "duplicate key", "SELECT EmpName FROM employees WHERE Emp_ID = 60000001"},
        };
        for (const auto& c : cases) {
            QString got;
            whileAnotherDesktopHolds(c.held, [&] {
                try {
                    got = c.write();
                } catch (const store::DbError& e) {
                    got = e.kind() == store::ErrorKind::DuplicateKey ? "duplicate key" : e.description();
                }
            });
            QVERIFY2(got == c.outcome, qPrintable(c.held.last() + ": " + got));
            QCOMPARE(scalar(c.check).toString(), QString("first"));
        }
        QCOMPARE(rows("edbooked"), 0);
        balancesMatchTheBookings();
    }

    // Every card write x a fault after its first rows: nothing of it stays,
    // the box names the routine, and the same write then lands.
    void cardWriteFails_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("fault");
        for (const char* c : {"append", "update", "delete"})
            for (const char* f : {"refused", "job missing", "connection lost"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(c, f))) << QString(c) << QString(f);
    }
    void cardWriteFails()
    {
        QFETCH(QString, command);
        QFETCH(QString, fault);
        const bool pg = usingPostgres();
        if (fault == "connection lost" && !pg)
            QSKIP("the server ends a session only on PostgreSQL");
        const int c = QStringList{"append", "update", "delete"}.indexOf(command);
        const QString notSaved = QList<const char*>{app::notsaved::Card, app::notsaved::CardChange, app::notsaved::CardDelete}[c];
        const QList<double> landed = QList<QList<double>>{{kStart - 20, kStart - 11}, {kStart - 1, kStart - 30}, {kStart, kStart}}[c];
        const entry::CardHeader h{10000001, "Amy, Engineer", "Civil", kTo};
        const QList<entry::CardLine> booked{{101, 20, 0, 0}, {102, 11, 0, 0}};
        if (c > 0)
            QVERIFY(entry::appendCard(h, 31, {}, booked));
        QList<qint64> ids;
        for (const auto& r : entry::loadCard(10000001, kTo).rows)
            ids << r.id;
        const auto write = [&]() -> QList<double> {
            if (c == 0)
                return entry::appendCard(h, 31, {}, booked).value_or(QList<double>{});
            if (c == 1)
                return entry::updateCard(h, 31, {}, {{101, 1, 20, 0}, {102, 30, 11, 0}});
            return entry::deleteCard(h, booked, ids);
        };
        const QString before = storedCards();
        const double balance102 = balance(102);
        const QString trigger = fault == "refused" ? "refuse_job" : "stop_here";
        if (fault == "job missing") {
            store::exec("DELETE FROM jobs WHERE JobNo = 102");
        } else if (!pg) {
            store::execDirect("CREATE TRIGGER refuse_job BEFORE UPDATE ON jobs WHEN OLD.JobNo = 102 "
                              "BEGIN SELECT RAISE(ABORT, 'job is locked'); END");
        } else {
            store::execDirect(QString("CREATE OR REPLACE FUNCTION %1() RETURNS trigger AS $$ BEGIN %2; END $$ LANGUAGE plpgsql")
                                  .arg(trigger, fault == "refused" ? "RAISE EXCEPTION 'job is locked'"
                                                                   : "PERFORM pg_terminate_backend(pg_backend_pid()); RETURN NEW"));
            store::execDirect(
                QString("CREATE TRIGGER %1 BEFORE UPDATE ON jobs FOR EACH ROW WHEN (OLD.JobNo = 102) EXECUTE FUNCTION %1()")
                    .arg(trigger));
        }
        try {
            write();
            QFAIL("a failed write was reported as done");
        } catch (const entry::CardWriteError& e) {
            QCOMPARE(e.routine(), QString("UpdateProgED"));
            QCOMPARE(e.error().kind() == store::ErrorKind::ConnectionLost, fault == "connection lost");
            const QString box = e.boxText(notSaved);
            QVERIFY2(box.startsWith(e.error().number() + "\r\nUpdateProgED SubRoutine\r\n"), qPrintable(box));
            if (fault == "connection lost")
                QVERIFY2(box.contains("data source Tessara was lost") && box.contains(notSaved), qPrintable(box));
        }
        // The next command connects again when it must.
        if (fault == "job missing")
            addJob(102, "Job 102", 500, balance102, 0, "Civil");
        else
            store::exec(pg ? "DROP TRIGGER " + trigger + " ON jobs" : "DROP TRIGGER refuse_job");
        QCOMPARE(storedCards(), before);
        QCOMPARE(write(), landed);
        QCOMPARE(rows("leaves"), c == 2 ? 0 : 1);
        balancesMatchTheBookings();
    }
};

QTEST_GUILESS_MAIN(TestConcurrency)
#include "test_concurrency.moc"
