// game_effects.h: GameEffects, what play on the table asks of the game's
// sounds, and later of its score and saved games.
#pragma once

#include "platform/sound_player.h"
#include "play/table_effects.h"

namespace cbst {

class GameEffects final : public TableEffects {
 public:
  explicit GameEffects(SoundPlayer& sounds) : sounds_(sounds) {}

  void PlaySound(BoardSound sound) override { sounds_.Play(static_cast<int>(sound)); }
  // The score keeper and automatic saves arrive with their issues; until
  // then the game counts nothing and saves nothing.
  void StopClock() override {}
  void PauseClock() override {}
  void ResumeClock() override {}
  void CountJoinedSides(int) override {}
  void CountMove() override {}
  void CountHelp(int) override {}
  void AskForSave(bool) override {}

 private:
  SoundPlayer& sounds_;
};

}  // namespace cbst
