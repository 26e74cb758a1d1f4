#pragma once
// Opening the user manual in the desktop's browser.

namespace ui {

// Opens the manual; says so in a box when it cannot be found.
void openUserManual();

} // namespace ui
