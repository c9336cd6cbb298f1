// random_play.h: a game played by chance, for the tool and the tests.
//
// Drags random pieces to random places on the table and lets the game's own
// drop decide what joins, then asks for help; a fixed seed plays the same
// game every time, so saved games can be made and compared without a player.
#pragma once

#include <cstdint>

#include "play/board.h"

namespace cbst {

struct ChancePlay {
  int drags = 0;
  int helps = 0;
  std::uint32_t seed = 1;
};

// Plays `plan` on `board`, whose table is `surface`: each drag picks up a
// piece on the table that is not pinned, moves it in one step and drops it; each help
// is the board's help.
void PlayByChance(Board& board, const Rect16& surface, const ChancePlay& plan);

}  // namespace cbst
