#include "app/manual.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef KARVELA_MANUAL_FROM_BIN
#define KARVELA_MANUAL_FROM_BIN "../share/karvela/manual.html"
#endif
#ifndef KARVELA_MANUAL_INSTALLED
#define KARVELA_MANUAL_INSTALLED "/usr/share/karvela/manual.html"
#endif

namespace app {

QString manualPath(const QString& programDir)
{
    const QDir dir(programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir);
    const QStringList candidates = {
        dir.filePath(QStringLiteral("docs/manual.html")), // build tree
        dir.filePath(QStringLiteral(KARVELA_MANUAL_FROM_BIN)), // installed, wherever the prefix was moved
        QStringLiteral(KARVELA_MANUAL_INSTALLED),
        QStringLiteral("/usr/share/karvela/manual.html"),
    };
    for (const QString& c : candidates) {
        const QFileInfo f(c);
        if (f.isFile())
            return f.canonicalFilePath();
    }
    return QString();
}

} // namespace app
