// piece_box.h: PieceBox, a surface beside the table on which the player
// sorts pieces, and the six boxes every new game starts with.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/rect16.h"
#include "base/vstring.h"

namespace cbst {

// PieceBox::flags.
inline constexpr std::uint8_t kBoxClosed = 0x01;
inline constexpr std::uint8_t kBoxMaximised = 0x04;

// A closed box is a square of this size parked along the bottom of the
// table, one every kClosedBoxPitch pixels.
inline constexpr int kClosedBoxSize = 28;
inline constexpr int kClosedBoxPitch = 30;
inline constexpr int kClosedBoxInset = 2;
// Open boxes of a new game cascade from (28, 28) by 28 pixels, each a third
// of the table across and down.
inline constexpr int kBoxCascadeStep = 28;
inline constexpr int kOpenBoxShare = 3;
inline constexpr int kBoxNameLength = 20;

inline constexpr std::array<std::uint32_t, 6> kDefaultBoxColours = {0x800000, 0x008000, 0x000080,
                                                                    0x808000, 0x008080, 0xC0C0C0};

// A box's square is not picture: on a table that counts in device pixels
// the sizes above are scaled so that the square keeps its size on the
// screen. The table sets the scale (1 until then); BoxPixels gives a size
// above in table pixels.
void SetBoxScale(double scale);
int BoxPixels(int size);

struct PieceBox {
  Rect16 open;  // the open box window on the screen
  std::int16_t closed_x = 0;
  std::int16_t closed_y = 0;
  std::uint8_t flags = kBoxClosed;
  std::uint8_t index = 0;
  std::int16_t pieces = 0;
  std::uint32_t colour = 0;  // 0x00BBGGRR
  bool title_locked = false;
  VString name;  // up to kBoxNameLength characters, may be empty

  bool closed() const { return (flags & kBoxClosed) != 0; }
  Rect16 ClosedRect() const {
    const auto size = static_cast<std::int16_t>(BoxPixels(kClosedBoxSize));
    return {closed_x, closed_y, size, size};
  }
};

// Puts every box's closed square in the row along the bottom of a table of
// the given size, the last box at the right.
void ParkClosedBoxes(std::vector<PieceBox>& boxes, int table_width, int table_height);

// The six closed boxes of a new game on a table of the given size.
std::vector<PieceBox> DefaultBoxes(int table_width, int table_height);

}  // namespace cbst
