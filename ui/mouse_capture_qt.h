// mouse_capture_qt.h: the window that takes every click and move of the
// program while it holds the capture (a drag, a carried tack or preview,
// the credits), for ui/.
//
// The window system is asked for no grab. A button held down already keeps
// the mouse with the window it was pressed on, on every desktop, and a
// Wayland compositor grants a grab to no window but a popup. Inside the
// program the events are sent on here to the window that holds the capture.
#pragma once

class QEvent;
class QObject;
class QWidget;

namespace cbst {

// `widget` takes the mouse; nullptr lets it go.
void CaptureMouse(QWidget* widget);
// The widget that holds the capture, or none.
QWidget* MouseCaptor();

// Sends a mouse event meant for another widget of the captor's top-level
// window to the captor instead, at the same place on the screen; true
// when it did, and the event is to go no further.
bool SendMouseToCaptor(QObject* target, QEvent* event);

}  // namespace cbst
