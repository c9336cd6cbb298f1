// dialog_owner.cpp: the window a dialog belongs to when its caller names none.
#include <QApplication>
#include <QWidget>

#include "platform/platform_window_qt.h"

namespace cbst {

QWidget* DialogOwner(const PlatformWindow* owner) {
  if (QWidget* widget = WidgetOf(owner)) return widget;
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  // The program is not active (a report of work done in the background):
  // its main window, the one that covers the screen, else any it shows.
  QWidget* shown = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible() || window->windowType() == Qt::Popup ||
        window->windowType() == Qt::ToolTip)
      continue;
    if (window->isFullScreen()) return window;
    if (!shown) shown = window;
  }
  return shown;
}

}  // namespace cbst
