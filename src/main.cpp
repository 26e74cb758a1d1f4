// Karvela: the windows by default, a headless command when one is named.
#include "cli/commands.h"
#include "cli/usage.h"
#include "ui/program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (!cli::opensWindow(args)) {
        // A command that paints PDF pages needs fonts, but no display.
        const int format = args.indexOf(QStringLiteral("--format"));
        const bool paints = args[0] == QLatin1String("cards") || args.value(format + 1) == QLatin1String("pdf");
        std::unique_ptr<QCoreApplication> core;
        if (paints) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            // Standard error carries the command's own messages only.
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
                if (type == QtFatalMsg || type == QtCriticalMsg)
                    std::fprintf(stderr, "%s\n", qPrintable(msg));
            });
            core = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            core = std::make_unique<QCoreApplication>(argc, argv);
        }
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
