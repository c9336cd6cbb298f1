// show_ranking.h: the ranking window for the open puzzle or another one,
// and scores pasted from the clipboard into the ranking they belong to.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "scores/ranking.h"
#include "scores/wranking.h"

namespace cbst {

class Window;

// Messages of the ranking and of pasted scores.
inline constexpr int kTextNoScoresYet = 554;
inline constexpr int kTextScoresAdded = 546;
inline constexpr int kTextNotScores = 547;
inline constexpr int kTextScoresNotWritten = 548;

// Which ranking is asked for, and how its title reads.
struct RankingRequest {
  VString puzzle;           // the puzzle file's path
  std::string puzzle_name;  // what the title and the certificates call it
  std::int32_t level = 0;
  std::uint32_t flags = 0;  // kRankingNoRotation, kRankingMosaic
  std::int32_t rows = 0;
  std::int32_t columns = 0;
  bool custom = false;  // a custom level of the open puzzle
};

// The ranking of the game in progress, as the game keeps it.
struct LiveRanking {
  Ranking* ranking = nullptr;
  RankingRequest request;
  int sides = 0;  // the game's sides to join
  // Gives the game in progress its entry again once the window closes.
  std::function<void()> place_again;
};

// The same puzzle name, level and variant bits.
bool SameRanking(const RankingRequest& one, const RankingRequest& other);

// Shows `which` modally over `parent`: the live ranking when it is the one
// asked for, else the ranking file of that puzzle, which is saved back when
// the window closes. An empty ranking of another puzzle is only told
// (message 554). The refresh button shows the ranking again.
void ShowRanking(Window* parent, const RankingRequest& which, const LiveRanking* live,
                 const RankingWindowPlace& place);

// The puzzle of that name in `directory`: a file whose base name is
// `name` (in any case), or else the path such a file would have.
VString PuzzleNamed(const std::string& directory, std::string_view name);

// What became of pasted text.
enum class PastedScores { kNotScores, kDeclined, kAdded, kNotWritten };

// Text taken from the clipboard: a certificate is shown for adding (the
// player may decline) and added to the ranking file of its puzzle in
// `directory`; a ranking's games are added to theirs. The player is told
// what happened (messages 546, 547, 548).
PastedScores PasteScores(Window* parent, std::string_view text, const std::string& directory,
                         const RankingWindowPlace& place);

}  // namespace cbst
