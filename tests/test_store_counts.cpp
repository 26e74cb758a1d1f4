// What store::exec counts, and the reuse of the statements it prepares.
#include "testsupport.h"

#include "store/database.h"

#include <QTest>

using namespace testsupport;

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

class TestStoreCounts : public QObject {
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
        addEmployee(10000001, "A1", "Civil");
        addEmployee(10000002, "A2", "Civil");
        addEmployee(10000003, "B1", "Works");
        addEmployee(10000004, "A3", "Civil");
    }

    void countsStatementsAndTheRowsRead()
    {
        store::resetCounts();
        {
            auto q = store::exec(kOfDepartment, {QStringLiteral("Civil")});
            QCOMPARE(store::counts().statements, 1);
            QCOMPARE(store::counts().rows, 0);
            QVERIFY(q.next());
            QVERIFY(q.next());
            QCOMPARE(store::counts().rows, 2); // rows left unread are not counted
        }
        store::exec(QStringLiteral("UPDATE employees SET Grade = ? WHERE Deptt = ?"), {QStringLiteral("E4"),
                                                                                       QStringLiteral("Civil")});
        auto q = store::exec(kOfDepartment, {QStringLiteral("Civil")});
        QCOMPARE(rest(q).size(), 3);
        QCOMPARE(store::counts().statements, 3);
        QCOMPARE(store::counts().rows, 5);
        store::resetCounts();
        QCOMPARE(store::counts().statements, 0);
        QCOMPARE(store::counts().rows, 0);
    }

    void theSameTextHeldTwiceRunsApart()
    {
        auto civil = store::exec(kOfDepartment, {QStringLiteral("Civil")});
        QVERIFY(civil.next());
        QCOMPARE(store::whole(civil.value(0)), 10000001);
        {
            auto works = store::exec(kOfDepartment, {QStringLiteral("Works")});
            QCOMPARE(rest(works), QList<qint64>{10000003});
        }
        QCOMPARE(rest(civil), (QList<qint64>{10000002, 10000004}));
        // Run again once released: the new values hold, not the old ones.
        for (const QString& d : {QStringLiteral("Works"), QStringLiteral("Civil"), QStringLiteral("None")}) {
            auto q = store::exec(kOfDepartment, {d});
            QCOMPARE(rest(q).size(), d == QLatin1String("Civil") ? 3 : d == QLatin1String("Works") ? 1 : 0);
        }
    }

    void aStatementRunAgainTakesValuesOfAnotherType()
    {
        const QString sql = QStringLiteral("SELECT COUNT(*) FROM employees WHERE Emp_ID = ?");
        QCOMPARE(scalar(sql, {qint64(10000003)}).toInt(), 1);
        QCOMPARE(scalar(sql, {10000004.0}).toInt(), 1);
        QCOMPARE(scalar(sql, {qint64(10000009)}).toInt(), 0);
        QCOMPARE(scalar(sql, {10000001}).toInt(), 1);
    }

    void aFailedStatementRunsOnceTheSchemaAllowsIt()
    {
        const QString sql = QStringLiteral("SELECT Extra FROM employees WHERE Emp_ID = ?");
        QVERIFY_THROWS_EXCEPTION(store::DbError, store::exec(sql, {qint64(10000001)}));
        store::execDirect(QStringLiteral("ALTER TABLE employees ADD Extra INTEGER"));
        store::exec(QStringLiteral("UPDATE employees SET Extra = ? WHERE Emp_ID = ?"), {7, qint64(10000001)});
        QCOMPARE(scalar(sql, {qint64(10000001)}).toInt(), 7);
    }

    void aRowLeftUnreadHoldsNoWriteBack()
    {
        {
            auto q = store::exec(kOfDepartment, {QStringLiteral("Civil")});
            QVERIFY(q.next());
        }
        store::Transaction t;
        store::exec(QStringLiteral("UPDATE employees SET Grade = ? WHERE Emp_ID = ?"), {QStringLiteral("S1"),
                                                                                         qint64(10000002)});
        t.commit();
        QCOMPARE(scalar(QStringLiteral("SELECT Grade FROM employees WHERE Emp_ID = ?"), {qint64(10000002)}).toString(),
                 QStringLiteral("S1"));
    }

    void reconnectingStartsAfresh()
    {
        auto before = store::exec(kOfDepartment, {QStringLiteral("Civil")});
        QCOMPARE(rest(before).size(), 3);
        store::disconnectDatabase();
        store::connectDatabase();
        auto after = store::exec(kOfDepartment, {QStringLiteral("Works")});
        QCOMPARE(rest(after), QList<qint64>{10000003});
    }
};

QTEST_GUILESS_MAIN(TestStoreCounts)
#include "test_store_counts.moc"
