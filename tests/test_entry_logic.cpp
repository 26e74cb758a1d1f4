// Card checks, card writes, job master, job status and job search, without
// any window, over the test database.
#include "testsupport.h"

#include "app/numtext.h"
#include "entry/card.h"
#include "entry/cardstart.h"
#include "entry/cardstore.h"
#include "entry/jobmaster.h"
#include "store/database.h"

#include <QRegularExpression>
#include <QTest>

#include <functional>

using namespace testsupport;

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

    // The item checks first; a card that passes them is summed against the
    // 31-day period (total: the job days; left: what the day count shows).
    void cardChecks()
    {
        const QString job = "Check Entry of Job Item %1, it must be positive limited to 31.";
        const QString leave = "Check Entry of Leave Item %1, it must be positive limited to 31.";
        const QString cl = "Check Casual Leave Entry, it must be positive limited to 12.";
        const QString sum = "Check your enteries, sum of days is %1. It must be equal to 31.";
        const struct {
            QStringList jobs;
            int lastRow;
            QStringList leaves;
            QString message;
            double total = 0, left = 0;
        } cards[] = {
            {{"20", "32"}, 1, {}, job.arg(2)},
            {boxes({}, 9) + QStringList{"-1"}, 9, {}, job.arg(10)},
            {{"1e309"}, 0, {}, job.arg(1)},
            {{}, 0, {"", "", "", "-1"}, leave.arg(4)}, // the fourth box
            {{}, 0, boxes({}, 8) + QStringList{"32"}, leave.arg(9)},
            {{}, 0, {"", "", "-1e999"}, leave.arg(3)},
            {{}, 0, {"12.5"}, cl},
            {{}, 0, {"1e309"}, cl},
            {{"20", "8"}, 1, {"2", "3"}, "Check Restricted Leave Entry, it must be positive limited to 2."},
            {{"17"}, 0, {"12", "2"}, "", 17},
            {{"abc", "7 days", "21"}, 2, {"x", "", "3"}, "", 28}, // words count as 0, "7 days" as 7
            {{"20", "7.5"}, 1, {"2", "1"}, sum.arg(30.5), 27.5, 0.5},
            {{"30", "2.5"}, 1, {}, sum.arg(32.5), 32.5, -1.5},
            {{"31", "5"}, 0, {}, "", 31}, // rows past the last not counted
            {{}, 0, boxes({}, 8) + QStringList{"31"}, "", 0},
        };
        for (const auto& c : cards) {
            const QStringList jobs = boxes(c.jobs, 10), leaves = boxes(c.leaves, 9);
            const entry::CardSum s = entry::checkCardSum(jobs, c.lastRow, leaves, 31);
            const auto bad = entry::checkCardItems(jobs, leaves, 31);
            QCOMPARE(bad.value_or(s.message), c.message);
            if (bad)
                continue;
            QCOMPARE(s.SumValid, c.message.isEmpty());
            QCOMPARE(s.TotalED, c.total);
            QCOMPARE(entry::countDays(jobs, c.lastRow, leaves, 31).left, c.left);
        }
    }

    // A stored card opened again (its job row and/or its leaves row there):
    // the save does what was asked only when the leaves row is there; the
    // caption follows the mode.
    void openedCardMode()
    {
        using M = entry::Card::Mode;
        const struct {
            bool hasRow, hasLeaves;
            M wanted, mode;
            QString caption;
        } cases[] = {{true, true, M::Update, M::Update, "Update Record"}, {true, true, M::Delete, M::Delete, "Delete Record"},
                     {false, true, M::Delete, M::Delete, "Delete Record"}, {true, false, M::Delete, M::Append, "Add Record"},
                     {false, false, M::Update, M::Append, "Add Record"}};
        for (const auto& k : cases) {
            freshDatabase();
            addJob(101, "Pump house", 100, 10, 0, "Civil");
            entry::LeaveValues l;
            l.RH = 1;
            QVERIFY(entry::appendCard(header(), 12, l, {{101, 12, 0, 0}}));
            if (!k.hasRow)
                store::exec("DELETE FROM edbooked");
            if (!k.hasLeaves)
                store::exec("DELETE FROM leaves");
            const entry::LoadedCard loaded = entry::loadCard(10000001, kTo);
            QStringList row;
            for (const entry::LoadedRow& r : loaded.rows)
                row << QString::number(r.jobNo) << app::generalNumber(r.days) << app::generalNumber(r.balance)
                    << app::generalNumber(r.allotted) << r.name;
            QCOMPARE(row, (k.hasRow ? QStringList{"101", "12", "-2", "100", "Pump house"} : QStringList{}));
            QCOMPARE(loaded.leaves.has_value() ? loaded.leaves->RH : -1.0, k.hasLeaves ? 1.0 : -1.0);
            entry::Card c;
            QCOMPARE(c.open(loaded, k.wanted), k.hasRow || k.hasLeaves);
            QCOMPARE(entry::saveCaption(c.mode), k.caption);
            QCOMPARE(c.lines(false, true).size(), k.hasRow ? 1 : 0);
        }
        QVERIFY(entry::loadCard(10000001, kTo.addMonths(1)).rows.isEmpty());
    }

    // One card through its writes (jobs 101, 102, 103 start at 10, 50, 30):
    // what each write gives back, then what is stored (see storedCards).
    void cardWrites()
    {
        entry::LeaveValues cl, hly;
        cl.CL = 1;
        hly.HLY = 31;
        entry::CardHeader longName = header();
        longName.empName = QString(200, 'n') + ", " + QString(60, 'd');
        // Job 103: no days, but the allotted ED credited on screen.
        const QList<entry::CardLine> three{{101, 12, 0, 0}, {102, 18, 0, 0}, {103, 0, 0, 100}};
        QList<qint64> opened; // record keys of the card last opened
        const auto remove = [&] {
            QList<entry::CardLine> lines;
            opened.clear();
            for (const auto& r : entry::loadCard(10000001, kTo).rows) {
                opened << r.id;
                lines << entry::CardLine{r.jobNo, 0, 0, 0};
            }
            return entry::deleteCard(header(), lines, opened);
        };
        const QString none = " |  | 101:10, 102:50, 103:30";
        const QString anew = "101 12 -2 12 | 12 0 | 101:-2, 102:50, 103:180";
        const QString appended = "101 12 -2 30, 102 18 32 30, 103 0 130 30 | 30 1 | 101:-2, 102:32, 103:130";
        struct Step {
            const char* what;
            std::function<std::optional<QList<double>>()> write;
            QString returned, stored;
        };
        const Step steps[] = {
            {"an over-long employee text, refused before writing", [&] { return entry::appendCard(longName, 30, cl, three); },
             "AddRecord: Check Employee, it must not be longer than 255 characters (it has 262).", none},
            {"three jobs", [&] { return entry::appendCard(header(), 30, cl, three); }, "-2 32 130", appended},
            {"the same month again", [&] { return entry::appendCard(header(), 30, cl, {{101, 1, 0, 0}}); }, "nothing",
             appended},
            // The days given back are the stored ones, not the screen's 99.
            {"changed", [] { return entry::updateCard(header(), 30, {}, {{101, 10, 99, 0}, {102, 18, 0, 0}, {103, 2, 0, 50}}); },
             "0 32 178", "101 10 0 30, 102 18 32 30, 103 2 178 30 | 30 0 | 101:0, 102:32, 103:178"},
            {"deleted: the stored days go back", remove, "10 50 180", " |  | 101:10, 102:50, 103:180"},
            // Another desktop stored a new card meanwhile: the keys opened are gone.
            {"stored anew", [&] { return entry::appendCard(header(), 12, {}, {{101, 12, 0, 0}}); }, "-2", anew},
            {"deleted with the keys of the card deleted before",
             [&] { return entry::deleteCard(header(), {{101, 0, 0, 0}}, opened); },
             "AddRecord: No record found in the Database: booking row N of the card (it was changed since it was opened).",
             anew},
            {"deleted", remove, "10", " |  | 101:10, 102:50, 103:180"},
            {"deleted again", remove, "AddRecord: No record found in the Database: leaves of the card.",
             " |  | 101:10, 102:50, 103:180"},
            {"no jobs, only holidays", [&] { return entry::appendCard(header(), 0, hly, {}); }, "",
             " | 0 0 | 101:10, 102:50, 103:180"},
            {"no jobs, again", [&] { return entry::appendCard(header(), 0, hly, {}); }, "nothing",
             " | 0 0 | 101:10, 102:50, 103:180"},
        };
        for (const Step& s : steps) {
            QString got;
            try {
                const auto b = s.write();
                QStringList l;
                for (double v : b.value_or(QList<double>{}))
                    l << app::generalNumber(v);
                got = b ? l.join(' ') : "nothing";
            } catch (const entry::CardWriteError& e) {
                got = e.routine() + ": " + QString(e.error().description()).replace(QRegularExpression("row \\d+"), "row N");
            }
            QVERIFY2(got == s.returned, qPrintable(QString("%1: %2").arg(s.what, got)));
            QVERIFY2(storedCards() == s.stored, qPrintable(QString("%1: %2").arg(s.what, storedCards())));
        }
        QVERIFY(entry::cardExists(10000001, kTo));
        QCOMPARE(scalar("SELECT DateUpdate FROM jobs WHERE JobNo = 103").toString(), QString("20/04/2009"));
    }

    void startFromLastCard()
    {
        QCOMPARE(entry::startFromLastCard(10000001, kTo).refusal, QString(entry::kNoEarlierCard));
        // The most recent earlier card gives the jobs, in its order.
        entry::CardHeader feb = header(), mar = header();
        feb.toDate = QDate(2009, 2, 20);
        mar.toDate = QDate(2009, 3, 20);
        QVERIFY(entry::appendCard(feb, 28, {}, {{101, 28, 0, 0}}));
        QVERIFY(entry::appendCard(mar, 28, {}, {{103, 10, 0, 0}, {101, 18, 0, 0}}));
        const entry::CardStart s = entry::startFromLastCard(10000001, kTo);
        QVERIFY(s.refusal.isEmpty());
        QCOMPARE(s.jobs, (QList<qint64>{103, 101}));
        QCOMPARE(s.from, mar.toDate);
        QCOMPARE(entry::startFromLastCard(10000002, kTo).refusal, QString(entry::kNoEarlierCard));
        QCOMPARE(entry::startFromLastCard(10000001, mar.toDate).refusal, QString(entry::kPeriodHasCard));
        QCOMPARE(entry::startFromLastCard(10000001, QDate(2009, 3, 1)).jobs, (QList<qint64>{101}));
    }

    // However many jobs a card holds, its writes take a fixed number of
    // statements; opening it takes two.
    void tenJobCardInAFewStatements()
    {
        QList<entry::CardLine> lines, changed;
        for (int j = 300; j < 310; ++j) {
            addJob(j, "Job", 100, 100, 0, "Civil");
            lines << entry::CardLine{j, 3, 0, 0};
            changed << entry::CardLine{j, 4, 3, 0};
        }
        QList<qint64> ids;
        const QList<std::function<double()>> writes{
            [&] { return entry::appendCard(header(), 30, {}, lines).value_or(QList<double>{}).value(9); },
            [&] { return entry::updateCard(header(), 40, {}, changed).value(9); },
            [&] { return entry::deleteCard(header(), lines, ids).value(9); }};
        for (int i = 0; i < 3; ++i) {
            store::resetCounts();
            QCOMPARE(writes[i](), QList<double>({97, 96, 100})[i]);
            QVERIFY2(store::counts().statements <= 10, qPrintable(QString::number(store::counts().statements)));
            store::resetCounts();
            ids.clear();
            for (const auto& r : entry::loadCard(10000001, kTo).rows)
                ids << r.id;
            QCOMPARE(store::counts().statements, 2);
        }
        QCOMPARE(rows("edbooked"), 0);
    }

    void jobPanelChecks()
    {
        const struct {
            QString text;
            bool numeric, jobNumber;
        } numbers[] = {{"1234", true, true},    {" 77 ", true, true},  {"0", true, true},           {"-5", true, true},
                       {"12.5", true, false},   {"3000000000", true, false}, {"-2147483649", true, false}, {"", false, false},
                       {"12ab", false, false},  {"1e309", false, false}};
        for (const auto& n : numbers) {
            QVERIFY2(entry::isNumericText(n.text) == n.numeric, qPrintable(n.text));
            QVERIFY2(entry::jobNumberOf(n.text).has_value() == n.jobNumber, qPrintable(n.text));
        }
        // Name, client, balance and status of the panel; the panel's message,
        // then the status box's for the same status.
        const QString statusRange = "Check Status %, it must be a number from -32768 to 32767.";
        const QString updateRange = "Check Status %, it must be a number from -32768 to 100.";
        const struct {
            QStringList panel;
            QString panelMessage, statusMessage;
        } panels[] = {
            {{QString(255, 'n'), "Client", "-5", "-32768"}, "", ""},
            {{"Pump", "", "0", "-1e10"}, statusRange, updateRange},
            {{"Pump", "", "0", "1e309"}, statusRange, updateRange},
            {{"Pump", "", "0", "101"}, "", entry::kStatusTooHigh},
            {{"Pump", "", "1e309", "0"}, "Check Balance ED, it must be a finite number.", ""},
            {{QString(256, 'n'), "", "0", "0"}, "Check Job Name, it must not be longer than 255 characters (it has 256).", ""},
            {{"Pump", QString("a") + QChar(0) + "b", "0", "0"}, "Check ClientCo., it must not contain a NUL character.", ""},
        };
        for (const auto& p : panels) {
            QCOMPARE(entry::jobPanelProblem(p.panel[0], p.panel[1], p.panel[2], p.panel[3]).value_or(QString()),
                     p.panelMessage);
            QCOMPARE(entry::statusUpdateProblem(p.panel[3]).value_or(QString()), p.statusMessage);
        }
    }

    void jobMaster()
    {
        const app::Job added{700, "New \"quoted\" job's name", "O'Neil & Co", 500, 25, 0, "Civil"};
        QVERIFY(entry::addJob(added));
        const auto j700 = entry::readJob(700);
        QVERIFY(j700);
        QCOMPARE(QStringList({j700->name, j700->client, app::generalNumber(j700->allotted), app::generalNumber(j700->balance)}),
                 (QStringList{added.name, added.client, "500", "0"})); // a new job starts at balance 0
        QVERIFY(entry::jobExists(700));
        QCOMPARE(entry::allottedOf(700).value_or(-1), 500.0);
        QVERIFY(!entry::allottedOf(701));
        // A second job 101 is refused by the key, nothing stored.
        QVERIFY(!entry::addJob(app::Job{101, "again", "", 1, 0, 0, "Civil"}));
        QCOMPARE(scalar("SELECT JobName FROM jobs WHERE JobNo = 101").toString(), QString("Pump house"));

        auto j = entry::readJob(102);
        QVERIFY(j);
        j->name = "Tank farm II";
        j->balance = 75;
        j->lead = "Other";
        QVERIFY(entry::updateJob(*j, 50));
        QCOMPARE(balance(102), 75.0);
        QCOMPARE(entry::readJob(102)->name, QString("Tank farm II"));
        QCOMPARE(entry::readJob(102)->lead, QString("Civil"));
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

        // A status typed, rounded, stored; only by the job's lead department.
        for (const auto& [typed, stored] : {std::pair{45.5, 46.0}, {44.5, 44.0}, {44.6, 45.0}, {0.5, 0.0}, {100.0, 100.0},
                                            {-2.5, -2.0}}) {
            QCOMPARE(entry::roundHalfEven(typed), stored);
            QVERIFY(entry::storeJobStatus(101, int(stored), kTo));
            QCOMPARE(store::num(scalar("SELECT Job_Status FROM jobs WHERE JobNo = 101")), stored);
        }
        QCOMPARE(scalar("SELECT DateUpdate FROM jobs WHERE JobNo = 101").toString(), QString("20/04/2009"));
        QVERIFY(!entry::storeJobStatus(999, 1, kTo));
        QCOMPARE(entry::currentDepartment("Civil Engineering Works"), QString("Civil"));
        QCOMPARE(entry::currentDepartment("Civil"), QString("Civil"));
        QCOMPARE(entry::notAuthorizedMessage("Mech", "Civil"),
                 QString("This is a job of Mech Department. Civil Department\r\nis not authorized to edit its status."));
    }

    void jobSearch()
    {
        const struct {
            QString name, search;
            bool match;
        } patterns[] = {
            {"Open yard", "ope", true},    {"O p e", "ope", false},        {"Pump", "", true},
            {"Pump house", "p*se", true},  {"Pump", "p?mp", true},         {"Block 7", "k #", true},
            {"Block A", "k #", false},     {"Tank B", "k [A-C]", true},    {"Tank D", "k [A-C]", false},
            {"Tank D", "k [!A-C]", true},  {"O'Neil's pump", "'neil", true}, {"Tank [old", "[old", true},
        };
        for (const auto& p : patterns)
            QVERIFY2(entry::jobNameMatches(p.name, p.search) == p.match, qPrintable(p.name + " / " + p.search));
        const QStringList l{"101", "102", "103"};
        QCOMPARE(entry::indexOfExact(l, "103"), 2);
        QCOMPARE(entry::indexOfExact(l, "103 "), -1);
        QCOMPARE(entry::indexOfExact(l, "10"), -1);
        const auto lists = entry::jobListTexts();
        QCOMPARE(lists.jobNo, (QStringList{"101", "102", "103"}));
        QCOMPARE(QStringList({lists.lead[2], lists.balance[1], lists.statusJobNo[0]}), (QStringList{"Mech", "50", "101"}));
        QCOMPARE(entry::balancesByJob().value(103), 30.0);
        QCOMPARE(entry::listsCaption(3), QString("Select jobs out of given 3."));
    }
};

QTEST_GUILESS_MAIN(TestEntryLogic)
#include "test_entry_logic.moc"
