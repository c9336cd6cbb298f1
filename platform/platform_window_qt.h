// platform_window_qt.h: the toolkit widget behind a PlatformWindow, for
// platform/ and ui/.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/platform_window.h"

namespace cbst {

struct PlatformWindow {
  QPointer<QWidget> widget;
};

// The widget behind a window, when it still exists.
inline QWidget* WidgetOf(const PlatformWindow* window) {
  return window ? window->widget.data() : nullptr;
}

// The widget to own a dialog: the owner's; with none, the window the player
// works in (the modal window on top, the active window, else the program's
// full-screen table). A dialog with an owner is transient for it, so window
// managers keep it above the table even while the program is not active.
QWidget* DialogOwner(const PlatformWindow* owner);

}  // namespace cbst
