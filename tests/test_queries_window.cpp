// The report window's query panel, Sortz menu and pop-up menu, driven
// offscreen through their controls.
#include "testsupport.h"
#include "windowsupport.h"

#include "app/clock.h"
#include "queries/headers.h"
#include "queries/panel.h"
#include "reports/gridmodel.h"
#include "store/database.h"
#include "ui/program.h"
#include "ui/reportsection.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QTest>

using namespace testsupport;

namespace {

const QDate kToday(2024, 6, 15);

void addBooking(const QDate& month, qint64 empId, const QString& name, int jobNo, double days)
{
    store::exec(QStringLiteral("INSERT INTO edbooked (MonthName, Deptt, Emp_ID, EmpName, JobNo, DaysBooked, "
                               "Emp_Tot_ED, Bal_ED) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                {month, "Civil", empId, name, jobNo, days, days, 0.0});
}

} // namespace

class TestQueriesWindow : public QObject {
    Q_OBJECT

    ui::ReportSection* w = nullptr;
    ScriptedDialogs* boxes = nullptr;

    template <typename T = QWidget>
    T* control(const QString& name)
    {
        return testsupport::control<T>(w, name);
    }
    QString label(int i) { return control<QLabel>("Label1_" + QString::number(i))->text(); }
    QAction* action(const QString& name) { return control<QAction>(name); }
    reports::GridModel& grid() { return *w->grid; }
    QStringList column(int col, int top, int bottom)
    {
        QStringList l;
        for (int r = top; r <= bottom; ++r)
            l << grid().cell(r, col);
        return l;
    }
    void select(int r1, int c1, int r2, int c2)
    {
        // The grid grows to hold the block.
        grid().setCell(std::max(r1, r2), std::max(c1, c2), grid().cell(std::max(r1, r2), std::max(c1, c2)));
        QTableView* flx = control<QTableView>("Flx");
        flx->setCurrentIndex(grid().index(r1, c1));
        flx->selectionModel()->select(QItemSelection(grid().index(std::min(r1, r2), std::min(c1, c2)),
                                                     grid().index(std::max(r1, r2), std::max(c1, c2))),
                                      QItemSelectionModel::ClearAndSelect);
    }
    void openPanel()
    {
        if (!w->QueryMode)
            action("Queries")->trigger();
    }
    void show(int option)
    {
        control<QRadioButton>("Option2_" + QString::number(option))->click();
        control<QPushButton>("GenerateList")->click();
    }

private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
        app::setToday(kToday);
    }

    void init()
    {
        freshDatabase();
        addEmployee(10000001, "Asha", "Civil", "Engineer", "E3", QDate(1980, 1, 1));
        addEmployee(10000002, "Ravi", "Civil", "Manager", "E2", QDate(1990, 5, 5));
        addEmployee(10000003, "Mary", "Mech", "Fitter", "E3", QDate(1985, 3, 3), "Transferred to Pune");
        addJob(4711, "Cooling tower", 100, 40, 20, "Civil");
        addJob(4712, "Pump house", 50, -10, 60, "Mech");
        addJob(4713, "Old job", 30, 2, 100, "Civil");
        addBooking(QDate(2024, 2, 20), 10000001, "Asha, Engineer", 4711, 3);
        addBooking(QDate(2024, 4, 20), 10000002, "Ravi, Manager", 4711, 5);
        addBooking(QDate(2024, 3, 20), 10000001, "Asha, Engineer", 4711, 2);
        boxes = &scriptDialogs();
        QVERIFY(ui::startProgram());
        w = ui::windows().report;
        boxes->clear();
    }

    void cleanup() { ui::closeProgram(); }

    void openAndClose()
    {
        QAction* queries = action("Queries");
        QCOMPARE(queries->text(), QString("Open &Queries"));
        QVERIFY(!control("Frame5")->isVisibleTo(w));
        QVERIFY(!w->QueryMode);
        QCOMPARE(control<QComboBox>("Combo6")->currentText(), QString("Employee Name"));
        QCOMPARE(control<QComboBox>("Combo6")->count(), 8);

        queries->trigger();
        QCOMPARE(queries->text(), QString("Close &Queries"));
        QVERIFY(w->QueryMode);
        QVERIFY(control("Frame5")->isVisibleTo(w));
        QVERIFY(!control("Check1")->isVisibleTo(w));
        QVERIFY(control<QRadioButton>("Option2_0")->isChecked());
        QCOMPARE(w->QueryIndex, 0);
        QCOMPARE(label(0), QString("LIST OF JOBS OF LEAD DEPART. CIVIL"));
        QCOMPARE(label(1), QString("Items found = ?"));
        QCOMPARE(control<QLabel>("StatusBar1_2")->text(), label(0));
        QCOMPARE(grid().fixedRows(), 2);
        QCOMPARE(grid().fixedCols(), 0);
        QVERIFY(control("Combo2_0")->isEnabled());
        QVERIFY(control("Combo2_2")->isEnabled());
        QVERIFY(!control("Combo2_1")->isEnabled()); // the start day keeps the day locked
        QCOMPARE(control<QRadioButton>("Option2_9")->text(), QString("Completed/ Dropped out Jobs"));
        QCOMPARE(control<QPushButton>("GenerateList")->text(), QString("&Show"));
        QCOMPARE(control<QLineEdit>("Text1")->text(), QString("25-35"));
        QCOMPARE(control<QLineEdit>("Text3")->text(), QString("6 digit no."));

        // The Check1 click says it does not apply to queries.
        control<QCheckBox>("Check1")->click();
        QCOMPARE(boxes->texts(), QStringList{"IT IS NOT EFFECTIVE FOR QUERIES"});

        // A second click closes the panel.
        queries->trigger();
        QCOMPARE(queries->text(), QString("Open &Queries"));
        QVERIFY(!w->QueryMode);
        QVERIFY(!control("Frame5")->isVisibleTo(w));
        QVERIFY(control("Check1")->isVisibleTo(w));
        QCOMPARE(grid().fixedRows(), 2);
        QCOMPARE(grid().fixedCols(), 3);
    }

    void optionTitles()
    {
        openPanel();
        const auto click = [&](int i) { control<QRadioButton>("Option2_" + QString::number(i))->click(); };
        click(3);
        QCOMPARE(w->QueryIndex, 3);
        QCOMPARE(label(0), QString("LIST OF JOBS WITH UNDER BOOKING OF ED"));
        QCOMPARE(control<QLabel>("StatusBar1_2")->text(), label(0));
        // Chosen by the program, an option runs its click handling too.
        control<QRadioButton>("Option2_2")->setChecked(true);
        QCOMPARE(w->QueryIndex, 2);
        QCOMPARE(label(0), QString("LIST OF JOBS WITH OVER BOOKING OF ED"));
        click(6);
        QCOMPARE(label(0), QString("LIST OF Superannuated EMPLOYEES AS ON DATE (15/06/2024)"));
        QCOMPARE(control<QRadioButton>("Option2_6")->text(),
                 QString("List of Superannuated Employees as on Date (15/06/2024)"));
        click(8);
        QCOMPARE(label(0), QString("SEARCH RESULTS FOR BOOKING AGAINST JOB NO. 6 digit no."));
        QCOMPARE(label(1), QString("Period From: 21 May,2024 TO 20 May,2024"));
        // The date pickers re-run the chosen option.
        control<QComboBox>("Combo2_0")->setCurrentIndex(0);
        QCOMPARE(label(1), QString("Period From: 21 January,2024 TO 20 May,2024"));
        QCOMPARE(w->FromDate, QDate(2024, 1, 21));

        // An input's click re-titles only while its own option is chosen.
        click(4);
        QCOMPARE(label(0), QString("LIST OF EMPLOYEES OF GRADE ALL IN ALL DEPARTMENTS"));
        control<QComboBox>("Combo5_0")->setCurrentText("E3");
        control<QComboBox>("Combo5_1")->setCurrentText("Mech");
        QCOMPARE(label(0), QString("LIST OF EMPLOYEES OF GRADE E3 IN MECH"));
        control<QComboBox>("Combo6")->setCurrentIndex(3);
        QCOMPARE(label(0), QString("LIST OF EMPLOYEES OF GRADE E3 IN MECH"));
        click(7);
        QCOMPARE(label(0), QString("SEARCH RESULTS FOR THE STRING 'Engineer' IN DESIGNATION"));
        control<QComboBox>("Combo6")->setCurrentIndex(7);
        QCOMPARE(label(0), QString("SEARCH RESULTS FOR THE STRING 'Engineer' IN ENTIRE DATABASE"));
        click(10);
        QCOMPARE(label(0), QString("LIST SHOWING TRANSFERRED OUT EMPLOYEES"));

        // Focusing the job number box empties it, typed or not.
        QLineEdit* text3 = control<QLineEdit>("Text3");
        text3->setText("4711");
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(text3, &in);
        QVERIFY(text3->text().isEmpty());
    }

    void showRunsTheChosenQuery()
    {
        openPanel();
        show(9);
        QCOMPARE(grid().fixedCols(), 1);
        QCOMPARE(QStringList({grid().cell(2, 1), grid().cell(2, 2), grid().cell(2, 3)}),
                 QStringList({"4713", "Old job", "-2"}));
        QCOMPARE(label(1), QString("Items found = 1"));
        QCOMPARE(w->UsedRows, 6);
        QCOMPARE(w->GridFormat, QString("^S.N.|^JOB NUMBER|<JOB DESCRIPTION|^CONSUMED ED|^STATUS %|^Lead Deptt."));
        // Clicking the chosen option again starts the query afresh.
        QTest::mouseClick(control("Option2_9"), Qt::LeftButton, {}, QPoint(6, control("Option2_9")->height() / 2));
        QCOMPARE(grid().lastUsedRow(), 0);
        QCOMPARE(label(1), QString("Items found = ?"));

        // Without a click since opening, option 0 is in force.
        action("Queries")->trigger();
        action("Queries")->trigger();
        control<QPushButton>("GenerateList")->click();
        QCOMPARE(column(1, 2, 2), QStringList{"4711"});
        QCOMPARE(w->UsedRows, 5);

        show(7);
        QCOMPARE(label(0), QString("SEARCH RESULTS FOR THE STRING 'Engineer'"));
        QCOMPARE(label(1), QString("Search Range: Employee Name"));
        QCOMPARE(grid().cell(2, 2), QString("NONE FOUND"));
        control<QLineEdit>("Text2")->setText("ASHA");
        control<QPushButton>("GenerateList")->click();
        QCOMPARE(label(1), QString("Items Found in Employee Name: 1"));
        QCOMPARE(control<QLabel>("StatusBar1_2")->text(), QString("SEARCH RESULTS FOR THE STRING 'ASHA'"));
        QVERIFY(boxes->shown.isEmpty());
    }

    void ageGroupRefused()
    {
        openPanel();
        control<QLineEdit>("Text1")->setText("25 35");
        show(5);
        QCOMPARE(boxes->shown.size(), 1);
        QCOMPARE(boxes->shown[0].text, QString("ENTER AGE IN PROPER FORMAT AND TRY AGAIN. THERE MUST BE TWO\r\n"
                                               "DIGITS BEFORE AND AFTER - (Minus) SIGN WITH NO SPACE IN BETWEEN.\r\n"
                                               "AGE BELOW 16 AND ABOVE 60 ARE NOT ALLOWED."));
        QCOMPARE(boxes->shown[0].style, 16);
        QVERIFY(boxes->shown[0].title.isEmpty());
        QVERIFY(control<QLineEdit>("Text1")->text().isEmpty());
        QCOMPARE(grid().lastUsedRow(), 0);
        QCOMPARE(label(1), QString("Items found = ?"));

        control<QLineEdit>("Text1")->setText("35-45");
        show(5);
        QCOMPARE(column(2, 2, 4), QStringList({"Asha", "Mary", ""}));
        QCOMPARE(w->FromDate, kToday.addDays(-45 * 365));
        QCOMPARE(w->ToDate, kToday.addDays(-35 * 365));
    }

    void helpAndEmployeeHint()
    {
        action("Help")->trigger();
        QCOMPARE(boxes->shown.size(), 1);
        QCOMPARE(boxes->shown[0].text, queries::helpText());
        QCOMPARE(boxes->shown[0].style, 0);
        QTest::mouseDClick(control("Label7"), Qt::LeftButton);
        QCOMPARE(boxes->shown.size(), 2);
        QCOMPARE(boxes->shown[1].text, "This number is Employee ID of " + control<QComboBox>("Combo1")->currentText());
        QCOMPARE(boxes->shown[1].style, 64);
    }

    void popupMenuAndClipboard()
    {
        openPanel();
        control<QComboBox>("Combo2_0")->setCurrentIndex(0);
        control<QLineEdit>("Text3")->setText("4711");
        show(8);
        QCOMPARE(w->UsedRows, 8);
        QMenu* pop = control<QMenu>("pop");
        QCOMPARE(pop->title(), QString("PopupMenu"));
        QStringList captions;
        for (QAction* a : pop->actions())
            captions << a->text();
        QCOMPARE(captions, QStringList({"Copy", "Cut", "Paste", "Select All", "ClearClip"}));

        // The right button opens the menu and keeps the block selected.
        select(4, 3, 2, 2);
        QTableView* flx = control<QTableView>("Flx");
        QTest::mouseClick(flx->viewport(), Qt::RightButton, {}, flx->visualRect(grid().index(3, 3)).center());
        QTRY_VERIFY(pop->isVisible());
        pop->close();
        QCOMPARE(w->gridSelection(), (queries::Block{4, 3, 2, 2}));

        QClipboard* cb = QGuiApplication::clipboard();
        action("popCopy")->trigger();
        QCOMPARE(cb->text(), label(0) + "\r\n" + label(1) + "\r\n" + "10000001\tAsha, Engineer\r10000002\tRavi, Manager\r"
                                                                     "10000001\tAsha, Engineer");
        QCOMPARE(w->clip.ClipRows, -2);
        QCOMPARE(w->clip.ClipCols, -1);

        // Cut from the lower right corner, then Paste at another cell, once.
        select(3, 3, 2, 2);
        action("popCut")->trigger();
        QCOMPARE(cb->text(), QString("10000001\tAsha, Engineer\r10000002\tRavi, Manager"));
        QCOMPARE(column(3, 2, 3), QStringList({"", ""}));
        QVERIFY(action("popPaste")->isEnabled());
        select(12, 5, 12, 5);
        action("popPaste")->trigger();
        QCOMPARE(column(4, 11, 12), QStringList({"10000001", "10000002"}));
        QCOMPARE(column(5, 11, 12), QStringList({"Asha, Engineer", "Ravi, Manager"}));
        QVERIFY(!action("popPaste")->isEnabled());
        QVERIFY(cb->text().isEmpty());
        QCOMPARE(w->gridSelection(), (queries::Block{12, 5, 11, 4}));

        action("popCopy")->trigger();
        QVERIFY(action("popPaste")->isEnabled());
        action("popClearClip")->trigger();
        QVERIFY(!action("popPaste")->isEnabled());
        QVERIFY(cb->text().isEmpty());
    }

    void selectAllCoversUsedRows()
    {
        openPanel();
        addEmployee(10000004, "Raj", "Mech", "Fitter", "E3", QDate(1986, 1, 1), "Transferred to Delhi");
        addEmployee(10000005, "Sam", "Mech", "Fitter", "E3", QDate(1987, 1, 1), "Transferred");
        show(10);
        QCOMPARE(label(1), QString("Items found = 3"));
        QCOMPARE(w->UsedRows, 7);
        action("popSelectAll")->trigger();
        const queries::Block b = w->gridSelection();
        QCOMPARE(b, (queries::Block{0, 0, 7, grid().columnCount() - 1}));
        QVERIFY(control<QTableView>("Flx")->selectionModel()->isSelected(grid().index(7, 0)));
    }

    void sortMenu()
    {
        QMenu* sortz = control<QMenu>("Sortz");
        QStringList captions;
        for (QAction* a : sortz->actions())
            captions << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(captions, QStringList({"Sort &Ascending (Nos.)", "Sort &Descending (Nos.)", "-",
                                        "Sort Ascending (Dates)", "Sort Descending (Dates)", "-",
                                        "Sort Alpha&betically (A-Z)", "Sort Alpha&betically (Z-A)", "-",
                                        "Normalize Sorted Data"}));
        QVERIFY(!action("Normalize")->isEnabled());

        openPanel();
        control<QComboBox>("Combo2_0")->setCurrentIndex(0);
        control<QLineEdit>("Text3")->setText("4711");
        show(8);
        // Month ends in record order: February, April, March.
        QCOMPARE(column(5, 2, 4), QStringList({"3", "5", "2"}));
        select(2, 1, 4, 1);
        action("SortMinMax")->trigger();
        QCOMPARE(column(1, 2, 4), QStringList({queries::shortDateText(QDate(2024, 2, 20)),
                                               queries::shortDateText(QDate(2024, 3, 20)),
                                               queries::shortDateText(QDate(2024, 4, 20))}));
        QCOMPARE(column(5, 2, 4), QStringList({"3", "2", "5"})); // whole rows moved
        QCOMPARE(column(6, 2, 4), QStringList({"Cooling tower", "", ""}));
        action("SortMaxMin")->trigger();
        QCOMPARE(column(5, 2, 4), QStringList({"5", "2", "3"}));
        QVERIFY(boxes->shown.isEmpty());

        // Down to the footer: refused, nothing moves.
        select(2, 1, 7, 1);
        action("SortMinMax")->trigger();
        QCOMPARE(boxes->shown.size(), 1);
        QCOMPARE(boxes->shown[0].style, 16);
        QCOMPARE(boxes->shown[0].text, QString("Sorting is valid for Dates only. Your selection contains values\r\n"
                                               "other than Dates also. Try again for new selection."));
        QCOMPARE(column(5, 2, 4), QStringList({"5", "2", "3"}));
    }

    void dragSelectionKeepsItsStart()
    {
        openPanel();
        show(4);
        QTableView* flx = control<QTableView>("Flx");
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QPoint start = flx->visualRect(grid().index(4, 2)).center();
        const QPoint end = flx->visualRect(grid().index(2, 1)).center();
        QTest::mousePress(flx->viewport(), Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, end, flx->viewport()->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(flx->viewport(), &move);
        QTest::mouseRelease(flx->viewport(), Qt::LeftButton, {}, end);
        QCOMPARE(w->gridSelection(), (queries::Block{4, 2, 2, 1}));
    }
};

QTEST_MAIN(TestQueriesWindow)
#include "test_queries_window.moc"
