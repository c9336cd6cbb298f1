// loupe.h: the loupe's settings, its keys, where its window goes, when it
// may open, and the magnification of what lies under it.
#pragma once

#include <cstdint>

#include "base/rect16.h"
#include "gfx/bmp.h"

namespace cbst {

// The loupe's side in pixels and its magnification: where they start, how
// far its keys take them and by how much at a time.
inline constexpr int kLoupeDefaultSize = 150;
inline constexpr int kLoupeMinSize = 100;
inline constexpr int kLoupeMaxSize = 280;
inline constexpr int kLoupeSizeStep = 20;
inline constexpr double kLoupeDefaultZoom = 2.0;
inline constexpr double kLoupeMinZoom = 2.0;
inline constexpr double kLoupeMaxZoom = 5.0;
inline constexpr double kLoupeZoomStep = 1.0;
// The window is this much larger than the loupe's size: its frame.
inline constexpr int kLoupeFrameExtra = 30;
// The mouse buttons a way of opening the loupe allows to be held: the left
// one (its icon, the Shift key), or both (a right press with the left held).
inline constexpr std::uint8_t kLoupeLeftButton = 0x10;
inline constexpr std::uint8_t kLoupeBothButtons = 0x30;

struct LoupeSettings {
  int size = kLoupeDefaultSize;
  double zoom = kLoupeDefaultZoom;
  friend bool operator==(const LoupeSettings&, const LoupeSettings&) = default;
};

// Brings settings read from anywhere within the loupe's limits.
LoupeSettings ClampedLoupe(LoupeSettings settings);

// What a key does to an open loupe.
enum class LoupeKeyEffect {
  kNotMine,  // not a loupe key: it goes on to the table
  kNothing,  // a loupe key at its limit
  kResized,  // the size changed: the loupe is made again
  kZoomed,   // the magnification changed
  kClose,
};
// Up and Down change the size, + and - the magnification, Esc closes.
LoupeKeyEffect ApplyLoupeKey(LoupeSettings& settings, int virtual_key);

// The loupe's window for the mouse at (x, y): a square of side size + 30
// (the frame's share given in the table's pixels) whose top left lies
// size / 2 to the left of and above the mouse.
Rect16 LoupeWindowRect(const LoupeSettings& settings, int x, int y,
                       int frame_extra = kLoupeFrameExtra);

// What stands in the way of opening the loupe.
struct LoupeHindrances {
  std::uint8_t buttons_held = 0;  // 0x10 left, 0x20 right, 0x40 middle
  bool modal_open = false;        // a dialog or a message box
  bool preview_dragged = false;
  bool tack_carried = false;
  bool other_window_active = false;  // neither the table nor a piece box
  bool selection = false;            // a rubber band exists
};
// True when the loupe may open in `mode` (kLoupeLeftButton or
// kLoupeBothButtons): the buttons held are among the mode's, and nothing
// else is going on.
bool LoupeMayOpen(const LoupeHindrances& now, std::uint8_t mode);

// Fills `target` with `source` magnified `zoom` times about a fixed point:
// target pixel (fixed_x, fixed_y) shows source pixel (at_x, at_y), and
// every other one the source pixel its distance divided by `zoom` away.
// Pixels from outside the source take `outside` (a pixel of the target's
// format, as its bytes lie). Both views have the same bytes per pixel.
void Magnify(const PixelView& source, int at_x, int at_y, double zoom, const PixelView& target,
             int fixed_x, int fixed_y, std::uint32_t outside);

// The part of a source that Magnify reads for a target of width x height.
Rect16 MagnifiedSource(int at_x, int at_y, double zoom, int width, int height, int fixed_x,
                       int fixed_y);

}  // namespace cbst
