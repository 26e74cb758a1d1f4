// The demo organisation: the same on every data source, and every card in it
// keeps the card rules.
#include "testsupport.h"

#include "app/pickers.h"
#include "cli/demo.h"
#include "entry/jobmaster.h"

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

    // Fixed figures; what the screens show off; every department leads jobs
    // it can update (the first word of the department is the job's lead).
    void sameOrganisationOnEveryDataSource()
    {
        QCOMPARE(QList<int>({summary.departments, summary.employees, summary.jobs, summary.cards, summary.bookings,
                             count("leaves"), count("edbooked")}),
                 QList<int>({6, 40, 30, 471, 1659, 471, 1659}));
        QCOMPARE(scalar("SELECT SUM(DaysBooked) FROM edbooked").toDouble(), 11672.0);
        QCOMPARE(scalar("SELECT MIN(MonthName) FROM leaves").toString().left(10), QString("2025-12-20"));
        QCOMPARE(scalar("SELECT MAX(MonthName) FROM leaves").toString().left(10), QString("2026-11-20"));
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

    // Cards add up to their period (CL <= 12, rh <= 2) and to their bookings
    // (at most ten, one a job); balances follow the bookings row by row.
    void everyCardKeepsTheCardRules()
    {
        auto cards = store::exec("SELECT MonthName, ED_Booked, CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC FROM leaves");
        while (cards.next()) {
            const QDate to = store::dateOf(cards.value(0));
            double total = 0;
            for (int c = 1; c <= 10; ++c) {
                QVERIFY(store::num(cards.value(c)) >= 0);
                total += store::num(cards.value(c));
            }
            QCOMPARE(total, double(to.addMonths(-1).daysTo(to)));
            QVERIFY(store::num(cards.value(2)) <= 12 && store::num(cards.value(3)) <= 2);
        }
        const QString sameCard = "b.Emp_ID = l.Emp_ID AND b.MonthName = l.MonthName";
        QCOMPARE(count("leaves l WHERE ED_Booked = (SELECT SUM(DaysBooked) FROM edbooked b WHERE " + sameCard + ")"),
                 summary.cards);
        QCOMPARE(count("edbooked b JOIN leaves l ON " + sameCard + " WHERE b.Emp_Tot_ED = l.ED_Booked"), summary.bookings);
        QCOMPARE(count("(SELECT Emp_ID FROM edbooked GROUP BY Emp_ID, MonthName "
                       "HAVING COUNT(*) <= 10 AND COUNT(*) = COUNT(DISTINCT JobNo)) g"),
                 summary.cards);
        QCOMPARE(count("(SELECT b.Bal_ED - j.Limit_ED + SUM(b.DaysBooked) OVER (PARTITION BY b.JobNo ORDER BY b.ID) AS d "
                       "FROM edbooked b JOIN jobs j ON j.JobNo = b.JobNo) g WHERE ABS(d) > 1e-9"),
                 0);
        QCOMPARE(count("jobs j WHERE ABS(Bal_ED - Limit_ED + "
                       "(SELECT COALESCE(SUM(DaysBooked), 0) FROM edbooked b WHERE b.JobNo = j.JobNo)) > 1e-9"),
                 0);
    }
};

QTEST_GUILESS_MAIN(TestDemo)
#include "test_demo.moc"

