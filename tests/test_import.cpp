// Loading the employee and job masters from CSV files.
#include "testsupport.h"

#include "app/clock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

namespace {

const QString kEmployeeHeader = "emp_id,EMPNAME,DoB,Designation,Deptt,Emp_Addr,Grade";
const QString kJobHeader = "JobNo,JobName,ClientCo,Limit_ED,Bal_ED,Job_Status,LeadDeptt,DateUpdate";

QString employeeLine(int i)
{
    return QStringLiteral("%1,Person %2,1980-01-%3,Engineer,Civil,Staff Colony,E%4")
        .arg(20000000 + i).arg(i).arg(1 + i % 28, 2, 10, QLatin1Char('0')).arg(i % 5);
}

QStringList employeeFile(int count)
{
    QStringList lines{kEmployeeHeader};
    for (int i = 1; i <= count; ++i)
        lines << employeeLine(i);
    return lines;
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    CommandRun import(const QString& kind, const QStringList& lines, const QStringList& options = {})
    {
        QFile f(dir.filePath("import.csv"));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(f.fileName()));
        f.write(lines.join("\r\n").toUtf8() + "\r\n");
        f.close();
        return runCommand(QStringList{"import", kind, f.fileName()} + options);
    }

private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
        app::setToday(QDate(2026, 12, 6));
    }
    void init()
    {
        freshDatabase();
        addEmployee(10000001, "Asha", "Design");
    }

    // A file lands whole, or (dry run, one bad line among 500) not at all.
    void wholeFileOrNothing()
    {
        QStringList lines = employeeFile(500);
        CommandRun r = import("employees", lines, {"--dry-run"});
        QCOMPARE(QList<int>({r.code, rows("employees")}), QList<int>({0, 1}));
        QVERIFY(r.out.startsWith("Dry run: every line of") && r.out.contains("It would add 500 employees and update 0."));

        lines[250].replace("Person 250", "");
        r = import("employees", lines);
        QCOMPARE(QList<int>({r.code, rows("employees")}), QList<int>({1, 1}));
        QCOMPARE(r.err, "line 251: EmpName is blank\nkarvela import: " + dir.filePath("import.csv") +
                            " has 1 problem; nothing was written.\n");

        r = import("employees", employeeFile(500));
        QCOMPARE(QList<int>({r.code, rows("employees")}), QList<int>({0, 501}));
        QCOMPARE(r.err, QString());
        QCOMPARE(scalar("SELECT EmpName FROM employees WHERE Emp_ID = ?", {20000250}).toString(), "Person 250");
        QCOMPARE(store::dateOf(scalar("SELECT DoB FROM employees WHERE Emp_ID = ?", {20000250})), QDate(1980, 1, 27));
        QVERIFY(r.out.contains("added 500 employees, updated 0.\nNew departments: Civil.") &&
                r.out.contains("default department"));
    }

    // A job keeps its history; an existing key is updated only when asked.
    void existingKeysAndJobHistory()
    {
        CommandRun r = import("jobs", {kJobHeader, "501,\"Boiler, unit 2\",NTPC,100,-12.5,40,Works,2026-11-20",
                                                  "502,Survey,,20,20,0,Design,"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("added 2 jobs, updated 0.\nNew lead departments: Works.\n"));
        QCOMPARE(scalar("SELECT JobName || '|' || DateUpdate FROM jobs WHERE JobNo = ?", {501}).toString(),
                 "Boiler, unit 2|20/11/2026");
        QCOMPARE(balance(501), -12.5);

        const QStringList lines{kEmployeeHeader, "10000001,Renamed,1990-05-05,Manager,Works,Transferred to HQ,E9",
                                employeeLine(1)};
        r = import("employees", lines);
        QCOMPARE(QList<int>({r.code, rows("employees")}), QList<int>({1, 1}));
        QVERIFY(r.err.startsWith("line 2: Emp_ID 10000001 exists already; give --update-existing to update it\n"));

        r = import("employees", lines, {"--update-existing"});
        QCOMPARE(QList<int>({r.code, rows("employees")}), QList<int>({0, 2}));
        QVERIFY(r.out.contains("added 1 employees, updated 1.\nUpdated (Emp_ID): 10000001\n"));
        QCOMPARE(scalar("SELECT EmpName || '|' || Deptt || '|' || Designation || '|' || Emp_Addr || '|' || Grade "
                        "FROM employees WHERE Emp_ID = ?", {10000001}).toString(),
                 QString("Asha|Works|Manager|Transferred to HQ|E9"));
    }

    // Each rule once: the line it names and why.
    void badLinesAreNamed()
    {
        const auto emp = [](const QString& line) { return QStringList{kEmployeeHeader, employeeLine(1), line}; };
        const auto job = [](const QString& line) { return QStringList{kJobHeader, "501,Survey,,20,20,0,Design,", line}; };
        const QList<std::tuple<QString, QStringList, QString>> cases{
            {"employees", emp("1234567,A,1980-01-01,E,D,,"), "line 3: Emp_ID \"1234567\" is not an eight-digit employee ID"},
            {"employees", emp("20000009,A,01/02/1980,E,D,,"), "line 3: DoB \"01/02/1980\" is not a date YYYY-MM-DD"},
            {"employees", emp("20000009,A,1980-02-30,E,D,,"), "line 3: DoB \"1980-02-30\" is not a date YYYY-MM-DD"},
            {"employees", emp("20000009,A,2026-12-07,E,D,,"), "line 3: DoB 2026-12-07 lies after today"},
            {"employees", emp("20000009,A,1980-01-01, ,D,,"), "line 3: Designation is blank"},
            {"employees", emp("20000009,A,1980-01-01,E,,,"), "line 3: Deptt is blank"},
            {"employees", emp(employeeLine(1)), "line 3: Emp_ID 20000001 is also on line 2"},
            {"employees", emp("20000009,A,1980-01-01,E,D,"), "line 3: 6 fields where the header names 7"},
            {"employees", {kEmployeeHeader, "20000001,A,1980-01-01,E,D,\"Flat 2,\nStaff Colony\",E1", "20000002,B,1980-01-01,E,,,"},
             "line 4: Deptt is blank"},
            {"employees", {"Emp_ID,EmpName,DoB,Designation,Deptt,Grade"}, "line 1: the header lacks the field Emp_Addr"},
            {"jobs", {kJobHeader + ",ID"}, "line 1: the header names \"ID\", which is not a field of table jobs"},
            {"jobs", job("12.5,A,,1,1,0,Design,"), "line 3: JobNo \"12.5\" is not a whole job number"},
            {"jobs", job("502,A,,-1,1,0,Design,"), "line 3: Limit_ED \"-1\" is not a number of days, 0 or more"},
            {"jobs", job("502,A,,1,abc,0,Design,"), "line 3: Bal_ED \"abc\" is not a number of days"},
            {"jobs", job("502,A,,1,1,101,Design,"), "line 3: Job_Status \"101\" is not a percentage from 0 to 100"},
            {"jobs", job("502,A,,1,1,0,,"), "line 3: LeadDeptt is blank"},
            {"jobs", job("502,A,,1,1,0,Design,20/11/2026"), "line 3: DateUpdate \"20/11/2026\" is not a date YYYY-MM-DD"}};
        for (const auto& [kind, lines, problem] : cases) {
            const int before = rows(kind);
            const CommandRun r = import(kind, lines);
            QVERIFY2(r.code == 1 && r.err.startsWith(problem) && r.err.count("\n") == 2, qPrintable(problem + " / " + r.err));
            QCOMPARE(rows(kind), before);
        }
    }
};

QTEST_GUILESS_MAIN(TestImport)
#include "test_import.moc"
