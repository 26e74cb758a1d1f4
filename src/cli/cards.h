#pragma once
// `karvela cards`: the stored job cards of a department and month as a PDF,
// one page a card, for signing.

#include <QDate>
#include <QStringList>
#include <QTextStream>

namespace cli {

// args: the options after "cards". Exit status: 0 written, 1 no card for the
// department and month, 2 a bad argument or an output file that cannot be
// written, 3 the data source cannot be used.
int runCardsCommand(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace cli
