// winfo.h: WInfo, the game settings window (F2): the switches of the game
// being played, and what there is to know about it so far.
#pragma once

#include <cstdint>
#include <string>

#include "play/game_score.h"
#include "puzzle/puz.h"
#include "ui/win_dlg.h"

namespace cbst {

class GameHandler;

inline constexpr int kInfoTemplate = 1106;
// The game's switches; each box's id is the command that changes it.
inline constexpr int kInfoCompetition = 1160;
inline constexpr int kInfoNoPreview = 1125;
inline constexpr int kInfoHideBoxes = 1006;
inline constexpr int kInfoHideScore = 1108;
// The text about the game.
inline constexpr int kInfoFacts = 1170;
// Puts the game's score certificate on the clipboard.
inline constexpr int kInfoCopyCertificate = 1171;
inline constexpr int kHelpTopicGameSettings = 156;

// The dictionary's words for the lines of the text.
inline constexpr int kTextPuzzle = 503;
inline constexpr int kTextPiece = 500;
inline constexpr int kContextPlural = 0x40;
inline constexpr int kTextTime = 508;
inline constexpr int kTextMoves = 504;
inline constexpr int kContextShort = 0x20;
inline constexpr int kTextJoins = 507;
inline constexpr int kTextHelps = 506;
inline constexpr int kTextScore = 527;
inline constexpr int kTextAtThisPace = 536;

// Playing time as hours, minutes and seconds ("0:07:05").
std::string PlayingTime(std::int32_t milliseconds);

// What the window tells about the game: the puzzle's title and credit, its
// rows x columns and pieces, the time played, moves, the pairs joined of
// all, the helps, the score now and the one at the end at this pace.
std::string GameFacts(const Puz& puz, const GameScore& score);

class WInfo final : public WinDlg {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // The boxes are sent to `game` as their commands, the parameter 1 when
  // checked and 0 when not.
  WInfo(Puz& puz, const GameScore& score, GameHandler& game);

  void OnEvent(Event& event) override;

 private:
  void Prime();
  void Send(std::uint32_t command, std::intptr_t parameter);

  Puz& puz_;
  const GameScore& score_;
  GameHandler& game_;
  bool primed_ = false;
};

}  // namespace cbst
