#include "store/datasource.h"

#include "store/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <pwd.h>
#include <unistd.h>

namespace store {

namespace {

// The entries of one section of an ini file; false when it has none.
bool readSection(const QString& path, const QString& section, QString& driver, QString& database)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&f);
    bool inside = false, found = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inside = line.mid(1, line.indexOf(QLatin1Char(']')) - 1).trimmed().compare(section, Qt::CaseInsensitive) == 0;
            found = found || inside;
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (!inside || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key.compare(QLatin1String("Driver"), Qt::CaseInsensitive) == 0)
            driver = value;
        else if (key.compare(QLatin1String("Database"), Qt::CaseInsensitive) == 0)
            database = value;
    }
    return found;
}

QString accountHome()
{
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return QString::fromLocal8Bit(pw->pw_dir);
    return QDir::homePath();
}

} // namespace

DataSourceFacts dataSourceFacts()
{
    DataSourceFacts f;
    QString cs = QString::fromLatin1(kConnectionString);
    f.name = cs.section(QLatin1Char(';'), 0, 0).section(QLatin1Char('='), 1);
    f.userIni = qEnvironmentVariableIsSet("ODBCINI") ? qEnvironmentVariable("ODBCINI")
                                                     : accountHome() + QStringLiteral("/.odbc.ini");
    f.systemIni = (qEnvironmentVariableIsSet("ODBCSYSINI") ? qEnvironmentVariable("ODBCSYSINI") : QStringLiteral("/etc"))
        + QStringLiteral("/odbc.ini");
    for (const QString& ini : {f.userIni, f.systemIni}) {
        if (readSection(ini, f.name, f.driver, f.database)) {
            f.definedIn = ini;
            break;
        }
    }
    f.sqlite = f.driver.contains(QLatin1String("sqlite"), Qt::CaseInsensitive);
    return f;
}

void checkDataSourceFile()
{
    const DataSourceFacts f = dataSourceFacts();
    if (f.sqlite && !f.database.isEmpty() && !QFileInfo::exists(f.database))
        throw DbError(ErrorKind::Unavailable, QStringLiteral("0"), QString(),
                      QStringLiteral("The database file %1 does not exist.").arg(f.database));
}

bool createDataSourceFile()
{
    const DataSourceFacts f = dataSourceFacts();
    if (!f.sqlite || f.database.isEmpty() || QFileInfo::exists(f.database))
        return true;
    const QString folder = QFileInfo(f.database).absolutePath();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder))
            return false;
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QFile db(f.database);
    if (!db.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    db.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

} // namespace store
