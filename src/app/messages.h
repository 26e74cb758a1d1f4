#pragma once
// Start-up failures, shared by the windows and the headless commands.

#include <QString>

namespace app {

inline constexpr const char* kNoDataSource = "Check Your Database File and DSN (Data Source Name - Tessara)\r\n"
                                             "Program will now Close. Remove Error and Try again.";
inline constexpr const char* kBadTables = "Database File Does Not Have Correct Table(s).\r\n"
                                          "Program will now Close. Remove Error and Try again.";

// A box's text as a headless command prints it: plain line feeds, one at
// the end.
inline QString consoleText(const char* boxText)
{
    return QString::fromLatin1(boxText).replace(QLatin1String("\r\n"), QLatin1String("\n")) + QLatin1Char('\n');
}

} // namespace app
