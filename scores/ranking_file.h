// ranking_file.h: the file a ranking lives in, one per puzzle, level and
// variant, in a "scores" folder beside the puzzle.
//
// The file is little-endian: the seven bytes "CSRRBOF", a 16-bit count, the
// entries (game name, a reserved text, player, score, time, then helps,
// moves and solved, in that order), and the seven bytes "CSRREOF". A text
// is a 16-bit length and its bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "base/file.h"
#include "base/status.h"
#include "base/vstring.h"
#include "scores/ranking.h"

namespace cbst {

inline constexpr char kRankingFileStart[] = "CSRRBOF";
inline constexpr char kRankingFileEnd[] = "CSRREOF";
inline constexpr int kRankingMarkBytes = 7;
// Only the best games are kept on disk.
inline constexpr int kRankingStoredEntries = 15;
inline constexpr char kRankingFolder[] = "scores";
inline constexpr char kRankingNoRotationMark = 'R';
inline constexpr char kRankingMosaicMark = 'M';

// The ranking file of `puzzle` at `level` in the variant `flags`: the
// puzzle's base name with the level, "R" when pieces do not turn and "M"
// for a mosaic as extension, in the "scores" folder beside the puzzle. The
// folder is made when missing; empty when it can be neither found nor made
// (the ranking then has no file).
VString RankingFileName(const char* puzzle, std::int32_t level, std::uint32_t flags);

// How the bytes of a ranking file were taken.
enum class RankingRead {
  kNotRanking,  // no "CSRRBOF" at the start: nothing was taken
  kDamaged,     // cut short, a count out of range or no "CSRREOF": nothing was taken
  kRead,
};

// The entries of a ranking file's bytes, in the file's order.
RankingRead DecodeRankingEntries(const std::vector<std::uint8_t>& bytes,
                                 std::vector<RankingEntry>& entries);
// The file's bytes for `entries`: the first 15 that have a game name.
std::vector<std::uint8_t> EncodeRankingEntries(const std::vector<RankingEntry>& entries);

// For the ranking of the puzzle being played, entries whose saved game is
// gone are dropped as the file is read; a ranking only looked at keeps
// every entry.
struct SavedGamesCheck {
  bool drop_missing = false;
  VString directory;  // where the games are saved; empty: beside the puzzle
};

// Fills the ranking's entries from its file, sorted, and forgets the
// current entry. A missing file, or one that does not start as a ranking
// file, leaves the entries as they were; a damaged one empties them.
void LoadRanking(Ranking& ranking, const SavedGamesCheck& check = {});

// Writes the best 15 named entries to the ranking's file through a
// temporary file beside it, so a failed write leaves the old file whole.
// Nothing is written when the ranking has no file. `stream`, when given, is
// the file object written through (tests pass one that fails).
Status SaveRanking(const Ranking& ranking, File* stream = nullptr);

}  // namespace cbst
