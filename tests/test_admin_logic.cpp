// Administrator rules and employee maintenance, without any window.
#include "testsupport.h"

#include "admin/employees.h"
#include "admin/password.h"
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

namespace {
const QDate kToday(2026, 3, 15);

admin::EmployeeForm form(const QString& id, const QString& dob = QStringLiteral("12/04/1975"))
{
    admin::EmployeeForm f;
    f.name = QStringLiteral("Asha Rao");
    f.designation = QStringLiteral("Engineer");
    f.address = QStringLiteral("Staff Colony");
    f.birthDate = dob;
    f.employeeId = id;
    f.department = QStringLiteral("Civil Design");
    f.grade = QStringLiteral("E3");
    return f;
}

int rowsWithId(qint64 id)
{
    return int(store::whole(scalar(QStringLiteral("SELECT COUNT(*) FROM employees WHERE Emp_ID = ?"), {id})));
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

    void unlockRule_data()
    {
        QTest::addColumn<QString>("department");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("unlocked");
        const QString yesterday = admin::adminCode(kToday.addDays(-1));
        const QString code = admin::adminCode(kToday);
        QTest::newRow("admin word, password") << "Admin Section" << "secret" << true;
        QTest::newRow("administration, password") << "Administration" << "secret" << true;
        QTest::newRow("admin in small letters") << "admin" << "secret" << true;
        QTest::newRow("longer first word") << "Administrative Office" << "secret" << false;
        QTest::newRow("other department, password") << "Civil Design" << "secret" << false;
        QTest::newRow("admin word, wrong case") << "Admin Section" << "SECRET" << false;
        QTest::newRow("admin word, empty") << "Admin Section" << "" << false;
        QTest::newRow("other department, code") << "Civil Design" << code << true;
        QTest::newRow("administrative, code") << "Administrative Office" << code << true;
        QTest::newRow("code of yesterday") << "Civil Design" << yesterday << false;
        QTest::newRow("no department, code") << "" << code << true;
    }
    void unlockRule()
    {
        QFETCH(QString, department);
        QFETCH(QString, typed);
        QFETCH(bool, unlocked);
        QCOMPARE(admin::toolsUnlocked(department, typed, QStringLiteral("secret"), kToday), unlocked);
    }

    void startDay_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("28") << "28" << true;
        QTest::newRow("29") << "29" << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("negative") << "-5" << false;
        QTest::newRow("with a word") << "5 days" << true;
        QTest::newRow("fraction") << "2.5" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("word only") << "fifth" << false;
    }
    void startDay()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QCOMPARE(admin::startDayAccepted(text), accepted);
    }

    void savedSettingsAreTakenAsTyped()
    {
        admin::saveStartDay(QStringLiteral("5 days"));
        QCOMPARE(app::readSetting("StartDate", "StartDate"), QString("5 days"));
        QCOMPARE(app::calendar::startDay(app::readGlobals().StartDate), 5);
        admin::saveDefaultDepartment(3);
        QCOMPARE(app::readSetting("DepttSetting", "Department"), QString("3"));
        QSettings(app::kAppName, app::kAppName).clear();
    }

    void birthDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("two digits") << "05/11/1972" << QDate(1972, 11, 5);
        QTest::newRow("one digit") << "5/1/1972" << QDate(1972, 1, 5);
        QTest::newRow("leap day") << "29/02/2000" << QDate(2000, 2, 29);
        QTest::newRow("no leap day") << "29/02/1900" << QDate();
        QTest::newRow("31 February") << "31/02/1990" << QDate();
        QTest::newRow("month 13") << "01/13/1990" << QDate();
        QTest::newRow("year first") << "1990/02/01" << QDate();
        QTest::newRow("two-digit year") << "01/02/90" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("words") << "first of May" << QDate();
    }
    void birthDates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const std::optional<QDate> d = admin::birthDateOf(text);
        QCOMPARE(d.has_value(), date.isValid());
        if (d)
            QCOMPARE(*d, date);
    }

    void employeeIds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("id"); // 0: refused
        QTest::newRow("lowest") << "10000000" << qint64(10000000);
        QTest::newRow("highest") << "99999999" << qint64(99999999);
        QTest::newRow("seven digits") << "9999999" << qint64(0);
        QTest::newRow("nine digits") << "100000000" << qint64(0);
        QTest::newRow("leading zero") << "01234567" << qint64(0);
        QTest::newRow("blanks around") << " 12345678 " << qint64(12345678);
        QTest::newRow("trailing letters") << "12345678ab" << qint64(0);
        QTest::newRow("fraction") << "12345678.5" << qint64(0);
        QTest::newRow("empty") << "" << qint64(0);
    }
    void employeeIds()
    {
        QFETCH(QString, text);
        QFETCH(qint64, id);
        const std::optional<qint64> v = admin::employeeIdOf(text);
        QCOMPARE(v.value_or(0), id);
    }

    void idAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("number");
        QTest::addColumn<qint64>("id");
        QTest::newRow("eight digits") << "12345678" << true << qint64(12345678);
        QTest::newRow("blanks") << " 12345678 " << true << qint64(12345678);
        QTest::newRow("seven digits") << "1234567" << true << qint64(1234567);
        QTest::newRow("rounded") << "12345678.6" << true << qint64(12345679);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("word") << "abc" << false << qint64(0);
    }
    void idAnswers()
    {
        QFETCH(QString, answer);
        QFETCH(bool, number);
        QFETCH(qint64, id);
        const std::optional<qint64> v = admin::idAnswerOf(answer);
        QCOMPARE(v.has_value(), number);
        if (v)
            QCOMPARE(*v, id);
    }

    void formChecks_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("dob");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<int>("check");
        const int ok = int(admin::FormCheck::Accepted), badDob = int(admin::FormCheck::BadBirthDate),
                  badId = int(admin::FormCheck::BadEmployeeId);
        QTest::newRow("born today") << "10000000" << "15/03/2026" << true << ok;
        QTest::newRow("born tomorrow") << "10000000" << "16/03/2026" << true << badDob;
        QTest::newRow("no such date") << "10000000" << "31/02/1990" << true << badDob;
        QTest::newRow("empty date, adding") << "10000000" << "" << true << badDob;
        QTest::newRow("empty date, editing") << "10000000" << "" << false << ok;
        QTest::newRow("tomorrow, editing") << "10000000" << "16/03/2026" << false << badDob;
        QTest::newRow("date before ID") << "123" << "16/03/2026" << true << badDob;
        QTest::newRow("short ID") << "1234567" << "01/01/1980" << true << badId;
    }
    void formChecks()
    {
        QFETCH(QString, id);
        QFETCH(QString, dob);
        QFETCH(bool, adding);
        QFETCH(int, check);
        QCOMPARE(int(admin::checkForm(form(id, dob), adding, kToday)), check);
    }

    void textsThatCannotBeStoredAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("designation");
        QTest::addColumn<QString>("message");
        QTest::newRow("card text of 255 fits") << QString(243, 'n') << "Engineer!!" << "";
        QTest::newRow("card text of 256") << QString(244, 'n') << "Engineer!!"
                                          << "Check Name and Designation: a card stores them as \"name, designation\", "
                                             "which must not be longer than 255 characters (these have 256).";
        QTest::newRow("name longer than its column") << QString(256, 'n') << ""
                                                     << "Check Name, it must not be longer than 255 characters (it has 256).";
        QTest::newRow("NUL") << "Asha" << QString("Engi") + QChar(0) + "neer"
                             << "Check Designation, it must not contain a NUL character.";
    }
    void textsThatCannotBeStoredAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, designation);
        QFETCH(QString, message);
        admin::EmployeeForm f = form("10000000");
        f.name = name;
        f.designation = designation;
        QCOMPARE(admin::formTextProblem(f).value_or(QString()), message);
        if (!message.isEmpty())
            return;
        // What passes is stored whole on every back end, and so is its card text.
        freshDatabase();
        admin::addEmployee(f);
        QCOMPARE(admin::findEmployee(10000000)->name, name);
        store::exec("INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName) VALUES (?, ?, ?, ?)",
                    {QDate(2026, 2, 20), f.department, 10000000, name + ", " + designation});
        QCOMPARE(scalar("SELECT EmpName FROM leaves").toString().size(), 255);
    }

    void settingsAreOwnerOnly()
    {
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

    void blankFieldsRefusedAfterTheOtherChecks_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<int>("check");
        const int blank = int(admin::FormCheck::BlankFields), badId = int(admin::FormCheck::BadEmployeeId),
                  ok = int(admin::FormCheck::Accepted);
        QTest::newRow("empty name") << "name" << "" << "10000000" << true << blank;
        QTest::newRow("blank department") << "department" << "   " << "10000000" << true << blank;
        QTest::newRow("blank designation, editing") << "designation" << "	" << "10000000" << false << blank;
        QTest::newRow("ID checked first") << "name" << "" << "1234567" << true << badId;
        QTest::newRow("one letter will do") << "designation" << "X" << "10000000" << true << ok;
    }
    void blankFieldsRefusedAfterTheOtherChecks()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, id);
        QFETCH(bool, adding);
        QFETCH(int, check);
        admin::EmployeeForm f = form(id);
        (field == "name" ? f.name : field == "department" ? f.department : f.designation) = text;
        QCOMPARE(int(admin::checkForm(f, adding, kToday)), check);
    }

    void addStoresTheFormAsTyped()
    {
        freshDatabase();
        admin::EmployeeForm f = form(QStringLiteral("10000000"), QStringLiteral("5/1/1972"));
        f.name = QStringLiteral("Joseph D'Souza");
        f.address = QStringLiteral("12, \"Green\" Lane; Pune");
        admin::addEmployee(f);
        const std::optional<app::Employee> r = admin::findEmployee(10000000);
        QVERIFY(r);
        QCOMPARE(r->name, QString("Joseph D'Souza"));
        QCOMPARE(r->dob, QDate(1972, 1, 5));
        QCOMPARE(r->designation, QString("Engineer"));
        QCOMPARE(r->department, QString("Civil Design"));
        QCOMPARE(r->address, QString("12, \"Green\" Lane; Pune"));
        QCOMPARE(r->grade, QString("E3"));
        QVERIFY(!admin::findEmployee(10000001));
    }

    void duplicateIdIsRefusedByTheStore()
    {
        freshDatabase();
        admin::addEmployee(form(QStringLiteral("55555555")));
        admin::EmployeeForm second = form(QStringLiteral("55555555"));
        second.name = QStringLiteral("Somebody Else");
        try {
            admin::addEmployee(second);
            QFAIL("a second employee with the same ID was stored");
        } catch (const store::DbError& e) {
            QCOMPARE(int(e.kind()), int(store::ErrorKind::DuplicateKey));
        }
        QCOMPARE(rowsWithId(55555555), 1);
        QCOMPARE(admin::findEmployee(55555555)->name, QString("Asha Rao"));
    }

    void updateWritesOnlyTheChangeableFields()
    {
        freshDatabase();
        addEmployee(20000001, "Ravi Nair", "Civil Design", "Engineer", "E3", QDate(1970, 6, 1), "Staff Colony");
        addEmployee(20000002, "Meera Pillai", "Civil Design", "Engineer", "E3", QDate(1971, 6, 1), "Staff Colony");
        admin::EmployeeForm f = form(QStringLiteral("20000099"), QStringLiteral("01/01/1999"));
        f.name = QStringLiteral("Changed Name");
        f.designation = QStringLiteral("Senior Engineer");
        f.department = QStringLiteral("Quality Cell");
        f.grade = QStringLiteral("E4");
        f.address = QStringLiteral("Transferred to Head Office");
        admin::updateEmployee(20000001, f);

        const std::optional<app::Employee> r = admin::findEmployee(20000001);
        QVERIFY(r);
        QCOMPARE(r->name, QString("Ravi Nair"));
        QCOMPARE(r->dob, QDate(1970, 6, 1));
        QCOMPARE(r->designation, QString("Senior Engineer"));
        QCOMPARE(r->department, QString("Quality Cell"));
        QCOMPARE(r->grade, QString("E4"));
        QCOMPARE(r->address, QString("Transferred to Head Office"));
        QVERIFY(!admin::findEmployee(20000099));
        // The other employee is untouched.
        const std::optional<app::Employee> other = admin::findEmployee(20000002);
        QCOMPARE(other->designation, QString("Engineer"));
        QCOMPARE(other->department, QString("Civil Design"));
        QCOMPARE(other->address, QString("Staff Colony"));
    }

    void updateOfAMissingEmployeeFails()
    {
        freshDatabase();
        try {
            admin::updateEmployee(20000001, form(QStringLiteral("20000001")));
            QFAIL("an update of a missing employee was reported as done");
        } catch (const store::DbError& e) {
            QCOMPARE(int(e.kind()), int(store::ErrorKind::NoRecord));
        }
        QCOMPARE(rowsWithId(20000001), 0);
    }
};

QTEST_GUILESS_MAIN(TestAdminLogic)
#include "test_admin_logic.moc"
