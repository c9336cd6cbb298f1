// puz_options.h: reading and writing a puzzle's option string.
//
// Puzzle files and saved games share the syntax; in game mode the seed is the
// game's, and the saved-game keys follow the ones read and written here.
#pragma once

#include <cstdint>
#include <string>

#include "base/status.h"
#include "puzzle/option_string.h"
#include "puzzle/puz.h"

namespace cbst {

enum class OptionMode { kPuzzle, kGame };

// What the parse needs to know of the screen.
struct ScreenFacts {
  int width = 0;
  int height = 0;
  bool few_colours = false;  // 16 colours or fewer
};

// Takes the puzzle's keys out of `options` into `puz`, in the fixed order the
// files rely on. In game mode the saved-game keys are left in `options` for
// the saved-game reader. A MinRes: larger than the screen gives status 1002.
Status ParseOptions(Puz& puz, OptionMode mode, OptionString& options, const ScreenFacts& screen);

// The option string of `puz`, in the writer's order. In game mode the saved
// game appends its own keys after these.
std::string ComposeOptions(const Puz& puz, OptionMode mode);

// The program-wide required version that written puzzle files carry;
// WantPgmVersion: of a puzzle being made sets it.
std::uint16_t& RequiredProgramVersion();

}  // namespace cbst
