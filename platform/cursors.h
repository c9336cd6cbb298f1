// cursors.h: the mouse cursor over a window: the system's shapes and the
// program's own pictures.
#pragma once

#include <cstdint>

#include "platform/platform_window.h"

namespace cbst {

// The system's shapes, and the program's own from kFirstProgramCursor on.
enum CursorShape : int {
  kCursorArrow = 0,
  kCursorWait,
  kCursorMove,
  kCursorSizeNorthWestSouthEast,
  kCursorSizeNorthEastSouthWest,
  kCursorSizeWestEast,
  kCursorSizeNorthSouth,
  kCursorHand,
  kFirstProgramCursor = 100,
};

// Makes a cursor of the program from width x height pixels 0xAARRGGBB
// (alpha 0 is transparent) with its hot spot; returns its shape number.
int RegisterCursor(int width, int height, const std::uint32_t* pixels, int hot_x, int hot_y);

// The cursor shown over `window` from now on; an unknown shape is the arrow.
void SetWindowCursor(const PlatformWindow* window, int shape);
int WindowCursor(const PlatformWindow* window);

}  // namespace cbst
