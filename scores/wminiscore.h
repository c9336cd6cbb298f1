// wminiscore.h: WMiniScore, the small score window of a game in competition
// mode: the playing time, the score, the game's place in its ranking, the
// score projected at this pace and the place that projection would reach.
//
// A child of the table without a frame, kept above the other windows on
// it. The score keeper tells it which values changed; a value under the
// carried group's floating picture is left as it is until the next full
// repaint. A double click asks the game for the ranking window.
#pragma once

#include <cstdint>
#include <string>

#include "gfx/drawing_tools.h"
#include "play/game_score.h"
#include "ui/window.h"

namespace cbst {

class WPuz;

// The values, in the order they are laid out.
enum class MiniScoreField : int { kTime, kScore, kPlace, kProjection, kProjectedPlace };
inline constexpr int kMiniScoreFields = 5;

// Colours (0x00BBGGRR).
inline constexpr std::uint32_t kMiniScoreBackground = 0x800000;
inline constexpr std::uint32_t kMiniScoreClockRunning = 0x00FF00;
inline constexpr std::uint32_t kMiniScoreClockStill = 0xC0C0C0;
inline constexpr std::uint32_t kMiniScoreScores = 0xFFFF00;
inline constexpr std::uint32_t kMiniScoreRising = 0x00FF00;
inline constexpr std::uint32_t kMiniScoreFalling = 0x0000FF;
inline constexpr std::uint32_t kMiniScoreSteady = 0xFFFFFF;
inline constexpr std::uint32_t kMiniScoreLabels = 0xC0C0C0;

// Dictionary texts: the labels of the first three values, the line over
// the projection, and the tips of the five values.
inline constexpr int kTextMiniTime = 508;
inline constexpr int kTextMiniScore = 527;
inline constexpr int kTextMiniPlace = 528;
inline constexpr int kTextMiniAtThisPace = 536;
inline constexpr int kTextMiniTips = 980;

// The game's command that opens the ranking of the game in progress.
inline constexpr std::uint32_t kCommandLiveRanking = 3020;
inline constexpr int kHelpTopicMiniScore = 111;
// The scores are written right-aligned in this many places.
inline constexpr int kMiniScorePlaces = 14;

class WMiniScore final : public Window, public ScoreDisplay {
 public:
  static const ClassInfo kClass;

  // The window shows `score`; whoever makes it the score's display takes
  // it off again before the window goes.
  WMiniScore(WPuz& table, const GameScore& score);

  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // Makes the hidden window in the table's top right corner.
  bool CreateMiniScore();
  // Shows it above the table's other windows, or hides it. Until the
  // player moves it, it shows at the top of the table beside the assembly
  // area, where it hides no place a piece belongs.
  void ShowScore(bool shown);

  // Where a value lies in the window's layout, and in its pixels (which
  // are the table's: on a screen that scales, the text is drawn as sharp
  // as the screen allows).
  static Rect16 FieldRect(MiniScoreField field);
  Rect16 FieldPixels(MiniScoreField field) const;
  // What a value shows now, and in which colour.
  std::string FieldText(MiniScoreField field) const;
  std::uint32_t FieldColour(MiniScoreField field) const;
  // The values the last refresh repainted (bits by field, 1 << field).
  unsigned repainted() const { return repainted_; }

  // ScoreDisplay.
  bool visible() const override { return Window::visible(); }
  void ScoreChanged(unsigned parts) override;

  void OnEvent(Event& event) override;
  void Paint(DC& dc) override;

 private:
  // The field under the carried group's floating picture.
  bool UnderCarriedPicture(MiniScoreField field) const;
  void OfferTip(int x, int y);
  // A left drag moves the window, never out of the table.
  bool OnMouse(const MousePayload& mouse);
  void MoveTo(int x, int y);
  void SendToGame(std::uint32_t command, std::intptr_t parameter);
  // A size of the window's own layout in the table's pixels.
  int OnTable(int size) const;

  WPuz& table_;
  const GameScore& score_;
  Font font_;
  unsigned repainted_ = 0;
  bool moved_ = false;  // by the player
  bool moving_ = false;
  // The mouse's place in the window when the drag began.
  int grip_x_ = 0;
  int grip_y_ = 0;
};

}  // namespace cbst
