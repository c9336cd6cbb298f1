// puz.h: Puz, the current game: the puzzle's values, its cut and its pieces.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/vstring.h"
#include "gfx/bmp_mem.h"
#include "puzzle/cut.h"
#include "puzzle/piece_box.h"
#include "puzzle/piece_sheets.h"
#include "puzzle/puzzle_codes.h"

namespace cbst {

// The extension of puzzle files, compared without regard to case.
inline constexpr char kPuzzleFileExtension[] = "puz";

struct Puz {
  std::uint32_t puzzle_seed = 0;  // Rndn: of the puzzle file
  std::int16_t cutting_rules = kCuttingRulesCurrent;
  std::uint32_t background = 0;  // 0x00BBGGRR
  VString credit;
  VString title;
  std::array<std::int16_t, kLevelSlots> level_rows = {};
  std::array<std::int16_t, kLevelSlots> level_columns = {};
  std::uint32_t size_flags = 0;
  // Names of external files some puzzles refer to; an empty picture name
  // means the embedded picture.
  VString picture_file;     // F:
  VString picture_file_16;  // F16:
  VString picture_file_p;   // FP:
  VString thumbnail_file;   // Tmb:

  // Where the puzzle file is, and the saved game when one is resumed.
  VString file_path;
  VString saved_game_path;
  // What the player called the saved game, their name and the game's
  // password, kept for its next save.
  VString saved_title;
  VString player;
  VString password;

  Cut cut;
  // The picture reduced to the table (its rectangle, and the scale from the
  // decoded picture), while it is kept, every piece drawn from it, and its
  // half-size copy for the preview.
  std::unique_ptr<BmpMem> picture;
  Rect16 picture_rect;
  float scale = 1.0f;
  PieceSheets sheets;
  std::unique_ptr<BmpMem> preview_picture;

  // Play: the piece under the mouse in
  // a drag and the group it carries as one picture (with that group's
  // bounding rectangle), the game state, the puzzle's option flags, the
  // game's flags, the level played, the seed this game was cut with, the distance dragged
  // pieces travelled in millimetres, the tick of the last save.
  int dragged = -1;
  std::vector<int> carried;
  Rect16 carried_bounds;
  std::vector<PieceBox> boxes;
  std::uint32_t state = 0;
  std::uint32_t option_flags = 0;
  // The game's own switches (competition, automatic save, no preview,
  // hidden boxes, hidden score): set as it starts, kept with it when saved.
  std::uint32_t game_flags = 0;
  int level = 0;  // 0..4, or kCustomLevel
  std::uint32_t game_seed = 0;
  double mouse_travel = 0;
  std::int64_t last_save_tick = 0;

  // Lets go of everything: the pieces, the sheets, the pictures, the boxes.
  void Clear() { *this = Puz(); }

  bool HasOption(std::uint32_t flag) const { return (option_flags & flag) != 0; }
  // Levels defined: the leading ones whose row count is not zero.
  int DefinedLevels() const;
};

}  // namespace cbst
