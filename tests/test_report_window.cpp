// The report window's report panel driven offscreen: option choice, the
// department, employee and date handlers, generation and its messages, the
// frozen heading rows and columns, and the export matching the window.
#include "report_fixture.h"

#include "app/clock.h"
#include "cli/commands.h"
#include "reports/gridmodel.h"
#include "ui/common.h"
#include "ui/periodpickers.h"
#include "ui/program.h"
#include "ui/reportgrid.h"
#include "ui/reportsection.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
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

    void panelControls()
    {
        const QStringList captions = {"Monthly ED Report of a Deptt.", "ED Report for Specified Period",
                                      "Monthly ED Report of All Deptts.", "Sp. Period ED Report (All Deptts.) ",
                                      "Monthly Leave Report", "Specified Period  Leave Report"};
        for (int i = 0; i < 6; ++i) {
            auto* o = qobject_cast<QRadioButton*>(find(QStringLiteral("Option1_%1").arg(i)));
            QVERIFY(o);
            QCOMPARE(o->text(), captions[i]);
        }
        auto* g = qobject_cast<QPushButton*>(find("GenerateRpt"));
        QVERIFY(g);
        QCOMPARE(g->text(), QStringLiteral("&Generate Report"));
        QVERIFY(qobject_cast<QTableView*>(find("Flx")) == w->Flx);
        // Start-up: option 0, the first department and employee.
        QCOMPARE(w->Label1[0]->text(), QStringLiteral("MONTHLY ED BOOKING REPORT OF DESIGN"));
        QCOMPARE(w->Label1[1]->text(), QStringLiteral("Month Ending: 20,November-2008"));
        QCOMPARE(w->Label7->text(), QStringLiteral("101"));
    }

    void optionChoice_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("employee");
        QTest::addColumn<int>("fixedCols");
        QTest::addColumn<int>("fixedRows");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("fromPickers");
        QTest::addColumn<QString>("period");
        const QString month = "Month Ending: 20,November-2008";
        const QString period = "Period Between: 21,November-2008 AND 20,November-2008";
        QTest::newRow("0") << 0 << false << 3 << 2 << true << "MONTHLY ED BOOKING REPORT OF DESIGN" << false << month;
        QTest::newRow("1") << 1 << false << 3 << 2 << true << "ED REPORT OF SPECIFIED PERIOD OF DESIGN" << true
                           << period;
        QTest::newRow("2") << 2 << false << 3 << 1 << false << "MONTHLY ED REPORT OF ALL DEPARTMENTS" << false << month;
        QTest::newRow("3") << 3 << false << 1 << 2 << true << "SPECIFIED PERIOD ED REPORT OF ALL DEPARTMENTS" << true
                           << period;
        QTest::newRow("4") << 4 << true << 0 << 2 << true << "MONTHLY LEAVE REPORT OF Asha OF DESIGN" << false << month;
        QTest::newRow("5") << 5 << true << 0 << 2 << true << "SPECIFIED PERIOD LEAVE REPORT OF Asha OF DESIGN" << true
                           << period;
    }
    void optionChoice()
    {
        QFETCH(int, option);
        QFETCH(bool, employee);
        QFETCH(int, fixedCols);
        QFETCH(int, fixedRows);
        QFETCH(bool, cleared);
        QFETCH(QString, title);
        QFETCH(bool, fromPickers);
        QFETCH(QString, period);
        w->grid->setCell(5, 5, "left over");
        choose(option);
        QCOMPARE(w->ReportType, option);
        QCOMPARE(w->Combo1->isEnabled(), employee);
        QCOMPARE(w->grid->fixedCols(), fixedCols);
        QCOMPARE(w->grid->fixedRows(), fixedRows);
        QCOMPARE(w->grid->cell(5, 5).isEmpty(), cleared);
        QCOMPARE(w->Label1[0]->text(), title);
        QCOMPARE(w->StatusPanel1->text(), title);
        QCOMPARE(w->periods->from[0]->isEnabled(), fromPickers);
        QCOMPARE(w->periods->from[2]->isEnabled(), fromPickers);
        QVERIFY(!w->periods->from[1]->isEnabled()); // the start day keeps it locked
        QCOMPARE(w->Label1[1]->text(), period);
    }

    void handlersFollowDepartmentEmployeeAndDates()
    {
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

    void generateWithoutBookings()
    {
        ui::selectEntry(w->periods->to[0], 7); // August: nothing booked
        choose(0);
        w->Label5->clear();
        w->GenerateRpt->click();
        QVERIFY(w->Label5->text().endsWith(" ms"));
        QCOMPARE(boxes->shown.size(), 1);
        QCOMPARE(boxes->shown[0].text, QStringLiteral("NO ENTRY FOUND FOR THIS SETTING"));
        QCOMPARE(boxes->shown[0].style, 64);
        QCOMPARE(boxes->shown[0].title, QString());
        QCOMPARE(w->List1->count(), 0);
        QCOMPARE(w->grid->lastUsedRow(), 0);
        QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
    }

    void jobPeriodWithoutBookingsKeepsTheTime()
    {
        ui::selectEntry(w->periods->to[0], 7);
        ui::selectEntry(w->periods->from[0], 5);
        choose(3);
        w->Label5->setText("earlier");
        w->GenerateRpt->click();
        QCOMPARE(w->Label5->text(), QStringLiteral("earlier"));
        QCOMPARE(boxes->texts(), QStringList{"NO JOB ED BOOKING FOUND FOR THE SPECIFIED PERIOD."});
    }

    void frozenHeadingsAndWidths()
    {
        choose(0);
        w->GenerateRpt->click();
        QCOMPARE(w->UsedRows, 18);
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
        QCOMPARE(g->verticalScrollBar()->value(), 0);
        QCOMPARE(g->model()->data(g->model()->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        // Scrolling moves the cells under the fixed ones, not the fixed ones.
        g->verticalScrollBar()->setValue(g->rowHeight(2) * 3);
        QCOMPARE(g->frozenLeft()->verticalScrollBar()->value(), g->verticalScrollBar()->value());
        QCOMPARE(g->frozenTop()->verticalScrollBar()->value(), 0);

        // A right-button press on a fixed cell reaches the grid's own viewport.
        struct Presses : QObject {
            int right = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::MouseButtonPress &&
                    static_cast<QMouseEvent*>(e)->button() == Qt::RightButton)
                    ++right;
                return false;
            }
        } presses;
        g->viewport()->installEventFilter(&presses);
        QTest::mousePress(g->frozenLeft()->viewport(), Qt::RightButton, {}, QPoint(10, 60));
        QTest::mousePress(g->frozenCorner()->viewport(), Qt::RightButton, {}, QPoint(10, 5));
        QCOMPARE(presses.right, 2);
        g->viewport()->removeEventFilter(&presses);

        ui::selectEntry(w->Combo4, 1);
        ui::selectEntry(w->Combo1, 1);
        choose(4);
        w->GenerateRpt->click();
        QCOMPARE(w->UsedRows, 20);
        QCOMPARE(w->GridFormat, QStringLiteral("<DESCRIPTION|<VALUE|<REMARKS"));
        QCOMPARE(g->columnWidth(1), g->widthOfZ(34));
        QVERIFY(!g->frozenLeft()->isVisible());
        QVERIFY(g->frozenTop()->isVisible());
    }

    void windowMatchesExport_data()
    {
        QTest::addColumn<int>("option");
        for (int i = 0; i < 6; ++i)
            QTest::newRow(qPrintable(QString::number(i))) << i;
    }
    void windowMatchesExport()
    {
        QFETCH(int, option);
        if (option >= 4) {
            ui::selectEntry(w->Combo4, 1);
            ui::selectEntry(w->Combo1, 1);
        }
        choose(option);
        if (option == 1 || option == 3 || option == 5)
            ui::selectEntry(w->periods->from[0], 7); // from 21 August
        w->GenerateRpt->click();
        QCOMPARE(boxes->shown.size(), 0);

        QStringList args = {"report", "--type", QString::number(option), "--department", w->Combo4->currentText(),
                            "--to", w->ToDate.toString(Qt::ISODate), "--from", w->FromDate.toString(Qt::ISODate)};
        if (option == 2)
            args[4] = w->Combo4->itemText(0); // the report leaves the picker on the last department
        if (option >= 4)
            args << "--employee" << w->Label7->text();
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(cli::runCommand(args, o, e), 0);
        o.flush();
        QStringList lines = out.split('\n');
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.takeFirst(), w->Label1[0]->text());
        QCOMPARE(lines.takeFirst(), w->Label1[1]->text());
        QCOMPARE(lines.size(), w->UsedRows);
        for (int r = 0; r < lines.size(); ++r) {
            const QStringList cells = lines[r].split('\t');
            for (int c = 0; c < w->grid->columnCount(); ++c)
                QCOMPARE(w->grid->cell(r, c), cells.value(c));
        }
        if (option == 2)
            QCOMPARE(w->Combo4->currentText(), QStringLiteral("Works"));
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
