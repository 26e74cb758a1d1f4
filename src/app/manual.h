#pragma once
// Where the user manual (one HTML page) is: beside the program in a build
// tree, or under the installation's data folder.

#include <QString>

namespace app {

// The manual's full path, or an empty text when none is found. `programDir`
// is the folder of the running program (QCoreApplication::applicationDirPath()
// when empty).
QString manualPath(const QString& programDir = QString());

} // namespace app
