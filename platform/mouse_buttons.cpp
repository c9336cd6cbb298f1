// mouse_buttons.cpp: button state kept from the window layer's events.
#include "platform/mouse_buttons.h"

#include <array>

namespace cbst {
namespace {

struct ButtonState {
  bool down = false;
  bool pressed_since_query = false;
};

// Part of the keyboard and mouse state the platform keeps for the program.
std::array<ButtonState, 3>& Buttons() {
  static std::array<ButtonState, 3> buttons;
  return buttons;
}

}  // namespace

void NoteMouseButton(MouseButton button, bool down) {
  ButtonState& state = Buttons()[static_cast<int>(button)];
  state.down = down;
  if (down) state.pressed_since_query = true;
}

bool MouseButtonPressedNow() {
  bool pressed = false;
  for (MouseButton button : {MouseButton::kLeft, MouseButton::kRight}) {
    ButtonState& state = Buttons()[static_cast<int>(button)];
    pressed = pressed || (state.down && state.pressed_since_query);
  }
  for (ButtonState& state : Buttons())
    state.pressed_since_query = false;
  return pressed;
}

}  // namespace cbst
