// board_host.h: what the board model asks of the world around it.
//
// The rules of the game know nothing of windows, sounds or the score. The
// table window implements this interface; tests implement it with a
// recorder. Every call is a request the host may carry out as it likes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/progress_sink.h"
#include "base/rect16.h"

namespace cbst {

// The sounds the rules ask for, by their numbers.
enum class BoardSound : int {
  kEdge = 1,    // a carried piece pushed into the window's edge
  kPickUp = 2,  // a piece picked up
  kDrop = 3,
  kJoin = 4,
  kSolved = 5,
  kTurn = 6,
  kEffect = 7,  // a box opened or closed
};

class BoardHost {
 public:
  virtual ~BoardHost() = default;

  // Drawing: a rectangle of a window's surface, or one piece where it lies.
  virtual void Redraw(std::uint8_t window, const Rect16& rect) = 0;
  virtual void RedrawPiece(int piece) = 0;
  // While locked, moves are drawn once when the lock is lifted.
  virtual void LockPainting(bool locked) = 0;
  // The carried group leaves the window's background and floats as one
  // picture; false when that picture cannot be made. Dropping it puts the
  // group back into the background.
  // Without it (the default) groups are dragged piece by piece.
  virtual bool LiftGroup(const std::vector<int>& /*group*/, const Rect16& /*bounds*/) {
    return false;
  }
  virtual void DropLiftedGroup() {}
  // The floating picture of the carried group moved from `was` to `now`
  // in `window`, nothing else with it.
  virtual void RedrawCarried(std::uint8_t window, const Rect16& was, const Rect16& now) {
    Redraw(window, was.United(now));
  }

  // Pixels follow geometry: the board has turned the piece's geometry by
  // `quarter_turns`, and the host redraws its picture and shape; a side of
  // the piece (in screen directions) joined, and the host lights its
  // outline. Nothing by default: a host without pictures.
  virtual void PieceTurned(int /*piece*/, int /*quarter_turns*/) {}
  virtual void SideJoined(int /*piece*/, int /*screen_side*/) {}
  // Long work starts (true) or ends: the host may show that it is busy.
  virtual void LongWork(bool /*running*/) {}

  // The size of a window's surface and the areas on it that pieces must
  // keep clear of (for the table: the assembly area, the score, the boxes,
  // the preview picture).
  virtual Rect16 Surface(std::uint8_t window) = 0;
  virtual std::vector<Rect16> CoveredAreas(std::uint8_t window, bool animating) = 0;
  // Where the player assembles the picture on the table (top right).
  virtual Rect16 AssemblyArea() { return {}; }

  // An animated move of a piece's board position; a test host just jumps.
  virtual void Fly(int piece, int x, int y, int milliseconds) = 0;
  // Shows the piece's group turning about the pivot through `degrees`
  // (90 clockwise, -90 the other way) before the turn is made. Nothing by
  // default.
  virtual void AnimateTurn(int /*piece*/, int /*pivot_x*/, int /*pivot_y*/, int /*degrees*/,
                           int /*milliseconds*/) {}
  // A spread of a window's pieces starts (running) or ends. An animated one
  // shows each of its `total` pieces as it lands (SpreadStep); another one
  // hides the window's pieces until it is done.
  virtual void SpreadRuns(std::uint8_t /*window*/, bool /*animated*/, bool /*running*/) {}
  virtual void SpreadStep(int /*landed*/, int /*total*/) {}
  virtual void PlaySound(BoardSound sound) = 0;
  // A sparkle at (x, y) of window `window`'s surface (the table or a box).
  virtual void Sparkle(std::uint8_t window, int x, int y) = 0;
  virtual void StartCompletionEffect(int sparkles) = 0;
  virtual void StopClock() = 0;

  // What the score counts.
  virtual void CountJoinedSides(int sides) = 0;
  virtual void CountMove() = 0;
  virtual void CountHelp(int cost) = 0;

  // A progress window for work on many pieces, labelled with a dictionary
  // text; it shows only once the work has lasted, and goes with the
  // returned object. None by default.
  virtual std::unique_ptr<ProgressSink> ProgressWindowFor(int /*message*/) { return nullptr; }

  // Saving the game: at once, or when the interval has passed.
  virtual void AskForSave(bool urgent) = 0;

  // Piece boxes: the box under a rectangle of a window's surface (none:
  // the table), and a box fitting itself to the pieces it holds.
  virtual std::uint8_t BoxUnder(std::uint8_t window, const Rect16& rect) = 0;
  virtual void FitBox(std::uint8_t box) = 0;
  // Pieces went from one window to another: the boxes count theirs.
  virtual void PiecesChangedWindow() {}
};

}  // namespace cbst
