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

// The widget to own a dialog: the window's, when it still exists.
inline QWidget* WidgetOf(const PlatformWindow* window) {
  return window ? window->widget.data() : nullptr;
}

}  // namespace cbst
