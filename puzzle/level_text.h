// level_text.h: the size of a level as a user types it.
//
// "12x9" is 12 rows of 9 columns; a plain number of pieces is laid out in
// the grid whose pieces come closest to squares on the picture.
#pragma once

#include "base/status.h"

namespace cbst {

// Pieces must be at least this wide and high, and a level needs this many.
inline constexpr int kMinPieceSide = 12;
inline constexpr int kMinLevelPieces = 4;

struct LevelSize {
  int rows = 0;
  int columns = 0;
  int count = 0;  // pieces asked for
  float piece_width = 0;
  float piece_height = 0;
};

// Reads `text` for a picture of `width` x `height`. With `validate`, too
// small pieces give status 1003, fewer than four pieces status 1004 and
// more than kMaxPieces status 1006.
LevelSize ParseLevelText(const char* text, int width, int height, bool validate, Status& status);

}  // namespace cbst
