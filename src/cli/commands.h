#pragma once
// The headless commands of the program: `karvela <command> [options]`.

#include <QStringList>
#include <QTextStream>

namespace cli {

// True when the first argument names a headless command.
bool isCommand(const QStringList& args);
// Runs the command named by args[0] (the program name not included) and
// returns the process exit code.
int runCommand(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace cli
