// ranking.cpp: the ranking's order, and the entry of the game in progress.
#include "scores/ranking.h"

#include <utility>

namespace cbst {

void SortRankingEntries(std::vector<RankingEntry>& entries) {
  std::size_t at = 1;
  while (at < entries.size()) {
    if (entries[at].score > entries[at - 1].score) {
      std::swap(entries[at], entries[at - 1]);
      if (at > 1) --at;
    } else {
      ++at;
    }
  }
}

std::int32_t PlaceCurrentGame(Ranking& ranking, const RankingEntry& game) {
  std::vector<RankingEntry>& entries = ranking.entries;
  for (std::size_t index = 0; index < entries.size(); ++index) {
    if (entries[index].game == kReservedGameName || entries[index].game != game.game) continue;
    ranking.current = static_cast<std::int32_t>(index);
    return ranking.current;
  }
  entries.push_back(game);
  ranking.current = static_cast<std::int32_t>(entries.size() - 1);
  return ranking.current;
}

bool Reposition(Ranking& ranking, std::int32_t score) {
  std::vector<RankingEntry>& entries = ranking.entries;
  if (ranking.current < 0 || static_cast<std::size_t>(ranking.current) >= entries.size())
    return false;
  const std::int32_t before = ranking.current;
  auto at = static_cast<std::size_t>(ranking.current);
  entries[at].score = score;
  while (at > 0 && entries[at - 1].score < score) {
    std::swap(entries[at - 1], entries[at]);
    --at;
  }
  while (at + 1 < entries.size() && entries[at + 1].score >= score) {
    std::swap(entries[at + 1], entries[at]);
    ++at;
  }
  ranking.current = static_cast<std::int32_t>(at);
  return ranking.current != before;
}

void NameCurrentEntry(Ranking& ranking, const VString& name) {
  std::vector<RankingEntry>& entries = ranking.entries;
  if (ranking.current < 0 || static_cast<std::size_t>(ranking.current) >= entries.size()) return;
  for (std::size_t index = 0; index < entries.size(); ++index) {
    if (static_cast<std::int32_t>(index) == ranking.current || entries[index].game != name)
      continue;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
    if (static_cast<std::int32_t>(index) < ranking.current) --ranking.current;
    break;
  }
  entries[static_cast<std::size_t>(ranking.current)].game = name;
}

}  // namespace cbst
