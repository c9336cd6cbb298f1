// saved_games.h: GameSaver, saving the game on the table and resuming saved
// games: the save-as question the first time, automatic saves, and the
// question before a changed game is closed.
//
// A save never loses a game: the file is written beside the old one and
// takes its place only once it is whole, and any failure leaves the old
// file as it was and the game as it is.
#pragma once

#include <cstdint>
#include <string>

#include "app/settings.h"
#include "base/status.h"
#include "play/game_score.h"
#include "play/wsaveas.h"
#include "puzzle/puz.h"

namespace cbst {

class CompetitionMode;
class GameEffects;
class WPuz;

// SaveGame flags.
inline constexpr unsigned kSaveConfirm = 0x01;    // message 509 once done
inline constexpr unsigned kSaveAskName = 0x02;    // the save-as dialog, always
inline constexpr unsigned kSaveVariant = 0x04;    // the dialog's second form
inline constexpr unsigned kSaveRanked = 0x08;     // its second confirm was pressed
inline constexpr unsigned kSaveAutomatic = 0x10;  // asked by play, not the player

// AutoSave requests.
inline constexpr unsigned kAutoSaveUrgent = 0x01;
inline constexpr unsigned kAutoSaveWhenDue = 0x02;
inline constexpr unsigned kAutoSaveAutomatic = 0x04;
// A when-due request saves at most this often.
inline constexpr std::int64_t kAutoSaveInterval = 60000;

// Dictionary texts.
inline constexpr int kTextGameSaved = 509;
inline constexpr int kTextSaveChangedGame = 510;
inline constexpr int kTextAutoSaveOff = 517;

// Rebuilding a game through a saved game of its own: the names it is
// saved under get this ending.
inline constexpr char kTemporarySuffix[] = "_Temp";

class GameSaver {
 public:
  // `puzzles_directory` is where saved games are written.
  GameSaver(Puz& puz, WPuz& table, GameScore& score, GameEffects& effects, const Settings& settings,
            std::string puzzles_directory);

  // The competition a game in competition mode is ranked in.
  void set_competition(CompetitionMode* competition) { competition_ = competition; }

  // Saves the game (flags kSave...). A cancelled save-as dialog gives a
  // quiet cancel; a failed write the file's status, the old file intact.
  // The clock stands still meanwhile.
  Status SaveGame(unsigned flags);
  // What play asks after a drop or a turn (kAutoSave... bits): a game with
  // automatic saves on that has changed is saved, a when-due request only
  // once a minute.
  void AutoSave(unsigned request);
  // Resumes the saved game at `path` in place of the game on the table; a
  // file that cannot be resumed leaves that game as it was.
  Status LoadGame(const std::string& path);
  // Before the game on the table is closed or replaced: a changed game is
  // saved (automatic saves on) or the player is asked; false when the
  // player cancels or the save fails.
  bool MayCloseGame();
  // Builds the game again from a saved game of its own, when what makes
  // its pieces has changed; it stays changed since its last save.
  Status Rebuild();

  // Where a saved game of this (Windows-1252) title is written, as a
  // UTF-8 path.
  std::string PathFor(std::string_view title) const;
  // The title the save-as dialog proposes: the puzzle's title, the piece
  // count, R for unturnable pieces and M for mosaic ones.
  std::string DefaultTitle() const;

 private:
  bool loaded() const { return !puz_.cut.pieces.empty(); }
  // The save-as dialog: the confirm's flags, or 0 when cancelled.
  unsigned AskName(bool ranked);
  Status Write(const std::string& path);

  Puz& puz_;
  WPuz& table_;
  GameScore& score_;
  GameEffects& effects_;
  const Settings& settings_;
  std::string puzzles_directory_;
  CompetitionMode* competition_ = nullptr;
};

}  // namespace cbst
