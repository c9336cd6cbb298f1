// key_state.cpp: the key table kept from the window layer's events.
#include "platform/key_state.h"

#include <array>

namespace cbst {
namespace {

struct KeyTable {
  std::array<std::uint16_t, kVirtualKeyCount> bits{};
  bool num_lock = false;
};

// The keyboard and mouse state the platform keeps for the program.
KeyTable& Keys() {
  static KeyTable keys;
  return keys;
}

bool Valid(int virtual_key) {
  return virtual_key >= 0 && virtual_key < kVirtualKeyCount;
}

}  // namespace

void NoteKey(int virtual_key, bool down) {
  if (!Valid(virtual_key)) return;
  std::uint16_t& bits = Keys().bits[static_cast<std::size_t>(virtual_key)];
  if (down) {
    if (virtual_key == kVirtualNumLock && !(bits & kKeyIsDown)) Keys().num_lock ^= true;
    bits |= kKeyIsDown | kKeyWasPressed;
  } else {
    bits &= static_cast<std::uint16_t>(~kKeyIsDown);
  }
}

void ForgetHeldKeys() {
  for (int virtual_key = 0; virtual_key < kVirtualKeyCount; ++virtual_key) {
    // The mouse buttons are kept apart: their releases reach the program.
    if (virtual_key == kVirtualLeftButton || virtual_key == kVirtualRightButton ||
        virtual_key == kVirtualMiddleButton)
      continue;
    Keys().bits[static_cast<std::size_t>(virtual_key)] &= static_cast<std::uint16_t>(~kKeyIsDown);
  }
}

std::uint16_t AsyncKeyState(int virtual_key) {
  if (!Valid(virtual_key)) return 0;
  std::uint16_t& bits = Keys().bits[static_cast<std::size_t>(virtual_key)];
  const std::uint16_t answer = bits;
  bits &= static_cast<std::uint16_t>(~kKeyWasPressed);
  return answer;
}

bool KeyDown(int virtual_key) {
  return Valid(virtual_key) &&
         (Keys().bits[static_cast<std::size_t>(virtual_key)] & kKeyIsDown) != 0;
}

bool NumLockOn() {
  return Keys().num_lock;
}

void SetNumLock(bool on) {
  Keys().num_lock = on;
}

}  // namespace cbst
