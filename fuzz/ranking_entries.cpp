// ranking_entries.cpp: the fuzz entry for ranking files: the file loaded as
// a ranking only looked at and as the open puzzle's, a game in progress
// placed and moved in it, and the ranking saved and loaded again, which must
// give back the named entries in the same order.
#include <algorithm>
#include <fstream>

#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_workspace.h"
#include "scores/ranking_file.h"

namespace cbst::fuzz {
namespace {

constexpr std::int32_t kLevel = 2;

bool Sorted(const std::vector<RankingEntry>& entries) {
  return std::is_sorted(
      entries.begin(), entries.end(),
      [](const RankingEntry& one, const RankingEntry& other) { return one.score > other.score; });
}

}  // namespace

int FuzzRanking(const std::uint8_t* data, std::size_t size) {
  PrepareFuzzing();
  Ranking ranking;
  ranking.puzzle = VString(WorkspaceFolder() + "/ranked.puz");
  ranking.level = kLevel;
  const VString file = RankingFileName(ranking.puzzle.c_str(), ranking.level, ranking.flags);
  Require(!file.empty(), "the workspace has no scores folder");
  {
    std::ofstream out(file.c_str(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }

  LoadRanking(ranking);
  Require(ranking.entries.size() <= static_cast<std::size_t>(kRankingStoredEntries),
          "a ranking file gave more entries than it may hold");
  Require(Sorted(ranking.entries), "a loaded ranking is not sorted");
  Require(ranking.current == kNoCurrentEntry, "a loaded ranking has a game in progress");
  const std::size_t viewed = ranking.entries.size();

  Ranking played = ranking;
  played.entries.clear();
  LoadRanking(played, {true, VString(WorkspaceFolder())});
  Require(played.entries.size() <= viewed, "the open puzzle's ranking gained entries");
  Require(Sorted(played.entries), "the open puzzle's ranking is not sorted");

  // A game in progress, scored just above the best or at the first entry's
  // score, then named and saved.
  RankingEntry game;
  game.player = VString("Fuzz");
  PlaceCurrentGame(ranking, game);
  const std::int32_t score = ranking.entries.front().score;
  Reposition(ranking, score);
  Require(Sorted(ranking.entries), "moving the game in progress broke the order");
  // An unsaved game takes over a file's entry without a name, as the game
  // does: the current entry is the one of the game's name.
  Require(ranking.entries[static_cast<std::size_t>(ranking.current)].game == game.game,
          "the current entry is not the game in progress");
  NameCurrentEntry(ranking, VString("fuzzed"));

  Require(SaveRanking(ranking).ok(), "a ranking could not be saved");
  std::vector<RankingEntry> expected;
  for (const RankingEntry& entry : ranking.entries) {
    if (expected.size() == static_cast<std::size_t>(kRankingStoredEntries)) break;
    if (entry.game.empty()) continue;
    expected.push_back(entry);
    expected.back().reserved = VString();
  }
  Ranking again;
  again.puzzle = ranking.puzzle;
  again.level = kLevel;
  LoadRanking(again);
  Require(again.entries == expected, "a saved ranking reads back otherwise");
  return 0;
}

}  // namespace cbst::fuzz
