// browse_puzzles.h: choosing what to play in the puzzle browser and
// opening it.
#pragma once

#include <string>

#include "app/open_from_shell.h"
#include "base/status.h"

namespace cbst {

// Runs the browser over the puzzles folder, with `preselect` (a path)
// selected when listed, and opens the line the player chooses: a puzzle
// line starts a new game at its level with the chosen variants, a saved
// game is resumed. An opening the player cancels (a custom size not given)
// brings the browser back. A new game that saves itself or is ranked is
// saved at once so that it has a name. Closing the browser gives a quiet
// cancel. The caller has already offered the game on the table for saving.
Status BrowseAndOpen(Puz& puz, WPuz& table, const GamePlaces& places, GameSaver* saver,
                     const std::string& preselect = {});

}  // namespace cbst
