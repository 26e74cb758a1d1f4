#pragma once
// The headless commands of closed months and the audit trail:
//   karvela upgrade-database
//   karvela close-month --department NAME|--all --to YYYY-MM-DD
//   karvela reopen-month --department NAME|--all --to YYYY-MM-DD --reason TEXT
//   karvela audit [--table T] [--key K] [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--format tsv|csv]
// Exit status: 0 done, 1 refused or failed, 2 a bad argument, 3 the data
// source cannot be used.

#include <QStringList>
#include <QTextStream>

namespace cli {

// True when args[0] names one of these commands.
bool isMonthCommand(const QStringList& args);
int runMonthCommand(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace cli
