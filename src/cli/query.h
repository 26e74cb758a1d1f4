#pragma once
// `karvela query`: runs one query of the query panel without a window and
// prints the grid.

#include <QStringList>
#include <QTextStream>

namespace cli {

// args: the options after "query". Returns the exit status: 0 done, 1 the
// query was refused (the window's box text on standard error), 2 a bad
// argument, 3 the data source cannot be used.
int runQueryCommand(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace cli
