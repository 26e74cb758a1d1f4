// Start-up, pickers, calendar and the password dialog through the real
// windows, offscreen, with scripted boxes.
#include "testsupport.h"

#include "app/clock.h"
#include "app/logo.h"
#include "app/settings.h"
#include "cli/demo.h"
#include "store/datasource.h"
#include "ui/dataentpwd.h"
#include "ui/common.h"
#include "ui/main.h"
#include "ui/periodpickers.h"
#include "ui/program.h"
#include "ui/reportsection.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QTest>

using namespace testsupport;

namespace {
const QDate kToday(2026, 12, 6);
const QString kNoSource = "Check Your Database File and DSN (Data Source Name - Tessara)\r\n"
                          "Program will now Close. Remove Error and Try again.";
const QString kBadTables = "Database File Does Not Have Correct Table(s).\r\n"
                           "Program will now Close. Remove Error and Try again.";

// A row of day, month and year pickers as the user reads it.
QString row(ui::PeriodPickers* p, bool from)
{
    const auto& c = from ? p->from : p->to;
    return c[1]->currentText() + " " + c[0]->currentText() + " " + c[2]->currentText();
}
} // namespace

class TestFoundationWindows : public QObject {
    Q_OBJECT
    ScriptedDialogs* boxes = nullptr;

    void smallOrganisation()
    {
        freshDatabase();
        addEmployee(10000001, "Asha Rao", "Admin Section", "Manager", "E5");
        addEmployee(10000002, "Ravi Iyer", "Civil Design", "Engineer", "E3");
        addEmployee(10000003, "Meera Das", "Civil Design", "Draughtsman", "E2");
        addEmployee(10000004, "Old Timer", "Mechanical Design", "Engineer", "E4", kToday.addDays(-30000));
        addJob(501, "Pump House", 100, 100, 10, "Civil Design");
    }
    bool start()
    {
        boxes->clear();
        return ui::startProgram();
    }
    // The start-up ends with the box, its reason under it, and both on
    // standard error.
    void expectStartFailure(const QString& text, const QString& reasonPart)
    {
        bool started = true;
        const QString err = standardErrorOf([&] { started = start(); });
        QVERIFY(!started && programEnds() == 1);
        QCOMPARE(boxes->shown.size(), 1);
        QCOMPARE(boxes->shown[0].text, text);
        QCOMPARE(boxes->shown[0].style, 16);
        const QString reason = boxes->shown[0].reason;
        QVERIFY2(reason.contains(reasonPart), qPrintable(reason));
        QVERIFY(reason.contains("Data source: Tessara") && reason.contains("README"));
        QVERIFY(err.contains(QString(text).replace("\r\n", "\n")) && err.contains(reason));
        boxes = &scriptDialogs(); // counts again from zero
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
        app::writeSetting("DepttSetting", "Department", "");
        app::writeSetting("DepttSetting", "DeptPwd", "");
        app::writeSetting("StartDate", "StartDate", "21");
        app::setToday(kToday);
    }
    void cleanup() { ui::closeProgram(); }

    void wrongTablesOrAMissingFileEndTheProgram()
    {
        smallOrganisation();
        store::execDirect("DROP TABLE leaves");
        expectStartFailure(kBadTables, "The data source is defined in " + odbcIniPath());
        freshDatabase();
        store::execDirect("DROP TABLE jobs");
        store::execDirect("CREATE TABLE jobs (ID INTEGER, JobNo INTEGER, JobName VARCHAR(50))");
        expectStartFailure(kBadTables, "The data source is defined in " + odbcIniPath());
        if (usingPostgres())
            return; // an SQLite data source names a file, which is not created
        store::disconnectDatabase();
        const QString file = store::dataSourceFacts().database;
        QVERIFY(QFile::rename(file, file + ".away"));
        expectStartFailure(kNoSource, "Database file looked for: " + file + " (it does not exist)");
        const bool created = QFile::exists(file);
        QVERIFY(QFile::rename(file + ".away", file));
        QVERIFY(!created);
    }

    void noDataSourceEndsTheProgram()
    {
        if (!qEnvironmentVariableIsSet("KARVELA_TEST_ODBC_EMPTY")) {
            // Runs this case again in a process whose DSN file lacks "Tessara".
            const CommandRun child = runProgram(QCoreApplication::applicationFilePath(), {"noDataSourceEndsTheProgram"},
                                                {"KARVELA_TEST_ODBC_EMPTY=1"});
            QVERIFY2(child.code == 0, qPrintable(child.out));
            QVERIFY(child.out.contains("PASS   : TestFoundationWindows::noDataSourceEndsTheProgram()"));
            return;
        }
        expectStartFailure(kNoSource, "No data source Tessara is defined in the user file " + odbcIniPath());
    }

    void startUpFillsBothWindows()
    {
        smallOrganisation();
        app::writeSetting("DepttSetting", "Department", "1");
        QVERIFY(start());
        auto* report = ui::windows().report;
        auto* main = ui::windows().main;
        QVERIFY(report->isVisible() && !main->isVisible() && boxes->shown.isEmpty());
        QVERIFY(report->Label2->isHidden() && report->ProgressBar1->isHidden() && main->saveButton->isEnabled());
        QCOMPARE(QList<int>({report->Combo4->count(), main->employeePicker->count()}), QList<int>({3, 2}));
        QCOMPARE(QStringList({report->Combo4->currentText(), main->departmentPicker->currentText(),
                              report->Combo5[1]->itemText(0), report->Combo5[0]->currentText(),
                              ui::windows().pwd->Label3->text(), main->employeePicker->currentText(),
                              main->employeeIdLabel->text(), main->bannerLabel->text(), main->statusPanel->text(),
                              report->Combo1->itemText(1), report->List3->item(1)->text()}),
                 QStringList({"Civil Design", "Civil Design", "All Departments", "ALL",
                              "Currently Set Deptt. is Civil Design", "Ravi Iyer, Engineer", "10000002",
                              "Civil Design\r\nRavi Iyer, Engineer", "Ravi Iyer, Engineer", "Meera Das", "Draughtsman"}));
        main->employeePicker->setCurrentIndex(1);
        QCOMPARE(QStringList({main->employeeIdLabel->text(), report->Label7->text()}), QStringList({"10000003", "10000002"}));

        // A click hides a banner; moving over the job rows brings the name
        // banner back, over the window's background the mission.
        main->show();
        QVERIFY(!main->missionLabel->text().isEmpty() && main->missionLabel->isVisible());
        QTest::mouseClick(main->missionLabel, Qt::LeftButton);
        QTest::mouseClick(main->bannerLabel, Qt::LeftButton);
        QVERIFY(main->missionLabel->isHidden() && main->bannerLabel->isHidden());
        const auto moveOver = [](QWidget* w, QPoint at) {
            QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(w, &move);
        };
        moveOver(main->jobRowsPanel, QPoint(10, 10));
        QVERIFY(!main->bannerLabel->isHidden() && main->missionLabel->isHidden());
        QWidget* bg = main->centralWidget();
        const QPoint free(2, bg->height() - 2);
        QVERIFY(!bg->childAt(free));
        moveOver(bg, free);
        QVERIFY(!main->missionLabel->isHidden());

        // Exit ends the program from either window.
        report->ExitzAction->trigger();
        main->exitAction->trigger();
        QCOMPARE(programEnds(), 2);
        main->close();
        QCOMPARE(programEnds(), 3);
    }

    // On the demo organisation both windows stay within the screen and come
    // back where the user left them, the report window with its size.
    void windowsFitTheScreenAndKeepTheirPlaces()
    {
        freshDatabase();
        store::Transaction tx;
        cli::fillDemo(kToday, 21);
        tx.commit();
        QVERIFY(start() && boxes->shown.isEmpty());
        auto* report = ui::windows().report;
        auto* main = ui::windows().main;
        main->show();
        const QRect avail = report->screen()->availableGeometry();
        for (QWidget* w : QList<QWidget*>{report, main}) {
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QVERIFY2(avail.contains(w->frameGeometry()), qPrintable(w->objectName()));
        }
        report->move(avail.topLeft() + QPoint(30, 20));
        report->resize(500, 400);
        main->move(avail.topLeft() + QPoint(0, 5));
        QCoreApplication::processEvents();
        const QPoint mainAt = main->pos();
        QVERIFY(mainAt != QPoint(0, 0));
        ui::closeProgram();
        QVERIFY(start());
        ui::windows().main->show();
        QCOMPARE(ui::windows().report->pos(), avail.topLeft() + QPoint(30, 20));
        QCOMPARE(ui::windows().report->size(), QSize(500, 400));
        QCOMPARE(ui::windows().main->pos(), mainAt);
        QSettings(QString(app::kAppName), QString(app::kAppName)).remove("Windows");
    }

    void emptyDepartmentsAndSuperannuatedStaff()
    {
        freshDatabase();
        QVERIFY(start() && boxes->texts().contains("NO DEPARTMENT FOUND TO DISPLAY"));
        QCOMPARE(ui::windows().report->Combo4->count(), 0);
        ui::closeProgram();

        addEmployee(10000001, "Just Sixty", "Civil", "Engineer", "E3", kToday.addDays(-21915));
        addEmployee(10000003, "Retired", "Stores", "Clerk", "E1", kToday.addDays(-25000));
        QVERIFY(start());
        auto* report = ui::windows().report;
        boxes->clear();
        ui::windows().main->departmentPicker->setCurrentIndex(1);
        QCOMPARE(boxes->texts(), QStringList{"NO EMPLOYEE FOUND IN STORES."});
        QCOMPARE(boxes->shown[0].style, 64);
        QCOMPARE(ui::windows().main->employeePicker->count(), 0);
        // The report window lists the retired staff while the box is ticked.
        boxes->clear();
        report->Check1->click();
        report->Combo4->setCurrentIndex(1);
        QCOMPARE(report->Combo1->currentText(), QString("Retired"));
        QVERIFY(boxes->shown.isEmpty());
        report->Check1->click();
        QCOMPARE(boxes->texts(), QStringList{"NO EMPLOYEE FOUND IN STORES."});
    }

    // Data entry: the period around today, the To month following the From
    // month, locked by a double click; the report window 28 days back.
    void periodPickers()
    {
        smallOrganisation();
        app::setToday(QDate(2009, 1, 5));
        QVERIFY(start());
        auto* main = ui::windows().main;
        auto* p = main->periods;
        QCOMPARE(row(p, true), QString("21 December 2008"));
        QCOMPARE(row(p, false), QString("20 January 2009"));
        QVERIFY(!p->from[1]->isEnabled() && !p->to[1]->isEnabled());
        QCOMPARE(main->PeriodDays, 31);
        p->from[0]->setCurrentIndex(1); // February
        QCOMPARE(row(p, false), QString("20 March 2008"));
        QVERIFY(main->periodPanel->isEnabled());
        QTest::mouseDClick(main->periodPanel, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!main->periodPanel->isEnabled());
        QCOMPARE(row(ui::windows().report->periods, false), QString("20 December 2008"));
    }

    // A wrong password is refused and cleared, a wrong current password
    // changes nothing; the new password works at once, by the Return key.
    void passwordDialog()
    {
        smallOrganisation();
        app::writeSetting("DepttSetting", "DeptPwd", "Tiger7");
        QVERIFY(start());
        auto* pwd = ui::windows().pwd;
        auto* report = ui::windows().report;
        QCOMPARE(pwd->Label2->text(), QString("06 December '26"));
        QTest::mouseClick(report->Label8, Qt::LeftButton);
        QVERIFY(pwd->isVisible());
        pwd->Text1[0]->setText("tiger7");
        pwd->OK->click();
        QCOMPARE(boxes->texts(), QStringList{"INCORRECT PASSWORD, TRY AGAIN."});
        QCOMPARE(boxes->shown[0].style, 16);
        QVERIFY(pwd->Text1[0]->text().isEmpty() && pwd->isVisible());

        boxes->clear();
        pwd->Text1[0]->setText("wrong");
        pwd->ChangePwd->click();
        QCOMPARE(boxes->texts(),
                 QStringList{"Incorrect password. Enter Current password\r\nin the box above and try again."});
        QVERIFY(!pwd->newPasswordRowOpen());
        pwd->Text1[0]->setText("Tiger7");
        pwd->ChangePwd->click();
        QVERIFY(pwd->newPasswordRowOpen());
        pwd->Text1[1]->setText("new one");
        QTest::keyClick(pwd->Text1[1], Qt::Key_Return);
        QCOMPARE(boxes->texts().last(), QString("Password Changed Successfully."));
        QCOMPARE(boxes->shown.last().style, 64);
        QVERIFY(!pwd->isVisible() && !pwd->newPasswordRowOpen());
        QCOMPARE(app::readSetting("DepttSetting", "DeptPwd"), QString("new one"));

        pwd->show();
        pwd->Text1[0]->setText("new one");
        QTest::keyClick(pwd->Text1[0], Qt::Key_Return);
        QCOMPARE(boxes->shown.size(), 2);
        QVERIFY(!pwd->isVisible() && !report->isVisible() && ui::windows().main->isVisible());
        ui::windows().main->reportAction->trigger();
        QVERIFY(report->isVisible() && !ui::windows().main->isVisible());
    }

    void logoPlaysOnlyFromAFileOfItsLength()
    {
        // The file lies next to the program, shared by both runs of this test
        // program: only the SQLite run plays with it.
        if (usingPostgres())
            QSKIP("checked in the SQLite run");
        smallOrganisation();
        QFile logo(app::logoPath());
        const auto remove = qScopeGuard([&] { logo.remove(); });
        for (const qint64 size : {qint64(941057), qint64(962560)}) {
            QVERIFY(logo.open(QIODevice::WriteOnly | QIODevice::Truncate) && logo.resize(size));
            logo.close();
            QVERIFY(start());
            auto* report = ui::windows().report;
            QCOMPARE(QList<bool>({report->MediaPlayer1->playing(), report->MediaPlayer1->isVisible(),
                                  !report->Image1->isVisible(), ui::windows().main->logoPlayer->playing()}),
                     QList<bool>(4, size == 962560));
            ui::closeProgram();
        }
    }
};

QTEST_MAIN(TestFoundationWindows)
#include "test_foundation_windows.moc"
