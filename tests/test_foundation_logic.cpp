// Calendar, number text, pickers and passwords, without any window.
#include "testsupport.h"

#include "admin/password.h"
#include "app/calendar.h"
#include "app/logo.h"
#include "app/manual.h"
#include "app/numtext.h"
#include "app/pickers.h"
#include "app/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;
namespace cal = app::calendar;

class TestFoundationLogic : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
    }

    void leadingNumberRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("dash") << "-" << 0.0;
        QTest::newRow("word") << "abc 5" << 0.0;
        QTest::newRow("plain") << "12" << 12.0;
        QTest::newRow("half") << "2.5" << 2.5;
        QTest::newRow("with word") << "2.5 days" << 2.5;
        QTest::newRow("blanks inside") << " 1 2 . 5" << 12.5;
        QTest::newRow("sign") << "-3.25x" << -3.25;
        QTest::newRow("exponent") << "1e2" << 100.0;
        QTest::newRow("open exponent") << "3e" << 3.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("two points") << "1.2.3" << 1.2;
        QTest::newRow("percent") << "85.5%" << 85.5;
    }
    void leadingNumberRule()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(app::leadingNumber(text), value);
    }

    void numberWriting()
    {
        QCOMPARE(app::generalNumber(3), QString("3"));
        QCOMPARE(app::generalNumber(2.5), QString("2.5"));
        QCOMPARE(app::generalNumber(0.75), QString("0.75"));
        QCOMPARE(app::generalNumber(7.349999999999999), QString("7.35"));
        QCOMPARE(app::generalNumber(-12.5), QString("-12.5"));
        // Whole numbers: digits up to 15 of them, the exponent form beyond.
        QCOMPARE(app::generalNumber(-42), QString("-42"));
        QCOMPARE(app::generalNumber(-0.0), QString("0"));
        QCOMPARE(app::generalNumber(999999999999999.0), QString("999999999999999"));
        QCOMPARE(app::generalNumber(1e15), QString("1e+15"));
        QCOMPARE(app::generalNumber(-2e15), QString("-2e+15"));
        QCOMPARE(app::percentText(200.0 / 3), QString("66.67%"));
        QCOMPARE(app::percentText(50), QString("50%"));
        QCOMPARE(app::percentText(0), QString("0%"));
    }

    void periodLengths_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<int>("days");
        QTest::newRow("common February") << QDate(2009, 2, 21) << QDate(2009, 3, 20) << 28;
        QTest::newRow("leap February") << QDate(2008, 2, 21) << QDate(2008, 3, 20) << 29;
        QTest::newRow("start day 28") << QDate(2008, 10, 28) << QDate(2008, 11, 27) << 31;
        QTest::newRow("start day 2") << QDate(2008, 10, 2) << QDate(2008, 11, 1) << 31;
        QTest::newRow("last listed year") << QDate(2079, 11, 21) << QDate(2079, 12, 20) << 30;
        QTest::newRow("from after to") << QDate(2008, 11, 21) << QDate(2008, 11, 20) << 0;
    }
    void periodLengths()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(int, days);
        const auto p = cal::findDuration(from.year(), from.month(), from.day(), to.year(), to.month(), to.day());
        QVERIFY(p);
        QCOMPARE(p->from, from);
        QCOMPARE(p->to, to);
        QCOMPARE(p->days, days);
    }

    void impossibleDateHasNoPeriod()
    {
        QVERIFY(!cal::findDuration(2008, 9, 31, 2008, 10, 30));
        QVERIFY(!cal::findDuration(2008, 11, 21, 2009, 2, 30));
    }

    void monthCouplingRules()
    {
        QCOMPARE(cal::toRowAfterFromMonth(12, 2008).month, 1);
        QCOMPARE(cal::toRowAfterFromMonth(12, 2008).year, 2009);
        QCOMPARE(cal::toRowAfterFromMonth(5, 2008).month, 6);
        QCOMPARE(cal::fromRowAfterToMonth(1, 2009).month, 12);
        QCOMPARE(cal::fromRowAfterToMonth(1, 2009).year, 2008);
        QCOMPARE(cal::toYearAfterFromYear(12, 2079), 2080);
        QCOMPARE(cal::yearIndex(2080), -1);
        QCOMPARE(cal::yearIndex(2079), 99);
        QCOMPARE(cal::fromYearAfterToYear(3, 2010), 2010);
    }

    void reportReferenceDate()
    {
        QCOMPARE(cal::reportReference(QDate(2008, 12, 5)).month(), 11);
        QCOMPARE(cal::reportReference(QDate(2008, 12, 30)).month(), 12);
        QCOMPARE(cal::reportReference(QDate(2009, 1, 5)).year(), 2008);
    }

    void dateTexts()
    {
        QCOMPARE(cal::dateUpdateText(QDate(2008, 3, 5)), QString("05/03/2008"));
        QCOMPARE(cal::longDayText(QDate(2008, 3, 5)), QString("05 March '08"));
        QCOMPARE(cal::monthNames().size(), 12);
        QCOMPARE(cal::monthNames().first(), QString("January"));
        QCOMPARE(cal::startDay("21"), 21);
        QCOMPARE(cal::startDay("5 days"), 5);
        // A hand-edited setting: above 28 or not finite is the default, 1 or
        // less keeps the day pickers open as 1 does.
        QCOMPARE(cal::startDay("99"), 21);
        QCOMPARE(cal::startDay("1e309"), 21);
        QCOMPARE(cal::startDay("28"), 28);
        QCOMPARE(cal::startDay("0"), 1);
        QCOMPARE(cal::startDay("abc"), 1);
        QCOMPARE(cal::startDay("-1e10"), 1);
    }

    void superannuationBoundary()
    {
        const QDate today(2026, 12, 6);
        QVERIFY(!app::isSuperannuated(today.addDays(-21915), today));
        QVERIFY(app::isSuperannuated(today.addDays(-21916), today));
    }

    void pickerListsComeFromTheEmployees()
    {
        freshDatabase();
        addEmployee(10000003, "Zed", "Civil", "Engineer", "E4");
        addEmployee(10000001, "Amy", "Admin Section", "Manager", "E5");
        addEmployee(10000002, "Bob", "Civil", "Draughtsman", "E2");
        addJob(7, "Pump", 10, 10, 0, "Mech");
        addJob(8, "Tank", 10, 10, 0, "Civil");
        QCOMPARE(app::departments(), (QStringList{"Admin Section", "Civil"}));
        QCOMPARE(app::grades(), (QStringList{"E2", "E4", "E5"}));
        QCOMPARE(app::leadDepartments(), (QStringList{"Civil", "Mech"}));
        const auto civil = app::listedEmployees("Civil", true, QDate(2008, 11, 20));
        QCOMPARE(civil.size(), 2);
        QCOMPARE(civil[0].name, QString("Zed"));
        QCOMPARE(app::entryEmployeeText(civil[1]), QString("Bob, Draughtsman"));
        QCOMPARE(civil[1].empId, 10000002);
        QCOMPARE(app::noEmployeeMessage("Civil Works"), QString("NO EMPLOYEE FOUND IN CIVIL WORKS."));
    }

    void defaultDepartmentPosition()
    {
        QCOMPARE(app::defaultDepartmentIndex("2", 4), 2);
        QCOMPARE(app::defaultDepartmentIndex("", 4), 0);
        QCOMPARE(app::defaultDepartmentIndex("x", 4), 0);
        QCOMPARE(app::defaultDepartmentIndex("-1", 4), 0);
        QCOMPARE(app::defaultDepartmentIndex("4", 4), 0);
        QCOMPARE(app::defaultDepartmentIndex("0", 0), -1);
    }

    void settingsDefaults()
    {
        const app::Globals g = app::readGlobals();
        QCOMPARE(g.StartDate, QString("21"));
        QCOMPARE(g.Department, QString());
        QCOMPARE(g.DeptPwd, QString());
        app::writeSetting("StartDate", "StartDate", "5 days");
        QCOMPARE(app::readGlobals().StartDate, QString("5 days"));
        app::writeSetting("StartDate", "StartDate", "21");
    }

    void logoPlaysOnlyFromAFileOfItsKnownLengths()
    {
        QTemporaryDir dir;
        auto make = [&](const QString& name, qint64 size) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::WriteOnly);
            f.resize(size);
            return f.fileName();
        };
        QVERIFY(app::logoFileAccepted(make("a.avi", 941056)));
        QVERIFY(app::logoFileAccepted(make("b.avi", 962560)));
        QVERIFY(!app::logoFileAccepted(make("c.avi", 941055)));
        QVERIFY(!app::logoFileAccepted(dir.filePath("missing.avi")));
        QVERIFY(app::logoPath().endsWith("/zelvojobs.avi"));
    }

    void passwordCheck()
    {
        const QDate today(2026, 12, 6);
        QCOMPARE(admin::adminCode(today), QString("0612"));
        QVERIFY(admin::passwordAccepted("Secret", "Secret", today));
        QVERIFY(!admin::passwordAccepted("secret", "Secret", today));
        QVERIFY(admin::passwordAccepted("", "", today));
        QVERIFY(admin::passwordAccepted("0612", "Secret", today));
        QVERIFY(!admin::passwordAccepted("0512", "Secret", today));
        QVERIFY(!admin::passwordAccepted("0612", "Secret", today.addDays(1)));
    }

    void manualFoundInBuildTreeAndInstallPrefix()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString bin = root.filePath("prefix/bin");
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(root.filePath("prefix/share/karvela")));
        if (!app::manualPath(bin).isEmpty())
            QSKIP("a manual is installed system-wide");
        const auto touch = [](const QString& path) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write("<html></html>") > 0;
        };
        QVERIFY(touch(root.filePath("prefix/share/karvela/manual.html")));
        QCOMPARE(app::manualPath(bin), QFileInfo(root.filePath("prefix/share/karvela/manual.html")).canonicalFilePath());
        QVERIFY(QDir().mkpath(bin + "/docs") && touch(bin + "/docs/manual.html"));
        QCOMPARE(app::manualPath(bin), QFileInfo(bin + "/docs/manual.html").canonicalFilePath());
    }
};

QTEST_GUILESS_MAIN(TestFoundationLogic)
#include "test_foundation_logic.moc"
