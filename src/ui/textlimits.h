#pragma once
// What a window's text boxes take: no NUL character anywhere, and typing
// stops at the length of the column a box is stored in. A longer value
// that arrives at once (pasted, or shown from an earlier store) stays
// whole, so that the save refuses it with a message instead of cutting it.

class QWidget;

namespace ui {

// Guards every text box of `window` (its objectName picks the boxes'
// columns); a box guarded already is left as it is.
void guardTextBoxes(QWidget* window);

} // namespace ui
