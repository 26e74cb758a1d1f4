// The report window's query panel, Sortz menu and pop-up menu, driven
// offscreen through their controls and keys: what the user sees. The query
// rules, grids and sorting rules are the logic tests' business.
#include "testsupport.h"
#include "windowsupport.h"

#include "app/clock.h"
#include "queries/gridtools.h"
#include "queries/headers.h"
#include "queries/panel.h"
#include "reports/gridmodel.h"
#include "store/database.h"
#include "ui/program.h"
#include "ui/reportsection.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>

using namespace testsupport;
using queries::Block;

namespace {

QStringList captions(QMenu* menu)
{
    QStringList l;
    for (QAction* a : menu->actions())
        l << (a->isSeparator() ? "-" : a->text());
    return l;
}

} // namespace

class TestQueriesWindow : public QObject, WindowDriver<ui::ReportSection> {
    Q_OBJECT

    ScriptedDialogs* boxes = nullptr;

    QString label(int i) { return text("Label1_" + QString::number(i)); }
    reports::GridModel& grid() { return *m->grid; }
    QStringList column(int col, int top, int bottom) { return gridColumn(grid(), col, top, bottom); }
    void select(int r1, int c1, int r2, int c2)
    {
        // The grid grows to hold the block.
        grid().setCell(std::max(r1, r2), std::max(c1, c2), grid().cell(std::max(r1, r2), std::max(c1, c2)));
        w<QTableView>("Flx")->setCurrentIndex(grid().index(r1, c1));
        w<QTableView>("Flx")->selectionModel()->select(
            QItemSelection(grid().index(std::min(r1, r2), std::min(c1, c2)),
                           grid().index(std::max(r1, r2), std::max(c1, c2))),
            QItemSelectionModel::ClearAndSelect);
    }
    void choose(int option) { w<QRadioButton>("Option2_" + QString::number(option))->click(); }
    void show(int option)
    {
        if (!m->QueryMode)
            trigger("Queries");
        choose(option);
        click("GenerateList");
    }
    // The bookings of job 4711 from 21 January, in record order: February, April, March.
    void showBookings()
    {
        trigger("Queries");
        w<QComboBox>("Combo2_0")->setCurrentIndex(0);
        w<QLineEdit>("Text3")->setText("4711");
        show(8);
        QCOMPARE(column(5, 2, 4), QStringList({"3", "5", "2"}));
    }

private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
        app::setToday(QDate(2024, 6, 15));
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
        const struct { int month; qint64 id; const char* name; double days; } bookings[] = {
            {2, 10000001, "Asha, Engineer", 3}, {4, 10000002, "Ravi, Manager", 5}, {3, 10000001, "Asha, Engineer", 2}};
        for (const auto& b : bookings)
            store::exec("INSERT INTO edbooked (MonthName, Deptt, Emp_ID, EmpName, JobNo, DaysBooked, Emp_Tot_ED, "
                        "Bal_ED) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                        {QDate(2024, b.month, 20), "Civil", b.id, b.name, 4711, b.days, b.days, 0.0});
        boxes = &scriptDialogs();
        QVERIFY(ui::startProgram());
        m = ui::windows().report;
        boxes->clear();
    }

    void cleanup() { ui::closeProgram(); }

    void openCloseHelpAndRetitle()
    {
        QCOMPARE(w<QAction>("Queries")->text(), QString("Open &Queries"));
        QVERIFY(!w("Frame5")->isVisibleTo(m));
        trigger("Queries");
        QCOMPARE(w<QAction>("Queries")->text(), QString("Close &Queries"));
        QVERIFY(m->QueryMode && w("Frame5")->isVisibleTo(m) && !w("Check1")->isVisibleTo(m));
        QCOMPARE(QStringList({label(0), label(1)}),
                 QStringList({"LIST OF JOBS OF LEAD DEPART. CIVIL", "Items found = ?"}));
        QCOMPARE(text("StatusBar1_2"), label(0));
        QCOMPARE(grid().fixedCols(), 0);
        QVERIFY(!w("Combo2_1")->isEnabled()); // the start day keeps the day locked
        // Check1 does not apply to queries.
        w<QCheckBox>("Check1")->click();
        QCOMPARE(boxes->texts(), QStringList{"IT IS NOT EFFECTIVE FOR QUERIES"});
        trigger("Queries");
        QCOMPARE(w<QAction>("Queries")->text(), QString("Open &Queries"));
        QVERIFY(!m->QueryMode && !w("Frame5")->isVisibleTo(m) && w("Check1")->isVisibleTo(m));
        QCOMPARE(grid().fixedCols(), 3);
        boxes->clear();
        trigger("Help");
        QTest::mouseDClick(w("Label7"), Qt::LeftButton);
        QCOMPARE(boxes->texts(), QStringList({queries::helpText(), "This number is Employee ID of " +
                                                                       w<QComboBox>("Combo1")->currentText()}));
        QVERIFY(boxes->shown[0].style == 0 && boxes->shown[1].style == 64);
        // The options re-title the panel.
        trigger("Queries");
        choose(3);
        QCOMPARE(m->QueryIndex, 3);
        QCOMPARE(text("StatusBar1_2"), QString("LIST OF JOBS WITH UNDER BOOKING OF ED"));
        // Chosen by the program, an option runs its click handling too.
        w<QRadioButton>("Option2_2")->setChecked(true);
        QCOMPARE(label(0), QString("LIST OF JOBS WITH OVER BOOKING OF ED"));
        // The date pickers re-run the chosen option.
        choose(8);
        w<QComboBox>("Combo2_0")->setCurrentIndex(0);
        QCOMPARE(label(1), QString("Period From: 21 January,2024 TO 20 May,2024"));
        QCOMPARE(m->FromDate, QDate(2024, 1, 21));
        // An input re-titles only while its own option is chosen.
        choose(4);
        w<QComboBox>("Combo5_0")->setCurrentText("E3");
        w<QComboBox>("Combo5_1")->setCurrentText("Mech");
        w<QComboBox>("Combo6")->setCurrentIndex(3);
        QCOMPARE(label(0), QString("LIST OF EMPLOYEES OF GRADE E3 IN MECH"));
        // Focusing the job number box empties it, typed or not.
        auto* text3 = w<QLineEdit>("Text3");
        text3->setText("4711");
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(text3, &in);
        QVERIFY(text3->text().isEmpty());
    }

    // Show: without a click since opening, option 0 is in force. Refused:
    // the box, and the age box emptied for another try.
    void showAcceptedAndRefused()
    {
        trigger("Queries");
        click("GenerateList");
        QCOMPARE(column(1, 2, 3), QStringList({"4711", ""}));
        // Clicking the chosen option again starts the query afresh.
        QTest::mouseClick(w("Option2_0"), Qt::LeftButton, {}, QPoint(6, w("Option2_0")->height() / 2));
        QCOMPARE(grid().lastUsedRow(), 0);
        QCOMPARE(label(1), QString("Items found = ?"));
        w<QLineEdit>("Text1")->setText("25 35");
        show(5);
        QCOMPARE(boxes->texts(), QStringList{queries::ageRangeMessage()});
        QVERIFY(boxes->shown[0].style == 16 && boxes->shown[0].title.isEmpty() && text("Text1").isEmpty());
        QCOMPARE(label(1), QString("Items found = ?"));
    }

    // The Sortz and pop-up menus over the bookings found.
    void sortAndPopupMenus()
    {
        QCOMPARE(captions(w<QMenu>("Sortz")),
                 QStringList({"Sort &Ascending (Nos.)", "Sort &Descending (Nos.)", "-", "Sort Ascending (Dates)",
                              "Sort Descending (Dates)", "-", "Sort Alpha&betically (A-Z)",
                              "Sort Alpha&betically (Z-A)", "-", "Normalize Sorted Data"}));
        QVERIFY(!w<QAction>("Normalize")->isEnabled());
        showBookings();
        // A date sort down to the footer is refused and nothing moves.
        select(2, 1, 7, 1);
        trigger("SortMinMax");
        QCOMPARE(boxes->texts(), QStringList{"Sorting is valid for Dates only. Your selection contains values\r\n"
                                             "other than Dates also. Try again for new selection."});
        QCOMPARE(boxes->shown[0].style, 16);
        QCOMPARE(column(5, 2, 4), QStringList({"3", "5", "2"}));
        QMenu* pop = w<QMenu>("pop");
        QCOMPARE(pop->title(), QString("PopupMenu"));
        QCOMPARE(captions(pop), QStringList({"Copy", "Cut", "Paste", "Select All", "ClearClip"}));
        // Select All covers the rows the query used.
        QCOMPARE(m->UsedRows, 8);
        trigger("popSelectAll");
        QCOMPARE(m->gridSelection(), (Block{0, 0, 8, grid().columnCount() - 1}));
        auto* flx = w<QTableView>("Flx");
        QVERIFY(flx->selectionModel()->isSelected(grid().index(8, 0)));
        // The right button opens the menu and keeps the block selected.
        select(3, 3, 2, 2);
        QTest::mouseClick(flx->viewport(), Qt::RightButton, {}, flx->visualRect(grid().index(3, 3)).center());
        QTRY_VERIFY(pop->isVisible());
        pop->close();
        QCOMPARE(m->gridSelection(), (Block{3, 3, 2, 2}));
        // A Cut is pasted once: then the clipboard is empty and Paste disabled.
        trigger("popCut");
        select(12, 5, 12, 5);
        trigger("popPaste");
        QCOMPARE(column(5, 11, 12), QStringList({"Asha, Engineer", "Ravi, Manager"}));
        QCOMPARE(m->gridSelection(), (Block{12, 5, 11, 4}));
        QVERIFY(!w<QAction>("popPaste")->isEnabled() && QGuiApplication::clipboard()->text().isEmpty());
    }

    // The keyboard path: Ctrl+U, an option's key and F5 run a query; on the
    // grid the sort and clipboard commands have keys of their own.
    void keyboardAndDrag()
    {
        m->show();
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m));
        QTest::keyClick(m, Qt::Key_U, Qt::ControlModifier);
        w<QLineEdit>("Text2")->setText("ASHA");
        QTest::keyClick(m, Qt::Key_8, Qt::ControlModifier);
        QTest::keyClick(m, Qt::Key_F5);
        QCOMPARE(label(1), QString("Items Found in Employee Name: 1"));
        QCOMPARE(text("StatusBar1_2"), QString("SEARCH RESULTS FOR THE STRING 'ASHA'"));
        w<QComboBox>("Combo2_0")->setCurrentIndex(0);
        w<QLineEdit>("Text3")->setText("4711");
        QTest::keyClick(m, Qt::Key_9, Qt::ControlModifier);
        QTest::keyClick(m, Qt::Key_F5);
        QCOMPARE(column(5, 2, 4), QStringList({"3", "5", "2"}));
        // A block dragged upwards keeps its start as the cursor cell, whose
        // dates sort it, latest on top: whole rows move.
        auto* flx = w<QTableView>("Flx");
        const QPoint start = flx->visualRect(grid().index(4, 1)).center();
        const QPoint end = flx->visualRect(grid().index(2, 0)).center();
        QTest::mousePress(flx->viewport(), Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, end, flx->viewport()->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(flx->viewport(), &move);
        QTest::mouseRelease(flx->viewport(), Qt::LeftButton, {}, end);
        QCOMPARE(m->gridSelection(), (Block{4, 1, 2, 0}));
        QTest::keyClick(flx, Qt::Key_3, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(column(5, 2, 4), QStringList({"5", "2", "3"}));
        QCOMPARE(column(6, 2, 4), QStringList({"", "", "Cooling tower"}));
        select(2, 5, 4, 5);
        QTest::keyClick(flx, Qt::Key_1, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(column(5, 2, 4), QStringList({"2", "3", "5"}));
        QTest::keyClick(flx, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!w<QAction>("popPaste")->isEnabled());
        QTest::keyClick(flx, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), label(0) + "\r\n" + label(1) + "\r\n2\r3\r5");
        QVERIFY(w<QAction>("popPaste")->isEnabled());
        QVERIFY(boxes->shown.isEmpty());
    }
};

QTEST_MAIN(TestQueriesWindow)
#include "test_queries_window.moc"
