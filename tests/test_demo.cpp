// The demo organisation: the same on every data source, and every card in it
// keeps the card rules.
#include "testsupport.h"

#include "app/pickers.h"
#include "entry/jobmaster.h"
#include "cli/demo.h"
#include "store/database.h"

#include <QHash>
#include <QTest>

#include <cmath>

using namespace testsupport;

class TestDemo : public QObject {
    Q_OBJECT
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

    void sameOrganisationOnEveryDataSource()
    {
        QCOMPARE(summary.departments, 6);
        QCOMPARE(summary.employees, 40);
        QCOMPARE(summary.jobs, 30);
        QCOMPARE(scalar("SELECT COUNT(*) FROM leaves").toInt(), summary.cards);
        QCOMPARE(scalar("SELECT COUNT(*) FROM edbooked").toInt(), summary.bookings);
        // Fixed figures: a change of generator or data source shows here.
        QCOMPARE(summary.cards, 471);
        QCOMPARE(summary.bookings, 1659);
        QCOMPARE(scalar("SELECT SUM(DaysBooked) FROM edbooked").toDouble(), 11672.0);
        QCOMPARE(scalar("SELECT MIN(MonthName) FROM leaves").toString().left(10), QString("2025-12-20"));
        QCOMPARE(scalar("SELECT MAX(MonthName) FROM leaves").toString().left(10), QString("2026-11-20"));
    }

    void organisationHasWhatTheScreensShowOff()
    {
        QVERIFY(app::departments().contains("Admin Section"));
        int retired = 0;
        for (const QString& d : app::departments())
            retired += app::listedEmployees(d, true, kToday).size() - app::listedEmployees(d, false, kToday).size();
        QVERIFY(retired >= 1);
        QVERIFY(scalar("SELECT COUNT(*) FROM employees WHERE substr(Emp_Addr, 1, 11) = ?", {"Transferred"}).toInt() >= 1);
        QVERIFY(scalar("SELECT COUNT(*) FROM jobs WHERE Bal_ED < 0").toInt() >= 1);
        QVERIFY(scalar("SELECT COUNT(*) FROM jobs WHERE Job_Status = 100").toInt() >= 1);
        QVERIFY(scalar("SELECT COUNT(*) FROM jobs WHERE Bal_ED >= 0 AND Job_Status < 100").toInt() >= 10);
        QVERIFY(app::grades().size() >= 3);
    }

    void everyDepartmentCanUpdateTheJobsItLeads()
    {
        // The status change compares the first word of the chosen department
        // with the job's lead department.
        QStringList deciding;
        for (const QString& d : app::departments()) {
            deciding << entry::currentDepartment(d);
            QVERIFY2(scalar("SELECT COUNT(*) FROM jobs WHERE LeadDeptt = ?", {deciding.last()}).toInt() >= 1,
                     qPrintable(d));
        }
        auto leads = store::exec("SELECT DISTINCT LeadDeptt FROM jobs");
        while (leads.next())
            QVERIFY2(deciding.contains(leads.value(0).toString()), qPrintable(leads.value(0).toString()));
    }

    void everyCardKeepsTheCardRules()
    {
        auto cards = store::exec("SELECT Emp_ID, MonthName, ED_Booked, CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC "
                                      "FROM leaves ORDER BY ID");
        QHash<QString, double> edOfCard;
        int n = 0;
        while (cards.next()) {
            const QDate to = store::dateOf(cards.value(1));
            const QDate from = to.addMonths(-1).addDays(1);
            double total = 0;
            for (int c = 2; c <= 11; ++c) {
                QVERIFY(store::num(cards.value(c)) >= 0);
                total += store::num(cards.value(c));
            }
            QCOMPARE(total, double(from.daysTo(to) + 1));
            QVERIFY(store::num(cards.value(3)) <= 12);
            QVERIFY(store::num(cards.value(4)) <= 2);
            edOfCard.insert(cards.value(0).toString() + to.toString(Qt::ISODate), store::num(cards.value(2)));
            ++n;
        }
        QVERIFY(n > 0);
        auto bookings = store::exec("SELECT Emp_ID, MonthName, COUNT(*), COUNT(DISTINCT JobNo), SUM(DaysBooked), "
                                         "MIN(Emp_Tot_ED), MAX(Emp_Tot_ED) FROM edbooked GROUP BY Emp_ID, MonthName");
        int m = 0;
        while (bookings.next()) {
            const QString key = bookings.value(0).toString() + store::dateOf(bookings.value(1)).toString(Qt::ISODate);
            QVERIFY(edOfCard.contains(key));
            QVERIFY(bookings.value(2).toInt() <= 10);
            QCOMPARE(bookings.value(2).toInt(), bookings.value(3).toInt());
            QCOMPARE(store::num(bookings.value(4)), edOfCard.value(key));
            QCOMPARE(store::num(bookings.value(5)), edOfCard.value(key));
            QCOMPARE(store::num(bookings.value(6)), edOfCard.value(key));
            ++m;
        }
        QCOMPARE(m, n);
    }

    void balancesFollowTheBookings()
    {
        auto jobs = store::exec("SELECT JobNo, Limit_ED, Bal_ED FROM jobs ORDER BY JobNo");
        while (jobs.next()) {
            const int no = jobs.value(0).toInt();
            const double booked = scalar("SELECT COALESCE(SUM(DaysBooked), 0) FROM edbooked WHERE JobNo = ?", {no}).toDouble();
            QCOMPARE(store::num(jobs.value(2)), store::num(jobs.value(1)) - booked);
            // Each booking row holds the balance right after it.
            auto rows = store::exec("SELECT DaysBooked, Bal_ED FROM edbooked WHERE JobNo = ? ORDER BY ID", {no});
            double bal = store::num(jobs.value(1));
            while (rows.next()) {
                bal -= store::num(rows.value(0));
                QVERIFY(std::abs(bal - store::num(rows.value(1))) < 1e-9);
            }
        }
    }

private:
    const QDate kToday{2026, 12, 6};
    cli::DemoSummary summary;
};

QTEST_GUILESS_MAIN(TestDemo)
#include "test_demo.moc"
