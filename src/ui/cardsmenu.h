#pragma once
// The data-entry window's Cards menu: the stored cards of the department and
// month shown, one page a card, to print and sign.

class QMenu;

namespace ui {

class Main;

// Adds the Cards menu in front of the About item.
QMenu* addCardsMenu(Main* window);
// Print Cards...: the preview of the cards of the window's department and
// card month, from which they are printed; a box when there are none.
void printCards(Main* window);

} // namespace ui
