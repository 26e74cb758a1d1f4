#include "ui/usermanual.h"

#include "app/dialogs.h"
#include "app/manual.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

void openUserManual()
{
    const QString path = app::manualPath();
    if (path.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        app::dialogs().message(QStringLiteral("The user manual could not be opened."),
                               app::style::OkOnly + app::style::Exclamation);
}

} // namespace ui
