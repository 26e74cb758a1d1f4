// The data-entry window driven offscreen: cards, job master, job status and
// job search as the user sees and drives them (the rules are the logic tests').
#include "testsupport.h"
#include "windowsupport.h"

#include "app/clock.h"
#include "entry/jobmaster.h"
#include "ui/main.h"
#include "ui/program.h"

#include <QApplication>

using namespace testsupport;
using namespace app::style;

namespace {
const QString kAppend = "You are going to append this record to the existing Database.";
const QString kAppended = "Current Record appended to the Database Successfully.";
const QString kStatusQuestion = "Want to change job status, i.e. the percentage of job completed so far?\r\n"
                                "Changed job status will be displayed on next session only.";
const QString kDelete = "REALLY WANT TO DELETE THE ENTERIES AGAINST AMY, ENGINEER FOR THE PERIOD 21/03/2009 TO 20/04/2009.";
const QString kNotFound = "Job number not found. Want to ADD a job no.?";
const QColor kRed(255, 0, 0);
} // namespace

class TestEntryWindow : public QObject, WindowDriver<ui::Main> {
    Q_OBJECT

    ScriptedDialogs* boxes = nullptr;

    void expectBoxes(const QList<QPair<QString, int>>& expected)
    {
        QList<QPair<QString, int>> got;
        for (const Shown& s : boxes->shown)
            got << qMakePair(s.text, s.style);
        QCOMPARE(got, expected);
        boxes->clear();
    }
    QColor colour(const QString& label) { return w<QLabel>(label)->palette().color(QPalette::WindowText); }
    void activate()
    {
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m));
    }
    // A key pressed, or text typed, where the focus is.
    void key(Qt::Key k, Qt::KeyboardModifiers mod = {})
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m, k, mod);
    }
    void keys(std::initializer_list<Qt::Key> ks) { std::for_each(ks.begin(), ks.end(), [this](Qt::Key k) { key(k); }); }
    void typed(const QString& t) { QTest::keyClicks(QApplication::focusWidget(), t); }

private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
        app::setToday(QDate(2009, 4, 25)); // period 21 March to 20 April 2009: 31 days
    }

    void init()
    {
        freshDatabase();
        addEmployee(10000001, "Amy", "Civil", "Engineer");
        addEmployee(10000002, "Bob", "Civil", "Draughtsman");
        addEmployee(10000003, "Carl", "Mech", "Fitter");
        addJob(101, "Pump house", 100, 10, 0, "Civil");
        addJob(102, "Tank farm", 100, 50, 40, "Civil");
        addJob(103, "Open yard", 100, 30, 0, "Mech");
        addJob(104, "Tank cleaning", 100, 5, 0, "Civil");
        for (int j = 105; j <= 111; ++j)
            addJob(j, QString("Extra %1").arg(j), 100, 100, 0, "Civil");
        boxes = &scriptDialogs();
        QVERIFY(ui::startProgram());
        m = ui::windows().main;
        m->show();
        QVERIFY(QTest::qWaitForWindowExposed(m));
    }

    void cleanup() { ui::closeProgram(); }

    // A card entered, saved, opened again and deleted with the keyboard alone.
    void keyboardOnlyCard()
    {
        QCOMPARE(QStringList({text("Label7"), text("Label8_3"), w<QListWidget>("List2")->item(1)->text()}),
                 (QStringList{"10000001", "SL", "Tank farm"}));
        activate();
        w("List1")->setFocus();
        keys({Qt::Key_Home, Qt::Key_Return, Qt::Key_Down, Qt::Key_Space});
        QCOMPARE(text("Label1_0") + text("Label1_1"), QString("101102"));
        key(Qt::Key_Space); // the same job again
        expectBoxes({{"You have already selected this item", Exclamation}});

        // From the employee picker the tab runs to the days, then to the
        // leave boxes in the order they stand: SL first.
        w("Combo1")->setFocus();
        keys({Qt::Key_Tab, Qt::Key_Tab});
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Text1_0"));
        typed("20");
        key(Qt::Key_Return); // Enter moves on to the next day box
        typed("9");
        key(Qt::Key_Return); // the last job row: the focus stays
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Text1_1"));
        keys({Qt::Key_Tab, Qt::Key_Tab});
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Text2_3"));
        typed("3");
        QCOMPARE(text("DaysLeft"), QString("Period 31 days, entered 32, left -1"));
        QCOMPARE(colour("DaysLeft"), kRed);
        key(Qt::Key_Backspace);
        typed("2");
        QCOMPARE(text("DaysLeft"), QString("Period 31 days, entered 31, left 0"));
        QCOMPARE(colour("DaysLeft"), QColor(0, 128, 0));
        key(Qt::Key_S, Qt::ControlModifier);
        expectBoxes({{kAppend, 1 + Information}, {kAppended, Information}});

        // Opened again: the department picker is locked with the employee's.
        key(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(QStringList({text("AddRecord"), text("Text1_1"), text("Text2_3")}), (QStringList{"Update Record", "9", "2"}));
        QVERIFY(!w("Combo4")->isEnabled());
        key(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(w("Combo4")->isEnabled());

        key(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(text("AddRecord"), QString("Delete Record"));
        key(Qt::Key_S, Qt::ControlModifier);
        expectBoxes({{kDelete, 4 + Exclamation}, {"RECORD OF THE SELECTED EMPLOYEE DELETED SUCCESSFULLY.", Information}});
        // Nothing left to open, nothing earlier to start from.
        key(Qt::Key_E, Qt::ControlModifier);
        key(Qt::Key_M, Qt::ControlModifier);
        expectBoxes({{"NO RECORD FOUND FOR THE CURRENT SETTING.", Information},
                     {"There is no earlier card of this employee to start from.", Exclamation}});
        for (int i = 0; i <= 10; ++i)
            dblClick("List1", i);
        QCOMPARE(text("Label1_9"), QString("110"));
        expectBoxes({{"You can not add more than 10 jobs at a time.", Critical}});
    }

    // Find as you type hides the same jobs in the lists; Find by number or
    // name (with the keyboard) selects the job and clears the filter.
    void findingJobs()
    {
        activate();
        type("JobFilter", "TANK");
        auto* numbers = w<QListWidget>("List1");
        QStringList shown;
        int sortedShown = 0;
        for (int i = 0; i < numbers->count(); ++i) {
            if (!numbers->isRowHidden(i) && !w<QListWidget>("List2")->isRowHidden(i))
                shown << numbers->item(i)->text() + " " + w<QListWidget>("List2")->item(i)->text();
            sortedShown += !w<QListWidget>("List6")->isRowHidden(i);
        }
        QCOMPARE(shown << QString::number(sortedShown), (QStringList{"102 Tank farm", "104 Tank cleaning", "2"}));
        type("Text3", "111");
        key(Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(text("JobFilter"), QString());
        QCOMPARE(numbers->currentRow(), 10);
        dblClick("List6", w<QListWidget>("List6")->currentRow()); // places the same job as the number list
        QCOMPARE(text("Label1_0") + '|' + text("Label6_0"), QString("111|100"));
        type("Text3", "101 ");
        boxes->answers = {app::button::No};
        click("SearchJob");
        expectBoxes({{kNotFound, 4 + Critical}});

        type("Text4", "tank");
        key(Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
        expectBoxes({{"1 found. Want to search further?", 4 + Information},
                     {"2 found. Want to search further?", 4 + Information},
                     {"NO MORE MATCH FOUND.", Information}});
        QCOMPARE(text("Text3"), QString("104"));
        type("Text4", "zzz");
        click("SearchStrng");
        expectBoxes({{"Job name string not found. You may add a new job no.", Critical}});
        dblClick("List2", 2);
        expectBoxes({{"Double Click the job number list for Selection\r\nJob no. is : 103", Information}});
        QCOMPARE(w("List2")->toolTip(), QString("Job no. is : 103"));

        click("ShowJobs");
        QCOMPARE(text("ShowJobs"), QString("Show JobList"));
        QVERIFY(w("Frame1")->isHidden());
    }

    // Refused (Cancel, then a second card of the month), saved, changed
    // (Cancel first), delete refused.
    void wholeCardSavedChangedDeleted()
    {
        // Three jobs, a 31-day card: 12 + 8 + 0 days, 2 CL, 9 holidays.
        for (int row : {0, 1, 2})
            dblClick("List1", row);
        type("Text1_0", "12");
        type("Text1_2", "0");
        type("Text2_0", "2");
        type("Text2_8", "9");
        QCOMPARE(text("Label2_0") + '|' + text("Text9_1"), QString(" Pump house|40"));
        type("Text1_1", "1");
        QTest::mouseDClick(w("Text1_1"), Qt::LeftButton); // empties the box
        QCOMPARE(text("Text1_1"), QString());
        type("Text1_1", "8 days");
        boxes->answers = {app::button::Cancel};
        click("AddRecord");
        expectBoxes({{kAppend, 1 + Information}});
        QCOMPARE(rows("leaves"), 0);
        QTest::keyClick(w("Text2_4"), Qt::Key_Return); // Enter in a leave box saves
        expectBoxes({{kAppend, 1 + Information}, {kAppended, Information}});
        QCOMPARE(rows("edbooked"), 3);
        QCOMPARE(text("Label6_0") + '|' + w<QListWidget>("List3")->item(0)->text(), QString("-2|-2"));
        QCOMPARE(colour("Label6_0"), kRed);
        w<QComboBox>("Combo1")->setCurrentIndex(1);
        w<QComboBox>("Combo1")->setCurrentIndex(0);
        type("Text1_0", "31");
        click("AddRecord");
        expectBoxes({{"You have already made entry of data corresponding to\r\nthis setting, check settings and Try-again.",
                      Critical}});

        trigger("EditRecord");
        QCOMPARE(text("AddRecord") + '|' + text("Text1_1"), QString("Update Record|8"));
        QVERIFY(!w("Frame1")->isEnabled());
        type("Text1_0", "10");
        type("Text2_8", "11");
        click("AddRecord");
        expectBoxes({{"You are going to CHANGE the Current Record of the existing Database.", 1 + Information},
                     {"Current Record of the Database Changed Successfully.\r\nThe Program will Now RESET", Information}});
        QCOMPARE(balance(101), 0.0);
        QVERIFY(w("Label1_0")->isHidden());

        trigger("DeleteRecord");
        QCOMPARE(text("Text2_8"), QString("11"));
        boxes->answers = {app::button::No};
        click("AddRecord");
        expectBoxes({{kDelete, 4 + Exclamation}});
        QCOMPARE(rows("leaves"), 1);
    }

    void jobMasterAndAllottedCredit()
    {
        type("Text3", "900");
        boxes->answers = {app::button::Yes};
        click("SearchJob");
        expectBoxes({{kNotFound, 4 + Critical}});
        type("Text6", "Boiler 'B' \"new\"");
        type("Text8", "-5");
        click("AddJob");
        expectBoxes({{"Check Allotted Engg. Days (ED), it must be a positive numeric.", Exclamation}});
        type("Text8", "500");
        activate();
        key(Qt::Key_Return, Qt::ControlModifier);
        expectBoxes({{"You are going to Add a new job number to your Database.\r\nWould you like to proceed or cancel the "
                      "operation.",
                      3 + Question},
                     {QString(entry::kJobAppended), Information}});
        QCOMPARE(scalar("SELECT JobName FROM jobs WHERE JobNo = 900").toString(), QString("Boiler 'B' \"new\""));
        auto* l1 = w<QListWidget>("List1");

        // Place the new job, credit its allotted ED, book 20 days.
        dblClick("List1", l1->count() - 1);
        QTest::mouseDClick(w("Label6_0"), Qt::LeftButton);
        expectBoxes({{"Allotted ED for Job Number 900 is = 500\r\nWant to take effect of this on Balance ED?", 4 + Information}});
        QCOMPARE(text("Label6_0"), QString("500"));
        type("Text1_0", "20");
        type("Text2_8", "11");
        click("AddRecord");
        QCOMPARE(text("Label6_0"), QString("480"));

        // Edit a job: the stored job changes, the lists do not.
        l1->setCurrentRow(1);
        key(Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(boxes->shown.last().text,
                 QString("You Have Selected Job Number 102 for Editing. To Select\r\nOther Job Number, Double Click Job No. "
                         "in the List Shown.\r\n\r\nWant to Edit this Job?"));
        QCOMPARE(text("Text6"), QString("Tank farm"));
        type("Text10", "77");
        type("Text8", "0");
        boxes->clear();
        click("AddJob");
        expectBoxes({{"Selected Job updated successfully.", Information}});
        QCOMPARE(balance(102), 77.0);
        QCOMPARE(w<QListWidget>("List2")->item(1)->text(), QString("Tank farm"));
    }

    // Status of the lead department's jobs only; Escape abandons an open
    // change, asking first when something was typed.
    void jobStatus()
    {
        activate();
        dblClick("List1", 2); // job 103, Mech
        dblClick("List1", 0); // job 101, Civil
        QTest::mouseDClick(w("Text9_0"), Qt::LeftButton);
        expectBoxes({{"This is a job of Mech Department. Civil Department\r\nis not authorized to edit its status.", Critical}});
        auto* status = w<QLineEdit>("Text9_1");
        status->setFocus();
        QTest::keyClick(status, Qt::Key_Return);
        expectBoxes({{kStatusQuestion, 3 + Question}});
        QTest::keyClicks(status, "5");
        boxes->answers = {app::button::No};
        QTest::keyClick(status, Qt::Key_Escape);
        QVERIFY(!status->isReadOnly());
        QTest::keyClick(status, Qt::Key_Escape);
        QCOMPARE(boxes->texts(), (QStringList{"Abandon what you have typed?", "Abandon what you have typed?"}));
        boxes->clear();
        QVERIFY(status->isReadOnly());
        QCOMPARE(status->text(), QString("0"));

        QTest::mouseDClick(status, Qt::LeftButton);
        expectBoxes({{kStatusQuestion, 3 + Question}});
        QVERIFY(!w("Frame1")->isEnabled());
        type("Text9_1", "101");
        click("jobStUpdate");
        expectBoxes({{"You can not fill Job Completion Status more than 100 Percent", Exclamation}});
        type("Text9_1", "44.5");
        key(Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(boxes->shown.size(), 0);
        QCOMPARE(store::num(scalar("SELECT Job_Status FROM jobs WHERE JobNo = 101")), 44.0);
        QVERIFY(w("Frame1")->isEnabled());
        QCOMPARE(w<QListWidget>("List5")->item(0)->text(), QString("0")); // shown next session only
    }
};

QTEST_MAIN(TestEntryWindow)
#include "test_entry_window.moc"
