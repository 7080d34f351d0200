#pragma once
// The underlined letter of a menu item reaches the enabled items that carry it: the only one
// is chosen at once, several are stepped through in turn, and disabled items never catch it.
// (Qt's own handling goes to the first item with the letter, even a disabled one, so an
// enabled item sharing its letter with a disabled one could not be reached at all.)
class QMenu;
class QString;
class QChar;

namespace vidoraw {

// Installs the handling on the menu and on every submenu it holds now.
void RouteMenuLetters(QMenu* menu);
// The underlined letter of a caption ("Š&táty" → 'T'), in capitals; null when it has none.
QChar MenuLetter(const QString& caption);

} // namespace vidoraw
