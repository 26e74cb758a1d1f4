#include "app/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace app {

namespace {
QString path(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}
} // namespace

QString readSetting(const QString& section, const QString& key, const QString& fallback)
{
    QSettings s{QString::fromLatin1(kAppName), QString::fromLatin1(kAppName)};
    return s.value(path(section, key), fallback).toString();
}

void writeSetting(const QString& section, const QString& key, const QString& value)
{
    writeSettingValue(section, key, value);
}

QVariant readSettingValue(const QString& section, const QString& key)
{
    QSettings s{QString::fromLatin1(kAppName), QString::fromLatin1(kAppName)};
    return s.value(path(section, key));
}

void writeSettingValue(const QString& section, const QString& key, const QVariant& value)
{
    QSettings s{QString::fromLatin1(kAppName), QString::fromLatin1(kAppName)};
    // The departmental password stands in this file: the program's own
    // folder is the owner's only (never the whole configuration folder) and
    // so is the file.
    const QString folder = QFileInfo(s.fileName()).absolutePath();
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    s.setValue(path(section, key), value);
    s.sync();
    QFile::setPermissions(s.fileName(), QFile::ReadOwner | QFile::WriteOwner);
}

Globals readGlobals()
{
    Globals g;
    g.Department = readSetting(QStringLiteral("DepttSetting"), QStringLiteral("Department"));
    g.DeptPwd = readSetting(QStringLiteral("DepttSetting"), QStringLiteral("DeptPwd"));
    g.StartDate = readSetting(QStringLiteral("StartDate"), QStringLiteral("StartDate"), QStringLiteral("21"));
    return g;
}

Globals& globals()
{
    static Globals g;
    return g;
}

} // namespace app
