// mouse_buttons.h: the mouse buttons as the window layer has seen them.
//
// Long operations ask whether the player has clicked meanwhile, the way
// the old asynchronous key state answered it: a button that is down and was
// pressed since the previous question.
#pragma once

namespace cbst {

enum class MouseButton { kLeft, kRight, kMiddle };

// Told by the window layer for every press and release.
void NoteMouseButton(MouseButton button, bool down);

// Whether the player has swapped the buttons (left-handed). The events
// already name the buttons by their roles; this only changes what texts
// call them.
bool MouseButtonsSwapped();
void SetMouseButtonsSwapped(bool swapped);

// Whether `button` is held now, without starting a new period.
bool MouseButtonDown(MouseButton button);

// True when the left or the right button is down now and was pressed since
// the previous call; each call starts a new period.
bool MouseButtonPressedNow();

}  // namespace cbst
