// random_play.cpp: drags and helps drawn from a seeded generator.
#include "play/random_play.h"

#include <algorithm>
#include <random>

namespace cbst {

void PlayByChance(Board& board, const Rect16& surface, const ChancePlay& plan) {
  if (board.piece_count() == 0) return;
  std::mt19937 random(plan.seed);
  const auto uniform = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, std::max(low, high))(random);
  };
  for (int drag = 0; drag < plan.drags; ++drag) {
    const int piece = uniform(0, board.piece_count() - 1);
    const SPuz& lying = board.piece(piece);
    if (board.pinned(piece) || lying.box != kTableWindow) continue;
    const int x = uniform(surface.x, surface.x + surface.width - lying.board.width);
    const int y = uniform(surface.y, surface.y + surface.height - lying.board.height);
    board.PickUp(piece);
    board.DragStep(kTableWindow, piece, x, y, surface, true);
    board.Drop(piece, board.piece(piece).board.x, board.piece(piece).board.y);
  }
  for (int help = 0; help < plan.helps; ++help) {
    if (!board.Help()) break;
  }
}

}  // namespace cbst
