#include "app/logo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace app {

bool logoFileAccepted(const QString& path)
{
    const QFileInfo f(path);
    if (!f.exists() || !f.isFile())
        return false;
    return f.size() == 941056 || f.size() == 962560;
}

QString logoPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/zelvojobs.avi");
}

} // namespace app
