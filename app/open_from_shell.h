// open_from_shell.h: opening what the command line or the desktop names.
#pragma once

#include <string>
#include <string_view>

#include "app/settings.h"
#include "base/status.h"
#include "play/wpuz.h"
#include "puzzle/puz.h"

namespace cbst {

class GameSaver;

inline constexpr std::string_view kKeyLastPuzzle = "LastPuz";
inline constexpr std::string_view kKeyPuzzlesDirectory = "DirPuzzles";
// Told to the main window when the last puzzle played changes.
inline constexpr std::uint32_t kCommandLastPuzzleChanged = 1128;

inline constexpr char kPuzzleElsewhereWarning[] =
    "Warning: You have that puzzle on a directory different than the one where is the "
    "Cobblestack program\r\nIf you move the puzzle file there then you'll be able to open it "
    "from the browser window";

// Where the game finds its puzzles and keeps its settings.
struct GamePlaces {
  const Settings& settings;
  std::string program_directory;

  // [Main] "DirPuzzles", or the program directory.
  std::string PuzzlesDirectory() const;
};

// Opens what `command_line` names (a path, perhaps in double quotes,
// perhaps empty) as ClassifyCommandLine tells it: nothing runs the browser
// with the last puzzle or saved game played chosen; a puzzle of the
// puzzles folder runs the browser for it and a saved game there is
// resumed, once the game on the table has been offered for saving (the
// player may cancel: nothing is opened then); a file elsewhere is played
// at its first level after a warning. A picture is made into a puzzle.
Status OpenFromCommandLine(Puz& puz, WPuz& table, const GamePlaces& places,
                           std::string_view command_line, GameSaver* saver = nullptr);

// What the browser adds to a puzzle's path: the level (0..4, or from the
// puzzle's level count on for its custom size) and the variant options of
// a new game (kOpenNoTurning, kOpenMosaic).
struct PlayChoice {
  int level = 0;
  std::uint32_t options = 0;
};

// Opens `path` for play without asking about the game on the table (the
// caller has): a saved game is resumed through `saver`, a puzzle starts a
// new game as `choice` says. Remembered as the last puzzle when it opens.
Status OpenChosen(Puz& puz, WPuz& table, const GamePlaces& places, const std::string& path,
                  const PlayChoice& choice, GameSaver* saver);

// Remembers `path` as the last puzzle played and tells the table; when the
// settings cannot be written the table is told nothing.
void RememberLastPuzzle(const GamePlaces& places, WPuz& table, std::string_view path);

}  // namespace cbst
