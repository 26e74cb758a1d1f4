// The data store through the same ODBC path the program uses: values, errors,
// failures, and the statements store::exec prepares, reuses and counts.
#include "testsupport.h"

#include "app/numtext.h"
#include "entry/cardstore.h"
#include "store/datasource.h"
#include "store/schema.h"

#include <QFile>
#include <QTest>

using namespace testsupport;
using store::ErrorKind;

namespace {
const QString kOfDepartment = QStringLiteral("SELECT Emp_ID FROM employees WHERE Deptt = ? ORDER BY ID");

QList<qint64> rest(store::Query& q)
{
    QList<qint64> ids;
    while (q.next())
        ids << store::whole(q.value(0));
    return ids;
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
    }
    void init() { freshDatabase(); }

    void columnsAndValues()
    {
        const QStringList expected{"id,emp_id,empname,dob,designation,deptt,emp_addr,grade",
                                   "id,dateupdate,jobno,jobname,clientco,limit_ed,bal_ed,job_status,leaddeptt",
                                   "id,monthname,deptt,emp_id,empname,jobno,daysbooked,emp_tot_ed,bal_ed",
                                   "id,monthname,deptt,emp_id,empname,ed_booked,cl,rh,el,sl,hpl,hly,spl,lwp,msc"};
        QStringList got;
        for (const QString& table : store::kTables)
            got << columnsOf(table).join(',');
        QCOMPARE(got, expected);
        QCOMPARE(store::dialect(), usingPostgres() ? store::Dialect::PostgreSQL : store::Dialect::SQLite);

        // Values round trip, bound, never spliced.
        const QString dept = "R&D 'North' -- ; DROP TABLE jobs";
        addEmployee(10000001, "O'Brien \"Pat\"", dept);
        QCOMPARE(scalar("SELECT EmpName FROM employees WHERE Deptt = ?", {dept}).toString(), QString("O'Brien \"Pat\""));
        QVERIFY(store::anyTableExists());

        store::exec("INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName, ED_Booked, CL) VALUES (?, ?, ?, ?, ?, ?)",
                    {QDate(2008, 11, 20), "Civil", 10000001, "A, B", 7.35, 0.5});
        auto q = store::exec("SELECT MonthName, ED_Booked, CL FROM leaves WHERE MonthName = ?", {QDate(2008, 11, 20)});
        QVERIFY(q.next());
        QCOMPARE(store::dateOf(q.value(0)), QDate(2008, 11, 20));
        QCOMPARE(app::generalNumber(store::num(q.value(1))), QString("7.35"));
        QCOMPARE(store::num(q.value(2)), 0.5); // (date ranges: every report of a period)

        // Texts of any script and length (read in pieces), times and NULLs.
        const QString text = QStringLiteral("Ωμέγα-ü-€-Пётр ").repeated(200);
        const QDateTime at(QDate(2026, 12, 7), QTime(1, 2, 3));
        store::exec("INSERT INTO auditlog (ChangedAt, Command, TableName, OldValues, NewValues) VALUES (?, ?, ?, ?, ?)",
                    {at, "Test", "jobs", text, QString()});
        auto a = store::exec("SELECT OldValues, NewValues, ChangedAt, COUNT(*) FROM auditlog WHERE TableName = ? "
                             "GROUP BY OldValues, NewValues, ChangedAt",
                             {"jobs"});
        QVERIFY(a.next());
        QCOMPARE(a.value(0).toString(), text);
        QVERIFY(a.isNull(1));
        QCOMPARE(a.value(2).toDateTime(), at);
        QCOMPARE(store::whole(a.value(3)), 1);
        QVERIFY(!a.next());
        store::exec("UPDATE employees SET DoB = ? WHERE Emp_ID = ?", {QDate(), 10000001});
        QVERIFY(scalar("SELECT DoB FROM employees WHERE Emp_ID = ?", {10000001}).isNull());
    }

    void errorsHaveTheirKinds()
    {
        addJob(501, "Pump", 10, 10, 0, "Civil");
        QCOMPARE(errorKindOf([] { addJob(501, "Pump again", 10, 10, 0, "Civil"); }), ErrorKind::DuplicateKey);
        QCOMPARE(rows("jobs"), 1);
        store::execDirect("DROP TABLE leaves");
        QCOMPARE(errorKindOf([] { store::exec("SELECT CL FROM leaves"); }), ErrorKind::MissingObject);
        QCOMPARE(errorKindOf([] { store::exec("SELECT NoSuchField FROM jobs"); }), ErrorKind::MissingObject);
    }

    // A full disk leaves every card whole and the next saves work; a missing
    // file is created private when wanted (opening never creates it).
    void sqliteFileFullOrMissing()
    {
        if (usingPostgres())
            QSKIP("an SQLite data source names a file, with a page limit");
        const QList<int> jobs{11, 12, 13};
        for (int j : jobs)
            addJob(j, "Job", 1000, 1000, 0, "Civil");
        // Room for a few cards only, on this connection.
        const int pages = scalar("PRAGMA page_count").toInt();
        store::exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages + 4));
        const QString name = QString(100, QLatin1Char('n')) + ", " + QString(100, QLatin1Char('d'));
        QList<qint64> saved, failed;
        const QList<entry::CardLine> lines{{11, 1.5, 0, 0}, {12, 1.5, 0, 0}, {13, 1.5, 0, 0}};
        entry::LeaveValues leaves;
        leaves.HLY = 25.5;
        for (qint64 emp = 10000001; emp <= 10000060; ++emp) {
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
        auto q = store::exec("SELECT Emp_ID FROM leaves ORDER BY Emp_ID");
        QCOMPARE(rest(q), saved);
        QCOMPARE(rows("edbooked"), 3 * int(saved.size())); // no part of a failed card
        for (int j : jobs)
            QCOMPARE(balance(j), 1000 - 1.5 * saved.size());

        store::disconnectDatabase();
        const QString file = store::dataSourceFacts().database;
        QVERIFY(QFile::rename(file, file + ".kept"));
        QVERIFY(store::createDataSourceFile());
        QCOMPARE(QFile::permissions(file) & 0x0777, QFile::ReadUser | QFile::WriteUser);
        store::connectDatabase();
        QVERIFY(!store::anyTableExists());
        store::disconnectDatabase();
        QVERIFY(QFile::remove(file));
        QVERIFY(QFile::rename(file + ".kept", file));
    }

    void preparedStatementsCountedAndReused()
    {
        for (const char* d : {"Civil", "Civil", "Works", "Civil"})
            addEmployee(10000001 + rows("employees"), "A", d);
        store::resetCounts();
        {
            auto q = store::exec(kOfDepartment, {QStringLiteral("Civil")});
            QCOMPARE(QList<qint64>({store::counts().statements, store::counts().rows}), QList<qint64>({1, 0}));
            QVERIFY(q.next() && q.next());
            QCOMPARE(store::counts().rows, 2); // rows left unread are not counted
        }
        store::exec("UPDATE employees SET Grade = ? WHERE Deptt = ?", {"E4", "Civil"});
        auto q = store::exec(kOfDepartment, {QStringLiteral("Civil")});
        QCOMPARE(rest(q).size(), 3);
        QCOMPARE(QList<qint64>({store::counts().statements, store::counts().rows}), QList<qint64>({3, 5}));
        store::resetCounts();

        // The same text held twice runs apart.
        auto civil = store::exec(kOfDepartment, {QStringLiteral("Civil")});
        QVERIFY(civil.next());
        QCOMPARE(store::whole(civil.value(0)), 10000001);
        {
            auto works = store::exec(kOfDepartment, {QStringLiteral("Works")});
            QCOMPARE(rest(works), QList<qint64>{10000003});
        }
        QCOMPARE(rest(civil), (QList<qint64>{10000002, 10000004}));
        // Run again once released: the new values hold, not the old ones.
        for (const auto& [d, n] : {std::pair{"Works", 1}, {"Civil", 3}, {"None", 0}}) {
            auto q = store::exec(kOfDepartment, {QString(d)});
            QCOMPARE(rest(q).size(), n);
        }

        // Run again, a statement takes values of another type, runs once the
        // schema allows it after failing, holds no write back when left
        // unread, and starts afresh on a new connection.
        const QString byId = QStringLiteral("SELECT COUNT(*) FROM employees WHERE Emp_ID = ?");
        QCOMPARE((QList<int>{scalar(byId, {qint64(10000003)}).toInt(), scalar(byId, {10000004.0}).toInt(),
                             scalar(byId, {qint64(10000009)}).toInt(), scalar(byId, {10000001}).toInt()}),
                 (QList<int>{1, 1, 0, 1}));

        const QString extra = QStringLiteral("SELECT Extra FROM employees WHERE Emp_ID = ?");
        QVERIFY_THROWS_EXCEPTION(store::DbError, store::exec(extra, {qint64(10000001)}));
        store::execDirect(QStringLiteral("ALTER TABLE employees ADD Extra INTEGER"));
        store::exec(QStringLiteral("UPDATE employees SET Extra = ? WHERE Emp_ID = ?"), {7, qint64(10000001)});
        QCOMPARE(scalar(extra, {qint64(10000001)}).toInt(), 7);

        QVERIFY(store::exec(kOfDepartment, {QStringLiteral("Civil")}).next());
        {
            store::Transaction t;
            store::exec("UPDATE employees SET Grade = ? WHERE Emp_ID = ?", {"S1", qint64(10000002)});
            t.commit();
        }
        QCOMPARE(scalar("SELECT Grade FROM employees WHERE Emp_ID = ?", {qint64(10000002)}).toString(), QString("S1"));

        store::disconnectDatabase();
        store::connectDatabase();
        auto after = store::exec(kOfDepartment, {QStringLiteral("Works")});
        QCOMPARE(rest(after), QList<qint64>{10000003});
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
