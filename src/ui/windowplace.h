#pragma once
// Windows that fit the screen and come back where the user left them.

#include <QString>

class QMainWindow;
class QWidget;

namespace ui {

// Puts a window's content in a scroll area: the window may then be smaller
// than its content, which scrolls.
void scrollContent(QMainWindow* window);
// Keeps a window, frame included, within the available area of its screen.
void fitToScreen(QWidget* window);
// Puts the window back at its remembered place (and size, with `withSize`)
// when it is first shown, and remembers them as they change. Kept per user
// under "Windows/<key>".
void rememberPlace(QWidget* window, const QString& key, bool withSize);

} // namespace ui
