// Card checks, card writes, job master, job status and job search, without
// any window, over the test database.
#include "testsupport.h"

#include "entry/card.h"
#include "entry/cardstart.h"
#include "entry/cardchecks.h"
#include "entry/cardstore.h"
#include "entry/joblists.h"
#include "entry/jobmaster.h"
#include "store/database.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <QTest>

using namespace testsupport;

Q_DECLARE_METATYPE(entry::Card::Mode)

namespace {

const QDate kTo(2009, 4, 20);

entry::CardHeader header(qint64 emp = 10000001)
{
    return {emp, "Amy, Engineer", "Civil", kTo};
}

QStringList boxes(const QStringList& given, int n)
{
    QStringList l = given;
    while (l.size() < n)
        l << QString();
    return l;
}



// A trigger that makes the database refuse any change of one job.
void refuseUpdatesOfJob(int jobNo)
{
    if (usingPostgres()) {
        store::execDirect("CREATE OR REPLACE FUNCTION refuse_job() RETURNS trigger AS $$ BEGIN "
                          "RAISE EXCEPTION 'job is locked'; END $$ LANGUAGE plpgsql");
        store::execDirect(QString("CREATE TRIGGER refuse_job BEFORE UPDATE ON jobs FOR EACH ROW WHEN (OLD.JobNo = %1) "
                                  "EXECUTE FUNCTION refuse_job()")
                              .arg(jobNo));
    } else {
        store::execDirect(QString("CREATE TRIGGER refuse_job BEFORE UPDATE ON jobs WHEN OLD.JobNo = %1 "
                                  "BEGIN SELECT RAISE(ABORT, 'job is locked'); END")
                              .arg(jobNo));
    }
}

} // namespace

class TestEntryLogic : public QObject {
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
        addEmployee(10000001, "Amy", "Civil");
        addJob(101, "Pump house", 100, 10, 0, "Civil");
        addJob(102, "Tank farm", 100, 50, 0, "Civil");
        addJob(103, "Open yard", 100, 30, 0, "Mech");
    }

    void itemChecks_data()
    {
        QTest::addColumn<QStringList>("jobs");
        QTest::addColumn<QStringList>("leaves");
        QTest::addColumn<QString>("message");
        QTest::newRow("job 32 of 31") << QStringList{"20", "32"} << QStringList{}
                                      << "Check Entry of Job Item 2, it must be positive limited to 31.";
        QTest::newRow("last job row") << boxes({}, 9) + QStringList{"-1"} << QStringList{}
                                      << "Check Entry of Job Item 10, it must be positive limited to 31.";
        QTest::newRow("box 3 negative is item 4") << QStringList{} << QStringList{"", "", "", "-1"}
                                                  << "Check Entry of Leave Item 4, it must be positive limited to 31.";
        QTest::newRow("holiday box") << QStringList{} << boxes({}, 8) + QStringList{"32"}
                                     << "Check Entry of Leave Item 9, it must be positive limited to 31.";
        QTest::newRow("CL 12 RH 2 pass") << QStringList{"17"} << QStringList{"12", "2"} << "";
        QTest::newRow("CL 12.5") << QStringList{} << QStringList{"12.5"}
                                 << "Check Casual Leave Entry, it must be positive limited to 12.";
        QTest::newRow("RH 3") << QStringList{"20", "8"} << QStringList{"2", "3"}
                              << "Check Restricted Leave Entry, it must be positive limited to 2.";
        QTest::newRow("words count as 0") << QStringList{"abc"} << QStringList{"x"} << "";
        QTest::newRow("job item not finite") << QStringList{"1e309"} << QStringList{}
                                             << "Check Entry of Job Item 1, it must be positive limited to 31.";
        QTest::newRow("leave item not finite") << QStringList{} << QStringList{"", "", "-1e999"}
                                               << "Check Entry of Leave Item 3, it must be positive limited to 31.";
        QTest::newRow("CL not finite") << QStringList{} << QStringList{"1e309"}
                                       << "Check Casual Leave Entry, it must be positive limited to 12.";
    }
    void itemChecks()
    {
        QFETCH(QStringList, jobs);
        QFETCH(QStringList, leaves);
        QFETCH(QString, message);
        const auto m = entry::checkCardItems(boxes(jobs, 10), boxes(leaves, 9), 31);
        QCOMPARE(m.value_or(QString()), message);
    }

    void sumCheck_data()
    {
        QTest::addColumn<QStringList>("jobs");
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<QStringList>("leaves");
        QTest::addColumn<QString>("message");
        QTest::addColumn<double>("total");
        QTest::newRow("fits") << QStringList{"20", "8"} << 1 << QStringList{"2", "1"} << "" << 28.0;
        QTest::newRow("30.5") << QStringList{"20", "7.5"} << 1 << QStringList{"2", "1"}
                              << "Check your enteries, sum of days is 30.5. It must be equal to 31." << 27.5;
        QTest::newRow("7 days reads 7") << QStringList{"7 days", "21"} << 1 << QStringList{"3"} << "" << 28.0;
        QTest::newRow("rows past the last not counted") << QStringList{"31", "5"} << 0 << QStringList{} << "" << 31.0;
        QTest::newRow("leaves only") << QStringList{} << 0 << boxes({}, 8) + QStringList{"31"} << "" << 0.0;
    }
    void sumCheck()
    {
        QFETCH(QStringList, jobs);
        QFETCH(int, lastRow);
        QFETCH(QStringList, leaves);
        QFETCH(QString, message);
        QFETCH(double, total);
        const entry::CardSum s = entry::checkCardSum(boxes(jobs, 10), lastRow, boxes(leaves, 9), 31);
        QCOMPARE(s.SumValid, message.isEmpty());
        QCOMPARE(s.message, message);
        QCOMPARE(s.TotalED, total);
    }

    void placingJobs()
    {
        entry::CardJobs c;
        int row = -1;
        QCOMPARE(c.place(101, &row), entry::CardJobs::Placed::Ok);
        QCOMPARE(row, 0);
        QCOMPARE(c.place(101), entry::CardJobs::Placed::AlreadySelected);
        for (int j = 2; j <= 10; ++j)
            QCOMPARE(c.place(200 + j, &row), entry::CardJobs::Placed::Ok);
        QCOMPARE(row, 9);
        QCOMPARE(c.lastJobRow, 9);
        QCOMPARE(c.place(999), entry::CardJobs::Placed::TooMany);
        c.reset();
        QCOMPARE(c.count, 10); // kept until the next placement
        QCOMPARE(c.place(101, &row), entry::CardJobs::Placed::Ok);
        QCOMPARE(row, 0);
        QCOMPARE(c.lastJobRow, 0);
    }

    // Opening a stored card: the save does what was asked only when the
    // card's leaves row is there; the caption follows the mode.
    void openedCardMode_data()
    {
        using M = entry::Card::Mode;
        QTest::addColumn<bool>("hasRow");
        QTest::addColumn<bool>("hasLeaves");
        QTest::addColumn<M>("wanted");
        QTest::addColumn<M>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("stored");
        QTest::newRow("change") << true << true << M::Update << M::Update << "Update Record" << true;
        QTest::newRow("delete") << true << true << M::Delete << M::Delete << "Delete Record" << true;
        QTest::newRow("leave only") << false << true << M::Delete << M::Delete << "Delete Record" << true;
        QTest::newRow("no leaves row") << true << false << M::Delete << M::Append << "Add Record" << true;
        QTest::newRow("nothing") << false << false << M::Update << M::Append << "Add Record" << false;
    }

    void openedCardMode()
    {
        QFETCH(bool, hasRow);
        QFETCH(bool, hasLeaves);
        QFETCH(entry::Card::Mode, wanted);
        QFETCH(entry::Card::Mode, mode);
        QFETCH(QString, caption);
        QFETCH(bool, stored);
        entry::LoadedCard loaded;
        if (hasRow)
            loaded.rows << entry::LoadedRow{101, 12, 7};
        if (hasLeaves)
            loaded.leaves = entry::LeaveValues{};
        entry::Card c;
        QCOMPARE(c.open(loaded, wanted), stored);
        QCOMPARE(c.mode, mode);
        QCOMPARE(entry::saveCaption(c.mode), caption);
        QCOMPARE(c.lines(false, true).size(), hasRow ? 1 : 0);
        c.reset();
        QCOMPARE(c.mode, entry::Card::Mode::Append);
        QVERIFY(c.jobRows().isEmpty());
    }

    void threeJobCard()
    {
        entry::LeaveValues l;
        l.CL = 1;
        const auto b = entry::appendCard(header(), 30, l, {{101, 12, 0, 0}, {102, 18, 0, 0}, {103, 0, 0, 0}});
        QVERIFY(b);
        QCOMPARE(*b, (QList<double>{-2, 32, 30}));
        QCOMPARE(rows("leaves"), 1);
        QCOMPARE(rows("edbooked"), 3);
        QCOMPARE(scalar("SELECT COUNT(*) FROM edbooked WHERE Emp_Tot_ED = 30").toInt(), 3);
        QCOMPARE(store::num(scalar("SELECT ED_Booked FROM leaves")), 30.0);
        QCOMPARE(store::num(scalar("SELECT CL FROM leaves")), 1.0);
        QCOMPARE(balance(101), -2.0);
        QCOMPARE(store::num(scalar("SELECT Bal_ED FROM edbooked WHERE JobNo = 101")), -2.0);
        QCOMPARE(store::num(scalar("SELECT DaysBooked FROM edbooked WHERE JobNo = 103")), 0.0);
        QCOMPARE(scalar("SELECT DateUpdate FROM jobs WHERE JobNo = 103").toString(), QString("20/04/2009"));
        QCOMPARE(store::dateOf(scalar("SELECT MonthName FROM leaves")), kTo);
        QCOMPARE(scalar("SELECT EmpName FROM edbooked WHERE JobNo = 102").toString(), QString("Amy, Engineer"));

        // The same employee and month again: nothing written.
        QVERIFY(entry::cardExists(10000001, kTo));
        QVERIFY(!entry::appendCard(header(), 30, l, {{101, 1, 0, 0}}));
        QCOMPARE(rows("leaves"), 1);
        QCOMPARE(rows("edbooked"), 3);
        QCOMPARE(balance(101), -2.0);
    }

    void startFromLastCard()
    {
        // No earlier card: refused.
        QCOMPARE(entry::startFromLastCard(10000001, kTo).refusal, QString(entry::kNoEarlierCard));
        // Two earlier cards: the most recent one gives the jobs, in its order.
        entry::CardHeader feb = header(), mar = header();
        feb.toDate = QDate(2009, 2, 20);
        mar.toDate = QDate(2009, 3, 20);
        QVERIFY(entry::appendCard(feb, 28, {}, {{101, 28, 0, 0}}));
        QVERIFY(entry::appendCard(mar, 28, {}, {{103, 10, 0, 0}, {101, 18, 0, 0}}));
        const entry::CardStart s = entry::startFromLastCard(10000001, kTo);
        QVERIFY(s.refusal.isEmpty());
        QCOMPARE(s.jobs, (QList<qint64>{103, 101}));
        QCOMPARE(s.from, mar.toDate);
        // Another employee has none; the period with a card of its own is refused.
        QCOMPARE(entry::startFromLastCard(10000002, kTo).refusal, QString(entry::kNoEarlierCard));
        QCOMPARE(entry::startFromLastCard(10000001, mar.toDate).jobs, (QList<qint64>{}));
        QCOMPARE(entry::startFromLastCard(10000001, mar.toDate).refusal, QString(entry::kPeriodHasCard));
        QCOMPARE(entry::startFromLastCard(10000001, QDate(2009, 3, 1)).jobs, (QList<qint64>{101}));
    }

    void daysCount()
    {
        // Read as the sum check reads: words count as nothing, "7 days" as 7.
        const auto c = entry::countDays(boxes({"7 days", "x", "4"}, 10), 2, boxes({"2"}, 9), 31);
        QCOMPARE(c.entered, 13.0);
        QCOMPARE(c.left, 18.0);
        QCOMPARE(entry::daysCountText(c), QString("Period 31 days, entered 13, left 18"));
        QCOMPARE(entry::countDays(boxes({"30", "2.5"}, 10), 1, boxes({}, 9), 31).left, -1.5);
        QCOMPARE(entry::countDays(boxes({"30", "5"}, 10), 0, boxes({"1"}, 9), 31).left, 0.0);
    }

    void secondSaveWaitsAndIsRefused()
    {
        // Another program saves the same card at the same moment; its
        // transaction is still open when this one starts.
        std::optional<QList<double>> b;
        whileAnotherDesktopHolds(
            {"UPDATE employees SET EmpName = EmpName WHERE Emp_ID = 10000001",
             "INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName, ED_Booked, CL, rh, EL, SL, HPL, HLY, SPL, LWP, "
             "MSC) VALUES ('2009-04-20', 'Civil', 10000001, 'Amy', 0, 0, 0, 0, 0, 0, 31, 0, 0, 0)"},
            [&] { b = entry::appendCard(header(), 31, {}, {{101, 31, 0, 0}}); });
        QVERIFY(!b);
        QCOMPARE(rows("leaves"), 1);
        QCOMPARE(rows("edbooked"), 0);
        QCOMPARE(balance(101), 10.0);
    }

    void cardWithoutJobsWritesLeavesOnly()
    {
        entry::LeaveValues l;
        l.HLY = 31;
        QVERIFY(entry::appendCard(header(), 0, l, {}));
        QCOMPARE(rows("leaves"), 1);
        QCOMPARE(rows("edbooked"), 0);
        QVERIFY(entry::cardExists(10000001, kTo));
        QVERIFY(!entry::appendCard(header(), 0, l, {}));
        QCOMPARE(rows("leaves"), 1);
    }

    void failedJobUpdateWritesNothing_data()
    {
        QTest::addColumn<bool>("missingJob");
        QTest::newRow("database refuses the update") << false;
        QTest::newRow("job not in the table") << true;
    }
    void failedJobUpdateWritesNothing()
    {
        QFETCH(bool, missingJob);
        if (!missingJob)
            refuseUpdatesOfJob(103);
        const int lastJob = missingJob ? 555 : 103;
        try {
            entry::appendCard(header(), 31, {}, {{101, 10, 0, 0}, {102, 11, 0, 0}, {lastJob, 10, 0, 0}});
            QFAIL("the append did not fail");
        } catch (const entry::CardWriteError& e) {
            QCOMPARE(e.routine(), QString("UpdateProgED"));
            QVERIFY(e.boxText().contains("\r\nUpdateProgED SubRoutine\r\n"));
            QVERIFY(e.boxText().startsWith(e.error().number() + "\r\n"));
        }
        QCOMPARE(rows("leaves"), 0);
        QCOMPARE(rows("edbooked"), 0);
        QCOMPARE(balance(101), 10.0);
        QCOMPARE(balance(102), 50.0);
        QVERIFY(scalar("SELECT DateUpdate FROM jobs WHERE JobNo = 101").toString().isEmpty());
        // The connection is still usable afterwards.
        QVERIFY(entry::appendCard(header(), 31, {}, {{101, 31, 0, 0}}));
        QCOMPARE(balance(101), -21.0);
    }

    void updateAndDelete()
    {
        entry::LeaveValues l;
        l.CL = 2;
        l.RH = 1;
        QVERIFY(entry::appendCard(header(), 28, l, {{101, 10, 0, 0}, {102, 18, 0, 0}}));
        QCOMPARE(balance(101), 0.0);

        const entry::LoadedCard c = entry::loadCard(10000001, kTo);
        QCOMPARE(c.rows.size(), 2);
        QCOMPARE(c.rows[0].jobNo, 101);
        QCOMPARE(c.rows[0].days, 10.0);
        QCOMPARE(c.rows[0].balance, 0.0);
        QCOMPARE(c.rows[0].allotted, 100.0);
        QCOMPARE(c.rows[1].name, QString("Tank farm"));
        QVERIFY(c.leaves);
        QCOMPARE(c.leaves->CL, 2.0);
        QCOMPARE(c.leaves->RH, 1.0);
        QVERIFY(entry::loadCard(10000001, kTo.addMonths(1)).rows.isEmpty());

        // 10 -> 12 days on job 101, one CL less.
        l.CL = 0;
        const QList<double> up = entry::updateCard(header(), 30, l, {{101, 12, 10, 0}, {102, 18, 18, 0}});
        QCOMPARE(up, (QList<double>{-2, 32}));
        QCOMPARE(balance(101), -2.0);
        QCOMPARE(balance(102), 32.0);
        QCOMPARE(store::num(scalar("SELECT DaysBooked FROM edbooked WHERE JobNo = 101")), 12.0);
        QCOMPARE(store::num(scalar("SELECT Bal_ED FROM edbooked WHERE JobNo = 101")), -2.0);
        QCOMPARE(scalar("SELECT COUNT(*) FROM edbooked WHERE Emp_Tot_ED = 30").toInt(), 2);
        QCOMPARE(store::num(scalar("SELECT CL FROM leaves")), 0.0);
        QCOMPARE(store::num(scalar("SELECT ED_Booked FROM leaves")), 30.0);
        QCOMPARE(rows("leaves"), 1);

        // The days given back are the stored ones, even when the screen's
        // figure is stale.
        QCOMPARE(entry::updateCard(header(), 30, l, {{101, 12, 99, 0}, {102, 18, 0, 0}}), (QList<double>{-2, 32}));
        QCOMPARE(balance(101), -2.0);

        // Delete gives the stored days back.
        const entry::LoadedCard d = entry::loadCard(10000001, kTo);
        QList<qint64> ids;
        for (const auto& r : d.rows)
            ids << r.id;
        const QList<double> del = entry::deleteCard(header(), {{101, 12, 12, 0}, {102, 18, 0, 0}}, ids);
        QCOMPARE(del, (QList<double>{10, 50}));
        QCOMPARE(balance(101), 10.0);
        QCOMPARE(balance(102), 50.0);
        QCOMPARE(rows("leaves"), 0);
        QCOMPARE(rows("edbooked"), 0);

        // A card that is gone cannot be deleted twice.
        try {
            entry::deleteCard(header(), {{101, 12, 12, 0}}, ids);
            QFAIL("a deleted card was deleted again");
        } catch (const entry::CardWriteError& e) {
            QCOMPARE(e.routine(), QString("AddRecord"));
        }
        QCOMPARE(balance(101), 10.0);
    }

    void allottedCreditThenSave()
    {
        app::Job j;
        j.jobNo = 700;
        j.name = "New \"quoted\" job's name";
        j.client = "O'Neil & Co";
        j.allotted = 500;
        j.status = 0;
        j.lead = "Civil";
        entry::addJob(j);
        QCOMPARE(balance(700), 0.0);
        QCOMPARE(store::num(scalar("SELECT Limit_ED FROM jobs WHERE JobNo = 700")), 500.0);
        QCOMPARE(scalar("SELECT JobName FROM jobs WHERE JobNo = 700").toString(), j.name);
        QVERIFY(entry::jobExists(700));
        QCOMPARE(entry::allottedOf(700).value_or(-1), 500.0);
        QVERIFY(!entry::allottedOf(701));
        // Balance 0 shown, 500 credited on the card row, 20 days booked.
        const auto b = entry::appendCard(header(), 31, {}, {{700, 20, 0, 500}, {101, 11, 0, 0}});
        QVERIFY(b);
        QCOMPARE(b->first(), 480.0);
        QCOMPARE(balance(700), 480.0);
        QCOMPARE(store::num(scalar("SELECT Bal_ED FROM edbooked WHERE JobNo = 700")), 480.0);
    }

    void jobMasterChecks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<bool>("jobNumber");
        QTest::newRow("whole") << "1234" << true << true;
        QTest::newRow("blanks around") << " 77 " << true << true;
        QTest::newRow("zero") << "0" << true << true;
        QTest::newRow("negative five") << "-5" << true << true;
        QTest::newRow("fraction") << "12.5" << true << false;
        QTest::newRow("too big") << "3000000000" << true << false;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("words") << "12ab" << false << false;
        QTest::newRow("below the column") << "-2147483649" << true << false;
        QTest::newRow("not finite") << "1e309" << false << false;
    }
    void jobMasterChecks()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(bool, jobNumber);
        QCOMPARE(entry::isNumericText(text), numeric);
        QCOMPARE(entry::jobNumberOf(text).has_value(), jobNumber);
    }

    void numbersAndTextsOfTheJobPanelAndStatus_data()
    {
        QTest::addColumn<QStringList>("panel"); // name, client, balance, status
        QTest::addColumn<QString>("statusBox");
        QTest::addColumn<QString>("panelMessage");
        QTest::addColumn<QString>("statusMessage");
        const QString statusRange = "Check Status %, it must be a number from -32768 to 32767.";
        const QString updateRange = "Check Status %, it must be a number from -32768 to 100.";
        QTest::newRow("accepted") << QStringList{QString(255, 'n'), "Client", "-5", "-32768"} << "-32768" << ""
                                  << "";
        QTest::newRow("status -1e10") << QStringList{"Pump", "", "0", "-1e10"} << "-1e10" << statusRange
                                      << updateRange;
        QTest::newRow("status not finite") << QStringList{"Pump", "", "0", "1e309"} << "1e309" << statusRange
                                           << updateRange;
        QTest::newRow("status 101") << QStringList{"Pump", "", "0", "101"} << "101" << ""
                                    << QString(entry::kStatusTooHigh);
        QTest::newRow("balance not finite") << QStringList{"Pump", "", "1e309", "0"} << "0"
                                            << "Check Balance ED, it must be a finite number." << "";
        QTest::newRow("name too long") << QStringList{QString(256, 'n'), "", "0", "0"} << "0"
                                       << "Check Job Name, it must not be longer than 255 characters (it has 256)."
                                       << "";
        QTest::newRow("NUL in the client") << QStringList{"Pump", QString("a") + QChar(0) + "b", "0", "0"} << "0"
                                           << "Check ClientCo., it must not contain a NUL character." << "";
    }
    void numbersAndTextsOfTheJobPanelAndStatus()
    {
        QFETCH(QStringList, panel);
        QFETCH(QString, statusBox);
        QFETCH(QString, panelMessage);
        QFETCH(QString, statusMessage);
        QCOMPARE(entry::jobPanelProblem(panel[0], panel[1], panel[2], panel[3]).value_or(QString()), panelMessage);
        QCOMPARE(entry::statusUpdateProblem(statusBox).value_or(QString()), statusMessage);
    }

    void cardWithAnOverLongEmployeeTextIsRefusedBeforeWriting()
    {
        entry::CardHeader h = header();
        h.empName = QString(200, 'n') + ", " + QString(60, 'd');
        try {
            entry::appendCard(h, 31, {}, {{101, 31, 0, 0}});
            QFAIL("an over-long employee text was stored");
        } catch (const entry::CardWriteError& e) {
            QVERIFY(e.boxText().contains("Check Employee, it must not be longer than 255 characters (it has 262)."));
        }
        QCOMPARE(rows("leaves"), 0);
        QCOMPARE(balance(101), 10.0);
    }

    void editingAJob()
    {
        auto j = entry::readJob(102);
        QVERIFY(j);
        QCOMPARE(j->name, QString("Tank farm"));
        QCOMPARE(j->lead, QString("Civil"));
        j->name = "Tank farm II";
        j->balance = 75;
        j->lead = "Other";
        QVERIFY(entry::updateJob(*j, 50));
        QCOMPARE(balance(102), 75.0);
        QCOMPARE(scalar("SELECT JobName FROM jobs WHERE JobNo = 102").toString(), QString("Tank farm II"));
        QCOMPARE(scalar("SELECT LeadDeptt FROM jobs WHERE JobNo = 102").toString(), QString("Civil"));
        // A card booked 5 days while the panel showed 75: an edit that leaves
        // the balance alone keeps the booking, one that changes it moves it.
        QVERIFY(entry::appendCard(header(), 31, {}, {{102, 5, 0, 0}}));
        QVERIFY(entry::updateJob(*j, 75));
        QCOMPARE(balance(102), 70.0);
        j->balance = 80;
        QVERIFY(entry::updateJob(*j, 75));
        QCOMPARE(balance(102), 75.0);
        j->jobNo = 999;
        QVERIFY(!entry::updateJob(*j, 0));
        // A second job 101 is refused by the key, nothing stored.
        QVERIFY(!entry::addJob(app::Job{101, "again", "", 1, 0, 0, "Civil"}));
        QCOMPARE(scalar("SELECT JobName FROM jobs WHERE JobNo = 101").toString(), QString("Pump house"));
        QVERIFY(entry::addJob(app::Job{104, "new", "", 1, 0, 0, "Civil"}));
    }

    void status_data()
    {
        QTest::addColumn<double>("typed");
        QTest::addColumn<double>("stored");
        QTest::newRow("45.5") << 45.5 << 46.0;
        QTest::newRow("44.5") << 44.5 << 44.0;
        QTest::newRow("44.6") << 44.6 << 45.0;
        QTest::newRow("0.5") << 0.5 << 0.0;
        QTest::newRow("100") << 100.0 << 100.0;
        QTest::newRow("-2.5") << -2.5 << -2.0;
    }
    void status()
    {
        QFETCH(double, typed);
        QFETCH(double, stored);
        QCOMPARE(entry::roundHalfEven(typed), stored);
        QVERIFY(entry::storeJobStatus(101, int(stored), kTo));
        QCOMPARE(store::num(scalar("SELECT Job_Status FROM jobs WHERE JobNo = 101")), stored);
        QCOMPARE(scalar("SELECT DateUpdate FROM jobs WHERE JobNo = 101").toString(), QString("20/04/2009"));
    }

    void statusAuthorisation()
    {
        QCOMPARE(entry::currentDepartment("Civil Engineering Works"), QString("Civil"));
        QCOMPARE(entry::currentDepartment("Civil"), QString("Civil"));
        QCOMPARE(entry::notAuthorizedMessage("Mech", "Civil"),
                 QString("This is a job of Mech Department. Civil Department\r\nis not authorized to edit its status."));
    }

    void namePatterns_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("match");
        QTest::newRow("contains, any case") << "Open yard" << "ope" << true;
        QTest::newRow("not adjacent") << "O p e" << "ope" << false;
        QTest::newRow("empty text matches all") << "Pump" << "" << true;
        QTest::newRow("star") << "Pump house" << "p*se" << true;
        QTest::newRow("question") << "Pump" << "p?mp" << true;
        QTest::newRow("hash digit") << "Block 7" << "k #" << true;
        QTest::newRow("hash no digit") << "Block A" << "k #" << false;
        QTest::newRow("range") << "Tank B" << "k [A-C]" << true;
        QTest::newRow("range miss") << "Tank D" << "k [A-C]" << false;
        QTest::newRow("negated list") << "Tank D" << "k [!A-C]" << true;
        QTest::newRow("quote") << "O'Neil's pump" << "'neil" << true;
        QTest::newRow("open bracket literal") << "Tank [old" << "[old" << true;
    }
    void namePatterns()
    {
        QFETCH(QString, name);
        QFETCH(QString, search);
        QFETCH(bool, match);
        QCOMPARE(entry::jobNameMatches(name, search), match);
    }

    void numberSearchIsExact()
    {
        const QStringList l{"101", "102", "103"};
        QCOMPARE(entry::indexOfExact(l, "101"), 0);
        QCOMPARE(entry::indexOfExact(l, "103"), 2);
        QCOMPARE(entry::indexOfExact(l, "103 "), -1);
        QCOMPARE(entry::indexOfExact(l, "10"), -1);
    }

    void jobListsAndBalances()
    {
        const auto jobs = entry::loadJobLists();
        QCOMPARE(jobs.size(), 3);
        QCOMPARE(jobs[0].jobNo, 101);
        QCOMPARE(jobs[2].lead, QString("Mech"));
        QCOMPARE(jobs[1].balance, 50.0);
        QCOMPARE(entry::balancesByJob().value(103), 30.0);
        QCOMPARE(entry::listsCaption(3), QString("Select jobs out of given 3."));
    }

    void tenJobCardInAFewStatements()
    {
        QList<entry::CardLine> lines, changed;
        for (int j = 0; j < 10; ++j) {
            addJob(300 + j, "Job", 100, 100, 0, "Civil");
            lines << entry::CardLine{300 + j, 3, 0, 0};
            changed << entry::CardLine{300 + j, 4, 3, 0};
        }
        // However many jobs a card holds, its writes take a fixed number of
        // statements.
        store::resetCounts();
        QVERIFY(entry::appendCard(header(), 30, {}, lines));
        QVERIFY2(store::counts().statements <= 10, qPrintable(QString::number(store::counts().statements)));
        QCOMPARE(rows("edbooked"), 10);
        QCOMPARE(balance(309), 97.0);
        store::resetCounts();
        QCOMPARE(entry::updateCard(header(), 40, {}, changed).value(9), 96.0);
        QVERIFY2(store::counts().statements <= 10, qPrintable(QString::number(store::counts().statements)));
        QList<qint64> ids;
        store::resetCounts();
        for (const auto& r : entry::loadCard(10000001, kTo).rows)
            ids << r.id;
        QCOMPARE(store::counts().statements, 2);
        store::resetCounts();
        QCOMPARE(entry::deleteCard(header(), changed, ids).value(9), 100.0);
        QVERIFY2(store::counts().statements <= 10, qPrintable(QString::number(store::counts().statements)));
        QCOMPARE(rows("edbooked"), 0);
    }
};

QTEST_GUILESS_MAIN(TestEntryLogic)
#include "test_entry_logic.moc"
