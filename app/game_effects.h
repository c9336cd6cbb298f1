// game_effects.h: GameEffects, what play on the table asks of the game's
// sounds, score keeper and saved games.
#pragma once

#include <optional>

#include "platform/modal_windows.h"
#include "platform/sound_player.h"
#include "play/game_score.h"
#include "play/table_effects.h"
#include "puzzle/puz.h"

namespace cbst {

class CompetitionMode;
class GameSaver;

// Besides what the table asks, the clock stands still while a modal window
// is open and while the program is not the active one.
class GameEffects final : public TableEffects, private ModalWatcher {
 public:
  GameEffects(SoundPlayer& sounds, GameScore& score, const Puz& puz);
  ~GameEffects() override;
  GameEffects(const GameEffects&) = delete;
  GameEffects& operator=(const GameEffects&) = delete;

  void PlaySound(BoardSound sound) override { sounds_.Play(static_cast<int>(sound)); }
  void StartClock() override;
  // The counters a saved game being resumed goes on from, once it stands;
  // none for a new game.
  void set_resumed_counts(const std::optional<ScoreCounts>& counts) { resumed_ = counts; }
  // Where automatic saves are asked for.
  void set_saver(GameSaver* saver) { saver_ = saver; }
  // The competition a game enters when it starts in competition mode.
  void set_competition(CompetitionMode* competition) { competition_ = competition; }
  void StopClock() override { score_.StopClock(); }
  void PauseClock() override { score_.Pause(); }
  void ResumeClock() override { score_.Resume(); }
  void ProgramActive(bool active) override;
  void ClockTick() override { score_.Tick(); }
  void CountJoinedSides(int sides) override { score_.CountJoin(sides); }
  void CountMove() override { score_.CountMove(); }
  void CountHelp(int sides) override { score_.CountHelp(sides); }
  void AskForSave(bool urgent) override;

 private:
  void ModalWindowOpened() override { score_.Pause(); }
  void ModalWindowClosed() override { score_.Resume(); }

  SoundPlayer& sounds_;
  GameScore& score_;
  const Puz& puz_;
  bool inactive_ = false;
  std::optional<ScoreCounts> resumed_;
  GameSaver* saver_ = nullptr;
  CompetitionMode* competition_ = nullptr;
};

}  // namespace cbst
