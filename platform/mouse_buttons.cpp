// mouse_buttons.cpp: button state, kept in the key table.
#include "platform/mouse_buttons.h"

#include "platform/key_state.h"

namespace cbst {
namespace {

int VirtualKeyOf(MouseButton button) {
  switch (button) {
    case MouseButton::kLeft:
      return kVirtualLeftButton;
    case MouseButton::kRight:
      return kVirtualRightButton;
    default:
      return kVirtualMiddleButton;
  }
}

bool& Swapped() {
  static bool swapped = false;
  return swapped;
}

bool DownAndPressed(int virtual_key) {
  const std::uint16_t bits = AsyncKeyState(virtual_key);
  return (bits & kKeyIsDown) && (bits & kKeyWasPressed);
}

}  // namespace

bool MouseButtonsSwapped() {
  return Swapped();
}

void SetMouseButtonsSwapped(bool swapped) {
  Swapped() = swapped;
}

void NoteMouseButton(MouseButton button, bool down) {
  NoteKey(VirtualKeyOf(button), down);
}

bool MouseButtonDown(MouseButton button) {
  return KeyDown(VirtualKeyOf(button));
}

bool MouseButtonPressedNow() {
  // Both buttons are asked, so that each question starts a new period.
  const bool left = DownAndPressed(kVirtualLeftButton);
  const bool right = DownAndPressed(kVirtualRightButton);
  AsyncKeyState(kVirtualMiddleButton);
  return left || right;
}

}  // namespace cbst
