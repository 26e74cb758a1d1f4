// The report window's report panel driven offscreen: option choice, the
// department, employee and date handlers, a report refused and one shown,
// and the keyboard path.
#include "report_fixture.h"

#include "app/clock.h"
#include "reports/gridmodel.h"
#include "ui/common.h"
#include "ui/periodpickers.h"
#include "ui/program.h"
#include "ui/reportgrid.h"
#include "ui/reportsection.h"

#include <QApplication>
#include <QTest>

using namespace testsupport;
using namespace reportfixture;

class TestReportWindow : public QObject {
    Q_OBJECT

    ui::ReportSection* w = nullptr;
    ScriptedDialogs* boxes = nullptr;

    QWidget* find(const QString& name) const { return w->findChild<QWidget*>(name); }
    void choose(int option) { w->Option1[option]->click(); }

private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
        app::setToday(kToday);
        load();
    }

    void init()
    {
        boxes = &scriptDialogs();
        QVERIFY(ui::startProgram());
        w = ui::windows().report;
        QVERIFY(w);
    }

    void cleanup() { ui::closeProgram(); }

    // The six options: captions, and what choosing each does to the pickers,
    // the grid's fixed parts and the labels; then the department, employee
    // and date handlers.
    void optionsAndHandlers()
    {
        QCOMPARE(w->GenerateRpt->text(), QStringLiteral("&Generate Report"));
        QCOMPARE(w->Label1[0]->text(), QStringLiteral("MONTHLY ED BOOKING REPORT OF DESIGN"));
        QCOMPARE(w->Label7->text(), QStringLiteral("101"));
        struct Option {
            const char* caption;
            int fixedCols, fixedRows;
            bool cleared, employee, from;
        };
        const Option options[] = {{"Monthly ED Report of a Deptt.", 3, 2, true, false, false},
                                  {"ED Report for Specified Period", 3, 2, true, false, true},
                                  {"Monthly ED Report of All Deptts.", 3, 1, false, false, false},
                                  {"Sp. Period ED Report (All Deptts.) ", 1, 2, true, false, true},
                                  {"Monthly Leave Report", 0, 2, true, true, false},
                                  {"Specified Period  Leave Report", 0, 2, true, true, true}};
        for (int i = 0; i < 6; ++i) {
            const Option& o = options[i];
            QCOMPARE(qobject_cast<QRadioButton*>(find(QStringLiteral("Option1_%1").arg(i)))->text(), o.caption);
            w->grid->setCell(5, 5, "left over");
            choose(i);
            QCOMPARE(w->ReportType, i);
            QCOMPARE(w->Combo1->isEnabled(), o.employee);
            QCOMPARE(w->grid->fixedCols(), o.fixedCols);
            QCOMPARE(w->grid->fixedRows(), o.fixedRows);
            QCOMPARE(w->grid->cell(5, 5).isEmpty(), o.cleared);
            QCOMPARE(w->StatusPanel1->text(), w->Label1[0]->text());
            QCOMPARE(w->periods->from[0]->isEnabled(), o.from);
            QCOMPARE(w->periods->from[2]->isEnabled(), o.from);
            QVERIFY(!w->periods->from[1]->isEnabled()); // the start day keeps it locked
            QCOMPARE(w->Label1[1]->text(), o.from ? "Period Between: 21,November-2008 AND 20,November-2008"
                                                  : "Month Ending: 20,November-2008");
        }
        QCOMPARE(w->Label1[0]->text(), QStringLiteral("SPECIFIED PERIOD LEAVE REPORT OF Asha OF DESIGN"));
        choose(4);
        ui::selectEntry(w->Combo4, 1);
        QCOMPARE(w->Label1[0]->text(), QStringLiteral("MONTHLY LEAVE REPORT OF Dev OF WORKS"));
        QCOMPARE(w->Label7->text(), QStringLiteral("201"));
        ui::selectEntry(w->Combo1, 1);
        QCOMPARE(w->Label7->text(), QStringLiteral("202"));
        QCOMPARE(w->Label1[0]->text(), QStringLiteral("MONTHLY LEAVE REPORT OF Esha OF WORKS"));
        choose(5);
        ui::selectEntry(w->periods->from[0], 7); // August
        QCOMPARE(w->FromDate, QDate(2008, 8, 21));
        QCOMPARE(w->Label1[1]->text(), QStringLiteral("Period Between: 21,August-2008 AND 20,November-2008"));
        ui::selectEntry(w->periods->to[0], 9); // October
        QCOMPARE(w->ToDate, QDate(2008, 10, 20));
        QCOMPARE(w->Label1[1]->text(), QStringLiteral("Period Between: 21,August-2008 AND 20,October-2008"));
    }

    // Nothing booked: the report's message in a box, an empty grid; the job
    // period report leaves the time shown before.
    void refusedWithoutBookings()
    {
        ui::selectEntry(w->periods->to[0], 7); // August
        w->Label5->clear();
        w->GenerateRpt->click();
        QVERIFY(w->Label5->text().endsWith(" ms"));
        QCOMPARE(boxes->texts(), QStringList{"NO ENTRY FOUND FOR THIS SETTING"});
        QCOMPARE(boxes->shown[0].style, 64);
        QCOMPARE(boxes->shown[0].title, QString());
        QCOMPARE(w->List1->count(), 0);
        QCOMPARE(w->grid->lastUsedRow(), 0);
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
        boxes->clear();
        ui::selectEntry(w->periods->from[0], 5);
        choose(3);
        w->Label5->setText("earlier");
        w->GenerateRpt->click();
        QCOMPARE(w->Label5->text(), QStringLiteral("earlier"));
        QCOMPARE(boxes->texts(), QStringList{"NO JOB ED BOOKING FOUND FOR THE SPECIFIED PERIOD."});
    }

    // The grid holds the cells the command writes; widths, alignment and the
    // frozen parts follow the report.
    void generated()
    {
        w->GenerateRpt->click();
        const CommandRun r = runCommand({"report", "--type", "0", "--department", "Design", "--to", "2008-11-20"});
        const QStringList lines = r.out.split('\n');
        QCOMPARE(lines.mid(0, 2), (QStringList{w->Label1[0]->text(), w->Label1[1]->text()}));
        QCOMPARE(lines.size(), w->UsedRows + 3);
        for (int row = 0; row < w->UsedRows; ++row)
            for (int c = 0; c < w->grid->columnCount(); ++c)
                QCOMPARE(w->grid->cell(row, c), lines[row + 2].section('\t', c, c));
        QCOMPARE(w->List1->count(), 2);
        QCOMPARE(w->List1->item(1)->text(), QStringLiteral("5002"));
        auto* g = w->FlxGrid;
        QCOMPARE(g->columnWidth(0), g->widthOfZ(5));
        QCOMPARE(g->columnWidth(1), g->widthOfZ(10));
        QCOMPARE(g->columnWidth(2), g->widthOfZ(29));
        QVERIFY(g->frozenTop()->isVisible());
        QVERIFY(g->frozenLeft()->isVisible());
        QCOMPARE(g->frozenTop()->height(), g->rowHeight(0) + g->rowHeight(1));
        QCOMPARE(g->frozenLeft()->width(), g->widthOfZ(5) + g->widthOfZ(10) + g->widthOfZ(29));
        QCOMPARE(g->frozenLeft()->selectionModel(), g->selectionModel());
        QCOMPARE(g->model()->data(g->model()->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        // The all-departments report leaves the picker on the last department.
        choose(2);
        w->GenerateRpt->click();
        QCOMPARE(w->BlockRow, 24);
        QCOMPARE(w->Combo4->currentText(), QStringLiteral("Works"));
        ui::selectEntry(w->Combo1, 1);
        choose(4);
        w->GenerateRpt->click();
        QCOMPARE(w->UsedRows, 20);
        QCOMPARE(w->GridFormat, QStringLiteral("<DESCRIPTION|<VALUE|<REMARKS"));
        QCOMPARE(g->columnWidth(1), g->widthOfZ(34));
        QVERIFY(!g->frozenLeft()->isVisible());
        QVERIFY(g->frozenTop()->isVisible());
        QCOMPARE(boxes->shown.size(), 0);
    }

    // The keyboard path: Tab walks the controls as the screen reads, the
    // left column top to bottom and then the grid; keys run the commands.
    void keyboard()
    {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        // Ctrl+2 chooses the second report, whose period pickers are open.
        QCOMPARE(w->Option1[1]->toolTip(), QStringLiteral("ED Report for Specified Period (Ctrl+2)"));
        QTest::keyClick(w, Qt::Key_2, Qt::ControlModifier);
        QVERIFY(w->Option1[1]->isChecked());
        QCOMPARE(w->ReportType, 1);
        QStringList walked;
        const auto walk = [&walked](int steps) {
            walked.clear();
            for (int i = 0; i < steps; ++i) {
                walked << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
        };
        // The locked pickers (the employee, the day with a start day) are
        // passed over; from the grid Tab goes round to the top.
        walk(10);
        QCOMPARE(walked, QStringList({"Option1_1", "GenerateRpt", "Combo4", "Check1", "Combo2_0", "Combo2_2",
                                      "Combo3_0", "Combo3_2", "Flx", "Option1_1"}));
        // Ctrl+1 and F5: the department's month report.
        QTest::keyClick(w, Qt::Key_1, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_F5);
        QCOMPARE(w->UsedRows, 18);
        // Ctrl+U opens the query panel, which takes the options' place.
        QCOMPARE(w->QueriesAction->toolTip(), QStringLiteral("Open Queries (Ctrl+U)"));
        QTest::keyClick(w, Qt::Key_U, Qt::ControlModifier);
        QVERIFY(w->QueryMode);
        QVERIFY(w->Frame5->isVisible());
        w->Option2[0]->setFocus(Qt::TabFocusReason);
        walk(4);
        QCOMPARE(walked, QStringList({"Option2_0", "Combo7", "Combo5_0", "Combo5_1"}));
    }
};

QTEST_MAIN(TestReportWindow)
#include "test_report_window.moc"
