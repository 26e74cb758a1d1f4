// The program's command line: usage, version and exit codes of the real
// executable, and which arguments open the windows.
#include "testsupport.h"

#include "cli/usage.h"

#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void answers()
    {
        const QString all = cli::programUsage(), report = cli::usage::kReport, query = cli::usage::kQuery;
        const QString badTo = "karvela report: --to must be a date YYYY-MM-DD\n" + report;
        const QList<std::tuple<QStringList, int, QString, QString>> cases{
            {{"--help"}, 0, all, ""}, {{"-h"}, 0, all, ""},
            {{"--version"}, 0, "karvela " KARVELA_VERSION "\n", ""},
            {{"reprot"}, 2, "", "karvela: unknown command reprot\n" + all},
            {{"--frobnicate"}, 2, "", "karvela: unknown command --frobnicate\n" + all},
            {{"report", "--help"}, 0, report, ""},
            {{"query", "--index", "0", "-h"}, 0, query, ""},
            {{"create-database", "--help"}, 0, cli::usage::kCreateDatabase, ""},
            {{"report", "--type", "0", "--department", "Civil", "--to", "-2009-01-01"}, 2, "", badTo},
            {{"report", "--type", "0", "--department", "Civil", "--to", "2009-02-30"}, 2, "", badTo},
            {{"query", "--index", "8", "--from", "2009-1-1", "--to", "2009-02-01"}, 2, "",
             "karvela query: dates are written YYYY-MM-DD\n" + query}};
        // Without a display a window could not open: a window would abort.
        for (const auto& [args, code, out, err] : cases) {
            const testsupport::CommandRun r = testsupport::runProgram(KARVELA_EXECUTABLE, args, {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"});
            QCOMPARE(r.err, err);
            QCOMPARE(r.out, out);
            QCOMPARE(r.code, code);
        }
    }

    void qtOptionsOpenTheWindows()
    {
        const QList<std::pair<QStringList, bool>> cases{
            {{}, true}, {{"-platform", "offscreen"}, true}, {{"-style=Fusion"}, true},
            {{"--style", "Fusion", "-session", "abc", "-reverse"}, true}, {{"report"}, false}, {{"--help"}, false},
            {{"-style", "Fusion", "extra"}, false}};
        for (const auto& [args, window] : cases)
            QVERIFY2(cli::opensWindow(args) == window, qPrintable(args.join(' ')));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
