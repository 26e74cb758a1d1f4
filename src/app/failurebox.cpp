#include "app/failurebox.h"

namespace app {

QString lostConnectionText(const QString& notSaved)
{
    QString t = QStringLiteral("The connection to the data source Tessara was lost (the server stopped or the "
                               "network dropped). ");
    if (!notSaved.isEmpty())
        t += notSaved + QLatin1Char(' ');
    return t + QStringLiteral("Karvela connects again at the next command; check the server and try again.");
}

QString failureDescription(const store::DbError& e, const QString& notSaved)
{
    return e.kind() == store::ErrorKind::ConnectionLost ? lostConnectionText(notSaved) : e.description();
}

QString failureBoxText(const QString& routine, const store::DbError& e, const QString& notSaved)
{
    // A refusal, not a failure: its own text says what happened and what to do.
    if (e.kind() == store::ErrorKind::MonthClosed)
        return e.description();
    return e.number() + QStringLiteral("\r\n") + routine + QStringLiteral(" SubRoutine\r\n")
        + failureDescription(e, notSaved);
}

} // namespace app
