// press.h: what a press of a mouse button on a window of pieces means.
//
// The decision follows only from facts about the press (which button, the
// keys held, what lies under the mouse and what the player carries), so
// it can be asked without any window; the window carries out the answer.
#pragma once

namespace cbst {

// The mouse buttons of a press.
enum class Button { kLeft, kRight, kMiddle };

struct PressFacts {
  Button button = Button::kLeft;
  bool carrying_piece = false;  // a piece is being dragged
  bool carrying_tack = false;   // the thumbtack is in the player's hand
  bool on_piece = false;        // a piece lies under the mouse
  bool pinned = false;          // that piece's group is pinned
  bool alt = false;
  bool ctrl = false;
  bool shift = false;
  bool turn_key = false;  // Ctrl, Enter or the keypad's separator held
  bool in_box = false;    // the window is a piece box, not the table
};

enum class PressAction {
  kNone,
  kTurnCarried,  // turn the carried piece about the mouse and carry on
  kOnNothing,    // the press missed every piece
  kShowWhere,    // show where the piece's neighbour belongs
  kPin,
  kUnpin,      // free the group, the tack flying off
  kTakeTack,   // take the tack out: the group is free, the player holds the tack
  kTurn,       // turn the piece's group about the mouse
  kPieceMenu,  // the piece's menu (or the loupe)
  kDrag,       // pick the piece up and carry it
};

struct PressMeaning {
  PressAction action = PressAction::kNone;
  int quarter_turns = 0;  // for the turns: 1 clockwise, 3 the other way
};

PressMeaning ClassifyPress(const PressFacts& press);

}  // namespace cbst
