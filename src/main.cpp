// Karvela: the windows by default, a headless command when one is named.
#include "cli/commands.h"
#include "cli/usage.h"
#include "ui/program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (!cli::opensWindow(args)) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("karvela"));
        QTextStream out(stdout);
        QTextStream err(stderr);
        const std::optional<int> answered = cli::answerCommandLine(args, out, err);
        const int rc = answered ? *answered : cli::runCommand(args, out, err);
        out.flush();
        err.flush();
        return rc;
    }
    QApplication gui(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("karvela"));
    return ui::runProgram(gui);
}
