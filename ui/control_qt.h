// control_qt.h: how the toolkit's controls tell their window, for ui/.
#pragma once

#include <QWidget>

namespace cbst {

class Window;

// Makes `control` (a widget carrying its id) tell `window` what the user
// does with it, as command events with the id: a button's click
// (kNotifyClicked), a choice in a combo box (kNotifySelectionChanged).
// Nothing is told once the application no longer holds `window`.
void ConnectNotifications(QWidget* control, Window* window);

}  // namespace cbst
