// top_level_place_qt.h: where the program's own top-level windows go, for
// ui/.
//
// Under X11 the program puts a dialog over its owner and a window back where
// the player left it. A Wayland compositor places top-level windows itself
// (a transient one beside its parent) and honours no position a program
// asks for; there only the size is given.
#pragma once

class QRect;
class QWidget;

namespace cbst {

// False where the window system places top-level windows itself.
bool ProgramPlacesWindows();

// Gives the top-level `window` the rectangle `place` (screen coordinates),
// or, where the window system places windows, only its size.
void PlaceTopLevel(QWidget* window, const QRect& place);

// Puts the top-level `window` in the middle of `over` (screen coordinates).
void CentreTopLevel(QWidget* window, const QRect& over);

}  // namespace cbst
