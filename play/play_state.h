// play_state.h: PlayState, what the table and the piece boxes share while
// the player handles pieces.
#pragma once

#include <cstdint>
#include <memory>

#include "gfx/rect_animation.h"
#include "play/board_codes.h"
#include "play/multi_spuzs.h"
#include "play/thumbtack.h"

namespace cbst {

class GameHandler;
class WSPuz;

// The windows pieces lie in, by the window numbers of the board: the
// table's and the piece boxes'.
class PieceWindows {
 public:
  virtual ~PieceWindows() = default;
  // None when that window is not on the screen.
  virtual WSPuz* WindowOf(std::uint8_t window) = 0;
};

struct PlayState {
  // The last button press on any window of pieces, and the last mouse
  // position a drag saw (for the distance the mouse travelled).
  int press_x = 0;
  int press_y = 0;
  int last_x = 0;
  int last_y = 0;
  // The last right click on a piece: where its menu's commands act.
  int menu_piece = kNoPiece;
  int menu_x = 0;
  int menu_y = 0;
  // The rubber-band selection, on one window at a time.
  std::unique_ptr<MultiSPuzs> selection;
  // A turn or a selection in progress: another one waits for its end.
  bool gesture_running = false;
  // Animations being drawn (flights, turns, spreads): while any runs, the
  // player's input waits for its end.
  int animating = 0;
  // Any click or key the player presses ends the animation running (the
  // show of where a piece goes) and does nothing else; it is noted here.
  bool input_ends_animation = false;
  bool animation_interrupted = false;
  // The player may turn off the rectangles that show where things go
  // (flights, turns and spreads still move).
  bool rect_animations = true;
  int drag_cursor = 0;
  cXinx tack;
  GameHandler* game = nullptr;
  PieceWindows* windows = nullptr;
  // Flights and the show of where a piece goes run on this clock.
  SteadyAnimationClock steady_clock;
  AnimationClock* clock = &steady_clock;
};

}  // namespace cbst
