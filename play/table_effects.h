// table_effects.h: TableEffects, what play on the table asks of the sounds,
// the score and saving.
//
// The table carries out the rules' requests that concern its screen and
// hands these on; the program answers them with its sound player, its
// score keeper and its saved games.
#pragma once

#include "play/board_host.h"

namespace cbst {

class TableEffects {
 public:
  virtual ~TableEffects() = default;
  virtual void PlaySound(BoardSound sound) = 0;
  // A game has been built or loaded on the table: its clock starts (a new
  // game's from nothing).
  virtual void StartClock() {}
  virtual void StopClock() = 0;
  // The clock stands still while a dialog of the game is open; pauses nest.
  virtual void PauseClock() = 0;
  virtual void ResumeClock() = 0;
  // The program went behind another one (false) or came back to the front.
  virtual void ProgramActive(bool /*active*/) {}
  // The table's one-second tick.
  virtual void ClockTick() {}
  virtual void CountJoinedSides(int sides) = 0;
  virtual void CountMove() = 0;
  virtual void CountHelp(int cost) = 0;
  virtual void AskForSave(bool urgent) = 0;
};

}  // namespace cbst
