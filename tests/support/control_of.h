// control_of.h: a control of a dialog or window by its id, as the
// templates number them, for tests that click and type like a player.
#pragma once

#include <QWidget>

namespace cbst::testing {

// The first child of `window` of type W whose id is `id`, or null.
template <typename W = QWidget>
W* ControlOf(QWidget* window, int id) {
  for (W* each : window->findChildren<W*>())
    if (each->property("id").isValid() && each->property("id").toInt() == id) return each;
  return nullptr;
}

}  // namespace cbst::testing
