#pragma once
#include <QString>

namespace app {
// The logo animation plays only from a file of one of its two known lengths.
bool logoFileAccepted(const QString& path);
// The animation file next to the program.
QString logoPath();
} // namespace app
