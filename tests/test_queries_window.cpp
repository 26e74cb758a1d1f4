// The report window's query panel, Sortz menu and pop-up menu, driven
// offscreen through their controls: what the user sees. The query rules and
// grids are the logic tests' business.
#include "testsupport.h"
#include "windowsupport.h"

#include "app/clock.h"
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

const QDate kToday(2024, 6, 15);
const QString kDatesOnly("Sorting is valid for Dates only. Your selection contains values\r\n"
                         "other than Dates also. Try again for new selection.");

void addBooking(const QDate& month, qint64 empId, const QString& name, double days)
{
    store::exec(QStringLiteral("INSERT INTO edbooked (MonthName, Deptt, Emp_ID, EmpName, JobNo, DaysBooked, "
                               "Emp_Tot_ED, Bal_ED) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                {month, "Civil", empId, name, 4711, days, days, 0.0});
}

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
        auto* flx = w<QTableView>("Flx");
        flx->setCurrentIndex(grid().index(r1, c1));
        flx->selectionModel()->select(QItemSelection(grid().index(std::min(r1, r2), std::min(c1, c2)),
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
    // Booking search on job 4711 from 21 January.
    void showBookings()
    {
        trigger("Queries");
        w<QComboBox>("Combo2_0")->setCurrentIndex(0);
        w<QLineEdit>("Text3")->setText("4711");
        show(8);
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
        addBooking(QDate(2024, 2, 20), 10000001, "Asha, Engineer", 3);
        addBooking(QDate(2024, 4, 20), 10000002, "Ravi, Manager", 5);
        addBooking(QDate(2024, 3, 20), 10000001, "Asha, Engineer", 2);
        boxes = &scriptDialogs();
        QVERIFY(ui::startProgram());
        m = ui::windows().report;
        boxes->clear();
    }

    void cleanup() { ui::closeProgram(); }

    void openCloseAndHelp()
    {
        QCOMPARE(w<QAction>("Queries")->text(), QString("Open &Queries"));
        QVERIFY(!w("Frame5")->isVisibleTo(m));
        trigger("Queries");
        QCOMPARE(w<QAction>("Queries")->text(), QString("Close &Queries"));
        QVERIFY(m->QueryMode && w("Frame5")->isVisibleTo(m) && !w("Check1")->isVisibleTo(m));
        QCOMPARE(label(0), QString("LIST OF JOBS OF LEAD DEPART. CIVIL"));
        QCOMPARE(text("StatusBar1_2"), label(0));
        QCOMPARE(label(1), QString("Items found = ?"));
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
        QCOMPARE(boxes->shown.size(), 2);
        QCOMPARE(boxes->shown[0].text, queries::helpText());
        QCOMPARE(boxes->shown[0].style, 0);
        QCOMPARE(boxes->shown[1].text, "This number is Employee ID of " + w<QComboBox>("Combo1")->currentText());
        QCOMPARE(boxes->shown[1].style, 64);
    }

    void optionsRetitle()
    {
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

    void showRunsTheChosenQuery()
    {
        // Without a click since opening, option 0 is in force.
        trigger("Queries");
        click("GenerateList");
        QCOMPARE(column(1, 2, 2), QStringList{"4711"});
        show(9);
        QCOMPARE(QStringList({grid().cell(2, 1), grid().cell(2, 2), grid().cell(2, 3)}),
                 QStringList({"4713", "Old job", "-2"}));
        QCOMPARE(label(1), QString("Items found = 1"));
        QCOMPARE(m->UsedRows, 6);
        // Clicking the chosen option again starts the query afresh.
        QTest::mouseClick(w("Option2_9"), Qt::LeftButton, {}, QPoint(6, w("Option2_9")->height() / 2));
        QCOMPARE(grid().lastUsedRow(), 0);
        QCOMPARE(label(1), QString("Items found = ?"));
        w<QLineEdit>("Text2")->setText("ASHA");
        show(7);
        QCOMPARE(label(1), QString("Items Found in Employee Name: 1"));
        QCOMPARE(text("StatusBar1_2"), QString("SEARCH RESULTS FOR THE STRING 'ASHA'"));
        QVERIFY(boxes->shown.isEmpty());
    }

    void ageGroupRefused()
    {
        trigger("Queries");
        w<QLineEdit>("Text1")->setText("25 35");
        show(5);
        QCOMPARE(boxes->shown.size(), 1);
        QCOMPARE(boxes->shown[0].text, QString("ENTER AGE IN PROPER FORMAT AND TRY AGAIN. THERE MUST BE TWO\r\n"
                                               "DIGITS BEFORE AND AFTER - (Minus) SIGN WITH NO SPACE IN BETWEEN.\r\n"
                                               "AGE BELOW 16 AND ABOVE 60 ARE NOT ALLOWED."));
        QCOMPARE(boxes->shown[0].style, 16);
        QVERIFY(boxes->shown[0].title.isEmpty() && text("Text1").isEmpty());
        QCOMPARE(label(1), QString("Items found = ?"));
        w<QLineEdit>("Text1")->setText("35-45");
        show(5);
        QCOMPARE(column(2, 2, 4), QStringList({"Asha", "Mary", ""}));
    }

    void popupMenuAndClipboard()
    {
        showBookings();
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
        select(4, 3, 2, 2);
        QTest::mouseClick(flx->viewport(), Qt::RightButton, {}, flx->visualRect(grid().index(3, 3)).center());
        QTRY_VERIFY(pop->isVisible());
        pop->close();
        QCOMPARE(m->gridSelection(), (Block{4, 3, 2, 2}));
        QClipboard* cb = QGuiApplication::clipboard();
        trigger("popCopy");
        QCOMPARE(cb->text(), label(0) + "\r\n" + label(1) + "\r\n" + "10000001\tAsha, Engineer\r10000002\tRavi, Manager\r"
                                                                     "10000001\tAsha, Engineer");
        // Cut from the lower right corner, then Paste at another cell, once.
        select(3, 3, 2, 2);
        trigger("popCut");
        QCOMPARE(cb->text(), QString("10000001\tAsha, Engineer\r10000002\tRavi, Manager"));
        QCOMPARE(column(3, 2, 3), QStringList({"", ""}));
        select(12, 5, 12, 5);
        trigger("popPaste");
        QCOMPARE(column(5, 11, 12), QStringList({"Asha, Engineer", "Ravi, Manager"}));
        QVERIFY(!w<QAction>("popPaste")->isEnabled() && cb->text().isEmpty());
        QCOMPARE(m->gridSelection(), (Block{12, 5, 11, 4}));
        trigger("popCopy");
        QVERIFY(w<QAction>("popPaste")->isEnabled());
        trigger("popClearClip");
        QVERIFY(!w<QAction>("popPaste")->isEnabled() && cb->text().isEmpty());
    }

    void sortMenu()
    {
        QCOMPARE(captions(w<QMenu>("Sortz")),
                 QStringList({"Sort &Ascending (Nos.)", "Sort &Descending (Nos.)", "-", "Sort Ascending (Dates)",
                              "Sort Descending (Dates)", "-", "Sort Alpha&betically (A-Z)",
                              "Sort Alpha&betically (Z-A)", "-", "Normalize Sorted Data"}));
        QVERIFY(!w<QAction>("Normalize")->isEnabled());
        showBookings();
        // Month ends in record order: February, April, March; whole rows move.
        QCOMPARE(column(5, 2, 4), QStringList({"3", "5", "2"}));
        select(2, 1, 4, 1);
        trigger("SortMinMax");
        QCOMPARE(column(1, 2, 2), QStringList{queries::shortDateText(QDate(2024, 2, 20))});
        QCOMPARE(column(5, 2, 4), QStringList({"3", "2", "5"}));
        QCOMPARE(column(6, 2, 4), QStringList({"Cooling tower", "", ""}));
        trigger("SortMaxMin");
        QCOMPARE(column(5, 2, 4), QStringList({"5", "2", "3"}));
        QVERIFY(boxes->shown.isEmpty());
        // Down to the footer: refused, nothing moves.
        select(2, 1, 7, 1);
        trigger("SortMinMax");
        QCOMPARE(boxes->shown.size(), 1);
        QCOMPARE(boxes->shown[0].text, kDatesOnly);
        QCOMPARE(boxes->shown[0].style, 16);
        QCOMPARE(column(5, 2, 4), QStringList({"5", "2", "3"}));
    }

    void dragSelectionKeepsItsStart()
    {
        show(4);
        auto* flx = w<QTableView>("Flx");
        m->show();
        QVERIFY(QTest::qWaitForWindowExposed(m));
        const QPoint start = flx->visualRect(grid().index(4, 2)).center();
        const QPoint end = flx->visualRect(grid().index(2, 1)).center();
        QTest::mousePress(flx->viewport(), Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, end, flx->viewport()->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(flx->viewport(), &move);
        QTest::mouseRelease(flx->viewport(), Qt::LeftButton, {}, end);
        QCOMPARE(m->gridSelection(), (Block{4, 2, 2, 1}));
    }
};

QTEST_MAIN(TestQueriesWindow)
#include "test_queries_window.moc"
