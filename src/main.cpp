// Karvela: the windows by default, a headless command when one is named.
#include "app/commands.h"
#include "ui/program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (app::isCommand(args)) {
        // The commands paint PDF pages, which needs fonts but no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("karvela"));
        QTextStream out(stdout);
        QTextStream err(stderr);
        const int rc = app::runCommand(args, out, err);
        out.flush();
        err.flush();
        return rc;
    }
    QApplication gui(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("karvela"));
    return ui::runProgram(gui);
}
