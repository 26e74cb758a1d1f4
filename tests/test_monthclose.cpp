// Closed months refuse card writes, every command leaves an audit row, the upgrade
// of an older database, and the two queries over the audit trail and closed months.
#include "testsupport.h"

#include "admin/employees.h"
#include "admin/monthclose.h"
#include "entry/cardstore.h"
#include "entry/jobmaster.h"
#include "queries/queries.h"
#include "reports/gridmodel.h"
#include "store/schema.h"

#include <QRegularExpression>
#include <QTest>

using namespace testsupport;

namespace {

const QDate kTo(2026, 11, 20); // a 31-day card period

// A card of `days` on job 101, the rest of the period as holidays.
void writeCard(const QString& command, qint64 emp, const QString& deptt, double days)
{
    const entry::CardHeader h{emp, QStringLiteral("Clerk %1, Engineer").arg(emp), deptt, kTo};
    entry::LeaveValues l;
    l.HLY = 31 - days;
    const QList<entry::CardLine> lines{{101, days, 0, 0}};
    if (command == QLatin1String("append"))
        QVERIFY(entry::appendCard(h, days, l, lines).has_value());
    else if (command == QLatin1String("update"))
        entry::updateCard(h, days, l, lines);
    else
        entry::deleteCard(h, {{101, 0, days, 0}}, {store::whole(scalar(
                              "SELECT ID FROM edbooked WHERE Emp_ID = ? AND MonthName = ?", {emp, kTo}))});
}

// What a refused write must leave as it was.
QList<double> snapshot()
{
    return {double(rows("leaves")), double(rows("edbooked")), balance(101), double(rows("auditlog")),
            store::num(scalar("SELECT SUM(DaysBooked) FROM edbooked"))};
}

// The newest audit row: command, table, key, values before, values after.
QStringList lastAudit()
{
    auto q = store::exec("SELECT Command, TableName, RecordKey, OldValues, NewValues FROM auditlog ORDER BY ID DESC");
    QStringList a;
    for (int i = 0; i < 5 && (i || q.next()); ++i)
        a << store::textOf(q.value(i));
    return a;
}

// A command's exit code, a blank and what it printed.
QString runCli(const QStringList& args)
{
    const CommandRun r = runCommand(args);
    return QString::number(r.code) + ' ' + r.out + r.err;
}

QStringList gridRows(const reports::GridModel& g, int usedRows)
{
    QStringList l;
    for (int r = 2; r < usedRows; ++r) {
        QStringList cells;
        for (int c = 0; c < 8; ++c)
            cells << g.cell(r, c);
        l << cells.join('|').remove(QRegularExpression("\\|+$"));
    }
    return l;
}

} // namespace

class TestMonthClose : public QObject {
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
        addEmployee(10000001, "Clerk 10000001", "Civil");
        addEmployee(10000002, "Clerk 10000002", "Civil");
        addJob(101, "Bridge", 100, 100, 0, "Civil");
        addEmployee(10000003, "Clerk 10000003", "Works");
    }

    // A new card is refused by the window's department, a stored one by the
    // department stored on it (the window shows Works).
    void cardWritesOfAClosedMonthAreRefused()
    {
        for (const QString command : {"append", "update", "delete"}) {
            init();
            const bool append = command == "append";
            const qint64 emp = append ? 10000002 : 10000001;
            const QString deptt = append ? "Civil" : "Works";
            writeCard("append", 10000001, "Civil", 10);
            QCOMPARE(admin::closeMonth({"Civil"}, kTo).value(0).changed, true);

            const QList<double> was = snapshot();
            try {
                writeCard(command, emp, deptt, 12);
                QFAIL("a card of a closed month was written");
            } catch (const entry::CardWriteError& e) {
                QCOMPARE(e.error().kind(), store::ErrorKind::MonthClosed);
                const QString box = e.boxText();
                QVERIFY2(box.startsWith("The month ending 20/11/2026 of the Civil department is closed (since ")
                             && box.contains("Ask the administrator to reopen the month"),
                         qPrintable(box));
            }
            QCOMPARE(snapshot(), was);

            QCOMPARE(admin::reopenMonth({"Civil"}, kTo, "late card").value(0).changed, true);
            writeCard(command, emp, deptt, 12);
            const QStringList a = lastAudit();
            QCOMPARE(a.mid(0, 3), (QStringList{"card " + command, "leaves", QString::number(emp) + "/2026-11-20"}));
            // The row holds the card before (none when appended) and after (none when deleted).
            QVERIFY2(append ? a[3].isEmpty() : a[3].contains("\"DaysBooked\":10"), qPrintable(a[3]));
            QVERIFY2(command == "delete" ? a[4].isEmpty()
                                         : a[4].contains("\"DaysBooked\":12") && a[4].contains("\"Deptt\":\"Civil\""),
                     qPrintable(a[4]));
        }
    }

    void closeAndReopenSayWhatTheyChanged()
    {
        const auto first = admin::closeMonth(admin::departmentsOf(admin::kAllDepartments), kTo);
        QCOMPARE(first.size(), 2);
        QCOMPARE(first[0].text, QStringLiteral("Closed the month ending 20/11/2026 of Civil."));
        QCOMPARE(admin::closeMonth({"Works"}, kTo)[0].text,
                 QStringLiteral("Already closed: the month ending 20/11/2026 of Works."));
        QVERIFY_THROWS_EXCEPTION(store::DbError, admin::reopenMonth({"Works"}, kTo, "  "));
        QCOMPARE(rows("auditlog"), 2);
        QVERIFY(runCli({"reopen-month", "--department", "Civil", "--to", "2026-11-20"}).startsWith("2 "));
        QCOMPARE(runCli({"reopen-month", "--department", "Civil", "--to", "2026-11-20", "--reason", "fix"}),
                 QStringLiteral("0 Reopened the month ending 20/11/2026 of Civil.\n"));
        QVERIFY(runCli({"close-month", "--department", "Nowhere", "--to", "2026-11-20"}).startsWith("2 "));
        const QStringList lines =
            runCli({"audit", "--table", "monthcloses", "--key", "Civil/2026-11-20"}).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3); // heading, close, reopen
        QVERIFY(lines[0].startsWith("0 ") && lines[1].contains("\tmonth close\tmonthcloses\tCivil/2026-11-20\t\t"));
        QVERIFY(lines[2].contains("\tmonth reopen\t") && lines[2].contains("\"ReopenReason\":\"fix\""));
        QCOMPARE(runCli({"audit", "--from", "2000-01-01", "--to", "2000-01-31"}).count('\n'), 1);
    }

    void jobAndEmployeeWritesAreAudited()
    {
        app::Job j{202, "Dam", "Client", 40, 0, 0, "Civil"};
        QVERIFY(entry::addJob(j));
        QVERIFY(!entry::addJob(j)); // refused by the key: no audit row
        j.name = "Dam works";
        QVERIFY(entry::updateJob(j, 0));
        QVERIFY(entry::storeJobStatus(202, 50, kTo));
        admin::EmployeeForm f{"Dora", "Engineer", "Colony", "01/02/1990", "10000009", "Works", "E2"};
        admin::addEmployee(f);
        f.designation = "Senior Engineer";
        admin::updateEmployee(10000009, f);
        QStringList seen;
        auto q = store::exec("SELECT Command, RecordKey, OldValues, NewValues FROM auditlog ORDER BY ID");
        while (q.next())
            seen << store::textOf(q.value(0)) + ' ' + store::textOf(q.value(1)) + ' '
                    + (q.isNull(2) ? "-" : "b") + (q.isNull(3) ? "-" : "a");
        QCOMPARE(seen, (QStringList{"job add 202 -a", "job edit 202 ba", "job status 202 ba",
                                    "employee add 10000009 -a", "employee edit 10000009 ba"}));
        QVERIFY(lastAudit().value(4).contains("\"Designation\":\"Senior Engineer\""));
    }

    void upgradeAddsTheTwoTablesAndNothingElse()
    {
        // A database as an older copy of the program made it: the four tables.
        store::dropSchema();
        for (const QString& s : store::schemaStatements(store::dialect()))
            store::execDirect(s);
        addEmployee(10000001, "Clerk 10000001", "Civil");
        addJob(101, "Bridge", 100, 100, 0, "Civil");
        QVERIFY(!store::closeTablesExist());
        // It works as before: no check, no audit rows (also for a card
        // without jobs).
        writeCard("append", 10000001, "Civil", 10);
        QVERIFY(entry::appendCard({10000001, "Clerk", "Civil", kTo.addMonths(1)}, 0, {}, {}).has_value());
        QVERIFY_THROWS_EXCEPTION(store::DbError, admin::closeMonth({"Civil"}, kTo));

        const auto state = [] {
            QStringList s;
            for (const QString& t : store::kTables)
                s << t + ": " + columnsOf(t).join(',') + " rows " + QString::number(rows(t));
            return s;
        };
        const QStringList was = state();
        QCOMPARE(runCli({"upgrade-database"}), QStringLiteral("0 Added the tables monthcloses and auditlog.\n"));
        QCOMPARE(state(), was);
        QVERIFY(store::closeTablesExist());
        QCOMPARE(runCli({"upgrade-database"}), QStringLiteral("0 The database already holds the tables monthcloses and "
                                                              "auditlog; nothing was changed.\n"));
        QCOMPARE(state(), was);
        QCOMPARE(rows("monthcloses") + rows("auditlog"), 0);
    }

    // The card history of one employee, and the missing cards of all
    // departments and of one.
    void theTwoQueriesCellForCell()
    {
        addEmployee(10000004, "Gone", "Works", "Engineer", "E3", QDate(1980, 1, 1), "Transferred to HQ");
        addEmployee(10000005, "Old", "Works", "Engineer", "E3", QDate(1940, 1, 1));
        writeCard("append", 10000001, "Civil", 10);
        store::exec("DELETE FROM auditlog");
        const auto at = [](const QString& t) { return QDateTime::fromString(t, "yyyy-MM-dd hh:mm:ss"); };
        const QStringList audit{
            "2026-10-21 08:00:00|bert|desk-1|card append|10000001/2026-10-20||{\"ED_Booked\":5}",
            "2026-11-21 08:00:00|bert|desk-1|card append|10000001/2026-11-20||{\"ED_Booked\":10}",
            "2026-11-22 08:00:00|bert|desk-1|card append|10000002/2026-11-20||{\"ED_Booked\":7}",
            "2026-11-26 09:30:00|anna|desk-2|card update|10000001/2026-11-20|{\"ED_Booked\":10}|{\"ED_Booked\":12}"};
        for (const QString& row : audit) {
            const QStringList f = row.split('|');
            const QVariant before = f[5].isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(f[5]);
            store::exec("INSERT INTO auditlog (ChangedAt, ChangedBy, Desktop, Command, TableName, RecordKey, OldValues, "
                        "NewValues) VALUES (?, ?, ?, ?, 'leaves', ?, ?, ?)",
                        {at(f[0]), f[1], f[2], f[3], f[4], before, f[6]});
        }
        store::exec("INSERT INTO monthcloses (Deptt, MonthName, Closed, ClosedAt, ClosedBy) VALUES (?, ?, 1, ?, ?)",
                    {"Civil", kTo, at("2026-11-25 10:00:00"), "admin"});

        const QString worksOpen = "|10000003|Clerk 10000003|Works|Engineer|open";
        const struct {
            int index, departmentPos;
            QStringList expected;
        } runs[] = {
            {queries::CardHistory, 0,
             {"1|2026-11-26 09:30:00|20/11/2026|card update|anna|desk-2|{\"ED_Booked\":10}|{\"ED_Booked\":12}",
              "2|2026-11-21 08:00:00|20/11/2026|card append|bert|desk-1||{\"ED_Booked\":10}",
              "3|2026-10-21 08:00:00|20/10/2026|card append|bert|desk-1||{\"ED_Booked\":5}"}},
            {queries::MissingCards, 0,
             {"1|10000002|Clerk 10000002|Civil|Engineer|CLOSED since 2026-11-25 10:00:00 by admin", "2" + worksOpen}},
            {queries::MissingCards, 2, {"1" + worksOpen}}};
        for (const auto& run : runs) {
            const queries::QueryInputs in{.departmentPos = run.departmentPos,
                                          .department = run.departmentPos ? "Works" : "All Departments",
                                          .to = kTo, .today = QDate(2026, 12, 6), .employeeId = "10000001",
                                          .employeeName = "Clerk 10000001"};
            reports::GridModel g;
            const queries::QueryResult r = queries::runQuery(run.index, in, g);
            QVERIFY(!r.refusal);
            QCOMPARE(gridRows(g, r.usedRows - 2), run.expected);
            QCOMPARE(*r.countLine, "Items found = " + QString::number(run.expected.size()));
        }
    }
};

QTEST_GUILESS_MAIN(TestMonthClose)
#include "test_monthclose.moc"
