// cut.h: cutting a picture into a grid of turned pieces with interlocking tabs.
//
// Pieces are never stored: every opening cuts them again from the seed, so
// each random number below is drawn in a fixed order. Changing that order
// changes every saved game's pieces.
#pragma once

#include <cstdint>
#include <vector>

#include "base/rect16.h"
#include "puzzle/random.h"
#include "puzzle/spuz.h"

namespace cbst {

// Cutting rules: games saved before 2.20 keep the old tab size formulas.
inline constexpr std::int16_t kCuttingRulesCurrent = 230;
inline constexpr std::int16_t kCuttingRulesNewSizes = 220;
// Puzzles this large leave about three pieces in ten unturned.
inline constexpr int kManyPieces = 180;

struct CutRequest {
  std::int16_t picture_width = 0;  // of the reduced picture
  std::int16_t picture_height = 0;
  int rows = 0;
  int columns = 0;
  std::int16_t cutting_rules = kCuttingRulesCurrent;
  bool no_rotation = false;  // NoRotable
  bool no_tabs = false;      // NoDeform
  // Resuming: the rotation numbers are drawn to keep the generator in step,
  // but the rotations come from the saved game.
  bool resume = false;
};

struct Cut {
  std::int16_t piece_width = 0;   // PW
  std::int16_t piece_height = 0;  // PH
  int rows = 0;
  int columns = 0;
  std::vector<SPuz> pieces;  // row-major
  std::vector<std::int16_t> z_order;
  // Each tab twice: once for each of its two pieces, since each copy later
  // moves with its own piece.
  std::vector<Rect16> tabs;
};

// Cuts with `random`, which the caller has seeded.
Cut CutPieces(const CutRequest& request, Random& random);

}  // namespace cbst
