// competition_mode.h: CompetitionMode, a game played in competition mode:
// the ranking it enters when it starts or when the player turns the mode
// on, the small score window, and the ranking file written on every save
// the player makes.
#pragma once

#include <string>

#include "play/game_score.h"
#include "puzzle/puz.h"
#include "scores/competition.h"

namespace cbst {

class WMiniScore;

class CompetitionMode {
 public:
  // `saved_games_directory` is where the games are saved: a ranked game
  // whose file is gone from there leaves the ranking.
  CompetitionMode(const Puz& puz, GameScore& score, std::string saved_games_directory);
  ~CompetitionMode();
  CompetitionMode(const CompetitionMode&) = delete;
  CompetitionMode& operator=(const CompetitionMode&) = delete;

  // The small score window, which the keeper then keeps up to date until
  // this object goes (the window outlives it).
  void set_window(WMiniScore* window);
  WMiniScore* window() const { return window_; }

  // A game has been built or resumed: in competition mode it enters its
  // ranking again (the clock is started after this).
  void GameStarted();
  // The game's competition flag has just been set or cleared.
  void TurnOn();
  void TurnOff();
  // Shows (in competition mode only) or hides the small score window.
  void ShowScore(bool shown);
  // The game has been saved with the SaveGame flags `flags`: a save the
  // player made writes the game's entry back to the ranking's file.
  Status Saved(unsigned flags);

  bool on() const { return competition_.entered(); }
  // The live ranking of the game in progress.
  const Competition& competition() const { return competition_; }
  Competition& competition() { return competition_; }
  // The game's entry as it stands now.
  RankingEntry GameEntry() const;

 private:
  void Enter();

  const Puz& puz_;
  GameScore& score_;
  std::string saved_games_directory_;
  Competition competition_;
  WMiniScore* window_ = nullptr;
};

}  // namespace cbst
