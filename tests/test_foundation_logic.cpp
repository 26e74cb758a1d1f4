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

    void numberTexts()
    {
        const QList<std::pair<QString, double>> leading{
            {"", 0},      {"-", 0},       {"abc 5", 0},        {"12", 12},       {"2.5", 2.5},
            {"2.5 days", 2.5}, {" 1 2 . 5", 12.5}, {"-3.25x", -3.25}, {"1e2", 100},  {"3e", 3},
            {".5", 0.5},  {"1.2.3", 1.2}, {"85.5%", 85.5}};
        for (const auto& [text, value] : leading)
            QVERIFY2(app::leadingNumber(text) == value, qPrintable(text));
        // Whole numbers: digits up to 15 of them, the exponent form beyond.
        const QList<std::pair<double, QString>> general{
            {3, "3"},     {2.5, "2.5"}, {0.75, "0.75"}, {7.349999999999999, "7.35"}, {-12.5, "-12.5"},
            {-42, "-42"}, {-0.0, "0"},  {999999999999999.0, "999999999999999"}, {1e15, "1e+15"}, {-2e15, "-2e+15"}};
        for (const auto& [value, text] : general)
            QCOMPARE(app::generalNumber(value), text);
        QCOMPARE(app::percentText(200.0 / 3), QString("66.67%"));
        QCOMPARE(app::percentText(50), QString("50%"));
        QCOMPARE(app::percentText(0), QString("0%"));
    }

    void periods()
    {
        struct Case {
            QDate from, to;
            int days;
        };
        const QList<Case> cases{{{2009, 2, 21}, {2009, 3, 20}, 28},  {{2008, 2, 21}, {2008, 3, 20}, 29},
                                {{2008, 10, 28}, {2008, 11, 27}, 31}, {{2008, 10, 2}, {2008, 11, 1}, 31},
                                {{2079, 11, 21}, {2079, 12, 20}, 30}, {{2008, 11, 21}, {2008, 11, 20}, 0}};
        for (const Case& c : cases) {
            const auto p = cal::findDuration(c.from.year(), c.from.month(), c.from.day(), c.to.year(), c.to.month(),
                                             c.to.day());
            QVERIFY(p);
            QCOMPARE(p->from, c.from);
            QCOMPARE(p->to, c.to);
            QCOMPARE(p->days, c.days);
        }
        QVERIFY(!cal::findDuration(2008, 9, 31, 2008, 10, 30));
        QVERIFY(!cal::findDuration(2008, 11, 21, 2009, 2, 30));
        // The month pickers follow each other across the year's end.
        QCOMPARE(cal::toRowAfterFromMonth(12, 2008).month, 1);
        QCOMPARE(cal::toRowAfterFromMonth(12, 2008).year, 2009);
        QCOMPARE(cal::toRowAfterFromMonth(5, 2008).month, 6);
        QCOMPARE(cal::fromRowAfterToMonth(1, 2009).month, 12);
        QCOMPARE(cal::fromRowAfterToMonth(1, 2009).year, 2008);
        QCOMPARE(cal::toYearAfterFromYear(12, 2079), 2080);
        QCOMPARE(cal::yearIndex(2080), -1);
        QCOMPARE(cal::yearIndex(2079), 99);
        QCOMPARE(cal::fromYearAfterToYear(3, 2010), 2010);
        QCOMPARE(cal::reportReference(QDate(2008, 12, 5)).month(), 11);
        QCOMPARE(cal::reportReference(QDate(2008, 12, 30)).month(), 12);
        QCOMPARE(cal::reportReference(QDate(2009, 1, 5)).year(), 2008);
    }

    void dateTextsAndStartDay()
    {
        QCOMPARE(cal::dateUpdateText(QDate(2008, 3, 5)), QString("05/03/2008"));
        QCOMPARE(cal::longDayText(QDate(2008, 3, 5)), QString("05 March '08"));
        QCOMPARE(cal::monthNames().size(), 12);
        QCOMPARE(cal::monthNames().first(), QString("January"));
        // A hand-edited setting: above 28 or not finite is the default, 1 or
        // less keeps the day pickers open as 1 does.
        const QList<std::pair<QString, int>> startDays{{"21", 21},   {"5 days", 5}, {"99", 21},  {"1e309", 21},
                                                       {"28", 28},   {"0", 1},      {"abc", 1},  {"-1e10", 1}};
        for (const auto& [text, day] : startDays)
            QVERIFY2(cal::startDay(text) == day, qPrintable(text));
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
        const QList<std::pair<QString, int>> positions{{"2", 2}, {"", 0}, {"x", 0}, {"-1", 0}, {"4", 0}};
        for (const auto& [setting, index] : positions)
            QVERIFY2(app::defaultDepartmentIndex(setting, 4) == index, qPrintable(setting));
        QCOMPARE(app::defaultDepartmentIndex("0", 0), -1);
    }

    void settingsDefaults()
    {
        const app::Globals g = app::readGlobals();
        QCOMPARE(g.StartDate, QString("21"));
        QVERIFY(g.Department.isEmpty() && g.DeptPwd.isEmpty());
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
        const QString bin = root.filePath("prefix/bin"), shared = root.filePath("prefix/share/karvela/manual.html");
        QVERIFY(QDir().mkpath(bin + "/docs") && QDir().mkpath(root.filePath("prefix/share/karvela")));
        if (!app::manualPath(bin).isEmpty())
            QSKIP("a manual is installed system-wide");
        const auto touch = [](const QString& path) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write("<html></html>") > 0;
        };
        QVERIFY(touch(shared));
        QCOMPARE(app::manualPath(bin), QFileInfo(shared).canonicalFilePath());
        QVERIFY(touch(bin + "/docs/manual.html"));
        QCOMPARE(app::manualPath(bin), QFileInfo(bin + "/docs/manual.html").canonicalFilePath());
    }
};

QTEST_GUILESS_MAIN(TestFoundationLogic)
#include "test_foundation_logic.moc"
