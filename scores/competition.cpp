// competition.cpp: entering and leaving the ranking, and the game's entry
// kept up to date.
#include "scores/competition.h"

namespace cbst {

void Competition::Enter(const VString& puzzle, std::int32_t level, std::uint32_t flags,
                        const SavedGamesCheck& saved_games, const RankingEntry& game) {
  ranking_ = Ranking();
  ranking_.puzzle = puzzle;
  ranking_.level = level;
  ranking_.flags = flags & (kRankingNoRotation | kRankingMosaic);
  LoadRanking(ranking_, saved_games);
  PlaceCurrentGame(ranking_, game);
  entered_ = true;
}

void Competition::Leave() {
  ranking_ = Ranking();
  entered_ = false;
}

RankingEntry* Competition::own() {
  if (ranking_.current < 0 || static_cast<std::size_t>(ranking_.current) >= ranking_.entries.size())
    return nullptr;
  return &ranking_.entries[static_cast<std::size_t>(ranking_.current)];
}

void Competition::Rename(const VString& name, const VString& player) {
  if (!own()) return;
  if (!name.empty()) NameCurrentEntry(ranking_, name);
  own()->player = player;
}

void Competition::Update(const RankingEntry& game) {
  if (!entered_ || !own()) return;
  RankingEntry& entry = *own();
  entry.time = game.time;
  entry.helps = game.helps;
  entry.solved = game.solved;
  entry.moves = game.moves;
  cbst::Reposition(ranking_, game.score);
}

Status Competition::WriteBack(const RankingEntry& game) {
  if (!entered_ || !own()) return Status();
  Rename(game.game, game.player);
  Update(game);
  return SaveRanking(ranking_);
}

std::int32_t Competition::entry_score(std::int32_t index) const {
  return ranking_.entries[static_cast<std::size_t>(index)].score;
}

void Competition::Reposition(std::int32_t score) {
  cbst::Reposition(ranking_, score);
}

}  // namespace cbst
