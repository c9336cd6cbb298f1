// thumbtack.h: cXinx, the thumbtack the player pins groups of pieces with.
//
// Pinned groups carry a tack each, drawn on one of their pieces. The loose
// tack lives in its home at the bottom left of the table; the player takes
// it from there, or from a pinned piece, carries it with the mouse and
// drops it on a piece to pin that piece's group. Tacks fly between places.
#pragma once

#include <cstdint>
#include <functional>

#include "base/rect16.h"
#include "ui/program_pictures.h"

namespace cbst {

class AnimationClock;

// How long the tack flies, in milliseconds.
inline constexpr int kTackFlightToPiece = 100;  // dropped on a piece
inline constexpr int kTackFlightHome = 300;     // dropped beside any piece
inline constexpr int kTackFlightPinning = 250;  // Alt and a click

class cXinx {
 public:
  // The tack as it lies and as it is carried; its point is the middle of
  // the picture's bottom edge.
  cXinx();

  const ProgramPicture& picture() const { return lying_; }
  const ProgramPicture& carried_picture() const { return carried_; }

  // Home: the square at (x, y) from its top left, the tack's size.
  void set_home(int x, int y);
  const Rect16& home() const { return home_; }
  // Where the tack's picture lies when its point is at (x, y).
  Rect16 PictureAt(int x, int y) const;

  // The loose tack: at home, in the player's hand, or flying.
  bool carried() const { return carried_now_; }
  bool away() const { return away_; }
  // The rectangle the loose tack is drawn in while it is not at home.
  const Rect16& loose() const { return loose_; }

  // Takes the tack into the player's hand with its point at (x, y).
  void Take(int x, int y);
  // The carried tack follows the mouse; returns the area to repaint.
  Rect16 MoveTo(int x, int y);
  // The tack leaves the player's hand (it lies nowhere until it lands).
  void Release() { carried_now_ = false; }

  // Flies the loose tack's picture from `from` to `to` in `milliseconds`,
  // calling `repaint` with the area to show at every step; at the end the
  // tack is back home or on a piece (the caller says which), and the
  // loose picture is gone.
  void Fly(const Rect16& from, const Rect16& to, int milliseconds, AnimationClock& clock,
           const std::function<void(const Rect16&)>& repaint);

 private:
  ProgramPicture lying_;
  ProgramPicture carried_;
  Rect16 home_;
  Rect16 loose_;
  bool carried_now_ = false;
  bool away_ = false;
};

}  // namespace cbst
