// saved_game_state.h: a game in progress into a SavedGame and back.
//
// Saving captures the pieces, boxes and option text of the current game;
// resuming opens the puzzle again with the saved seed and puts every piece
// back where it lay, between the cut and the drawing of the pieces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/status.h"
#include "play/saved_game.h"
#include "puzzle/open_puzzle.h"
#include "puzzle/puz.h"
#include "puzzle/thumb.h"

namespace cbst {

// Option keys only saved games carry.
inline constexpr char kKeyVersion[] = "Vers:";
inline constexpr char kKeyCuttingRules[] = "VersMakePieza:";
inline constexpr char kKeyWindowSize[] = "SZW:";
inline constexpr char kKeyMouseTravel[] = "mmsrun:";
inline constexpr char kKeyBoxName[] = "boxnm:";

// What a save adds to the game itself.
struct SaveDetails {
  VString title;
  VString player;
  VString password;
  ScoreCounts counters;
  int table_width = 0;  // the window the game was played in
  int table_height = 0;
};

// The saved game of `puz` as it stands, to be written to `saved_path`: the
// puzzle is named relative to the saved game's folder when it lies there.
SavedGame CaptureGame(const Puz& puz, const SaveDetails& details, const std::string& saved_path);

// The option text of a saved game: the puzzle's keys in game mode, then the
// game's switches, versions, window size, distance dragged and box names.
std::string ComposeGameOptions(const Puz& puz, int table_width, int table_height);

// The puzzle file a saved game at `saved_path` names.
std::string SavedPuzzlePath(const SavedGame& game, const std::string& saved_path);

// The header of a saved game, for Thumb: its puzzle's header (levels,
// picture, thumbnail) under the saved game's own name and title. The
// program installs it with SetSavedGameHeaderReader.
Status ReadSavedGameHeader(Thumb& thumb, bool load_thumbnail);

// Resuming `game` (read from `saved_path`) through OpenPuzzleForPlay.
class SavedGameResumption final : public GameResumption {
 public:
  SavedGameResumption(const SavedGame& game, std::string saved_path)
      : game_(game), saved_path_(std::move(saved_path)) {}

  // The game's seed, option keys, switches, custom size and boxes over the
  // puzzle's header; a game saved in a larger table gives status 1001.
  Status TakeGame(Puz& puz, const PlayTable& table) const override;
  // Every piece's position, turn, box, joins and flags and the z-order; a
  // box the game does not have puts its piece on the table.
  Status PlacePieces(Puz& puz) const override;

  // The request that opens the game: its puzzle, level and the choices.
  OpenRequest Request(const SheetChoices& sheets, bool cache_allowed) const;

 private:
  const SavedGame& game_;
  std::string saved_path_;
};

}  // namespace cbst
