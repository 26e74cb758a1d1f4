// The employee and job queries, their titles and the headless export, over
// small fixtures on the test data source.
#include "testsupport.h"

#include "app/clock.h"
#include "cli/query.h"
#include "queries/headers.h"
#include "queries/panel.h"
#include "queries/queries.h"
#include "reports/gridmodel.h"
#include "store/database.h"

#include <QFile>
#include <QTest>

using namespace testsupport;
using queries::QueryInputs;
using queries::QueryResult;
using reports::GridModel;

namespace {

const QDate kToday(2024, 6, 15);

QueryInputs inputs()
{
    QueryInputs in;
    in.today = kToday;
    return in;
}

// Column `col` of the data rows 2 to 2 + n - 1.
QStringList column(const GridModel& g, int col, int n)
{
    QStringList l;
    for (int r = 2; r < 2 + n; ++r)
        l << g.cell(r, col);
    return l;
}

void addBooking(const QDate& month, const QString& deptt, qint64 empId, const QString& name, int jobNo, double days)
{
    store::exec(QStringLiteral("INSERT INTO edbooked (MonthName, Deptt, Emp_ID, EmpName, JobNo, DaysBooked, "
                               "Emp_Tot_ED, Bal_ED) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                {month, deptt, empId, name, jobNo, days, days, 0.0});
}


// One small organisation for the listings checked against reference files:
// each query's boundary cases side by side (born exactly 60 years back and a
// day more, an address that starts with "Transferred" and one that holds it,
// bookings on the period's first and last month ends, ...).
void organisation()
{
    addEmployee(10000001, "Asha", "Civil", "Engineer", "E3", QDate(1980, 5, 2), "Colony");
    addEmployee(10000002, "Ravi", "Mech", "Manager", "E3");
    addEmployee(10000003, "Old Hand", "Civil", "Draughtsman", "E1", QDate(1950, 1, 1));
    addEmployee(10000004, "Gone", "Civil", "Engineer", "E3", QDate(1985, 1, 1), "Transferred to Pune office");
    addEmployee(10000005, "Stays", "Civil", "Engineer", "E3", QDate(1980, 1, 1), "Colony, Transferred earlier");
    addEmployee(10000006, "Exactly", "Civil", "Engineer", "E3", kToday.addDays(-21915));
    addEmployee(10000007, "One Day More", "Civil", "Engineer", "E3", kToday.addDays(-21916));
    addEmployee(10000008, "First Of Month", "Mech", "Fitter", "W2", QDate(1960, 3, 1));
    addEmployee(10000009, "Oldest In", "Civil", "Engineer", "E3", kToday.addDays(-12775));
    addEmployee(10000010, "Too Old", "Civil", "Engineer", "E3", kToday.addDays(-12776));
    addEmployee(10000011, "Youngest In", "Civil", "Engineer", "E3", kToday.addDays(-9125));
    addEmployee(10000012, "Too Young", "Civil", "Engineer", "E3", kToday.addDays(-9124));
    addJob(1001, "Over", 100, -12, 50, "Civil");
    addJob(1002, "Zero balance", 100, 0, 50, "Civil");
    addJob(1003, "No limit", 0, -5, 50, "Mech");
    addJob(1004, "Under", 80, 30.5, 20, "Mech");
    addJob(1005, "Done under", 80, 5, 100, "Mech");
    addJob(1006, "Overrun", 50, -2.5, 100, "Mech");
    addJob(1007, "Open nearly done", 50, -3, 99.5, "Mech");
    addJob(1008, "Quoted open", 70, -4, 95, "O'Brien & Co");
    addJob(1009, "Civil open 2", 30.5, 30.5, 0, "Civil");
    addJob(123456, "Boiler house", 100, 50, 10, "Civil");
    const QDate from(2024, 2, 21), to(2024, 4, 20);
    addBooking(QDate(2024, 2, 20), "Civil", 10000001, "Asha, Engineer", 123456, 3); // before the period
    addBooking(from, "Civil", 10000001, "Asha, Engineer", 123456, 2.5);              // on FromDate
    addBooking(QDate(2024, 3, 20), "Mech", 10000002, "Ravi, Fitter", 123456, 0);     // no days
    addBooking(QDate(2024, 3, 20), "Mech", 10000002, "Ravi, Fitter", 123457, 9);     // another job
    addBooking(to, "Mech", 10000002, "Ravi, Fitter", 123456, 4);                     // on ToDate
}

} // namespace

class TestQueries : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
        app::setToday(kToday);
    }
    void init() { freshDatabase(); }

    // --- Employee queries -------------------------------------------------

    void ageRangeRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("25-35") << "25-35" << true;
        QTest::newRow("16-60") << "16-60" << true;
        QTest::newRow("45-25") << "45-25" << true;
        QTest::newRow("15-60") << "15-60" << false;
        QTest::newRow("16-61") << "16-61" << false;
        QTest::newRow("5-35") << "5-35" << false;
        QTest::newRow("25-355") << "25-355" << false;
        QTest::newRow("2535") << "2535" << false;
        QTest::newRow("25 35") << "25 35" << false;
        QTest::newRow("empty") << "" << false;
    }
    void ageRangeRule()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        addEmployee(10000001, "Asha", "Civil");
        GridModel g;
        QueryInputs in = inputs();
        in.ageRange = text;
        const QueryResult r = queries::runQuery(queries::AgeGroup, in, g);
        QCOMPARE(!r.refusal.has_value(), accepted);
        if (!accepted) {
            QCOMPARE(*r.refusal, QString("ENTER AGE IN PROPER FORMAT AND TRY AGAIN. THERE MUST BE TWO\r\n"
                                         "DIGITS BEFORE AND AFTER - (Minus) SIGN WITH NO SPACE IN BETWEEN.\r\n"
                                         "AGE BELOW 16 AND ABOVE 60 ARE NOT ALLOWED."));
            QCOMPARE(g.lastUsedRow(), 0);
            QVERIFY(!r.countLine && !r.title && !r.from);
        }
    }

    void reversedAgesFindNobody()
    {
        // Both bounds of 25-35 are in the reference file of the age group.
        organisation();
        QueryInputs in = inputs();
        in.ageRange = "25-35";
        GridModel g;
        const QueryResult r = queries::runQuery(queries::AgeGroup, in, g);
        QCOMPARE(*r.from, kToday.addDays(-12775));
        QCOMPARE(*r.to, kToday.addDays(-9125));
        // Reversed ages are accepted and find nobody.
        in.ageRange = "45-25";
        GridModel g2;
        const QueryResult r2 = queries::runQuery(queries::AgeGroup, in, g2);
        QVERIFY(!r2.refusal);
        QVERIFY(*r2.from > *r2.to);
        QCOMPARE(g2.cell(2, 2), QString("NONE FOUND"));
        QCOMPARE(r2.usedRows, 5);
    }

    void superannuationDate_data()
    {
        QTest::addColumn<QDate>("dob");
        QTest::addColumn<QString>("retires");
        QTest::newRow("1 Jan") << QDate(1950, 1, 1) << "31/12/2009";
        QTest::newRow("1 Mar leap") << QDate(1952, 3, 1) << "29/02/2012";
        QTest::newRow("15 Feb") << QDate(1950, 2, 15) << "28/02/2010";
        QTest::newRow("10 Dec") << QDate(1950, 12, 10) << "31/12/2010";
        QTest::newRow("1 Dec") << QDate(1950, 12, 1) << "30/11/2010";
        QTest::newRow("31 Jan") << QDate(1950, 1, 31) << "31/01/2010";
        QTest::newRow("29 Feb, no leap day 60 years on") << QDate(1840, 2, 29) << "28/02/1900";
    }
    void superannuationDate()
    {
        QFETCH(QDate, dob);
        QFETCH(QString, retires);
        QCOMPARE(queries::dmyText(queries::superannuationDate(dob)), retires);
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("name, any case") << "SHARMA" << 0 << QStringList{"10000001", "10000004"};
        QTest::newRow("quote") << "D'Souza" << 0 << QStringList{"10000002"};
        QTest::newRow("percent") << "100%" << 5 << QStringList{"10000003"};
        QTest::newRow("underscore") << "a_b" << 5 << QStringList{"10000004"};
        QTest::newRow("backslash") << "x\\y" << 5 << QStringList{"10000001"};
        QTest::newRow("number") << "0003" << 1 << QStringList{"10000003"};
        QTest::newRow("birth year") << "1977" << 2 << QStringList{"10000002"};
        QTest::newRow("designation") << "manager" << 3 << QStringList{"10000004"};
        QTest::newRow("department") << "mech" << 4 << QStringList{"10000003", "10000004"};
        QTest::newRow("grade") << "e1" << 6 << QStringList{"10000002"};
        QTest::newRow("entire record") << "pune" << 7 << QStringList{"10000002", "10000004"};
        QTest::newRow("entire record, grade") << "E1" << 7 << QStringList{"10000002"};
        QTest::newRow("none") << "nobody" << 7 << QStringList{};
        // Case never counts, for any letter, on every back end.
        QTest::newRow("accented") << "émile" << 0 << QStringList{"10000006"};
        QTest::newRow("greek, final sigma") << "σωκράτης" << 0 << QStringList{"10000007"};
        QTest::newRow("cyrillic, entire record") << "москва" << 7 << QStringList{"10000008"};
    }
    void search()
    {
        QFETCH(QString, text);
        QFETCH(int, field);
        QFETCH(QStringList, found);
        addEmployee(10000001, "Ravi Sharma", "Civil", "Engineer", "E3", QDate(1980, 1, 1), "Flat x\\y");
        addEmployee(10000002, "Joe D'Souza", "Civil", "Draughtsman", "E1", QDate(1977, 7, 7), "Pune");
        addEmployee(10000003, "Mary", "Mech", "Fitter", "W2", QDate(1981, 1, 1), "100% stays");
        addEmployee(10000004, "Sita sharma", "Mech", "Manager", "E4", QDate(1982, 1, 1), "Pune, a_b road");
        addEmployee(10000005, "Anil", "Civil", "Helper", "W1", QDate(1983, 1, 1), "1000 road, aXb");
        addEmployee(10000006, "ÉMILE Zola", "Civil", "Writer", "W9", QDate(1990, 1, 1), "Paris");
        addEmployee(10000007, "ΣΩΚΡΆΤΗΣ", "Civil", "Writer", "W9", QDate(1990, 1, 1), "Athens");
        addEmployee(10000008, "Пётр", "Civil", "Writer", "W9", QDate(1990, 1, 1), "МОСКВА");
        GridModel g;
        QueryInputs in = inputs();
        in.searchText = text;
        in.searchField = field;
        const QueryResult r = queries::runQuery(queries::SearchEmp, in, g);
        const QString entry = queries::searchFieldNames()[field];
        QCOMPARE(column(g, 1, found.size()), found);
        QCOMPARE(*r.title, "SEARCH RESULTS FOR THE STRING '" + text + "'");
        QCOMPARE(g.cell(0, 7), QString("Present Address/Posting of Employee"));
        QCOMPARE(g.cell(1, 7), QString("8"));
        if (found.isEmpty()) {
            QCOMPARE(*r.countLine, "Search Range: " + entry);
            QCOMPARE(g.cell(2, 2), QString("NONE FOUND"));
            QCOMPARE(r.usedRows, 5);
        } else {
            QCOMPARE(*r.countLine, "Items Found in " + entry + ": " + QString::number(found.size()));
            QVERIFY(g.cell(2 + found.size(), 1).isEmpty());
            QCOMPARE(g.cell(found.size() + 3, 2), queries::footerLine(kToday));
            QCOMPARE(r.usedRows, found.size() + 4);
        }
    }

    // Every listing as the headless command writes it, against the reference
    // files in tests/data (KARVELA_WRITE_REFERENCE=1 rewrites them).
    void referenceOutputs_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("args");
        const QStringList civil{"--lead-department", "Civil"};
        QTest::newRow("lead jobs") << "query_lead_jobs" << QStringList{"--index", "0"} + civil;
        QTest::newRow("other lead jobs") << "query_other_lead_jobs" << QStringList{"--index", "1"} + civil;
        QTest::newRow("quoted lead") << "query_quoted_lead" << QStringList{"--index", "0", "--lead-department",
                                                                            "O'Brien & Co"};
        QTest::newRow("over-booked") << "query_over_booked" << QStringList{"--index", "2"};
        QTest::newRow("under-booked") << "query_under_booked" << QStringList{"--index", "3"};
        QTest::newRow("grades") << "query_grades" << QStringList{"--index", "4"};
        QTest::newRow("grade of a department") << "query_grade_e3_civil"
                                               << QStringList{"--index", "4", "--grade", "E3", "--department", "Civil"};
        QTest::newRow("no such grade") << "query_grade_e9" << QStringList{"--index", "4", "--grade", "E9"};
        QTest::newRow("age group") << "query_age_25_35" << QStringList{"--index", "5", "--age", "25-35"};
        QTest::newRow("superannuated") << "query_superannuated" << QStringList{"--index", "6"};
        QTest::newRow("search") << "query_search_pune" << QStringList{"--index", "7", "--search", "pune", "--field", "7"};
        QTest::newRow("booking") << "query_booking" << QStringList{"--index", "8", "--job", "0123456", "--from",
                                                                   "2024-02-21", "--to", "2024-04-20"};
        QTest::newRow("closed jobs") << "query_closed_jobs" << QStringList{"--index", "9"};
        QTest::newRow("transferred") << "query_transferred" << QStringList{"--index", "10"};
    }
    void referenceOutputs()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, args);
        organisation();
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(cli::runQueryCommand(args, o, e), 0);
        o.flush();
        e.flush();
        QCOMPARE(err, QString());
        compareWithReference(file, out);
    }

    // What the files do not hold: each listing's column formats and widths.
    void formatsAndWidths_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QList<int>>("widths"); // of columns 1 to 4
        QTest::newRow("grades") << int(queries::GradeEmps) << "^S.N.|^EMPL. ID|<EMPLOYEE NAME|<DEPARTMENT|^GRADE"
                                << QList<int>{-1, 29};
        QTest::newRow("over-booked") << int(queries::OverBooked)
                                     << "^S.N.|^JOB NUMBER|<JOB DESCRIPTION|^CONSUMED ED|^ALLOTTED ED" << QList<int>{};
        QTest::newRow("transferred") << int(queries::Transferred)
                                     << "^S.N.|^EMPL. ID|<EMPLOYEE NAME|<DEPARTMENT|^GRADE|<DESIGNATION|<DATE OF BIRTH|"
                                        "<WHERE TRANSFERRED" << QList<int>{};
        QTest::newRow("booking") << int(queries::JobBooking)
                                 << "^S.N.|^MONTH END|^EMP. ID|<EMPLOYEE NAME|^DEPTT.|<ED BOOKED" << QList<int>{14, -1, 29};
    }
    void formatsAndWidths()
    {
        QFETCH(int, index);
        QFETCH(QString, format);
        QFETCH(QList<int>, widths);
        organisation();
        QueryInputs in = inputs();
        in.jobText = "123456";
        in.from = QDate(2024, 2, 21);
        in.to = QDate(2024, 4, 20);
        GridModel g;
        const QueryResult r = queries::runQuery(index, in, g);
        QCOMPARE(*r.gridFormat, format);
        for (int k = 0; k < widths.size(); ++k)
            if (widths[k] >= 0)
                QCOMPARE(g.widthZ(k + 1), widths[k]);
    }

    void searchColumnWidths()
    {
        organisation();
        GridModel g;
        QueryInputs in = inputs();
        in.searchText = "asha";
        queries::runQuery(queries::SearchEmp, in, g);
        QCOMPARE(g.widthZ(7), 54);
        QCOMPARE(g.widthZ(4), 6);
    }

    void bookingSearchWithoutBooking()
    {
        addJob(4711, "Cooling tower", 100, 50, 10, "Civil");
        QueryInputs in = inputs();
        in.jobText = "4711";
        in.from = QDate(2024, 2, 21);
        in.to = QDate(2024, 3, 20);
        GridModel g;
        const QueryResult r = queries::runQuery(queries::JobBooking, in, g);
        QCOMPARE(g.cell(2, 1), QString("TOTAL ED BOOKED"));
        QCOMPARE(g.cell(2, 5), QString("0"));
        QCOMPARE(g.cell(2, 6), QString("Cooling tower"));
        QCOMPARE(g.cell(4, 2), queries::footerLine(kToday));
        QCOMPARE(r.usedRows, 5);
        // The hint text searches job number 0.
        in.jobText = "6 digit no.";
        GridModel h;
        queries::runQuery(queries::JobBooking, in, h);
        QCOMPARE(h.cell(2, 5), QString("0"));
        QVERIFY(h.cell(2, 6).isEmpty());
        // A number with a fraction names no job.
        in.jobText = "4711.5";
        GridModel k;
        const QueryResult f = queries::runQuery(queries::JobBooking, in, k);
        QCOMPARE(k.cell(2, 1), QString("TOTAL ED BOOKED"));
        QCOMPARE(k.cell(2, 5), QString("0"));
        QVERIFY(k.cell(2, 6).isEmpty());
        QCOMPARE(f.usedRows, 5);
        // Nor does one beyond what the JobNo column holds, and the data
        // source is not asked.
        for (const QString& beyond : {"99999999999", "-2147483649", "1e309"}) {
            in.jobText = beyond;
            GridModel m;
            const qint64 before = store::counts().statements;
            const QueryResult o = queries::runQuery(queries::JobBooking, in, m);
            QCOMPARE(store::counts().statements, before);
            QCOMPARE(m.cell(2, 5), QString("0"));
            QCOMPARE(o.usedRows, 5);
        }
    }

    // --- Panel texts ----------------------------------------------------------

    void titles_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::newRow("0") << 0 << "LIST OF JOBS OF LEAD DEPART. CIVIL DESIGN";
        QTest::newRow("1") << 1 << "LIST OF JOBS OF OTHER LEAD DEPARTMENTS";
        QTest::newRow("2") << 2 << "LIST OF JOBS WITH OVER BOOKING OF ED";
        QTest::newRow("3") << 3 << "LIST OF JOBS WITH UNDER BOOKING OF ED";
        QTest::newRow("4") << 4 << "LIST OF EMPLOYEES OF GRADE e3 IN MECH SHOP";
        QTest::newRow("5") << 5 << "EMPLOYEES IN THE AGE GROUP BETWEEN 25-35 YEARS";
        QTest::newRow("6") << 6 << "LIST OF Superannuated EMPLOYEES AS ON DATE (15/06/2024)";
        QTest::newRow("7") << 7 << "SEARCH RESULTS FOR THE STRING 'Pune' IN DATE OF BIRTH";
        QTest::newRow("8") << 8 << "SEARCH RESULTS FOR BOOKING AGAINST JOB NO. 6 digit no.";
        QTest::newRow("9") << 9 << "LIST SHOWING COMPLETED/ DROPPED OUT JOBS";
        QTest::newRow("10") << 10 << "LIST SHOWING TRANSFERRED OUT EMPLOYEES";
    }
    void titles()
    {
        QFETCH(int, index);
        QFETCH(QString, title);
        QueryInputs in = inputs();
        in.leadDepartment = "Civil design";
        in.grade = "e3";
        in.department = "Mech shop";
        in.searchText = "Pune";
        in.searchField = 2;
        in.jobText = "6 digit no.";
        QCOMPARE(queries::queryTitle(index, in, queries::optionCaptions()), title);
    }

    void panelTexts()
    {
        QCOMPARE(queries::superannuatedCaption(kToday),
                 QString("List of Superannuated Employees as on Date (15/06/2024)"));
        QCOMPARE(queries::periodLine(QDate(2024, 1, 21), QDate(2024, 2, 20), 21),
                 QString("Period From: 21 January,2024 TO 20 February,2024"));
        QCOMPARE(queries::searchFieldNames(),
                 QStringList({"Employee Name", "Employee Number", "Date of Birth", "Designation", "Department",
                              "Employee Address", "Grade", "Entire Database"}));
        const QStringList help = queries::helpText().split("\r\n");
        QCOMPARE(help.size(), 17);
        QCOMPARE(help[0], QString("\tUTILITY & DEPARTMENTAL PASSWORDS"));
        QCOMPARE(help[2], QString("THIS SOFTWARE IS USEFUL FOR KEEPING JOB RECORDS,"));
        QCOMPARE(help[3], QString("MANPOWER RECORDS, LEAVE RECORDS ETC."));
        QCOMPARE(help[5], QString("This Karvela meant for Recording of day to day Enginnering/"));
        QCOMPARE(help[16], QString("Refer to User Manual for more details."));
        for (int i : {1, 4, 7, 15})
            QVERIFY(help[i].isEmpty());
    }

    // --- Headless export -------------------------------------------------------

    void command_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString footer = queries::footerLine(kToday);
        QTest::newRow("csv")
            << QStringList{"--index", "2", "--format", "csv"} << 0
            << "LIST OF JOBS WITH OVER BOOKING OF ED\nItems found = 1\n"
               "S.N.,JOB NUMBER,JOB DESCRIPTION,CONSUMED ED,ALLOTTED ED,STATUS %\n1,2,3,4,5,6\n"
               "1,1001,\"Over, and out\",112,100,50\n,,,,,\n,," + footer + ",,,\n"
            << "";
        QTest::newRow("search quote")
            << QStringList{"--index", "7", "--search", "d'sou", "--field", "7"} << 0
            << "SEARCH RESULTS FOR THE STRING 'd'sou'\nItems Found in Entire Database: 1\n"
               "S.No.\tEmpl. ID\tEmployee Name\tDesignation\tGrade\tDepartment\tBirth Date\t"
               "Present Address/Posting of Employee\n1\t2\t3\t4\t5\t6\t7\t8\n"
               "1\t10000002\tJoe D'Souza\tFitter\tE3\tMech\t" + queries::shortDateText(QDate(1980, 1, 1)) +
               "\tStaff Colony\n\t\t\t\t\t\t\t\n\t\t" + footer + "\t\t\t\t\t\n"
            << "";
        QTest::newRow("age refused") << QStringList{"--index", "5", "--age", "25 35"} << 1 << ""
                                     << "ENTER AGE IN PROPER FORMAT AND TRY AGAIN. THERE MUST BE TWO\n"
                                        "DIGITS BEFORE AND AFTER - (Minus) SIGN WITH NO SPACE IN BETWEEN.\n"
                                        "AGE BELOW 16 AND ABOVE 60 ARE NOT ALLOWED.\n";
        QTest::newRow("index out of range") << QStringList{"--index", "11"} << 2 << "" << "*";
        QTest::newRow("no index") << QStringList{} << 2 << "" << "*";
        QTest::newRow("unknown option") << QStringList{"--index", "1", "--colour", "red"} << 2 << "" << "*";
        QTest::newRow("bad field") << QStringList{"--index", "7", "--field", "8"} << 2 << "" << "*";
        QTest::newRow("bad format") << QStringList{"--index", "7", "--format", "xml"} << 2 << "" << "*";
        QTest::newRow("bad date") << QStringList{"--index", "8", "--from", "21/01/2024"} << 2 << "" << "*";
    }
    void command()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        addEmployee(10000001, "Asha", "Civil");
        addEmployee(10000002, "Joe D'Souza", "Mech", "Fitter");
        addJob(1001, "Over, and out", 100, -12, 50, "Civil");
        QString o, e;
        QTextStream os(&o), es(&e);
        QCOMPARE(cli::runQueryCommand(args, os, es), status);
        os.flush();
        es.flush();
        QCOMPARE(o, out);
        if (err == "*")
            QVERIFY(e.contains("usage: karvela query --index N"));
        else
            QCOMPARE(e, err);
    }
};

QTEST_GUILESS_MAIN(TestQueries)
#include "test_queries.moc"
