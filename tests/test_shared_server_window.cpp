// The data-entry window while another desktop works on the same database,
// and when the connection drops in the middle of a command: what the clerk
// is shown, what is stored, and that the next command works.
#include "testsupport.h"
#include "windowsupport.h"

#include "app/clock.h"
#include "app/failurebox.h"
#include "entry/cardstore.h"
#include "entry/jobmaster.h"
#include "store/database.h"
#include "ui/main.h"
#include "ui/program.h"

#include <QAction>
#include <QApplication>
#include <QSqlQuery>
#include <QTest>

#include <functional>

using namespace testsupport;
using app::style::Critical;
using app::style::Exclamation;
using app::style::Information;

namespace {

// Runs `sql` on a second connection of its own: another desktop.
void otherDesktop(const QString& sql, const QList<QVariant>& values = {})
{
    {
        QSqlDatabase db = QSqlDatabase::cloneDatabase(store::connection(), "other");
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.prepare(sql));
        for (const QVariant& v : values)
            q.addBindValue(v);
        QVERIFY2(q.exec(), qPrintable(sql));
        db.close();
    }
    QSqlDatabase::removeDatabase("other");
}

// The server ends this desktop's session, as a restart would.
void dropThisConnection()
{
    endPostgresSession(scalar("SELECT pg_backend_pid()").toInt());
}

// Scripted boxes that run an action when a given question is asked: the
// moment between the clerk's look-up and the write.
class Meanwhile : public ScriptedDialogs {
public:
    QString question;
    std::function<void()> action;
    int message(const QString& text, int style, const QString& title) override
    {
        if (action && text == question) {
            auto a = std::move(action);
            action = nullptr;
            a();
        }
        return ScriptedDialogs::message(text, style, title);
    }
};

} // namespace

class TestSharedServerWindow : public QObject, WindowDriver<ui::Main> {
    Q_OBJECT

    Meanwhile boxes;

    QStringList shown()
    {
        QStringList l;
        for (const Shown& s : boxes.shown)
            l << QString("%1 [%2]").arg(s.text).arg(s.style);
        boxes.clear();
        return l;
    }
    // Job 101 (balance 10) 20 days, job 102 (balance 50) 11 days: 31 days.
    void typeCard()
    {
        dblClick("List1", 0);
        dblClick("List1", 1);
        type("Text1_0", "20");
        type("Text1_1", "11");
    }

private slots:
    void initTestCase()
    {
        if (!initProcess())
            QSKIP("no PostgreSQL test server");
        app::setToday(QDate(2009, 4, 25)); // period 21 March to 20 April 2009: 31 days
        app::setEndProgramAction([](int) {});
    }

    void init()
    {
        freshDatabase();
        addEmployee(10000001, "Amy", "Civil", "Engineer");
        addJob(101, "Pump house", 100, 10, 0, "Civil");
        addJob(102, "Tank farm", 100, 50, 40, "Civil");
        boxes.shown.clear();
        boxes.answers.clear();
        boxes.action = nullptr;
        app::setDialogs(&boxes);
        QVERIFY(ui::startProgram());
        m = ui::windows().main;
        QVERIFY(m);
        m->show();
        QVERIFY(QTest::qWaitForWindowExposed(m));
        QCOMPARE(boxes.shown.size(), 0);
    }

    void cleanup()
    {
        ui::closeProgram();
        m = nullptr;
    }

    void otherDesktopSavesTheSameCardFirst()
    {
        typeCard();
        // Another desktop stores this employee's card while the question is open.
        boxes.question = entry::kAppendQuestion;
        boxes.action = [] {
            QVERIFY(entry::appendCard({10000001, "Amy, Engineer", "Civil", QDate(2009, 4, 20)}, 31, {},
                                      {{102, 31, 0, 0}}));
        };
        click("AddRecord");
        QCOMPARE(shown(), (QStringList{QString(entry::kAppendQuestion) + " [65]",
                                       QString(entry::kDuplicateCard) + " [16]"}));
        QCOMPARE(rows("leaves"), 1);
        QCOMPARE(rows("edbooked"), 1);
        QCOMPARE(balance(101), 10.0);
        QCOMPARE(balance(102), 19.0);
    }

    void otherDesktopBooksTheSameJobMeanwhile()
    {
        typeCard();
        // 5 days on job 101 stored by another desktop after this card showed
        // balance 10: both bookings count, and the card shows the balance
        // right after its own.
        boxes.question = entry::kAppendQuestion;
        boxes.action = [] {
            addEmployee(10000002, "Bob", "Civil");
            QVERIFY(entry::appendCard({10000002, "Bob, Engineer", "Civil", QDate(2009, 4, 20)}, 31, {},
                                      {{101, 5, 0, 0}}));
        };
        click("AddRecord");
        QCOMPARE(shown(), (QStringList{QString(entry::kAppendQuestion) + " [65]",
                                       QString(entry::kAppended) + " [64]"}));
        QCOMPARE(balance(101), -15.0);
        QCOMPARE(text("Label6_0"), QString("-15"));
        QCOMPARE(store::num(scalar("SELECT Bal_ED FROM edbooked WHERE Emp_ID = 10000001 AND JobNo = 101")), -15.0);
    }

    void otherDesktopAddsTheSameJobNumberFirst()
    {
        type("Text3", "900");
        boxes.answers = {app::button::Yes};
        click("SearchJob");
        boxes.clear();
        type("Text6", "Boiler");
        type("Text8", "50");
        boxes.question = entry::kAddJobQuestion;
        boxes.action = [] {
            otherDesktop("INSERT INTO jobs (JobNo, JobName, Limit_ED, Bal_ED) VALUES (900, 'Their boiler', 5, 0)");
        };
        click("AddJob");
        QCOMPARE(shown(), (QStringList{QString(entry::kAddJobQuestion) + " [35]",
                                       QString(entry::kDuplicateJob) + " [48]"}));
        // Nothing of this desktop's job stored; the panel stays open.
        QCOMPARE(scalar("SELECT JobName FROM jobs WHERE JobNo = 900").toString(), QString("Their boiler"));
        QVERIFY(w("Frame5")->isVisible());
        QCOMPARE(w<QListWidget>("List1")->count(), 2);
    }

    void connectionLostWhileSaving_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("append") << "append";
        QTest::newRow("update") << "update";
        QTest::newRow("delete") << "delete";
    }
    void connectionLostWhileSaving()
    {
        if (!usingPostgres())
            QSKIP("the server can end a session only on PostgreSQL");
        QFETCH(QString, command);
        QString question = entry::kAppendQuestion;
        QString notSaved = app::notsaved::Card;
        typeCard();
        if (command != "append") {
            click("AddRecord");
            boxes.clear();
            m->findChild<QAction*>(command == "update" ? "EditRecord" : "DeleteRecord")->trigger();
            QCOMPARE(text("AddRecord"), command == "update" ? QString("Update Record") : QString("Delete Record"));
            if (command == "update") {
                type("Text1_0", "19");
                type("Text2_8", "1");
                question = entry::kChangeQuestion;
                notSaved = app::notsaved::CardChange;
            } else {
                question = entry::deleteQuestion("Amy, Engineer", QDate(2009, 3, 21), QDate(2009, 4, 20));
                notSaved = app::notsaved::CardDelete;
            }
        }
        const double b101 = balance(101);
        boxes.question = question;
        boxes.action = [] { dropThisConnection(); };
        click("AddRecord");
        QCOMPARE(boxes.shown.size(), 2);
        const Shown box = boxes.shown[1];
        boxes.clear();
        QCOMPARE(box.style, Critical);
        const QStringList parts = box.text.split("\r\n");
        QCOMPARE(parts.size(), 3);
        QCOMPARE(parts[1], QString("AddRecord SubRoutine"));
        QCOMPARE(parts[2], app::lostConnectionText(notSaved));
        QVERIFY(parts[2].contains("Tessara"));
        // Nothing changed; the card is still on screen; the next try lands.
        QCOMPARE(balance(101), b101);
        QCOMPARE(rows("leaves"), command == "append" ? 0 : 1);
        QVERIFY(w("AddRecord")->isEnabled());
        click("AddRecord");
        const QStringList again = shown();
        QCOMPARE(again.size(), 2);
        QVERIFY2(!again[1].contains("SubRoutine"), qPrintable(again[1]));
        QCOMPARE(balance(101), command == "append" ? -10.0 : command == "update" ? -9.0 : 10.0);
        QCOMPARE(rows("leaves"), command == "delete" ? 0 : 1);
    }

    void connectionLostWhileChangingAJob_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("job add") << "add";
        QTest::newRow("job edit") << "edit";
        QTest::newRow("status") << "status";
    }
    void connectionLostWhileChangingAJob()
    {
        if (!usingPostgres())
            QSKIP("the server can end a session only on PostgreSQL");
        QFETCH(QString, command);
        QString routine, notSaved;
        if (command == "add") {
            type("Text3", "900");
            boxes.answers = {app::button::Yes};
            click("SearchJob");
            type("Text8", "50");
            boxes.question = entry::kAddJobQuestion;
            routine = "AddJob";
            notSaved = app::notsaved::NewJob;
        } else if (command == "edit") {
            w<QListWidget>("List1")->setCurrentRow(0);
            m->findChild<QAction*>("EditJob")->trigger();
            type("Text6", "Renamed");
            routine = "Update_Edit";
            notSaved = app::notsaved::JobChange;
        } else {
            dblClick("List1", 0);
            QTest::mouseDClick(w("Text9_0"), Qt::LeftButton);
            type("Text9_0", "60");
            routine = "JobStUpdate";
            notSaved = app::notsaved::JobStatus;
        }
        boxes.clear();
        if (command == "add")
            boxes.action = [] { dropThisConnection(); };
        else
            dropThisConnection();
        click(command == "status" ? "jobStUpdate" : "AddJob");
        const Shown box = boxes.shown.last();
        QCOMPARE(box.style, Critical);
        QCOMPARE(box.text.section("\r\n", 1), routine + " SubRoutine\r\n" + app::lostConnectionText(notSaved));
        // Nothing stored; the window goes on and the next command reconnects.
        QCOMPARE(rows("jobs"), 2);
        QCOMPARE(scalar("SELECT JobName FROM jobs WHERE JobNo = 101").toString(), QString("Pump house"));
        QCOMPARE(store::num(scalar("SELECT Job_Status FROM jobs WHERE JobNo = 101")), 0.0);
    }
};

QTEST_MAIN(TestSharedServerWindow)
#include "test_shared_server_window.moc"
