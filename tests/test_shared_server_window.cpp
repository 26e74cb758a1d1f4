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

#include <functional>
#include <utility>

using namespace testsupport;

namespace {

// Scripted boxes that run an action when a given question is asked: the
// moment between the clerk's look-up and the write.
class Meanwhile : public ScriptedDialogs {
public:
    QString question;
    std::function<void()> action;
    int message(const QString& text, int style, const QString& title) override
    {
        if (action && text == question)
            std::exchange(action, nullptr)();
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
    void findNewJob900()
    {
        type("Text3", "900");
        boxes.answers = {app::button::Yes};
        click("SearchJob");
        boxes.clear();
        type("Text8", "50");
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
        boxes.clear();
        boxes.answers.clear();
        boxes.action = nullptr;
        app::setDialogs(&boxes);
        QVERIFY(ui::startProgram());
        m = ui::windows().main;
        m->show();
        QVERIFY(QTest::qWaitForWindowExposed(m));
    }

    void cleanup()
    {
        ui::closeProgram();
        m = nullptr;
    }

    // Another desktop stores a card while this card's question is open: the
    // same employee's card is refused; a booking of the same job counts too,
    // and the card shows the balance right after its own.
    void otherDesktopStoresACardMeanwhile_data()
    {
        QTest::addColumn<bool>("sameCard");
        QTest::newRow("same card") << true;
        QTest::newRow("same job") << false;
    }
    void otherDesktopStoresACardMeanwhile()
    {
        QFETCH(bool, sameCard);
        addEmployee(10000002, "Bob", "Civil");
        typeCard();
        boxes.question = entry::kAppendQuestion;
        boxes.action = [=] {
            const double days = sameCard ? 31 : 5;
            QVERIFY(entry::appendCard({sameCard ? 10000001 : 10000002, sameCard ? "Amy, Engineer" : "Bob, Engineer",
                                       "Civil", QDate(2009, 4, 20)},
                                      days, {}, {{sameCard ? 102 : 101, days, 0, 0}}));
        };
        click("AddRecord");
        const QString answer = sameCard ? QString(entry::kDuplicateCard) + " [16]" : QString(entry::kAppended) + " [64]";
        QCOMPARE(shown(), (QStringList{QString(entry::kAppendQuestion) + " [65]", answer}));
        QCOMPARE(QList<double>({balance(101), balance(102)}), (sameCard ? QList<double>{10, 19} : QList<double>{-15, 39}));
        if (!sameCard)
            QCOMPARE(text("Label6_0"), QString("-15"));
    }

    void otherDesktopAddsTheSameJobNumberFirst()
    {
        findNewJob900();
        type("Text6", "Boiler");
        boxes.question = entry::kAddJobQuestion;
        boxes.action = [] {
            whileAnotherDesktopHolds(
                {"INSERT INTO jobs (JobNo, JobName, Limit_ED, Bal_ED) VALUES (900, 'Their boiler', 5, 0)"}, [] {});
        };
        click("AddJob");
        QCOMPARE(shown(), (QStringList{QString(entry::kAddJobQuestion) + " [35]",
                                       QString(entry::kDuplicateJob) + " [48]"}));
        // Nothing of this desktop's job stored; the panel stays open.
        QCOMPARE(scalar("SELECT JobName FROM jobs WHERE JobNo = 900").toString(), QString("Their boiler"));
        QVERIFY(w("Frame5")->isVisible());
    }

    // The server ends this desktop's session in the middle of a command (at
    // its question, or before a command that asks none): a critical box
    // names the routine, nothing is stored, and the next try lands.
    void connectionLost_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("routine");
        QTest::addColumn<QString>("notSaved");
        QTest::addColumn<double>("retried"); // job 101's balance after the next try; NaN: no retry
        const double none = qQNaN();
        QTest::newRow("append") << "append" << "AddRecord" << app::notsaved::Card << -10.0;
        QTest::newRow("update") << "update" << "AddRecord" << app::notsaved::CardChange << -9.0;
        QTest::newRow("delete") << "delete" << "AddRecord" << app::notsaved::CardDelete << 10.0;
        QTest::newRow("job add") << "add" << "AddJob" << app::notsaved::NewJob << none;
        QTest::newRow("job edit") << "edit" << "Update_Edit" << app::notsaved::JobChange << none;
        QTest::newRow("status") << "status" << "JobStUpdate" << app::notsaved::JobStatus << none;
    }
    void connectionLost()
    {
        if (!usingPostgres())
            QSKIP("the server can end a session only on PostgreSQL");
        QFETCH(QString, command);
        QFETCH(QString, routine);
        QFETCH(QString, notSaved);
        QFETCH(double, retried);
        QString question, button = "AddRecord";
        if (command == "append" || command == "update" || command == "delete") {
            typeCard();
            question = entry::kAppendQuestion;
        }
        if (command == "update" || command == "delete") {
            click("AddRecord");
            trigger(command == "update" ? "EditRecord" : "DeleteRecord");
            QCOMPARE(text("AddRecord"), command == "update" ? QString("Update Record") : QString("Delete Record"));
            if (command == "update") {
                type("Text1_0", "19");
                type("Text2_8", "1");
            }
            question = command == "update"
                           ? QString(entry::kChangeQuestion)
                           : entry::deleteQuestion("Amy, Engineer", QDate(2009, 3, 21), QDate(2009, 4, 20));
        } else if (command == "add") {
            findNewJob900();
            question = entry::kAddJobQuestion;
            button = "AddJob";
        } else if (command == "edit") {
            w<QListWidget>("List1")->setCurrentRow(0);
            trigger("EditJob");
            type("Text6", "Renamed");
            button = "AddJob";
        } else if (command == "status") {
            dblClick("List1", 0);
            QTest::mouseDClick(w("Text9_0"), Qt::LeftButton);
            type("Text9_0", "60");
            button = "jobStUpdate";
        }
        // What the command would change.
        const auto state = [] {
            return scalar("SELECT JobName || '|' || Job_Status || '|' || Bal_ED || '|' || (SELECT COUNT(*) FROM leaves) "
                          "|| '|' || (SELECT COUNT(*) FROM jobs) FROM jobs WHERE JobNo = 101").toString();
        };
        const QString before = state();
        boxes.clear();
        const auto drop = [] { endPostgresSession(scalar("SELECT pg_backend_pid()").toInt()); };
        if (question.isEmpty())
            drop();
        boxes.question = question;
        boxes.action = drop;
        click(button);
        const Shown box = boxes.shown.last();
        QCOMPARE(box.style, int(app::style::Critical));
        QCOMPARE(box.text.section("\r\n", 1), routine + " SubRoutine\r\n" + app::lostConnectionText(notSaved));
        boxes.clear();
        // Nothing changed; the window goes on.
        QCOMPARE(state(), before);
        if (qIsNaN(retried))
            return;
        QVERIFY(w(button)->isEnabled());
        click(button);
        const QStringList again = shown();
        QCOMPARE(again.size(), 2);
        QVERIFY2(!again[1].contains("SubRoutine"), qPrintable(again[1]));
        QCOMPARE(balance(101), retried);
        QCOMPARE(rows("leaves"), command == "delete" ? 0 : 1);
    }
};

QTEST_MAIN(TestSharedServerWindow)
#include "test_shared_server_window.moc"
