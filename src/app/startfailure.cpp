#include "app/startfailure.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "store/datasource.h"

#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace app {

QString startFailureReason(const store::DbError& e)
{
    const store::DataSourceFacts f = store::dataSourceFacts();
    QStringList l;
    l << QStringLiteral("Data source: %1").arg(f.name);
    l << QStringLiteral("Driver's message: %1").arg(e.description().isEmpty() ? QStringLiteral("(none)") : e.description());
    if (f.sqlite && !f.database.isEmpty())
        l << QStringLiteral("Database file looked for: %1%2")
                 .arg(f.database, QFileInfo::exists(f.database) ? QString() : QStringLiteral(" (it does not exist)"));
    if (f.definedIn.isEmpty())
        l << QStringLiteral("No data source %1 is defined in the user file %2 or the system file %3.")
                 .arg(f.name, f.userIni, f.systemIni);
    else
        l << QStringLiteral("The data source is defined in %1 (user file %2, system file %3).")
                 .arg(f.definedIn, f.userIni, f.systemIni);
    l << QStringLiteral("How to fix it: README, section \"When Karvela does not start\".");
    return l.join(QLatin1Char('\n'));
}

QString startFailureConsole(const char* boxText, const store::DbError& e)
{
    return consoleText(boxText) + startFailureReason(e) + QLatin1Char('\n');
}

void showStartFailure(const char* boxText, const store::DbError& e)
{
    const QString reason = startFailureReason(e);
    std::fputs(qPrintable(consoleText(boxText) + reason + QLatin1Char('\n')), stderr);
    std::fflush(stderr);
    dialogs().messageWithReason(QString::fromLatin1(boxText), style::Critical, reason);
}

} // namespace app
