// multi_spuzs.h: MultiSPuzs, the rubber-band selection of pieces.
//
// The player draws a rectangle over a window of pieces with Ctrl held;
// every piece lying inside it is selected with its whole group. The
// rectangle can be moved and resized afterwards, and the selection
// follows. Its menu spreads, pins or unpins what is selected.
#pragma once

#include <cstdint>
#include <memory>

#include "base/rect16.h"
#include "play/board.h"
#include "ui/track_rect.h"

namespace cbst {

class Window;

// The selection's commands.
inline constexpr std::uint32_t kCommandSpreadSelection = 1200;
inline constexpr std::uint32_t kCommandPinSelection = 1201;
inline constexpr std::uint32_t kCommandUnpinSelection = 1202;
// A selection starts once the mouse is further than this from the press,
// counted as |dx| + |dy|.
inline constexpr int kSelectionStart = 16;

class MultiSPuzs {
 public:
  // A selection of the pieces of `window` (shown on `owner`) inside
  // `rect`; with the left button still held its corner follows the mouse.
  MultiSPuzs(Window& owner, Board& board, std::uint8_t window, const Rect16& rect);
  MultiSPuzs(const MultiSPuzs&) = delete;
  MultiSPuzs& operator=(const MultiSPuzs&) = delete;
  // Every piece is free of the selection again.
  ~MultiSPuzs();

  TrackRect& track() { return track_; }
  const Rect16& rect() const { return track_.rect(); }
  Window& owner() const { return track_.owner(); }
  std::uint8_t window() const { return window_; }
  int selected() const { return selected_; }
  int pinned() const { return pinned_; }

  // Selects afresh what lies inside the rectangle now.
  void Mark();
  void PinAll();
  void UnpinAll();

 private:
  Board& board_;
  std::uint8_t window_;
  TrackRect track_;
  int selected_ = 0;
  int pinned_ = 0;
};

}  // namespace cbst
