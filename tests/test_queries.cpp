// The employee and job queries, their titles and the headless `query`
// command, over small fixtures on the test data source.
#include "testsupport.h"

#include "app/clock.h"
#include "queries/headers.h"
#include "queries/panel.h"
#include "queries/queries.h"
#include "reports/gridmodel.h"
#include "store/database.h"

#include <QProcess>
#include <QTest>

using namespace testsupport;
using queries::QueryInputs;
using queries::QueryResult;
using reports::GridModel;

namespace {

const QDate kToday(2024, 6, 15);

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

    // Every listing as the headless command writes it, against the reference
    // files in tests/data (KARVELA_WRITE_REFERENCE=1 rewrites them).
    void referenceOutputs_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("args");
        const auto row = [](const char* file, const char* args) { QTest::newRow(file) << QString(file) << args; };
        row("query_lead_jobs", "--index 0 --lead-department Civil");
        row("query_other_lead_jobs", "--index 1 --lead-department Civil");
        row("query_quoted_lead", "--index 0 --lead-department \"O'Brien & Co\"");
        row("query_over_booked", "--index 2");
        row("query_under_booked", "--index 3");
        row("query_grades", "--index 4");
        row("query_grade_e3_civil", "--index 4 --grade E3 --department Civil");
        row("query_grade_e9", "--index 4 --grade E9");
        row("query_age_25_35", "--index 5 --age 25-35");
        row("query_superannuated", "--index 6");
        row("query_search_pune", "--index 7 --search pune --field 7");
        row("query_booking", "--index 8 --job 0123456 --from 2024-02-21 --to 2024-04-20");
        row("query_closed_jobs", "--index 9");
        row("query_transferred", "--index 10");
    }
    void referenceOutputs()
    {
        QFETCH(QString, file);
        QFETCH(QString, args);
        organisation();
        const CommandRun run = runCommand(QStringList{"query"} + QProcess::splitCommand(args));
        QCOMPARE(run.err, QString());
        QCOMPARE(run.code, 0);
        compareWithReference(file, run.out);
    }

    // The command's other outcomes: another format, a refused input, bad arguments.
    void command()
    {
        addEmployee(10000001, "Asha", "Civil");
        addJob(1001, "Over, and out", 100, -12, 50, "Civil");
        const struct { QStringList args; int code; QString out, err; } cases[] = { // err "*": the usage
            {{"--index", "2", "--format", "csv"}, 0,
             "LIST OF JOBS WITH OVER BOOKING OF ED\nItems found = 1\n"
             "S.N.,JOB NUMBER,JOB DESCRIPTION,CONSUMED ED,ALLOTTED ED,STATUS %\n1,2,3,4,5,6\n"
             "1,1001,\"Over, and out\",112,100,50\n,,,,,\n,," + queries::footerLine(kToday) + ",,,\n", ""},
            {{"--index", "5", "--age", "25 35"}, 1, "", queries::ageRangeMessage().replace("\r\n", "\n") + "\n"},
            {{"--index", "13"}, 2, "", "*"}, {{}, 2, "", "*"}, {{"--index", "1", "--colour", "red"}, 2, "", "*"},
            {{"--index", "7", "--field", "8"}, 2, "", "*"}, {{"--index", "7", "--format", "xml"}, 2, "", "*"},
            {{"--index", "8", "--from", "21/01/2024"}, 2, "", "*"},
        };
        for (const auto& k : cases) {
            const CommandRun run = runCommand(QStringList{"query"} + k.args);
            const bool usage = k.err == "*" && run.err.contains("usage: karvela query --index N");
            QCOMPARE(QStringList({k.args.join(' '), QString::number(run.code), run.out, usage ? "*" : run.err}),
                     QStringList({k.args.join(' '), QString::number(k.code), k.out, k.err}));
        }
    }

    // What the files do not hold: each listing's column formats and widths.
    void formatsAndWidths()
    {
        organisation();
        const struct { int index; const char* format; QList<int> widths; } cases[] = { // widths: column, width, ...
            {queries::GradeEmps, "^S.N.|^EMPL. ID|<EMPLOYEE NAME|<DEPARTMENT|^GRADE", {2, 29}},
            {queries::OverBooked, "^S.N.|^JOB NUMBER|<JOB DESCRIPTION|^CONSUMED ED|^ALLOTTED ED", {}},
            {queries::Transferred,
             "^S.N.|^EMPL. ID|<EMPLOYEE NAME|<DEPARTMENT|^GRADE|<DESIGNATION|<DATE OF BIRTH|<WHERE TRANSFERRED", {}},
            {queries::JobBooking, "^S.N.|^MONTH END|^EMP. ID|<EMPLOYEE NAME|^DEPTT.|<ED BOOKED", {1, 14, 3, 29}},
            {queries::SearchEmp, "", {4, 6, 7, 54}},
        };
        const QueryInputs in{.searchText = "asha", .jobText = "123456", .from = {2024, 2, 21}, .to = {2024, 4, 20},
                             .today = kToday};
        for (const auto& k : cases) {
            GridModel g;
            const QueryResult r = queries::runQuery(k.index, in, g);
            QCOMPARE(r.gridFormat.value_or(QString()), QString(k.format));
            for (int i = 0; i < k.widths.size(); i += 2)
                QCOMPARE(g.widthZ(k.widths[i]), k.widths[i + 1]);
        }
    }

    // The age range typed: an accepted one finds those born between the two
    // ages (a reversed one nobody); a refused one leaves the grid alone.
    void ageRange()
    {
        organisation();
        const struct { const char* text; int found; } cases[] = { // found -1: refused
            {"25-35", 2},  {"16-60", 8}, {"45-25", 0},  {"15-60", -1}, {"16-61", -1},
            {"5-35", -1}, {"25-355", -1}, {"2535", -1}, {"25 35", -1}, {"", -1}};
        for (const auto& k : cases) {
            GridModel g;
            const QueryResult r = queries::runQuery(queries::AgeGroup, {.ageRange = k.text, .today = kToday}, g);
            const QString refused("ENTER AGE IN PROPER FORMAT AND TRY AGAIN. THERE MUST BE TWO\r\n"
                                  "DIGITS BEFORE AND AFTER - (Minus) SIGN WITH NO SPACE IN BETWEEN.\r\n"
                                  "AGE BELOW 16 AND ABOVE 60 ARE NOT ALLOWED.");
            QCOMPARE(k.text + (" " + (r.refusal ? *r.refusal : r.countLine.value_or(""))),
                     k.text + (" " + (k.found < 0 ? refused : "Items found = " + QString::number(k.found))));
            if (k.found < 0)
                QVERIFY(g.lastUsedRow() == 0 && !r.title && !r.from);
            if (k.found == 0)
                QVERIFY(*r.from > *r.to && g.cell(2, 2) == "NONE FOUND" && r.usedRows == 5);
        }
    }

    void superannuationDate()
    {
        const struct { QDate dob; const char* retires; } cases[] = {
            {{1950, 1, 1}, "31/12/2009"},   {{1952, 3, 1}, "29/02/2012"},  {{1950, 2, 15}, "28/02/2010"},
            {{1950, 12, 10}, "31/12/2010"}, {{1950, 12, 1}, "30/11/2010"}, {{1950, 1, 31}, "31/01/2010"},
            {{1840, 2, 29}, "28/02/1900"}}; // no 29 February 60 years on
        for (const auto& k : cases)
            QCOMPARE(queries::dmyText(queries::superannuationDate(k.dob)), QString(k.retires));
    }

    // The search: letter case never counts, for any letter on every back end,
    // and the text is found as typed.
    void search()
    {
        addEmployee(10000001, "Ravi Sharma", "Civil", "Engineer", "E3", QDate(1980, 1, 1), "Flat x\\y");
        addEmployee(10000002, "Joe D'Souza", "Civil", "Draughtsman", "E1", QDate(1977, 7, 7), "Pune");
        addEmployee(10000003, "Mary", "Mech", "Fitter", "W2", QDate(1981, 1, 1), "100% stays");
        addEmployee(10000004, "Sita sharma", "Mech", "Manager", "E4", QDate(1982, 1, 1), "Pune, a_b road");
        addEmployee(10000005, "Anil", "Civil", "Helper", "W1", QDate(1983, 1, 1), "1000 road, aXb");
        addEmployee(10000006, "ÉMILE Zola", "Civil", "Writer", "W9", QDate(1990, 1, 1), "Paris");
        addEmployee(10000007, "ΣΩΚΡΆΤΗΣ", "Civil", "Writer", "W9", QDate(1990, 1, 1), "Athens");
        addEmployee(10000008, "Пётр", "Civil", "Writer", "W9", QDate(1990, 1, 1), "МОСКВА");
        const struct { QString text; int field; QStringList found; } cases[] = {
            {"SHARMA", 0, {"10000001", "10000004"}}, {"D'Souza", 0, {"10000002"}}, {"100%", 5, {"10000003"}},
            {"a_b", 5, {"10000004"}},   {"x\\y", 5, {"10000001"}},   {"0003", 1, {"10000003"}},
            {"1977", 2, {"10000002"}},  {"manager", 3, {"10000004"}}, {"mech", 4, {"10000003", "10000004"}},
            {"e1", 6, {"10000002"}},    {"pune", 7, {"10000002", "10000004"}}, {"E1", 7, {"10000002"}},
            {"nobody", 7, {}},          {"émile", 0, {"10000006"}},  {"σωκράτης", 0, {"10000007"}},
            {"москва", 7, {"10000008"}},
        };
        for (const auto& k : cases) {
            GridModel g;
            const QueryInputs in{.searchText = k.text, .searchField = k.field, .today = kToday};
            const QueryResult r = queries::runQuery(queries::SearchEmp, in, g);
            const QString entry = queries::searchFieldNames()[k.field];
            const qsizetype n = k.found.size();
            QCOMPARE(k.text + ": " + gridColumn(g, 1, 2, 1 + n).join(' '), k.text + ": " + k.found.join(' '));
            QCOMPARE(*r.title, "SEARCH RESULTS FOR THE STRING '" + k.text + "'");
            const QString count = n ? "Items Found in " + entry + ": " + QString::number(n) : "Search Range: " + entry;
            QCOMPARE(*r.countLine, count);
            QCOMPARE(r.usedRows, n ? n + 4 : 5);
            if (!n)
                QCOMPARE(g.cell(2, 2), QString("NONE FOUND"));
        }
    }

    // The job number typed for the booking search. One without bookings
    // shows a zero total under the job's name; the hint, a fraction or a
    // number beyond what the JobNo column holds names no job (the data
    // source is not asked for one beyond it).
    void bookingJobText()
    {
        addJob(4711, "Cooling tower", 100, 50, 10, "Civil");
        const struct { QString text, name; bool beyond; } cases[] = {
            {"4711", "Cooling tower", false}, {"6 digit no.", "", false}, {"4711.5", "", false},
            {"99999999999", "", true},        {"-2147483649", "", true},  {"1e309", "", true}};
        for (const auto& k : cases) {
            GridModel g;
            const qint64 before = store::counts().statements;
            const QueryInputs in{.jobText = k.text, .from = {2024, 2, 21}, .to = {2024, 3, 20}, .today = kToday};
            const QueryResult r = queries::runQuery(queries::JobBooking, in, g);
            if (k.beyond)
                QCOMPARE(store::counts().statements, before);
            QCOMPARE(QStringList({k.text, g.cell(2, 1), g.cell(2, 5), g.cell(2, 6), g.cell(4, 2),
                                  QString::number(r.usedRows)}),
                     QStringList({k.text, "TOTAL ED BOOKED", "0", k.name, queries::footerLine(kToday), "5"}));
        }
    }

    // The panel's own texts; titles a result does not replace (the others
    // are in the reference files).
    void panelTexts()
    {
        const QueryInputs in{.grade = "e3", .department = "Mech shop", .searchText = "Pune", .searchField = 2,
                             .jobText = queries::kJobHint, .today = kToday};
        const QStringList captions = queries::optionCaptions();
        QCOMPARE(QStringList({queries::queryTitle(queries::GradeEmps, in, captions),
                              queries::queryTitle(queries::AgeGroup, in, captions),
                              queries::queryTitle(queries::SearchEmp, in, captions),
                              queries::queryTitle(queries::JobBooking, in, captions),
                              queries::superannuatedCaption(kToday),
                              queries::periodLine(QDate(2024, 1, 21), QDate(2024, 2, 20), 21)}),
                 QStringList({"LIST OF EMPLOYEES OF GRADE e3 IN MECH SHOP",
                              "EMPLOYEES IN THE AGE GROUP BETWEEN 25-35 YEARS",
                              "SEARCH RESULTS FOR THE STRING 'Pune' IN DATE OF BIRTH",
                              "SEARCH RESULTS FOR BOOKING AGAINST JOB NO. 6 digit no.",
                              "List of Superannuated Employees as on Date (15/06/2024)",
                              "Period From: 21 January,2024 TO 20 February,2024"}));
        QCOMPARE(queries::searchFieldNames(),
                 QStringList({"Employee Name", "Employee Number", "Date of Birth", "Designation", "Department",
                              "Employee Address", "Grade", "Entire Database"}));
        const QStringList help = queries::helpText().split("\r\n");
        QCOMPARE(help.size(), 17);
        QCOMPARE(QStringList({help[0], help[2], help[3], help[5], help[16]}),
                 QStringList({"\tUTILITY & DEPARTMENTAL PASSWORDS", "THIS SOFTWARE IS USEFUL FOR KEEPING JOB RECORDS,",
                              "MANPOWER RECORDS, LEAVE RECORDS ETC.",
                              "This Karvela meant for Recording of day to day Enginnering/",
                              "Refer to User Manual for more details."}));
        QVERIFY(help[1].isEmpty() && help[4].isEmpty() && help[7].isEmpty() && help[15].isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestQueries)
#include "test_queries.moc"
