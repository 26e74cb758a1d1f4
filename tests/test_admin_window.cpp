// The administrator window, driven offscreen with scripted boxes.
#include "testsupport.h"
#include "windowsupport.h"

#include "admin/monthclose.h"
#include "admin/password.h"
#include "app/clock.h"
#include "app/failurebox.h"
#include "app/settings.h"
#include "store/database.h"
#include "store/schema.h"
#include "ui/closedmonth.h"
#include "ui/common.h"
#include "ui/main.h"
#include "ui/optset.h"
#include "ui/program.h"
#include "ui/reportsection.h"

#include <QApplication>
#include <QSettings>
#include <QSqlQuery>
#include <QTest>

using namespace testsupport;

namespace {
const QDate kToday(2026, 3, 15);
const QString kPassword = QStringLiteral("secret");
const QString kWrongPassword = QStringLiteral("INCORRECT PASSWORD, TRY AGAIN.");
const QString kConfirmAdd = QStringLiteral("You are going to ADD this Employee in the existing Database.");
const QString kAdded = QStringLiteral("Employee's Data appended to the Database Successfully.");
const QString kAskId = QStringLiteral("ENTER THE EIGHT DIGIT EMPLOYEE'S ID WHOSE DATA ARE TO BE UPDATED");

int employeeRows(qint64 id = 0)
{
    if (id == 0)
        return int(store::whole(scalar(QStringLiteral("SELECT COUNT(*) FROM employees"))));
    return int(store::whole(scalar(QStringLiteral("SELECT COUNT(*) FROM employees WHERE Emp_ID = ?"), {id})));
}

QString field(qint64 id, const QString& column)
{
    return store::textOf(scalar(QStringLiteral("SELECT %1 FROM employees WHERE Emp_ID = ?").arg(column), {id}));
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

class TestAdminWindow : public QObject {
    Q_OBJECT

    ScriptedDialogs* boxes = nullptr;

    ui::Main* main() { return ui::windows().main; }

    // Opens the administrator window from the data-entry window's menu.
    ui::OptSet* openOptSet()
    {
        auto* settings = main()->findChild<QAction*>(QStringLiteral("Settings"));
        if (!settings)
            return nullptr;
        settings->trigger();
        return ui::windows().optSet;
    }

    ui::OptSet* unlocked()
    {
        ui::OptSet* o = openOptSet();
        o->Text4->setText(admin::adminCode(kToday));
        o->EnableTool->click();
        boxes->clear();
        return o;
    }

    void fillEmployee(ui::OptSet* o, const QString& id, const QString& dob, const QString& name = "Kiran Das")
    {
        o->Text2[0]->setText(name);
        o->Text2[1]->setText(QStringLiteral("Draughtsman"));
        o->Text2[2]->setText(QStringLiteral("Staff Colony"));
        o->Text2[3]->setText(dob);
        o->Text2[5]->setText(id);
        o->Combo1->setEditText(QStringLiteral("Civil Design"));
        o->Combo2->setEditText(QStringLiteral("E2"));
    }

private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
    }

    void init()
    {
        boxes = &scriptDialogs();
        resetProgramEnds();
        app::setToday(kToday);
        QSettings(app::kAppName, app::kAppName).clear();
        app::writeSetting(QStringLiteral("DepttSetting"), QStringLiteral("DeptPwd"), kPassword);
        freshDatabase();
        // Departments in ascending order: 0 Admin Section, 1 Administrative
        // Office, 2 Civil Design.
        addEmployee(10000001, "Asha Rao", "Admin Section", "Manager", "E4", QDate(1975, 4, 12), "Staff Colony");
        addEmployee(10000002, "Vijay Kumar", "Admin Section", "Clerk", "S1", QDate(1985, 2, 3), "Town");
        addEmployee(20000001, "Leela Menon", "Administrative Office", "Officer", "E3", QDate(1980, 1, 1));
        addEmployee(30000001, "Ravi Nair", "Civil Design", "Engineer", "E3", QDate(1978, 9, 30));
        addEmployee(30000002, "Meera Pillai", "Civil Design", "Draughtsman", "E2", QDate(1990, 5, 5));
        QVERIFY(ui::startProgram());
        QVERIFY(main());
        boxes->clear();
    }

    void cleanup()
    {
        ui::closeProgram();
        flushDeletes();
        app::setToday(QDate());
    }

    void closingAMonthShowsInTheDataEntryWindow()
    {
        QVERIFY(!openOptSet()->Months->isEnabled());
        ui::OptSet* o = unlocked();
        QVERIFY(o->Months->isEnabled());
        QCOMPARE(o->size(), QSize(392, 213));
        QCOMPARE(o->Tools->actions().size(), 4);
        o->findChild<QAction*>(QStringLiteral("CloseMonths"))->trigger();
        auto* w = o->findChild<ui::MonthCloseWindow*>(QStringLiteral("MonthClose"));
        QVERIFY(w && main()->FindDuration());
        const QString deptt = main()->departmentPicker->currentText();
        auto* line = control<QLabel>(main(), QStringLiteral("ClosedMonth"));
        QVERIFY(main()->saveButton->isEnabled() && line->isHidden());
        w->CloseDeptt->setCurrentText(deptt);
        w->CloseMonthEnd->setDate(main()->ToDate);
        // Closed from the keyboard.
        w->CloseMonth->setFocus();
        QTest::keyClick(w->CloseMonth, Qt::Key_Space);
        QCOMPARE(boxes->texts(), QStringList{"Closed the month ending " + main()->ToDate.toString("dd/MM/yyyy")
                                             + " of " + deptt + "."});
        QVERIFY(!line->isHidden() && line->text().startsWith("Month closed: the month ending "));
        QVERIFY(!main()->saveButton->isEnabled());
        // The window asking for the save button again does not open it.
        main()->saveButton->setEnabled(true);
        QVERIFY(!main()->saveButton->isEnabled());
        // Reopening needs a reason.
        boxes->clear();
        boxes->inputs << QString("  ");
        w->ReopenMonth->click();
        QCOMPARE(boxes->texts().last(), QString::fromLatin1(admin::kReasonRequired));
        QVERIFY(!line->isHidden());
        boxes->inputs << QString("late card");
        w->ReopenMonth->click();
        QVERIFY(line->isHidden() && main()->saveButton->isEnabled());
        QCOMPARE(rows("auditlog"), 2);
    }

    void anOlderDatabaseSaysOnceItNeedsTheUpgrade()
    {
        QVERIFY(!ui::windows().report->findChild<QLabel*>(QStringLiteral("UpgradeNote")));
        ui::closeProgram();
        flushDeletes();
        for (const QString& t : store::kCloseTables)
            store::execDirect("DROP TABLE " + t);
        QVERIFY(ui::startProgram());
        QCOMPARE(controlText(ui::windows().report, QStringLiteral("UpgradeNote")), QString(store::kNeedsUpgrade));
        QVERIFY2(!boxes->texts().join(' ').contains("upgrade"), qPrintable(boxes->texts().join('|')));
        boxes->clear();
        // Closing is refused with the same words; nothing is written.
        unlocked()->findChild<QAction*>(QStringLiteral("CloseMonths"))->trigger();
        auto* w = ui::windows().optSet->findChild<ui::MonthCloseWindow*>();
        QCOMPARE(w->CloseState->text(), QString(store::kNeedsUpgrade));
        w->CloseMonth->click();
        QCOMPARE(boxes->texts(), QStringList{store::kNeedsUpgrade});
    }

    void placementAndLockedStart()
    {
        ui::OptSet* o = openOptSet();
        QVERIFY(o && o->isVisible());
        QCOMPARE(o->objectName(), QString("OptSet"));
        QCOMPARE(o->windowTitle(), QString("Edit Default Settings"));
        QCOMPARE(o->pos(), QPoint(350, 0));
        QCOMPARE(o->size(), QSize(392, 213));
        QCOMPARE(o->minimumSize(), o->maximumSize());
        QVERIFY(o->windowFlags() & Qt::WindowStaysOnTopHint);
        // Locked: the authorization frame shows, the tools do not work.
        QVERIFY(o->Frame3->isVisible() && !o->Frame2->isVisible());
        QVERIFY(!o->Tools->isEnabled() && !o->SetDefault->isEnabled());
        QCOMPARE(o->Text1[0]->text(), QString("21"));
        QCOMPARE(o->List1->count(), 3);
        QCOMPARE(o->Combo1->count(), 3);
        QCOMPARE(o->Combo2->count(), 4);
        QVERIFY(boxes->shown.isEmpty());
    }

    // A wrong password is refused with a box; the right one unlocks from the keyboard.
    void unlock()
    {
        ui::OptSet* o = openOptSet();
        o->Text4->setText(QStringLiteral("Secret"));
        o->EnableTool->click();
        QCOMPARE(boxes->shown.size(), 1);
        QCOMPARE(boxes->shown[0].text, kWrongPassword);
        QCOMPARE(boxes->shown[0].style, 16);
        QCOMPARE(o->Text4->text(), QString());
        QVERIFY(o->Frame3->isVisible() && !o->Tools->isEnabled() && !o->SetDefault->isEnabled());
        QTest::keyClicks(o->Text4, kPassword);
        QTest::keyClick(o->Text4, Qt::Key_Return);
        QCOMPARE(boxes->shown.size(), 1);
        QVERIFY(!o->Frame3->isVisible() && o->Tools->isEnabled() && o->SetDefault->isEnabled());
    }

    void startDay_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("29") << "29" << false;
        QTest::newRow("5 days") << "5 days" << true;
    }
    void startDay()
    {
        QFETCH(QString, typed);
        QFETCH(bool, saved);
        ui::OptSet* o = unlocked();
        o->Modez->trigger();
        QCOMPARE(o->windowTitle(), QString("Edit Default Date Settings"));
        QVERIFY(o->Frame1->isVisible() && !o->Frame2->isVisible() && !o->Frame4->isVisible());
        o->Text1[0]->setText(typed);
        o->SetDefault->click();
        QCOMPARE(boxes->shown.size(), 1);
        if (!saved) {
            QCOMPARE(app::readSetting("StartDate", "StartDate", "none"), QString("none"));
            QCOMPARE(boxes->shown[0].text,
                     QString("Check Starting Date for the Job Card. It should be between 1 & 28."));
            QCOMPARE(boxes->shown[0].style, 48);
            QCOMPARE(programEnds(), 0);
            return;
        }
        QCOMPARE(boxes->shown[0].text,
                 QString("Default Start-Date setting changed successfully, The program will now close.\r\n"
                         "Please re-start your program to effect the change."));
        QCOMPARE(boxes->shown[0].style, 64);
        QCOMPARE(programEnds(), 1);
        // This run keeps its start day; the next start takes the new one.
        QCOMPARE(app::globals().StartDate, QString("21"));
        ui::closeProgram();
        flushDeletes();
        QVERIFY(ui::startProgram());
        QCOMPARE(control<QComboBox>(main(), QStringLiteral("Combo2_1"))->currentText(), QString("5"));
        QCOMPARE(ui::ensureOptSet()->Text1[0]->text(), QString("5 days"));
    }

    void defaultDepartment_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes") << int(app::button::Yes);
        QTest::newRow("No") << int(app::button::No);
    }
    void defaultDepartment()
    {
        QFETCH(int, answer);
        ui::OptSet* o = unlocked();
        o->SetDept->trigger();
        QCOMPARE(o->windowTitle(), QString("Set Default Department"));
        QVERIFY(o->Frame4->isVisible());
        QCOMPARE(main()->departmentPicker->currentText(), QString("Admin Section"));
        o->List1->setCurrentRow(2);
        boxes->answers << answer;
        o->OK->click();
        QCOMPARE(boxes->shown[0].text, QString("You have Selected 'Civil Design' as Default Department.\r\n"
                                               "Would you like to continue?"));
        QCOMPARE(boxes->shown[0].style, 67);
        if (answer == app::button::Yes) {
            QCOMPARE(app::readSetting("DepttSetting", "Department"), QString("2"));
            // The data-entry window has switched, with its employees.
            QCOMPARE(main()->departmentPicker->currentText(), QString("Civil Design"));
            QCOMPARE(main()->employeePicker->itemText(0), QString("Ravi Nair, Engineer"));
            QCOMPARE(main()->employeeIdLabel->text(), QString("30000001"));
            QCOMPARE(boxes->texts().last(), QString("Default Department Set Successfully. The Program will now Close"));
            QCOMPARE(boxes->shown.last().style, 64);
            // The window is unloaded; the program goes on.
            QVERIFY(!ui::windows().optSet && !o->isVisible());
            QCOMPARE(programEnds(), 0);
            flushDeletes();
        } else {
            QCOMPARE(boxes->shown.size(), 1);
            QCOMPARE(app::readSetting("DepttSetting", "Department", "none"), QString("none"));
            QCOMPARE(main()->departmentPicker->currentText(), QString("Admin Section"));
            QVERIFY(ui::windows().optSet == o && o->isVisible());
        }
    }

    void escapeAndTheCloseButtonCloseIt()
    {
        ui::OptSet* o = openOptSet();
        o->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(o));
        QTest::keyClick(o, Qt::Key_Escape);
        QVERIFY(!ui::windows().optSet);
        flushDeletes();
        o = openOptSet();
        o->findChild<QPushButton*>("CloseWindow")->click();
        QVERIFY(!ui::windows().optSet);
        flushDeletes();
    }

    // Each opening starts locked, with the lists read afresh; a department
    // new to the data-entry window can still become its default.
    void reopeningStartsLockedWithFreshLists()
    {
        ui::OptSet* o = unlocked();
        o->close();
        QVERIFY(!ui::windows().optSet);
        flushDeletes();
        addEmployee(40000002, "Nina Roy", "Purchase", "Officer", "T1", QDate(1988, 8, 8));
        o = openOptSet();
        QVERIFY(o->Frame3->isVisible() && !o->Tools->isEnabled());
        QCOMPARE(o->List1->count(), 4);
        QCOMPARE(o->List1->currentRow(), -1);
        QCOMPARE(o->Combo2->findText(QStringLiteral("T1")), 4);
        o->Text4->setText(admin::adminCode(kToday));
        o->EnableTool->click();
        o->List1->setCurrentRow(3);
        o->OK->click();
        QCOMPARE(main()->departmentPicker->currentText(), QString("Purchase"));
        QCOMPARE(main()->employeePicker->currentText(), QString("Nina Roy, Officer"));
    }

    void addingAnEmployee_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("panelStays");
        QTest::addColumn<int>("lastStyle");
        const int ok = app::button::Ok;
        QTest::newRow("stored") << "10000000" << ok << QStringList{kConfirmAdd, kAdded} << true << false << 64;
        QTest::newRow("seven digits") << "9999999" << ok
                                      << QStringList{"Check Employee ID, must be of eight digits"} << false << true << 48;
        QTest::newRow("cancelled") << "40000001" << int(app::button::Cancel) << QStringList{kConfirmAdd} << false
                                   << true << 65;
        QTest::newRow("same ID") << "30000001" << ok
                                 << QStringList{kConfirmAdd, "Check Employee ID. You can not use same ID more than once."}
                                 << false << false << 16;
    }
    void addingAnEmployee()
    {
        QFETCH(QString, id);
        QFETCH(int, answer);
        QFETCH(QStringList, texts);
        QFETCH(bool, stored);
        QFETCH(bool, panelStays);
        QFETCH(int, lastStyle);
        ui::OptSet* o = unlocked();
        o->AddEmp->trigger();
        QCOMPARE(o->windowTitle(), QString("Add New Employee Record"));
        QCOMPARE(o->Frame2->title(), QString("Add New Employee Record"));
        QVERIFY(o->Frame2->isVisible() && o->Frame2->isEnabled() && o->AddMode);
        QVERIFY(!o->Frame1->isVisible() && !o->Frame4->isVisible());
        for (int i : {0, 3, 5})
            QVERIFY(!o->Text2[i]->isReadOnly());

        fillEmployee(o, id, QStringLiteral("01/01/1980"));
        const int before = employeeRows();
        boxes->answers << answer;
        o->AddEmployee->click();
        QCOMPARE(boxes->texts(), texts);
        QCOMPARE(boxes->shown.last().style, lastStyle);
        QCOMPARE(employeeRows(), before + int(stored));
        QCOMPARE(o->Frame2->isVisible(), panelStays);
        QCOMPARE(bool(o->AddMode), panelStays);
        if (panelStays)
            QCOMPARE(o->Text2[0]->text(), QString("Kiran Das"));
        if (stored) {
            QCOMPARE(field(id.toLongLong(), "EmpName"), QString("Kiran Das"));
            QCOMPARE(field(id.toLongLong(), "Deptt"), QString("Civil Design"));
            QCOMPARE(store::dateOf(scalar("SELECT DoB FROM employees WHERE Emp_ID = ?", {id.toLongLong()})),
                     QDate(1980, 1, 1));
        }
        if (id == "30000001")
            QCOMPARE(field(30000001, "EmpName"), QString("Ravi Nair"));
    }

    void typingStopsAtTheColumnsLength()
    {
        ui::OptSet* o = unlocked();
        o->AddEmp->trigger();
        o->Text2[0]->setText(QString(254, 'k'));
        QTest::keyClicks(o->Text2[0], "xyz");
        QCOMPARE(o->Text2[0]->text(), QString(254, 'k') + "x");
    }

    void lostConnectionWritesNothing_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::newRow("add") << true;
        QTest::newRow("edit") << false;
    }
    void lostConnectionWritesNothing()
    {
        if (!usingPostgres())
            QSKIP("the server can end a session only on PostgreSQL");
        QFETCH(bool, adding);
        ui::OptSet* o = unlocked();
        if (adding) {
            o->AddEmp->trigger();
            fillEmployee(o, QStringLiteral("40000001"), QStringLiteral("01/01/1980"));
        } else {
            boxes->inputs << QStringLiteral("30000002");
            o->UpdateEmp->trigger();
            o->Text2[1]->setText(QStringLiteral("Senior Draughtsman"));
        }
        boxes->clear();
        const int before = employeeRows();
        endPostgresSession(scalar(QStringLiteral("SELECT pg_backend_pid()")).toInt()); // as a restart would
        o->AddEmployee->click();
        QCOMPARE(boxes->shown.size(), 2);
        QCOMPARE(boxes->shown[1].style, 16);
        QCOMPARE(boxes->shown[1].text.section(QStringLiteral("\r\n"), 1),
                 QStringLiteral("AddEmployee SubRoutine\r\n")
                     + app::lostConnectionText(adding ? app::notsaved::NewEmployee : app::notsaved::EmployeeChange));
        // Nothing written; the next command connects again.
        QCOMPARE(employeeRows(), before);
        QCOMPARE(field(30000002, "Designation"), QString("Draughtsman"));
    }

    void editWritesOnlyTheChangeableFields()
    {
        ui::OptSet* o = unlocked();
        boxes->inputs << QStringLiteral("30000002");
        o->UpdateEmp->trigger();
        QCOMPARE(boxes->shown.size(), 1);
        QVERIFY(boxes->shown[0].input);
        QCOMPARE(boxes->shown[0].text, kAskId);
        QCOMPARE(boxes->shown[0].title, QString("Update Employee Data"));
        QCOMPARE(o->windowTitle(), QString("Update Employee's Record"));
        QCOMPARE(o->Frame2->title(), QString("Update Employee Record"));
        QVERIFY(o->Frame2->isVisible() && o->Frame2->isEnabled() && !o->AddMode);
        const QStringList shown{o->Text2[5]->text(), o->Text2[0]->text(), o->Text2[3]->text(),
                                o->Text2[1]->text(), o->Combo1->currentText(), o->Text2[2]->text(),
                                o->Combo2->currentText()};
        QCOMPARE(shown, (QStringList{"30000002", "Meera Pillai", "05/05/1990", "Draughtsman", "Civil Design",
                                     "Staff Colony", "E2"}));
        for (int i : {0, 1, 2, 3, 5})
            QCOMPARE(o->Text2[i]->isReadOnly(), i != 1 && i != 2);

        // Typing into a locked box changes nothing.
        QTest::keyClicks(o->Text2[0], QStringLiteral("xyz"));
        QCOMPARE(o->Text2[0]->text(), QString("Meera Pillai"));
        o->Text2[1]->setText(QStringLiteral("Senior Draughtsman"));
        boxes->clear();
        o->AddEmployee->click();
        QCOMPARE(boxes->texts(), QStringList({"You are going to EDIT this Employee's Record in the Database.",
                                              "Employee's Record Updated in the Database Successfully."}));
        QCOMPARE(field(30000002, "EmpName"), QString("Meera Pillai"));
        QCOMPARE(field(30000002, "Designation"), QString("Senior Draughtsman"));
        QCOMPARE(employeeRows(), 5);
        QVERIFY(!o->Frame2->isVisible());
        for (int i : {0, 3, 5})
            QVERIFY(!o->Text2[i]->isReadOnly());
    }

    void editNeedsAnExistingEmployee_data()
    {
        QTest::addColumn<QStringList>("answers"); // none: the box is cancelled
        QTest::addColumn<QString>("message");
        QTest::newRow("cancelled") << QStringList{} << kAskId;
        QTest::newRow("nobody") << QStringList{"30000009"} << "No Record Found for the given IEmployee D";
    }
    void editNeedsAnExistingEmployee()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, message);
        ui::OptSet* o = unlocked();
        for (const QString& a : answers)
            boxes->inputs << a;
        o->UpdateEmp->trigger();
        QCOMPARE(boxes->shown.size(), 2);
        QCOMPARE(boxes->shown[1].text, message);
        QCOMPARE(boxes->shown[1].style, 16);
        QVERIFY(!o->Frame2->isVisible() && !o->AddMode);
    }

    void otherPanelsHideTheEmployeePanel()
    {
        ui::OptSet* o = unlocked();
        for (QAction* other : {o->SetDept, o->Modez}) {
            o->AddEmp->trigger();
            other->trigger();
            QVERIFY(!o->Frame2->isVisible() && !o->AddMode);
        }
        // The start-day panel stays beside the department panel.
        o->SetDept->trigger();
        QVERIFY(o->Frame1->isVisible() && o->Frame4->isVisible());
    }
};

QTEST_MAIN(TestAdminWindow)
#include "test_admin_window.moc"
