// open_puzzle.h: from a puzzle file to a game ready to play on a table.
#pragma once

#include <cstdint>

#include "base/status.h"
#include "base/vstring.h"
#include "puzzle/piece_sheets.h"
#include "puzzle/play_table.h"
#include "puzzle/puz.h"

namespace cbst {

// What the new-game dialog adds to a puzzle's own options.
inline constexpr std::uint32_t kOpenNoTurning = 0x20;
inline constexpr std::uint32_t kOpenMosaic = 0x100;

// Puz::state while a game is built.
inline constexpr std::uint32_t kStateBuilding = 0x01;
inline constexpr std::uint32_t kStateBuildingBusy = 0x2000;

// The table of a puzzle without its own background colour.
inline constexpr std::uint32_t kDefaultBackground = 0x808080;

inline constexpr char kProgramTitle[] = "Cobblestack";

// A saved game being resumed: what it puts over the puzzle's header (its own
// options, seed, boxes and custom size) before the pieces are cut, and where
// its pieces lie once they are cut again, before they are drawn.
class GameResumption {
 public:
  virtual ~GameResumption() = default;
  virtual Status TakeGame(Puz& puz, const PlayTable& table) const = 0;
  virtual Status PlacePieces(Puz& puz) const = 0;
};

struct OpenRequest {
  VString path;
  std::uint32_t options = 0;  // kOpenNoTurning, kOpenMosaic
  // 0..4, or anything from the puzzle's level count on for the custom size.
  int level = 0;
  bool cache_allowed = false;  // the option that lets the picture be cached
  // The seed of a new game of a puzzle without its own; 0 draws one from
  // the clock.
  std::uint32_t game_seed = 0;
  // The switches a new game starts with (a resumed game keeps its own).
  std::uint32_t game_flags = 0;
  // How the pieces are drawn and turned: the player's options.
  SheetChoices sheets;
  // Resuming a saved game of the puzzle at `path`, or none for a new game.
  const GameResumption* resume = nullptr;
};

// Milliseconds spent in each stage of an opening.
struct OpenTimings {
  double header = 0;
  double picture = 0;  // decoding, or reading the cache
  bool from_cache = false;
  double reduce = 0;
  double cut = 0;
  double sheets = 0;
  double scatter = 0;
};

// Opens the puzzle file for a new game on `table`: header and options,
// the picture reduced to the table, the pieces cut and drawn, the default
// boxes, the clock started and the pieces spread; or, with a resumption,
// the saved game's pieces where they lay. A failure leaves `puz`, and the
// game the table shows, as they were; cancelling the custom-size question
// fails quietly (already handled).
Status OpenPuzzleForPlay(Puz& puz, const OpenRequest& request, PlayTable& table,
                         OpenTimings* timings = nullptr);

// Openings under way, for the parts of the program that must wait while
// pieces are being built.
int OpeningsInProgress();

}  // namespace cbst
