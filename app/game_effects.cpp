// game_effects.cpp: the game's clock started, paused and resumed.
#include "app/game_effects.h"

#include "app/competition_mode.h"
#include "app/saved_games.h"
#include "play/board_codes.h"

namespace cbst {

GameEffects::GameEffects(SoundPlayer& sounds, GameScore& score, const Puz& puz)
    : sounds_(sounds), score_(score), puz_(puz) {
  WatchModalWindows(this);
}

GameEffects::~GameEffects() {
  if (ModalWindowWatcher() == this) WatchModalWindows(nullptr);
}

void GameEffects::StartClock() {
  // A saved game goes on from its counters; a new one starts from nothing.
  if (puz_.state & kStateRestoring) {
    if (resumed_) score_.Restore(*resumed_);
  } else {
    score_.ResetScore();
  }
  if (competition_) competition_->GameStarted();
  score_.StartClock(ScoredPuzzleOf(puz_), (puz_.state & kGameSolved) != 0);
  // The clock starts running: what keeps it still now holds it again.
  for (int open = OpenModalWindows(); open > 0; --open)
    score_.Pause();
  if (inactive_) score_.Pause();
}

void GameEffects::AskForSave(bool urgent) {
  if (saver_) saver_->AutoSave((urgent ? kAutoSaveUrgent : kAutoSaveWhenDue) | kAutoSaveAutomatic);
}

void GameEffects::ProgramActive(bool active) {
  if (!active) {
    if (!inactive_) score_.Pause();
    inactive_ = true;
    return;
  }
  const bool was_inactive = inactive_;
  inactive_ = false;
  // The player is back at the table: whatever pause was left open ends.
  // With a dialog still open, only the absence ends.
  if (OpenModalWindows() == 0) {
    score_.ResumeAll();
  } else if (was_inactive) {
    score_.Resume();
  }
}

}  // namespace cbst
