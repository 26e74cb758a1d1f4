// The demo organisation: the same on every data source, and every card in it
// keeps the card rules.
#include "testsupport.h"

#include "app/pickers.h"
#include "cli/demo.h"
#include "entry/jobmaster.h"
#include "store/database.h"

#include <QHash>
#include <QTest>

using namespace testsupport;

class TestDemo : public QObject {
    Q_OBJECT
    const QDate kToday{2026, 12, 6};
    cli::DemoSummary summary;

    int count(const QString& where, const QList<QVariant>& values = {})
    {
        return scalar("SELECT COUNT(*) FROM " + where, values).toInt();
    }

private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
        freshDatabase();
        store::Transaction tx;
        summary = cli::fillDemo(kToday, 21);
        tx.commit();
    }

    // Fixed figures: a change of generator or data source shows here.
    void sameOrganisationOnEveryDataSource()
    {
        QCOMPARE(QList<int>({summary.departments, summary.employees, summary.jobs, summary.cards, summary.bookings}),
                 QList<int>({6, 40, 30, 471, 1659}));
        QCOMPARE(count("leaves"), summary.cards);
        QCOMPARE(count("edbooked"), summary.bookings);
        QCOMPARE(scalar("SELECT SUM(DaysBooked) FROM edbooked").toDouble(), 11672.0);
        QCOMPARE(scalar("SELECT MIN(MonthName) FROM leaves").toString().left(10), QString("2025-12-20"));
        QCOMPARE(scalar("SELECT MAX(MonthName) FROM leaves").toString().left(10), QString("2026-11-20"));
    }

    // What the screens show off is there, and every department leads jobs
    // it can update (the status change compares the first word of the
    // department with the job's lead department).
    void organisationHasWhatTheScreensShowOff()
    {
        int retired = 0;
        QStringList deciding;
        for (const QString& d : app::departments()) {
            retired += app::listedEmployees(d, true, kToday).size() - app::listedEmployees(d, false, kToday).size();
            deciding << entry::currentDepartment(d);
            QVERIFY2(count("jobs WHERE LeadDeptt = ?", {deciding.last()}) >= 1, qPrintable(d));
        }
        QVERIFY(retired >= 1 && app::departments().contains("Admin Section") && app::grades().size() >= 3);
        QVERIFY(count("employees WHERE substr(Emp_Addr, 1, 11) = ?", {"Transferred"}) >= 1);
        QVERIFY(count("jobs WHERE Bal_ED < 0") >= 1 && count("jobs WHERE Job_Status = 100") >= 1);
        QVERIFY(count("jobs WHERE Bal_ED >= 0 AND Job_Status < 100") >= 10);
        auto leads = store::exec("SELECT DISTINCT LeadDeptt FROM jobs");
        while (leads.next())
            QVERIFY2(deciding.contains(leads.value(0).toString()), qPrintable(leads.value(0).toString()));
    }

    void everyCardKeepsTheCardRules()
    {
        auto cards = store::exec("SELECT Emp_ID, MonthName, ED_Booked, CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC "
                                 "FROM leaves ORDER BY ID");
        QHash<QString, double> edOfCard;
        while (cards.next()) {
            const QDate to = store::dateOf(cards.value(1));
            double total = 0;
            for (int c = 2; c <= 11; ++c) {
                QVERIFY(store::num(cards.value(c)) >= 0);
                total += store::num(cards.value(c));
            }
            QCOMPARE(total, double(to.addMonths(-1).daysTo(to)));
            QVERIFY(store::num(cards.value(3)) <= 12 && store::num(cards.value(4)) <= 2);
            edOfCard.insert(cards.value(0).toString() + to.toString(Qt::ISODate), store::num(cards.value(2)));
        }
        QVERIFY(!edOfCard.isEmpty());
        auto bookings = store::exec("SELECT Emp_ID, MonthName, COUNT(*), COUNT(DISTINCT JobNo), SUM(DaysBooked), "
                                    "MIN(Emp_Tot_ED), MAX(Emp_Tot_ED) FROM edbooked GROUP BY Emp_ID, MonthName");
        int groups = 0;
        while (bookings.next()) {
            const QString key = bookings.value(0).toString() + store::dateOf(bookings.value(1)).toString(Qt::ISODate);
            QVERIFY(edOfCard.contains(key));
            QVERIFY(bookings.value(2).toInt() <= 10);
            QCOMPARE(bookings.value(2).toInt(), bookings.value(3).toInt());
            for (int c = 4; c <= 6; ++c)
                QCOMPARE(store::num(bookings.value(c)), edOfCard.value(key));
            ++groups;
        }
        QCOMPARE(groups, summary.cards);
    }

    // The job's balance, and each booking row's balance right after it.
    void balancesFollowTheBookings()
    {
        auto jobs = store::exec("SELECT JobNo, Limit_ED, Bal_ED FROM jobs ORDER BY JobNo");
        while (jobs.next()) {
            double bal = store::num(jobs.value(1));
            auto rows = store::exec("SELECT DaysBooked, Bal_ED FROM edbooked WHERE JobNo = ? ORDER BY ID", {jobs.value(0)});
            while (rows.next()) {
                bal -= store::num(rows.value(0));
                QVERIFY(qAbs(bal - store::num(rows.value(1))) < 1e-9);
            }
            QVERIFY(qAbs(store::num(jobs.value(2)) - bal) < 1e-9);
        }
    }
};

QTEST_GUILESS_MAIN(TestDemo)
#include "test_demo.moc"

