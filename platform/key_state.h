// key_state.h: which keys and mouse buttons are down, as the window layer
// has seen them.
//
// Long operations and modifier tests ask the old asynchronous question: is
// the key down now, and was it pressed since I last asked? The window
// layer notes every press and release here, by virtual-key number.
#pragma once

#include <cstdint>

namespace cbst {

// Virtual-key numbers of the buttons and modifiers the program asks about.
inline constexpr int kVirtualLeftButton = 0x01;
inline constexpr int kVirtualRightButton = 0x02;
inline constexpr int kVirtualMiddleButton = 0x04;
inline constexpr int kVirtualShift = 0x10;
inline constexpr int kVirtualControl = 0x11;
inline constexpr int kVirtualAlt = 0x12;
inline constexpr int kVirtualNumLock = 0x90;
inline constexpr int kVirtualKeyCount = 256;

// AsyncKeyState bits.
inline constexpr std::uint16_t kKeyIsDown = 0x8000;
inline constexpr std::uint16_t kKeyWasPressed = 0x0001;  // since the previous question

void NoteKey(int virtual_key, bool down);
// No key of the keyboard is held any more (the mouse buttons stay as they
// are): the keyboard went to another window, and the
// releases of the keys held meanwhile may have gone to no window of ours
// (under Wayland the release of the Enter that closed a dialog does).
void ForgetHeldKeys();
// The key's bits; asking clears its "pressed since" bit.
std::uint16_t AsyncKeyState(int virtual_key);
// Down now, without touching the "pressed since" bit.
bool KeyDown(int virtual_key);

// Num Lock's light: toggled by each press of the key, or set from the
// system where it tells.
bool NumLockOn();
void SetNumLock(bool on);

}  // namespace cbst
