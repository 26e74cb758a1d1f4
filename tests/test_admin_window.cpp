// The administrator window, driven offscreen with scripted boxes.
#include "testsupport.h"
#include "windowsupport.h"

#include "admin/employees.h"
#include "admin/monthclose.h"
#include "admin/password.h"
#include "app/clock.h"
#include "app/failurebox.h"
#include "app/settings.h"
#include "store/schema.h"
#include "ui/closedmonth.h"
#include "ui/main.h"
#include "ui/optset.h"
#include "ui/program.h"
#include "ui/reportsection.h"

#include <QSettings>

using namespace testsupport;

namespace {
const QDate kToday(2026, 3, 15);
const QString kPassword = QStringLiteral("secret");
const QString kConfirmAdd = QStringLiteral("65 You are going to ADD this Employee in the existing Database.");
const QString kAskId = QStringLiteral("ENTER THE EIGHT DIGIT EMPLOYEE'S ID WHOSE DATA ARE TO BE UPDATED");

QString field(qint64 id, const QString& column)
{
    return store::textOf(scalar(QStringLiteral("SELECT %1 FROM employees WHERE Emp_ID = ?").arg(column), {id}));
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A key (with Ctrl unless told) on the window, as the user presses it.
void ctrl(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, key, modifiers);
}
} // namespace

class TestAdminWindow : public QObject {
    Q_OBJECT

    ScriptedDialogs* boxes = nullptr;

    ui::Main* main() { return ui::windows().main; }

    ui::OptSet* openOptSet() // from the data-entry window's menu
    {
        control<QAction>(main(), QStringLiteral("Settings"))->trigger();
        return ui::windows().optSet;
    }

    ui::OptSet* unlocked(ui::OptSet* o = nullptr)
    {
        o = o ? o : openOptSet();
        o->Text4->setText(admin::adminCode(kToday));
        o->EnableTool->click();
        boxes->clear();
        return o;
    }

    void fillEmployee(ui::OptSet* o, const QString& id)
    {
        const QStringList texts{"Kiran Das", "Draughtsman", "Staff Colony", "01/01/1980"};
        for (int i = 0; i < 4; ++i)
            o->Text2[i]->setText(texts[i]);
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
        app::setToday(kToday);
        QSettings(app::kAppName, app::kAppName).clear();
        app::writeSetting(QStringLiteral("DepttSetting"), QStringLiteral("DeptPwd"), kPassword);
        freshDatabase();
        // Departments, ascending: 0 Admin Section, 1 Administrative Office, 2 Civil Design.
        addEmployee(10000001, "Asha Rao", "Admin Section", "Manager", "E4", QDate(1975, 4, 12), "Staff Colony");
        addEmployee(10000002, "Vijay Kumar", "Admin Section", "Clerk", "S1", QDate(1985, 2, 3), "Town");
        addEmployee(20000001, "Leela Menon", "Administrative Office", "Officer", "E3", QDate(1980, 1, 1));
        addEmployee(30000001, "Ravi Nair", "Civil Design", "Engineer", "E3", QDate(1978, 9, 30));
        addEmployee(30000002, "Meera Pillai", "Civil Design", "Draughtsman", "E2", QDate(1990, 5, 5));
        QVERIFY(ui::startProgram());
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
        // The window asking for the save button again does not open it.
        main()->saveButton->setEnabled(true);
        QVERIFY(!main()->saveButton->isEnabled());
        // Reopening needs a reason.
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
        QCOMPARE(control<QLabel>(ui::windows().report, QStringLiteral("UpgradeNote"))->text(), QString(store::kNeedsUpgrade));
        QVERIFY2(!boxes->texts().join(' ').contains("upgrade"), qPrintable(boxes->texts().join('|')));
        // Closing is refused with the same words; nothing is written.
        unlocked()->findChild<QAction*>(QStringLiteral("CloseMonths"))->trigger();
        auto* w = ui::windows().optSet->findChild<ui::MonthCloseWindow*>();
        QCOMPARE(w->CloseState->text(), QString(store::kNeedsUpgrade));
        w->CloseMonth->click();
        QCOMPARE(boxes->texts(), QStringList{store::kNeedsUpgrade});
    }

    void opensLockedAndUnlocksFromTheKeyboard()
    {
        ui::OptSet* o = openOptSet();
        QCOMPARE(o->objectName() + '|' + o->windowTitle(), QString("OptSet|Edit Default Settings"));
        QCOMPARE(QRect(o->pos(), o->size()), QRect(350, 0, 392, 213));
        QCOMPARE(o->minimumSize(), o->maximumSize());
        QVERIFY(o->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(o->Text1[0]->text(), QString("21"));
        QCOMPARE((QList<int>{o->List1->count(), o->Combo1->count(), o->Combo2->count()}), (QList<int>{3, 3, 4}));
        // A wrong password is refused with a box; the right one unlocks.
        o->Text4->setText(QStringLiteral("Secret"));
        o->EnableTool->click();
        QCOMPARE(boxes->texts(true), QStringList{"16 INCORRECT PASSWORD, TRY AGAIN."});
        QCOMPARE(o->Text4->text(), QString());
        QVERIFY(o->Frame3->isVisible() && !o->Frame2->isVisible() && !o->Tools->isEnabled() && !o->SetDefault->isEnabled());
        QTest::keyClicks(o->Text4, kPassword);
        QTest::keyClick(o->Text4, Qt::Key_Return);
        QCOMPARE(boxes->shown.size(), 1);
        QVERIFY(!o->Frame3->isVisible() && o->Tools->isEnabled() && o->SetDefault->isEnabled());
    }

    // 29 is refused; "5 days", typed and saved from the keyboard, is taken at the next start.
    void startDay()
    {
        ui::OptSet* o = unlocked();
        o->AddEmp->trigger();
        ctrl(o, Qt::Key_1);
        QCOMPARE(o->windowTitle(), QString("Edit Default Date Settings"));
        QVERIFY(o->Frame1->isVisible() && !o->Frame2->isVisible() && !o->Frame4->isVisible() && !o->AddMode);
        // The department panel opens beside the start-day panel.
        o->SetDept->trigger();
        QVERIFY(o->Frame1->isVisible() && o->Frame4->isVisible());
        o->Text1[0]->setText("29");
        o->SetDefault->click();
        QCOMPARE(app::readSetting("StartDate", "StartDate", "none"), QString("none"));
        QCOMPARE(boxes->texts(true), QStringList{"48 Check Starting Date for the Job Card. It should be between 1 & 28."});
        boxes->clear();
        o->Text1[0]->clear();
        QTest::keyClicks(o->Text1[0], "5 days");
        ctrl(o, Qt::Key_H);
        QCOMPARE(boxes->texts(true), QStringList{"64 Default Start-Date setting changed successfully, The program will now "
                                             "close.\r\nPlease re-start your program to effect the change."});
        QCOMPARE(programEnds(), 1);
        // This run keeps its start day; the next start takes the new one.
        QCOMPARE(app::globals().StartDate, QString("21"));
        ui::closeProgram();
        flushDeletes();
        QVERIFY(ui::startProgram());
        QCOMPARE(control<QComboBox>(main(), QStringLiteral("Combo2_1"))->currentText(), QString("5"));
        QCOMPARE(ui::ensureOptSet()->Text1[0]->text(), QString("5 days"));
    }

    // Answered No, nothing changes; Yes, from the keyboard, switches the data-entry window.
    void defaultDepartment()
    {
        ui::OptSet* o = unlocked();
        o->AddEmp->trigger();
        ctrl(o, Qt::Key_2);
        QCOMPARE(o->windowTitle(), QString("Set Default Department"));
        QVERIFY(o->Frame4->isVisible() && !o->Frame2->isVisible() && !o->AddMode);
        o->List1->setCurrentRow(2);
        const QString ask("67 You have Selected 'Civil Design' as Default Department.\r\nWould you like to continue?");
        boxes->answers << int(app::button::No);
        o->OK->click();
        QCOMPARE(boxes->texts(true), QStringList{ask});
        QCOMPARE(app::readSetting("DepttSetting", "Department", "none"), QString("none"));
        QCOMPARE(main()->departmentPicker->currentText(), QString("Admin Section"));
        QVERIFY(ui::windows().optSet == o && o->isVisible());
        boxes->clear();
        ctrl(o, Qt::Key_O);
        QCOMPARE(boxes->texts(true),
                 (QStringList{ask, "64 Default Department Set Successfully. The Program will now Close"}));
        QCOMPARE(app::readSetting("DepttSetting", "Department"), QString("2"));
        QCOMPARE((QStringList{main()->departmentPicker->currentText(), main()->employeePicker->itemText(0),
                              main()->employeeIdLabel->text()}),
                 (QStringList{"Civil Design", "Ravi Nair, Engineer", "30000001"}));
        // The window is unloaded; the program goes on.
        QVERIFY(!ui::windows().optSet && !o->isVisible());
        QCOMPARE(programEnds(), 0);
        flushDeletes();
    }

    // Escape and Close close the window; each opening starts locked, the lists read
    // afresh; a department new to the data-entry window can become its default.
    void reopeningStartsLockedWithFreshLists()
    {
        ui::OptSet* o = unlocked();
        ctrl(o, Qt::Key_Escape, {});
        QVERIFY(!ui::windows().optSet);
        flushDeletes();
        openOptSet()->findChild<QPushButton*>("CloseWindow")->click();
        QVERIFY(!ui::windows().optSet);
        flushDeletes();
        addEmployee(40000002, "Nina Roy", "Purchase", "Officer", "T1", QDate(1988, 8, 8));
        o = openOptSet();
        QVERIFY(o->Frame3->isVisible() && !o->Tools->isEnabled());
        QCOMPARE((QList<int>{o->List1->count(), o->List1->currentRow()}), (QList<int>{4, -1}));
        QCOMPARE(o->Combo2->findText(QStringLiteral("T1")), 4);
        unlocked(o)->List1->setCurrentRow(3);
        o->OK->click();
        QCOMPARE(main()->departmentPicker->currentText(), QString("Purchase"));
        QCOMPARE(main()->employeePicker->currentText(), QString("Nina Roy, Officer"));
    }

    // Refused by the ID's rule, cancelled, refused by the store's key; then stored from the keyboard.
    void addingAnEmployee()
    {
        ui::OptSet* o = unlocked();
        o->AddEmp->trigger();
        fillEmployee(o, "9999999");
        o->AddEmployee->click();
        QCOMPARE(boxes->texts(true), QStringList{"48 Check Employee ID, must be of eight digits"});
        // The panel keeps what was typed; a cancelled confirmation stores nothing.
        boxes->clear();
        o->Text2[5]->setText("40000001");
        boxes->answers << int(app::button::Cancel);
        o->AddEmployee->click();
        QCOMPARE(boxes->texts(true), QStringList{kConfirmAdd});
        QVERIFY(o->Frame2->isVisible() && o->AddMode);
        boxes->clear();
        fillEmployee(o, "30000001");
        o->AddEmployee->click();
        QCOMPARE(boxes->texts(true),
                 (QStringList{kConfirmAdd, "16 Check Employee ID. You can not use same ID more than once."}));
        QVERIFY(!o->Frame2->isVisible() && !o->AddMode);
        QCOMPARE(rows("employees"), 5);

        boxes->clear();
        ctrl(o, Qt::Key_3);
        QCOMPARE(o->windowTitle() + '|' + o->Frame2->title(), QString("Add New Employee Record|Add New Employee Record"));
        QVERIFY(o->Frame2->isVisible() && o->Frame2->isEnabled() && o->AddMode && !o->Frame1->isVisible()
                && !o->Frame4->isVisible());
        for (int i : {0, 3, 5})
            QVERIFY(!o->Text2[i]->isReadOnly());
        fillEmployee(o, "40000001");
        // Typing stops at the column's length.
        o->Text2[1]->setText(QString(254, 'k'));
        QTest::keyClicks(o->Text2[1], "xyz");
        QCOMPARE(o->Text2[1]->text(), QString(254, 'k') + "x");
        o->Text2[1]->setText("Draughtsman");
        ctrl(o, Qt::Key_S);
        QCOMPARE(boxes->texts(true), (QStringList{kConfirmAdd, "64 Employee's Data appended to the Database Successfully."}));
        QVERIFY(!o->Frame2->isVisible() && !o->AddMode);
        QCOMPARE(rows("employees"), 6);
        const app::Employee e = *admin::findEmployee(40000001);
        QCOMPARE((QStringList{e.name, e.dob.toString("dd/MM/yyyy"), e.designation, e.department, e.address, e.grade}),
                 (QStringList{"Kiran Das", "01/01/1980", "Draughtsman", "Civil Design", "Staff Colony", "E2"}));
    }

    // No answer or an unknown ID opens nothing; a known one, from the keyboard, shows
    // the employee with only the changeable fields open; a lost connection writes nothing.
    void editingAnEmployee()
    {
        ui::OptSet* o = unlocked();
        o->UpdateEmp->trigger();
        boxes->inputs << QStringLiteral("30000009");
        o->UpdateEmp->trigger();
        QCOMPARE(boxes->texts(true), (QStringList{"? " + kAskId, "16 " + kAskId, "? " + kAskId,
                                            "16 No Record Found for the given IEmployee D"}));
        QVERIFY(!o->Frame2->isVisible() && !o->AddMode);
        boxes->clear();
        boxes->inputs << QStringLiteral("30000002");
        ctrl(o, Qt::Key_4);
        QCOMPARE(boxes->texts(true), QStringList{"? " + kAskId});
        QCOMPARE(boxes->shown[0].title, QString("Update Employee Data"));
        QCOMPARE(o->windowTitle() + '|' + o->Frame2->title(), QString("Update Employee's Record|Update Employee Record"));
        QVERIFY(o->Frame2->isVisible() && o->Frame2->isEnabled() && !o->AddMode);
        const QStringList shown{o->Text2[5]->text(), o->Text2[0]->text(), o->Text2[3]->text(),
                                o->Text2[1]->text(), o->Combo1->currentText(), o->Text2[2]->text(),
                                o->Combo2->currentText()};
        QCOMPARE(shown, (QStringList{"30000002", "Meera Pillai", "05/05/1990", "Draughtsman", "Civil Design",
                                     "Staff Colony", "E2"}));
        for (int i : {0, 1, 2, 3, 5})
            QCOMPARE(o->Text2[i]->isReadOnly(), i != 1 && i != 2);
        o->Text2[1]->setText(QStringLiteral("Senior Draughtsman"));
        boxes->clear();
        ctrl(o, Qt::Key_S);
        QCOMPARE(boxes->texts(true), QStringList({"65 You are going to EDIT this Employee's Record in the Database.",
                                            "64 Employee's Record Updated in the Database Successfully."}));
        QCOMPARE(field(30000002, "EmpName") + '|' + field(30000002, "Designation"), QString("Meera Pillai|Senior Draughtsman"));
        QVERIFY(!o->Frame2->isVisible());
        for (int i : {0, 3, 5})
            QVERIFY(!o->Text2[i]->isReadOnly());
        if (!usingPostgres()) // only PostgreSQL's server can end a session
            return;
        boxes->inputs << QStringLiteral("30000002");
        o->UpdateEmp->trigger();
        o->Text2[1]->setText(QStringLiteral("Chief Draughtsman"));
        boxes->clear();
        endPostgresSession(scalar(QStringLiteral("SELECT pg_backend_pid()")).toInt()); // as a restart would
        o->AddEmployee->click();
        const QStringList lost = boxes->texts(true);
        QVERIFY(lost.size() == 2 && lost[1].startsWith("16 "));
        QCOMPARE(lost[1].section(QStringLiteral("\r\n"), 1),
                 "AddEmployee SubRoutine\r\n" + app::lostConnectionText(app::notsaved::EmployeeChange));
        // Nothing written; the next command connects again.
        QCOMPARE(field(30000002, "Designation"), QString("Senior Draughtsman"));
    }
};

QTEST_MAIN(TestAdminWindow)
#include "test_admin_window.moc"
