// competition.h: Competition, the ranking a game in competition mode plays
// against: the best games on its puzzle, level and variant, with an entry
// of its own that the score keeper moves as the score changes.
#pragma once

#include <cstdint>

#include "base/status.h"
#include "play/game_score.h"
#include "scores/ranking.h"
#include "scores/ranking_file.h"

namespace cbst {

class Competition final : public ScoreCompetition {
 public:
  // Loads the ranking of `puzzle` at `level` in the variant `flags` (the
  // games whose saved files are gone dropped as `saved_games` says) and
  // gives `game` its entry: the one saved under its name, or a new one.
  void Enter(const VString& puzzle, std::int32_t level, std::uint32_t flags,
             const SavedGamesCheck& saved_games, const RankingEntry& game);
  // The game leaves the competition: its entry goes and the list is
  // forgotten.
  void Leave();
  bool entered() const { return entered_; }

  // The game was saved as `name` by `player`: its entry takes both, and an
  // older entry of the same name goes.
  void Rename(const VString& name, const VString& player);
  // The game's entry takes the counters and the score of `game`, as the
  // ranking window shows them.
  void Update(const RankingEntry& game);
  // Writes the game's entry, with the counters of `game`, back to the
  // ranking's file.
  Status WriteBack(const RankingEntry& game);

  const Ranking& ranking() const { return ranking_; }
  Ranking& ranking() { return ranking_; }

  // ScoreCompetition.
  std::int32_t current_entry() const override { return ranking_.current; }
  std::int32_t entry_count() const override {
    return static_cast<std::int32_t>(ranking_.entries.size());
  }
  std::int32_t entry_score(std::int32_t index) const override;
  void Reposition(std::int32_t score) override;

 private:
  RankingEntry* own();

  Ranking ranking_;
  bool entered_ = false;
};

}  // namespace cbst
