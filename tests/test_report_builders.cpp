// The six booking reports, cell for cell, on a small organisation; the
// statement counts that keep them set-wise; the export command.
#include "report_fixture.h"

#include "app/clock.h"
#include "app/numtext.h"
#include "cli/commands.h"
#include "reports/builders.h"
#include "reports/gridmodel.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;
using namespace reportfixture;


class TestReportBuilders : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
        app::setToday(kToday);
        load();
    }

    // The cells are in the reference files; here the layout facts and the
    // statements each report takes.
    void layoutAndStatements()
    {
        reports::Request r = request(reports::DeptMonth, "Design");
        store::resetCounts();
        reports::Sheet s = reports::build(r);
        QCOMPARE(store::counts().statements, 3);
        QCOMPARE(s.usedRows, 18);
        QCOMPARE(s.format, QStringLiteral("^S.N.|^JOB NUMBER|<JOB DESCRIPTION"));
        QCOMPARE(s.firstRow, 2);
        QCOMPARE(s.firstCol, 3);
        s = reports::build(request(reports::DeptPeriod, "Design"));
        QCOMPARE(s.jobCount, 2);
        QCOMPARE(s.blockRow, -1);
        r = request(reports::AllDeptMonth, "Design", QDate(2008, 10, 21), kNov);
        store::resetCounts();
        s = reports::build(r);
        // Three statements for the month and one for every department's
        // employees, however many departments it shows.
        QCOMPARE(store::counts().statements, 4);
        QCOMPARE(s.usedRows, 26);
        QCOMPARE(s.firstRow, 1);
        QCOMPARE(s.blockRow, 24);
        r = request(reports::AllDeptPeriod, "Design");
        store::resetCounts();
        QCOMPARE(reports::build(r).usedRows, 8);
        QCOMPARE(store::counts().statements, 1); // the sums and the jobs' master fields at once
        const reports::Sheet none =
            reports::build(request(reports::AllDeptPeriod, "Design", QDate(2008, 1, 21), QDate(2008, 3, 20)));
        QCOMPARE(none.message, QStringLiteral("NO JOB ED BOOKING FOUND FOR THE SPECIFIED PERIOD."));
        QVERIFY(!none.elapsedShown);
        r = request(reports::LeaveMonth, "Works");
        r.employeeIdText = "202";
        s = reports::build(r);
        QCOMPARE(s.usedRows, 20);
        QCOMPARE(s.format, QStringLiteral("<DESCRIPTION|<VALUE|<REMARKS"));
        QCOMPARE(s.widths, (QList<QPair<int, int>>{{0, 20}, {1, 34}, {2, 30}}));
    }

    void departmentReportsWithoutBookings_data()
    {
        QTest::addColumn<int>("option");
        QTest::newRow("month") << int(reports::DeptMonth);
        QTest::newRow("period") << int(reports::DeptPeriod);
    }
    void departmentReportsWithoutBookings()
    {
        QFETCH(int, option);
        const reports::Sheet s =
            reports::build(request(option, "Design", QDate(2008, 6, 21), QDate(2008, 8, 20)));
        QCOMPARE(s.message, QStringLiteral("NO ENTRY FOUND FOR THIS SETTING"));
        QVERIFY(s.elapsedShown);
        QCOMPARE(s.usedRows, 0);
    }

    void averageIsZeroWhenTotalIsZero()
    {
        freshDatabase();
        addEmployee(301, "Zed", "Idle");
        booking(kNov, "Idle", 301, 7001, 0);
        for (int option : {int(reports::DeptMonth), int(reports::DeptPeriod)}) {
            const reports::Sheet s = reports::build(request(option, "Idle"));
            // One job, one employee: the average sits in the TOTAL column (4).
            const int avgRow = option == reports::DeptMonth ? 1 + 13 : 1 + 14;
            QCOMPARE(s.at(avgRow, 2), QStringLiteral("AVERAGE  O. M. S."));
            QCOMPARE(s.at(avgRow, 4), QStringLiteral("0%"));
            // A job missing from the master keeps its description empty.
            QCOMPARE(s.at(2, 1), QStringLiteral("7001"));
            QCOMPARE(s.at(2, 2), QString());
        }
        load();
    }

    void allDepartmentsTitleTakesTheDayPickers()
    {
        // The From day is the picker's number, whatever FromDate says.
        reports::Request r = request(reports::AllDeptMonth, "Design", QDate(2008, 11, 21), kNov);
        r.fromDay = 21;
        const reports::Sheet s = reports::build(r);
        QVERIFY(s.at(0, 2).endsWith("FROM 21,OCTOBER-2008 TO 20,NOVEMBER-2008."));
        QCOMPARE(s.at(22, 2), QStringLiteral("NO BOOKING BETWEEN 21,NOVEMBER-2008 AND 20,NOVEMBER-2008."));
        r.departments.clear();
        QCOMPARE(reports::build(r).message, QStringLiteral("NO DEPARTMENT LIST FOUND TO DISPLAY"));
    }

    void leaveReportWithoutRecords()
    {
        reports::Request r = request(reports::LeaveMonth, "Works");
        r.employeeIdText = "";
        QCOMPARE(reports::build(r).message, QStringLiteral("NO ENTRY FOUND FOR THIS SETTING"));
    }

    void numberWriting_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("percent");
        QTest::newRow("two thirds") << 200.0 / 3 << "66.67%";
        QTest::newRow("half") << 50.0 << "50%";
        QTest::newRow("85.5") << 85.5 << "85.5%";
        QTest::newRow("zero") << 0.0 << "0%";
        QTest::newRow("hundred") << 100.0 << "100%";
    }
    void numberWriting()
    {
        QFETCH(double, value);
        QFETCH(QString, percent);
        QCOMPARE(app::percentText(value), percent);
    }

    void elapsedTime_data()
    {
        QTest::addColumn<double>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("under a millisecond") << 0.3 << "0 ms";
        QTest::newRow("whole") << 1234.0 << "1234 ms";
        QTest::newRow("rounded") << 1234.6 << "1235 ms";
    }
    void elapsedTime()
    {
        QFETCH(double, ms);
        QFETCH(QString, text);
        QCOMPARE(reports::elapsedText(ms), text);
    }

    void cellsReadBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("days") << "2.5 days" << 2.5;
        QTest::newRow("dash") << "-" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("percent") << "74.32%" << 74.32;
    }
    void cellsReadBack()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        reports::Sheet s;
        s.set(3, 4, text);
        QCOMPARE(s.value(3, 4), value);
    }

    void quotesInNames()
    {
        freshDatabase();
        addEmployee(401, "D'Souza", "O'Neil's");
        addJob(8001, "Owner's job", 10, 5, 50, "O'Neil's");
        booking(kNov, "O'Neil's", 401, 8001, 3);
        leave(kNov, "O'Neil's", 401, {3});
        const reports::Sheet s = reports::build(request(reports::DeptMonth, "O'Neil's"));
        QCOMPARE(s.at(0, 3), QStringLiteral("D'Souza"));
        QCOMPARE(s.at(2, 2), QStringLiteral("Owner's job"));
        QCOMPARE(s.at(2, 3), QStringLiteral("3"));
        load();
    }

    void largeDepartmentShowsWholeWithTheSameStatements()
    {
        freshDatabase();
        {
            store::Transaction tx;
            for (int e = 0; e < 120; ++e)
                addEmployee(50000 + e, QStringLiteral("Emp %1").arg(e), "Big");
            for (int j = 0; j < 80; ++j) {
                addJob(9000 + j, QStringLiteral("Job %1").arg(j), 100, 50, 10, "Big");
                for (int k = 0; k < 3; ++k)
                    booking(kNov, "Big", 50000 + (j * 3 + k) % 120, 9000 + j, 0.5);
            }
            for (int e = 0; e < 120; ++e)
                leave(kNov, "Big", 50000 + e, {1, 0, 0, 0, 0, 0, 1});
            tx.commit();
        }
        const reports::Request r = request(reports::DeptMonth, "Big");
        store::resetCounts();
        const reports::Sheet s = reports::build(r);
        QCOMPARE(store::counts().statements, 3);
        QCOMPARE(s.usedRows, 80 + 16);
        QCOMPARE(s.lastColumn, 120 + 5);
        QCOMPARE(s.at(0, 122), QStringLiteral("Emp 119"));
        QCOMPARE(s.at(1, 125), QStringLiteral("126"));
        QCOMPARE(s.at(81, 0), QStringLiteral("80"));
        QCOMPARE(s.at(81, 123), QStringLiteral("1.5"));
        QCOMPARE(s.at(82, 123), QStringLiteral("120"));
        QCOMPARE(s.at(95, 2), kFooter + ".");

        // The grid takes all of it.
        reports::GridModel grid;
        grid.setCells(s.cells);
        QCOMPARE(grid.rowCount(), 96);
        QCOMPARE(grid.columnCount(), 126);
        QCOMPARE(grid.cell(0, 122), QStringLiteral("Emp 119"));
        QCOMPARE(grid.lastUsedRow(), 96);
        load();
    }

    // Every report as the headless command writes it, against the
    // reference files in tests/data (KARVELA_WRITE_REFERENCE=1 rewrites them).
    void referenceOutputs_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("args");
        const QStringList to{"--to", "2008-11-20"};
        QTest::newRow("department month") << "report_department_month"
                                          << QStringList{"report", "--type", "0", "--department", "Design"} + to;
        QTest::newRow("department period") << "report_department_period"
                                           << QStringList{"report", "--type", "1", "--department", "Design",
                                                          "--from", "2008-09-21"} + to;
        QTest::newRow("all departments month") << "report_all_month"
                                               << QStringList{"report", "--type", "2", "--department", "Design"} + to;
        QTest::newRow("job period") << "report_job_period"
                                    << QStringList{"report", "--type", "3", "--department", "Works", "--from",
                                                   "2008-09-21"} + to;
        QTest::newRow("leave month") << "report_leave_month"
                                     << QStringList{"report", "--type", "4", "--department", "Works", "--employee",
                                                    "202"} + to;
        QTest::newRow("leave month after another card")
            << "report_leave_month_102"
            << QStringList{"report", "--type", "4", "--department", "Design", "--employee", "102"} + to;
        QTest::newRow("leave period") << "report_leave_period"
                                      << QStringList{"report", "--type", "5", "--department", "Works", "--from",
                                                     "2008-08-21", "--employee", "202"} + to;
    }
    void referenceOutputs()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, args);
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(cli::runCommand(args, o, e), 0);
        o.flush();
        e.flush();
        QCOMPARE(err, QString());
        compareWithReference(file, out);
    }

    void exportCommandCsvAndFailures()
    {
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(cli::runCommand({"report", "--type", "4", "--department", "Design", "--to", "2008-11-20",
                                  "--employee", "102", "--format", "csv"},
                                 o, e),
                 0);
        o.flush();
        QVERIFY(out.contains("REPORT PERIOD,Month End: 20/11/2008,\n"));
        // The period line is a CSV record too: its comma is quoted.
        QCOMPARE(out.section('\n', 1, 1), QString("\"Month Ending: 20,November-2008\""));
        QVERIFY(out.contains("\nReport Generated by Karvela Software on 10 Dec 2008.,,\n"));

        out.clear();
        QCOMPARE(cli::runCommand({"report", "--type", "0", "--department", "Design", "--to", "2008-08-20"}, o, e), 1);
        e.flush();
        QCOMPARE(err, QStringLiteral("NO ENTRY FOUND FOR THIS SETTING\n"));
        QCOMPARE(out, QString());

        for (const QStringList& bad : {QStringList{"--type", "6", "--department", "Design", "--to", "2008-11-20"},
                                       QStringList{"--type", "0", "--to", "2008-11-20"},
                                       QStringList{"--type", "0", "--department", "Design", "--to", "20/11/2008"},
                                       QStringList{"--type", "0", "--department", "Nowhere", "--to", "2008-11-20"},
                                       QStringList{"--type", "4", "--department", "Design", "--to", "2008-11-20",
                                                   "--employee", "999"},
                                       QStringList{"--type", "0", "--department", "Design", "--to", "2008-11-20",
                                                   "--format", "xls"}}) {
            err.clear();
            QCOMPARE(cli::runCommand(QStringList{"report"} + bad, o, e), 2);
            e.flush();
            QVERIFY2(err.contains("usage: karvela report"), qPrintable(err));
        }
    }

    void exportWithoutDataSource()
    {
        const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../karvela");
        if (!QFileInfo::exists(program))
            QSKIP("the program is not built next to the tests");
        QTemporaryDir dir;
        QFile ini(dir.path() + QStringLiteral("/odbc.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.close();
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ODBCINI"), ini.fileName());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
        p.setProcessEnvironment(env);
        p.start(program, {"report", "--type", "0", "--department", "Design", "--to", "2008-11-20"});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 3);
        // The box's text, then the reason.
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.startsWith("Check Your Database File and DSN (Data Source Name - Tessara)\n"
                                "Program will now Close. Remove Error and Try again.\nData source: Tessara\n"),
                 qPrintable(err));
        QCOMPARE(p.readAllStandardOutput(), QByteArray());

        p.start(program, {"report", "--type", "9"});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 2);
    }

    void headerSets_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("job 3") << int(reports::HeaderSet::Job3)
                               << QStringList{"S.N.", "JOB NUMBER", "JOB DESCRIPTION"};
        QTest::newRow("job 5") << int(reports::HeaderSet::Job5)
                               << QStringList{"S.N.", "JOB NUMBER", "JOB DESCRIPTION", "CONSUMED ED", "STATUS %"};
        QTest::newRow("job 6") << int(reports::HeaderSet::Job6)
                               << QStringList{"S.N.",        "JOB NUMBER",  "JOB DESCRIPTION",
                                              "CONSUMED ED", "ALLOTTED ED", "STATUS %"};
        QTest::newRow("emp 7") << int(reports::HeaderSet::Emp7)
                               << QStringList{"S.N.",  "EMPL. ID",    "EMPLOYEE NAME", "DEPARTMENT",
                                              "GRADE", "DESIGNATION", "DATE OF BIRTH"};
    }
    void headerSets()
    {
        QFETCH(int, set);
        QFETCH(QStringList, texts);
        reports::Sheet s;
        reports::writeHeader(s, reports::HeaderSet(set));
        QCOMPARE(s.cells.value(0), texts);
        QStringList numbers;
        for (int c = 1; c <= texts.size(); ++c)
            numbers << QString::number(c);
        QCOMPARE(s.cells.value(1), numbers);
    }
};

QTEST_GUILESS_MAIN(TestReportBuilders)
#include "test_report_builders.moc"
