// game_effects.h: GameEffects, what play on the table asks of the game's
// sounds and score keeper, and later of its saved games.
#pragma once

#include "platform/modal_windows.h"
#include "platform/sound_player.h"
#include "play/game_score.h"
#include "play/table_effects.h"
#include "puzzle/puz.h"

namespace cbst {

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
  void StopClock() override { score_.StopClock(); }
  void PauseClock() override { score_.Pause(); }
  void ResumeClock() override { score_.Resume(); }
  void ProgramActive(bool active) override;
  void ClockTick() override { score_.Tick(); }
  void CountJoinedSides(int sides) override { score_.CountJoin(sides); }
  void CountMove() override { score_.CountMove(); }
  void CountHelp(int sides) override { score_.CountHelp(sides); }
  // Automatic saves arrive with saved games.
  void AskForSave(bool) override {}

 private:
  void ModalWindowOpened() override { score_.Pause(); }
  void ModalWindowClosed() override { score_.Resume(); }

  SoundPlayer& sounds_;
  GameScore& score_;
  const Puz& puz_;
  bool inactive_ = false;
};

}  // namespace cbst
