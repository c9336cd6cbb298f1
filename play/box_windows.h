// box_windows.h: BoxWindows, the windows of a game's piece boxes.
//
// The table keeps one of these. It makes a window for every box of the
// game when the game opens and lets them go when it closes; it knows
// which box lies under a carried piece, opens and closes boxes, sends
// groups into them and takes them out, and passes the board's redraws of
// a box to its window.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/rect16.h"
#include "play/piece_boxes.h"
#include "play/play_state.h"

namespace cbst {

class Board;
class BoardHost;
class WBox;
class WPuz;
struct Puz;

// A box opening or closing grows or shrinks from one place to the other
// in this time; maximising and restoring take a little longer.
inline constexpr int kBoxToggleMilliseconds = 150;
inline constexpr int kBoxZoomMilliseconds = 200;
// An open box keeps this much of the screen free at its right and bottom.
inline constexpr int kBoxScreenMargin = 28;

class BoxWindows final : public PieceBoxes, public PieceWindows {
 public:
  explicit BoxWindows(WPuz& table);
  ~BoxWindows() override;
  BoxWindows(const BoxWindows&) = delete;
  BoxWindows& operator=(const BoxWindows&) = delete;

  // Makes the windows of the game's boxes, or lets them all go.
  void Open();
  void Close();
  // No zooming rectangles (the player's choice).
  void set_animations(bool on) { animations_ = on; }

  WPuz& table() { return table_; }
  Board& board();
  Puz& puz();
  PlayState& play();
  // The window of box `box`, or none.
  WBox* window(int box) const;

  // The open box whose client area holds the middle of `rect` (of window
  // `window`'s client area): the piece's own box first, then the others
  // in order; kTableWindow when none does.
  std::uint8_t BoxUnder(std::uint8_t window, const Rect16& rect) const;
  // A box window's surface: its client area.
  Rect16 Surface(std::uint8_t box) const;
  void Redraw(std::uint8_t box, const Rect16& rect);
  // The whole of every box window again (a paint lock lifted).
  void RedrawAll();
  // The box's caption follows the count of pieces it holds.
  void CountPieces();

  // The box's window above the others.
  void BringToTop(int box);

  // Box operations.
  void Maximise(int box, bool maximised);
  void LineUpClosedBoxes();
  bool ClosedBoxesInLine() const;
  void Empty(int box);
  void Spread(int box);
  void ChooseColour(int box);
  void Rename(int box);

  // PieceBoxes.
  int count() const override;
  bool OfferKey(const KeyPayload& key) override;
  void Toggle(int box) override { Toggle(box, false); }
  // Quietly: without the box's sound, as when a hint opens it. While the
  // boxes are put away, they come back first.
  void Toggle(int box, bool quietly);
  std::optional<int> PieceUnderCursor() override;
  void TakeGroup(int piece, int box) override;
  void HideAll() override;
  void ShowAll() override;

  // PieceWindows.
  WSPuz* WindowOf(std::uint8_t window) override;

 private:
  // Makes box `box`'s window as the box says, shown unless hidden.
  void Make(int box);
  void Zoom(const Rect16& from, const Rect16& to, int milliseconds);
  // The topmost shown box window, or none.
  WBox* Topmost() const;

  WPuz& table_;
  std::vector<WBox*> windows_;  // held by the application, one per box
  std::uint64_t raises_ = 0;
  bool animations_ = true;
  bool hidden_ = false;
};

}  // namespace cbst
