#pragma once
// The headless commands that move whole data sets: copy-database, backup,
// restore and import.

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace cli {

bool isDataCommand(const QString& name);
// Runs the command `name` with its arguments; returns the exit code: 0 done,
// 1 refused or failed (nothing written), 2 bad arguments, 3 a data source
// that cannot be opened.
int runDataCommand(const QString& name, const QStringList& args, QTextStream& out, QTextStream& err);

// The connection string of another data source, built as the program's own.
QString dsnConnection(const QString& dsn);

} // namespace cli
