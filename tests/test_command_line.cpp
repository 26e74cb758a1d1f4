// The program's command line: usage, version and exit codes of the real
// executable, and which arguments open the windows.
#include "cli/usage.h"

#include <QProcess>
#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString all = cli::programUsage();
        QTest::newRow("--help") << QStringList{"--help"} << 0 << all << "";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << all << "";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << "karvela " KARVELA_VERSION "\n" << "";
        QTest::newRow("unknown word") << QStringList{"reprot"} << 2 << ""
                                      << "karvela: unknown command reprot\n" + all;
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << ""
                                        << "karvela: unknown command --frobnicate\n" + all;
        QTest::newRow("report --help") << QStringList{"report", "--help"} << 0 << cli::usage::kReport << "";
        QTest::newRow("query -h") << QStringList{"query", "--index", "0", "-h"} << 0 << cli::usage::kQuery << "";
        QTest::newRow("create-database --help") << QStringList{"create-database", "--help"} << 0
                                                << cli::usage::kCreateDatabase << "";
        QTest::newRow("signed date") << QStringList{"report", "--type", "0", "--department", "Civil", "--to",
                                                    "-2009-01-01"}
                                     << 2 << "" << "karvela report: --to must be a date YYYY-MM-DD\n" + QString(cli::usage::kReport);
        QTest::newRow("short date") << QStringList{"query", "--index", "8", "--from", "2009-1-1", "--to", "2009-02-01"}
                                    << 2 << "" << "karvela query: dates are written YYYY-MM-DD\n" + QString(cli::usage::kQuery);
        QTest::newRow("no such day") << QStringList{"report", "--type", "0", "--department", "Civil", "--to",
                                                    "2009-02-30"}
                                     << 2 << "" << "karvela report: --to must be a date YYYY-MM-DD\n" + QString(cli::usage::kReport);
    }
    void answers()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcess p;
        // Without a display a window could not open: a window would abort.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("QT_QPA_PLATFORM");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        p.setProcessEnvironment(env);
        p.start(KARVELA_EXECUTABLE, args);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromUtf8(p.readAllStandardError()), err);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), out);
        QCOMPARE(p.exitCode(), exitCode);
    }

    void qtOptionsOpenTheWindows_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("window");
        QTest::newRow("nothing") << QStringList{} << true;
        QTest::newRow("-platform") << QStringList{"-platform", "offscreen"} << true;
        QTest::newRow("-style=") << QStringList{"-style=Fusion"} << true;
        QTest::newRow("--style and -session") << QStringList{"--style", "Fusion", "-session", "abc", "-reverse"} << true;
        QTest::newRow("a command") << QStringList{"report"} << false;
        QTest::newRow("--help") << QStringList{"--help"} << false;
        QTest::newRow("Qt option, then a word") << QStringList{"-style", "Fusion", "extra"} << false;
    }
    void qtOptionsOpenTheWindows()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, window);
        QCOMPARE(cli::opensWindow(args), window);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
