#pragma once
// Why the program cannot start on its data source: the reason shown under
// the start-up failure boxes and printed on standard error.

#include "store/database.h"

#include <QString>

namespace app {

// The data source's name, the driver's message, the database file looked
// for (an SQLite data source), where the data source is defined (user and
// system odbc.ini) and the README section that explains the fix.
QString startFailureReason(const store::DbError& e);
// The box text and the reason as a headless command prints them.
QString startFailureConsole(const char* boxText, const store::DbError& e);
// Shows the start-up failure box with its reason and prints both on
// standard error.
void showStartFailure(const char* boxText, const store::DbError& e);

} // namespace app
