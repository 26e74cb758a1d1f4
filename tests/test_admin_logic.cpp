// Administrator rules and employee maintenance, without any window.
#include "testsupport.h"

#include "admin/employees.h"
#include "admin/settings.h"
#include "app/calendar.h"
#include "app/clock.h"
#include "app/settings.h"
#include "store/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

using namespace testsupport;
using admin::FormCheck;

namespace {
const QDate kToday(2026, 3, 15);

admin::EmployeeForm form(const QString& id, const QString& dob = QStringLiteral("12/04/1975"))
{
    return {"Asha Rao", "Engineer", "Staff Colony", dob, id, "Civil Design", "E3"};
}

// An employee as stored: name, date of birth, designation, department, address, grade.
QStringList stored(qint64 id)
{
    const std::optional<app::Employee> e = admin::findEmployee(id);
    return e ? QStringList{e->name, e->dob.toString("dd/MM/yyyy"), e->designation, e->department, e->address, e->grade}
             : QStringList{};
}
} // namespace

class TestAdminLogic : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
    }

    void unlockRule()
    {
        const QString code = "1503"; // day and month of today
        const struct {
            QString department, typed;
            bool unlocked;
        } cases[] = {
            {"Admin Section", "secret", true},      {"Administration", "secret", true},
            {"admin", "secret", true},              {"Administrative Office", "secret", false},
            {"Civil Design", "secret", false},      {"Admin Section", "SECRET", false},
            {"Admin Section", "", false},           {"Civil Design", code, true},
            {"Administrative Office", code, true},  {"", code, true},
            {"Civil Design", "1403", false},        {"Civil Design", "1603", false},
        };
        for (const auto& c : cases)
            QVERIFY2(admin::toolsUnlocked(c.department, c.typed, "secret", kToday) == c.unlocked,
                     qPrintable(c.department + " / " + c.typed));
    }

    // How the typed texts of the administrator window are read.
    void typedTexts()
    {
        using Ids = std::initializer_list<std::pair<const char*, qint64>>;
        for (const auto& [text, accepted] : Ids{{"1", 1}, {"28", 1}, {"29", 0}, {"0", 0}, {"-5", 0}, {"5 days", 1},
                                                {"2.5", 0}, {"", 0}, {"fifth", 0}})
            QVERIFY2(admin::startDayAccepted(text) == bool(accepted), text);

        const std::pair<const char*, QDate> birthDates[] = {
            {"05/11/1972", {1972, 11, 5}}, {"5/1/1972", {1972, 1, 5}}, {"29/02/2000", {2000, 2, 29}},
            {"29/02/1900", {}}, {"31/02/1990", {}}, {"01/13/1990", {}}, {"1990/02/01", {}}, {"01/02/90", {}},
            {"", {}}, {"first of May", {}}}; // invalid: refused
        for (const auto& [text, date] : birthDates)
            QCOMPARE(admin::birthDateOf(text).value_or(QDate()), date);

        for (const auto& [text, id] : Ids{{"10000000", 10000000}, {"99999999", 99999999}, {"9999999", 0},
                                          {"100000000", 0}, {"01234567", 0}, {" 12345678 ", 12345678},
                                          {"12345678ab", 0}, {"12345678.5", 0}, {"", 0}}) // 0: refused
            QCOMPARE(admin::employeeIdOf(text).value_or(0), id);

        // The answer to "which employee" is any number, rounded; -1: not a number.
        for (const auto& [text, id] : Ids{{"12345678", 12345678}, {" 12345678 ", 12345678}, {"1234567", 1234567},
                                          {"12345678.6", 12345679}, {"", -1}, {"abc", -1}})
            QCOMPARE(admin::idAnswerOf(text).value_or(-1), id);
    }

    // The checks before a write, in their order: birth date, ID, blank fields.
    void formChecks()
    {
        const struct {
            const char* id;
            const char* dob;
            bool adding;
            int blankField; // -1: none; 0 name, 1 department, 2 designation
            const char* blank;
            FormCheck check;
        } cases[] = {
            {"10000000", "15/03/2026", true, -1, "", FormCheck::Accepted}, // born today
            {"10000000", "16/03/2026", true, -1, "", FormCheck::BadBirthDate},
            {"10000000", "31/02/1990", true, -1, "", FormCheck::BadBirthDate},
            {"10000000", "", true, -1, "", FormCheck::BadBirthDate},
            {"10000000", "", false, -1, "", FormCheck::Accepted}, // editing stores no date
            {"10000000", "16/03/2026", false, -1, "", FormCheck::BadBirthDate},
            {"123", "16/03/2026", true, -1, "", FormCheck::BadBirthDate},
            {"1234567", "01/01/1980", true, -1, "", FormCheck::BadEmployeeId},
            {"10000000", "01/01/1980", true, 0, "", FormCheck::BlankFields},
            {"10000000", "01/01/1980", true, 1, "   ", FormCheck::BlankFields},
            {"10000000", "01/01/1980", false, 2, "\t", FormCheck::BlankFields},
            {"1234567", "01/01/1980", true, 0, "", FormCheck::BadEmployeeId},
            {"10000000", "01/01/1980", true, 2, "X", FormCheck::Accepted},
        };
        for (const auto& c : cases) {
            admin::EmployeeForm f = form(c.id, c.dob);
            QString* fields[] = {&f.name, &f.department, &f.designation};
            if (c.blankField >= 0)
                *fields[c.blankField] = c.blank;
            QVERIFY2(admin::checkForm(f, c.adding, kToday) == c.check,
                     qPrintable(QStringLiteral("%1 %2 %3").arg(c.id, c.dob).arg(c.blankField)));
        }
    }

    void textsThatCannotBeStoredAreRefused()
    {
        const struct {
            QString name, designation, message;
        } cases[] = {
            {QString(244, 'n'), "Engineer!!",
             "Check Name and Designation: a card stores them as \"name, designation\", which must not be longer than "
             "255 characters (these have 256)."},
            {QString(256, 'n'), "", "Check Name, it must not be longer than 255 characters (it has 256)."},
            {"Asha", QString("Engi") + QChar(0) + "neer", "Check Designation, it must not contain a NUL character."},
            {QString(243, 'n'), "Engineer!!", ""},
        };
        admin::EmployeeForm f = form("10000000");
        for (const auto& c : cases) {
            f.name = c.name;
            f.designation = c.designation;
            QCOMPARE(admin::formTextProblem(f).value_or(QString()), c.message);
        }
        // What passes (the last) is stored whole on every back end, and so is its card text of 255.
        freshDatabase();
        admin::addEmployee(f);
        QCOMPARE(admin::findEmployee(10000000)->name, f.name);
        store::exec("INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName) VALUES (?, ?, ?, ?)",
                    {QDate(2026, 2, 20), f.department, 10000000, f.name + ", " + f.designation});
        QCOMPARE(scalar("SELECT EmpName FROM leaves").toString().size(), 255);
    }

    void settingsAreWrittenAsTypedAndOwnerOnly()
    {
        admin::saveStartDay(QStringLiteral("5 days"));
        QCOMPARE(app::readSetting("StartDate", "StartDate"), QString("5 days"));
        QCOMPARE(app::calendar::startDay(app::readGlobals().StartDate), 5);
        admin::saveDefaultDepartment(3);
        QCOMPARE(app::readSetting("DepttSetting", "Department"), QString("3"));

        const QString file = QSettings(app::kAppName, app::kAppName).fileName();
        const QString configFolder = qEnvironmentVariable("XDG_CONFIG_HOME");
        QDir().mkpath(configFolder);
        const auto configMode = QFile::permissions(configFolder);
        // The departmental password stands in the file in clear text.
        app::writeSetting("DepttSetting", "DeptPwd", "secret");
        QCOMPARE(QFile::permissions(file) & 0x0777, QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(QFile::permissions(QFileInfo(file).absolutePath()) & 0x0777,
                 QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        QCOMPARE(QFile::permissions(configFolder), configMode);
        QSettings(app::kAppName, app::kAppName).clear();
    }

    void employeeWrites()
    {
        freshDatabase();
        admin::EmployeeForm f = form("10000000", "5/1/1972");
        f.name = "Joseph D'Souza";
        f.address = "12, \"Green\" Lane; Pune";
        admin::addEmployee(f);
        QCOMPARE(stored(10000000), (QStringList{"Joseph D'Souza", "05/01/1972", "Engineer", "Civil Design",
                                                "12, \"Green\" Lane; Pune", "E3"}));
        QVERIFY(!admin::findEmployee(10000001));

        // A second employee with the same ID is refused by the store's key.
        f.name = "Somebody Else";
        QCOMPARE(errorKindOf([&] { admin::addEmployee(f); }), store::ErrorKind::DuplicateKey);
        QCOMPARE(scalar("SELECT COUNT(*) FROM employees WHERE Emp_ID = ?", {10000000}).toInt(), 1);
        QCOMPARE(stored(10000000).value(0), QString("Joseph D'Souza"));

        // An update writes department, designation, grade and address, and nothing else.
        addEmployee(20000001, "Ravi Nair", "Civil Design", "Engineer", "E3", QDate(1970, 6, 1), "Staff Colony");
        const QStringList other = stored(10000000);
        f = {"Changed Name", "Senior Engineer", "Transferred to Head Office", "01/01/1999", "20000099", "Quality Cell",
             "E4"};
        admin::updateEmployee(20000001, f);
        QCOMPARE(stored(20000001), (QStringList{"Ravi Nair", "01/06/1970", "Senior Engineer", "Quality Cell",
                                                "Transferred to Head Office", "E4"}));
        QVERIFY(!admin::findEmployee(20000099));
        QCOMPARE(stored(10000000), other);

        QCOMPARE(errorKindOf([] { admin::updateEmployee(20000002, form("20000002")); }), store::ErrorKind::NoRecord);
        QCOMPARE(rows("employees"), 2);
    }
};

QTEST_GUILESS_MAIN(TestAdminLogic)
#include "test_admin_logic.moc"
