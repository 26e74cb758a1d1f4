// Closed months refuse card writes inside the write, every command leaves an
// audit row, the upgrade of a database holding the four tables, and the two
// queries over the audit trail and the closed months.
#include "testsupport.h"

#include "admin/employees.h"
#include "admin/monthclose.h"
#include "cli/monthcommands.h"
#include "entry/cardstore.h"
#include "entry/jobmaster.h"
#include "queries/queries.h"
#include "reports/gridmodel.h"
#include "store/database.h"
#include "store/schema.h"

#include <QSqlRecord>
#include <QTest>

using namespace testsupport;

namespace {

const QDate kTo(2026, 11, 20); // a 31-day card period

entry::CardHeader header(qint64 emp, const QString& deptt)
{
    return {emp, QStringLiteral("Clerk %1, Engineer").arg(emp), deptt, kTo};
}

// A card of `days` on job 101, the rest of the period as holidays.
void writeCard(const QString& command, qint64 emp, const QString& deptt, double days)
{
    entry::LeaveValues l;
    l.HLY = 31 - days;
    const QList<entry::CardLine> lines{{101, days, 0, 0}};
    if (command == QLatin1String("append"))
        QVERIFY(entry::appendCard(header(emp, deptt), days, l, lines).has_value());
    else if (command == QLatin1String("update"))
        entry::updateCard(header(emp, deptt), days, l, lines);
    else
        entry::deleteCard(header(emp, deptt), {{101, 0, days, 0}}, {store::whole(scalar(
                              "SELECT ID FROM edbooked WHERE Emp_ID = ? AND MonthName = ?", {emp, kTo}))});
}

// What a refused write must leave as it was.
QList<double> snapshot()
{
    return {double(rows("leaves")), double(rows("edbooked")), balance(101), double(rows("auditlog")),
            store::num(scalar("SELECT SUM(DaysBooked) FROM edbooked"))};
}

struct AuditRow {
    QString command, table, key, before, after;
};
AuditRow lastAudit()
{
    auto q = store::exec("SELECT Command, TableName, RecordKey, OldValues, NewValues FROM auditlog ORDER BY ID DESC");
    if (!q.next())
        return {};
    return {store::textOf(q.value(0)), store::textOf(q.value(1)), store::textOf(q.value(2)),
            store::textOf(q.value(3)), store::textOf(q.value(4))};
}

int runCli(const QStringList& args, QString* output = nullptr)
{
    QString o, e;
    QTextStream out(&o), err(&e);
    const int rc = cli::runMonthCommand(args, out, err);
    out.flush();
    err.flush();
    if (output)
        *output = o + e;
    return rc;
}

QStringList columnsOf(const QString& table)
{
    QStringList c;
    const QSqlRecord r = store::connection().record(table);
    for (int i = 0; i < r.count(); ++i)
        c << r.fieldName(i).toLower();
    return c;
}

QStringList gridRows(const reports::GridModel& g, int usedRows)
{
    QStringList l;
    for (int r = 2; r < usedRows; ++r) {
        QStringList cells;
        for (int c = 0; c < 8; ++c)
            cells << g.cell(r, c);
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        l << cells.join(QLatin1Char('|'));
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
    }

    void cardWritesOfAClosedMonthAreRefused_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<qint64>("emp");
        QTest::addColumn<QString>("deptt"); // the window's department
        QTest::addColumn<bool>("before");   // the audit row holds the card before
        QTest::addColumn<bool>("after");    // and after
        QTest::newRow("append") << "append" << qint64(10000002) << "Civil" << false << true;
        // A stored card is refused by the department stored on it.
        QTest::newRow("update") << "update" << qint64(10000001) << "Works" << true << true;
        QTest::newRow("delete") << "delete" << qint64(10000001) << "Works" << true << false;
    }
    void cardWritesOfAClosedMonthAreRefused()
    {
        QFETCH(QString, command);
        QFETCH(qint64, emp);
        QFETCH(QString, deptt);
        QFETCH(bool, before);
        QFETCH(bool, after);
        writeCard("append", 10000001, "Civil", 10);
        QCOMPARE(admin::closeMonth({"Civil"}, kTo).value(0).changed, true);
        QCOMPARE(lastAudit().command, QStringLiteral("month close"));

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
        QCOMPARE(lastAudit().command, QStringLiteral("month reopen"));
        writeCard(command, emp, deptt, 12);
        const AuditRow a = lastAudit();
        QCOMPARE(a.command, "card " + command);
        QCOMPARE(a.table, QStringLiteral("leaves"));
        QCOMPARE(a.key, QString::number(emp) + "/2026-11-20");
        QCOMPARE(!a.before.isEmpty(), before);
        QCOMPARE(!a.after.isEmpty(), after);
        if (before)
            QVERIFY2(a.before.contains("\"DaysBooked\":10"), qPrintable(a.before));
        if (after)
            QVERIFY2(a.after.contains("\"DaysBooked\":12") && a.after.contains("\"Deptt\":\"Civil\""),
                     qPrintable(a.after));
    }

    void closeAndReopenSayWhatTheyChanged()
    {
        addEmployee(10000003, "Clerk 10000003", "Works");
        const auto first = admin::closeMonth(admin::departmentsOf(admin::kAllDepartments), kTo);
        QCOMPARE(first.size(), 2);
        QCOMPARE(first[0].text, QStringLiteral("Closed the month ending 20/11/2026 of Civil."));
        QCOMPARE(admin::closeMonth({"Works"}, kTo)[0].text,
                 QStringLiteral("Already closed: the month ending 20/11/2026 of Works."));
        QVERIFY_THROWS_EXCEPTION(store::DbError, admin::reopenMonth({"Works"}, kTo, "  "));
        QCOMPARE(rows("auditlog"), 2);
        QString out;
        QCOMPARE(runCli({"reopen-month", "--department", "Civil", "--to", "2026-11-20"}, &out), 2);
        QCOMPARE(runCli({"reopen-month", "--department", "Civil", "--to", "2026-11-20", "--reason", "fix"}, &out), 0);
        QCOMPARE(out, QStringLiteral("Reopened the month ending 20/11/2026 of Civil.\n"));
        QCOMPARE(runCli({"close-month", "--department", "Nowhere", "--to", "2026-11-20"}), 2);
        QCOMPARE(runCli({"audit", "--table", "monthcloses", "--key", "Civil/2026-11-20"}, &out), 0);
        const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3); // heading, close, reopen
        QVERIFY(lines[1].contains("\tmonth close\tmonthcloses\tCivil/2026-11-20\t\t"));
        QVERIFY(lines[2].contains("\tmonth reopen\t") && lines[2].contains("\"ReopenReason\":\"fix\""));
        QCOMPARE(runCli({"audit", "--from", "2000-01-01", "--to", "2000-01-31"}, &out), 0);
        QCOMPARE(out.count('\n'), 1);
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
        QVERIFY(lastAudit().after.contains("\"Designation\":\"Senior Engineer\""));
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
        // It works as before: no check, no audit rows.
        writeCard("append", 10000001, "Civil", 10);
        QVERIFY_THROWS_EXCEPTION(store::DbError, admin::closeMonth({"Civil"}, kTo));

        const auto state = [] {
            QStringList s;
            for (const QString& t : store::kTables)
                s << t + ": " + columnsOf(t).join(',') + " rows " + QString::number(rows(t));
            return s;
        };
        const QStringList was = state();
        QString out;
        QCOMPARE(runCli({"upgrade-database"}, &out), 0);
        QCOMPARE(out, QStringLiteral("Added the tables monthcloses and auditlog.\n"));
        QCOMPARE(state(), was);
        QVERIFY(store::closeTablesExist());
        QCOMPARE(runCli({"upgrade-database"}, &out), 0);
        QCOMPARE(out, QStringLiteral("The database already holds the tables monthcloses and auditlog; nothing was "
                                     "changed.\n"));
        QCOMPARE(state(), was);
        QCOMPARE(rows("monthcloses") + rows("auditlog"), 0);
    }

    void theTwoQueriesCellForCell_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("departmentPos");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("history of 10000001") << int(queries::CardHistory) << 0 << QStringList{
            "1|2026-11-26 09:30:00|20/11/2026|card update|anna|desk-2|{\"ED_Booked\":10}|{\"ED_Booked\":12}",
            "2|2026-11-21 08:00:00|20/11/2026|card append|bert|desk-1||{\"ED_Booked\":10}",
            "3|2026-10-21 08:00:00|20/10/2026|card append|bert|desk-1||{\"ED_Booked\":5}"};
        QTest::newRow("missing, all departments") << int(queries::MissingCards) << 0 << QStringList{
            "1|10000002|Clerk 10000002|Civil|Engineer|CLOSED since 2026-11-25 10:00:00 by admin",
            "2|10000003|Clerk 10000003|Works|Engineer|open"};
        QTest::newRow("missing, Works") << int(queries::MissingCards) << 2 << QStringList{
            "1|10000003|Clerk 10000003|Works|Engineer|open"};
    }
    void theTwoQueriesCellForCell()
    {
        QFETCH(int, index);
        QFETCH(int, departmentPos);
        QFETCH(QStringList, expected);
        addEmployee(10000003, "Clerk 10000003", "Works");
        addEmployee(10000004, "Gone", "Works", "Engineer", "E3", QDate(1980, 1, 1), "Transferred to HQ");
        addEmployee(10000005, "Old", "Works", "Engineer", "E3", QDate(1940, 1, 1));
        writeCard("append", 10000001, "Civil", 10);
        const QString audit = "INSERT INTO auditlog (ChangedAt, ChangedBy, Desktop, Command, TableName, RecordKey, "
                              "OldValues, NewValues) VALUES (?, ?, ?, ?, ?, ?, ?, ?)";
        store::exec("DELETE FROM auditlog");
        const QVariant none(QMetaType(QMetaType::QString));
        const auto at = [](const QString& t) { return QDateTime::fromString(t, "yyyy-MM-dd hh:mm:ss"); };
        store::exec(audit, {at("2026-10-21 08:00:00"), "bert", "desk-1", "card append", "leaves", "10000001/2026-10-20",
                            none, "{\"ED_Booked\":5}"});
        store::exec(audit, {at("2026-11-21 08:00:00"), "bert", "desk-1", "card append", "leaves", "10000001/2026-11-20",
                            none, "{\"ED_Booked\":10}"});
        store::exec(audit, {at("2026-11-22 08:00:00"), "bert", "desk-1", "card append", "leaves", "10000002/2026-11-20",
                            none, "{\"ED_Booked\":7}"});
        store::exec(audit, {at("2026-11-26 09:30:00"), "anna", "desk-2", "card update", "leaves", "10000001/2026-11-20",
                            "{\"ED_Booked\":10}", "{\"ED_Booked\":12}"});
        store::exec("INSERT INTO monthcloses (Deptt, MonthName, Closed, ClosedAt, ClosedBy) VALUES (?, ?, 1, ?, ?)",
                    {"Civil", kTo, at("2026-11-25 10:00:00"), "admin"});

        queries::QueryInputs in;
        in.employeeId = "10000001";
        in.employeeName = "Clerk 10000001";
        in.departmentPos = departmentPos;
        in.department = departmentPos ? "Works" : "All Departments";
        in.to = kTo;
        in.today = QDate(2026, 12, 6);
        reports::GridModel g;
        const queries::QueryResult r = queries::runQuery(index, in, g);
        QVERIFY(!r.refusal);
        QCOMPARE(gridRows(g, r.usedRows - 2), expected);
        QCOMPARE(*r.countLine, "Items found = " + QString::number(expected.size()));
    }
};

QTEST_GUILESS_MAIN(TestMonthClose)
#include "test_monthclose.moc"
