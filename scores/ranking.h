// ranking.h: Ranking, the best competition games of one puzzle at one level
// and variant, and the moves of the game in progress within it.
//
// The list is kept sorted by score, highest first. The game being played
// has an entry of its own (the current entry) that climbs and sinks as its
// score changes; ties always put it below the games already ranked.
#pragma once

#include <cstdint>
#include <vector>

#include "base/vstring.h"
#include "puzzle/puzzle_codes.h"

namespace cbst {

// The game name of entries that stand for no saved game: they are kept and
// written, but never taken for the game in progress.
inline constexpr char kReservedGameName[] = "*R*";
// The variant bits of a ranking, as the puzzle's options have them.
inline constexpr std::uint32_t kRankingNoRotation = kOptionNoRotable;
inline constexpr std::uint32_t kRankingMosaic = kOptionNoDeform;
// A ranking has no current entry.
inline constexpr std::int32_t kNoCurrentEntry = -1;

struct RankingEntry {
  VString game;      // the saved game's name; empty while the game is unsaved
  VString reserved;  // written empty, ignored when read
  VString player;
  std::int32_t score = 0;
  std::int32_t time = 0;  // milliseconds, whole tenths of a second
  std::int16_t helps = 0;
  std::int16_t solved = 0;  // pieces placed
  std::int16_t moves = 0;

  bool operator==(const RankingEntry&) const = default;
};

struct Ranking {
  VString puzzle;  // the puzzle file's path
  std::int32_t level = 0;
  std::uint32_t flags = 0;  // kRankingNoRotation, kRankingMosaic
  std::vector<RankingEntry> entries;
  std::int32_t current = kNoCurrentEntry;
};

// Sorts by score, highest first, by exchanging neighbours: entries of equal
// score keep their order.
void SortRankingEntries(std::vector<RankingEntry>& entries);

// Gives the game in progress its entry: the one already carrying its saved
// game's name (never a reserved one) or else `game` appended at the end.
// Returns the current entry's index. Reposition then moves it to its place.
std::int32_t PlaceCurrentGame(Ranking& ranking, const RankingEntry& game);

// The game in progress scores `score` now: its entry takes the score and
// moves up past every entry with less, then down past every entry with as
// much or more. Whether its index changed; false without a current entry.
bool Reposition(Ranking& ranking, std::int32_t score);

// The game in progress was saved as `name`: its entry takes the name, and
// an older entry of the same name (the game's last save) goes.
void NameCurrentEntry(Ranking& ranking, const VString& name);

}  // namespace cbst
