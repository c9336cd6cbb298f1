// top_level_place.cpp: top-level windows placed where the window system lets
// the program place them.
#include "ui/top_level_place_qt.h"

#include <QGuiApplication>
#include <QRect>
#include <QWidget>

namespace cbst {

bool ProgramPlacesWindows() {
  // "wayland", "wayland-egl", "wayland-brcm", ...
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void PlaceTopLevel(QWidget* window, const QRect& place) {
  if (ProgramPlacesWindows()) {
    window->setGeometry(place);
  } else {
    window->resize(place.size());
  }
}

void CentreTopLevel(QWidget* window, const QRect& over) {
  if (!ProgramPlacesWindows()) return;
  window->move(over.center() - QPoint(window->width() / 2, window->height() / 2));
}

}  // namespace cbst
