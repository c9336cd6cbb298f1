// wspuz.cpp: pieces under the mouse: what a press does, carrying a piece
// with the window scrolling at its edges, dropping it, and turning it.
#include "play/wspuz.h"

#include <utility>

#include "platform/cursors.h"
#include "platform/key_state.h"
#include "play/game_handler.h"
#include "ui/event_codes.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

// The mouse travel is counted in millimetres of a screen at 96 pixels an
// inch, the density the toolkit assumes when the screen does not say.
constexpr double kMillimetresPerPixel = 25.4 / 96;
// A carried piece scrolls its window once it comes this close to an edge.
constexpr int kEdgeMargin = 2;

// Ctrl, Enter or the keypad's separator held with a click turns the piece.
bool TurnKeyHeld(std::uint8_t modifiers) {
  return (modifiers & kModControl) || KeyDown(kVkReturn) || KeyDown(kVkSeparator);
}

}  // namespace

const ClassInfo WSPuz::kClass = {&Window::kClass, "WSPuz"};

WSPuz::WSPuz(Board& board, BoardHost& host, std::uint8_t window, PlayState& play)
    : board_(board), host_(host), window_(window), play_(play) {}

int WSPuz::dragged() const {
  return board_.dragged();
}

void WSPuz::OnEvent(Event& event) {
  if (MultiSPuzs* selection = play_.selection.get();
      selection && &selection->owner() == this && OnSelectionEvent(*selection, event)) {
    event.set_handled();
    return;
  }
  if (event.code == kEventMouse) {
    if (const auto* mouse = event.as<MousePayload>()) {
      switch (mouse->subcode) {
        case kMouseLeftDown:
        case kMouseLeftDouble:
          Press(mouse->x, mouse->y, Button::kLeft, mouse->modifiers,
                mouse->subcode == kMouseLeftDouble);
          break;
        case kMouseRightDown:
        case kMouseRightDouble:
          Press(mouse->x, mouse->y, Button::kRight, mouse->modifiers,
                mouse->subcode == kMouseRightDouble);
          break;
        case kMouseMiddleDown:
        case kMouseMiddleDouble:
          Press(mouse->x, mouse->y, Button::kMiddle, mouse->modifiers,
                mouse->subcode == kMouseMiddleDouble);
          break;
        case kMouseMove:
        case kMouseLeftDrag:
        case kMouseRightDrag:
        case kMouseMiddleDrag:
          if (dragged() != kNoPiece) {
            DragTo(mouse->x, mouse->y);
          } else if (carrying_tack()) {
            RepaintTack(play_.tack.MoveTo(mouse->x, mouse->y));
          } else if (mouse->subcode == kMouseLeftDrag) {
            // A rubber band is drawn out with the button held.
            MaybeStartSelection(mouse->x, mouse->y, mouse->modifiers);
          }
          break;
        case kMouseLeftUp:
          Release(mouse->x, mouse->y);
          break;
        default:
          break;
      }
      event.set_handled();
      return;
    }
  }
  if (event.code == kEventCursor && dragged() != kNoPiece && play_.drag_cursor) {
    SetWindowCursor(platform_window(), play_.drag_cursor);
    event.set_handled();
    return;
  }
  if (event.code == kEventCommand) {
    if (const auto* command = event.as<CommandPayload>(); command && OnCommand(command->id)) {
      event.set_handled();
      return;
    }
  }
  Window::OnEvent(event);
}

void WSPuz::Press(int x, int y, Button button, std::uint8_t modifiers, bool twice) {
  if (play_.gesture_running) return;
  if (EndPreviewDrag(x, y)) return;
  play_.press_x = x;
  play_.press_y = y;

  const int carried = dragged();
  if (carried != kNoPiece) {
    // Another button while carrying turns the carried piece about the
    // mouse, without joining, and the drag goes on from there. The group
    // is put down for the turn and taken up again, but it is still the
    // same drag: a move already counted is not counted again.
    if (button == Button::kLeft) return;
    const bool moved = (board_.piece(carried).flags & kPieceMovedInDrag) != 0;
    board_.PutDown(carried);
    const std::pair<int, int> pivot{x, y};
    if (board_.CanRotate(carried)) host_.PlaySound(BoardSound::kTurn);
    board_.Rotate(carried, &pivot, button == Button::kRight ? 1 : 3, false);
    StartDrag(carried, x, y, true);
    if (moved) board_.piece(carried).flags |= kPieceMovedInDrag;
    return;
  }
  if (carrying_tack()) return;

  const int piece = board_.HitTest(window_, x, y);
  if (piece == kNoPiece) {
    if (PressOnNothing(x, y, button, modifiers, twice)) return;
    if (button == Button::kRight) {
      if (KeyDown(kVirtualLeftButton)) {
        ToggleLoupe(x, y);
      } else {
        OpenWindowMenu(x, y);
      }
    }
    return;
  }
  if (modifiers & kModAlt) {
    PressWithAlt(piece, button, modifiers, x, y);
    return;
  }
  const bool turn_key = TurnKeyHeld(modifiers);
  if (board_.pinned(piece) && (button == Button::kLeft || turn_key || (modifiers & kModShift))) {
    if (window_ != kTableWindow) {
      // In a box the tack is not carried away: the group is only freed.
      UnpinWithFlight(piece);
      return;
    }
    // Taking the tack out frees the group; the player carries the tack.
    board_.BringToFront(piece, 0);
    const int carrier = board_.TackCarrier(piece);
    const Rect16 was = TackOn(carrier);
    board_.Unpin(piece);
    TakeTack(x, y);
    RepaintTack(was.United(play_.tack.loose()));
    return;
  }
  if (turn_key && button != Button::kMiddle) {
    if (Turn(piece, button == Button::kLeft ? 3 : 1, x, y)) {
      if (!board_.solved()) host_.CountMove();
      host_.AskForSave(false);
    }
    return;
  }
  if (button == Button::kRight) {
    if (KeyDown(kVirtualLeftButton)) {
      ToggleLoupe(x, y);
    } else {
      OpenPieceMenu(piece, x, y);
    }
    return;
  }
  if (button == Button::kLeft) StartDrag(piece, x, y, false);
}

void WSPuz::PressWithAlt(int piece, Button button, std::uint8_t modifiers, int x, int y) {
  if (modifiers & kModControl) {
    ShowWhere(piece, x, y);
    return;
  }
  if (button == Button::kLeft) {
    PinWithFlight(piece);
  } else if (button == Button::kRight && board_.pinned(piece)) {
    UnpinWithFlight(piece);
  }
}

bool WSPuz::Turn(int piece, int quarter_turns, int x, int y) {
  if (!board_.CanRotate(piece)) return false;
  // The turn sounds as it starts: a join or the finish it leads to sounds
  // after it, and a new sound cuts off the one still playing.
  host_.PlaySound(BoardSound::kTurn);
  const std::pair<int, int> pivot{x, y};
  // The turn is animated, and presses meanwhile wait for its end.
  play_.gesture_running = true;
  const bool turned = board_.Rotate(piece, &pivot, quarter_turns);
  play_.gesture_running = false;
  return turned;
}

void WSPuz::StartDrag(int piece, int x, int y, bool quietly) {
  drag_x_ = play_.last_x = x;
  drag_y_ = play_.last_y = y;
  if (play_.drag_cursor) SetWindowCursor(platform_window(), play_.drag_cursor);
  board_.PickUp(piece);
  piece_x_ = board_.piece(piece).board.x;
  piece_y_ = board_.piece(piece).board.y;
  SetCapture(true);
  // The click of picking a piece up; turning while carrying has its own.
  if (!quietly) host_.PlaySound(BoardSound::kPickUp);
}

void WSPuz::ContinueDrag(int piece, int x, int y) {
  drag_x_ = x;
  drag_y_ = y;
  piece_x_ = board_.piece(piece).board.x;
  piece_y_ = board_.piece(piece).board.y;
  play_.last_x = x;
  play_.last_y = y;
  SetCapture(true);
  if (play_.drag_cursor) SetWindowCursor(platform_window(), play_.drag_cursor);
}

void WSPuz::DragTo(int x, int y) {
  const int piece = dragged();
  board_.AddMouseTravel(x - play_.last_x, y - play_.last_y, kMillimetresPerPixel);
  int to_x = piece_x_ + x - drag_x_;
  int to_y = piece_y_ + y - drag_y_;

  SPuz& moved = board_.piece(piece);
  const Rect16 group = board_.dragged() == piece && !board_.carried_group().empty()
                           ? board_.carried_bounds()
                           : moved.window;
  const Rect16 there{static_cast<std::int16_t>(group.x + to_x - moved.board.x),
                     static_cast<std::int16_t>(group.y + to_y - moved.board.y), group.width,
                     group.height};
  if (const std::uint8_t under = host_.BoxUnder(window_, there); under != window_) {
    // The window under the piece takes it over, and the drag goes on there.
    WSPuz* target = play_.windows ? play_.windows->WindowOf(under) : nullptr;
    if (target) {
      const ClientPoint mouse = MapClientPoint(*this, *target, {x, y});
      SetCapture(false);
      board_.MoveToWindow(piece, under, to_x + mouse.x - x, to_y + mouse.y - y);
      target->ContinueDrag(piece, mouse.x, mouse.y);
      return;
    }
  }
  const auto [shift_x, shift_y] = EdgeScroll(piece, to_x, to_y);
  to_x += shift_x;
  to_y += shift_y;
  play_.last_x = x;
  play_.last_y = y;
  PieceMoved(piece);
  board_.MovePiece(piece, kMoveRedraw, to_x, to_y);
  if (!(moved.flags & kPieceMovedInDrag) && (x != drag_x_ || y != drag_y_)) {
    moved.flags |= kPieceMovedInDrag;
    if (!board_.solved()) host_.CountMove();
  }
}

Rect16 WSPuz::ScrollLimit() {
  return host_.Surface(window_);
}

std::pair<int, int> WSPuz::EdgeScroll(int piece, int x, int y) {
  SPuz& moved = board_.piece(piece);
  const Rect16 group = !board_.carried_group().empty() ? board_.carried_bounds() : moved.window;
  const int dx = x - moved.board.x;
  const int dy = y - moved.board.y;
  const Rect16 there = Rect16{static_cast<std::int16_t>(group.x + dx),
                              static_cast<std::int16_t>(group.y + dy), group.width, group.height}
                           .Grown(kEdgeMargin);
  const Rect16 limit = ScrollLimit();
  int scroll_x = 0, scroll_y = 0;
  if (there.x < limit.x) {
    scroll_x = limit.x - there.x;
  } else if (there.x + there.width > limit.x + limit.width) {
    scroll_x = limit.x + limit.width - (there.x + there.width);
  }
  if (there.y < limit.y) {
    scroll_y = limit.y - there.y;
  } else if (there.y + there.height > limit.y + limit.height) {
    scroll_y = limit.y + limit.height - (there.y + there.height);
  }
  if (scroll_x == 0 && scroll_y == 0) {
    moved.flags &= ~kPieceEdgeSounded;
    return {0, 0};
  }
  // Pushed into the edge: moving towards it, against the scroll.
  const bool pushed = (scroll_x != 0 && (scroll_x < 0) == (dx > 0) && dx != 0) ||
                      (scroll_y != 0 && (scroll_y < 0) == (dy > 0) && dy != 0);
  if (pushed && !(moved.flags & kPieceEdgeSounded)) {
    host_.PlaySound(BoardSound::kEdge);
    moved.flags |= kPieceEdgeSounded;
  }
  board_.ScrollWindow(window_, scroll_x, scroll_y);
  piece_x_ += scroll_x;
  piece_y_ += scroll_y;
  return {scroll_x, scroll_y};
}

void WSPuz::Release(int x, int y) {
  if (carrying_tack()) {
    SetCapture(false);
    DropTack(x, y);
    return;
  }
  const int piece = dragged();
  if (piece == kNoPiece) return;
  SetCapture(false);
  SetWindowCursor(platform_window(), kCursorArrow);
  board_.piece(piece).flags &= ~kPieceEdgeSounded;
  board_.Drop(piece, x, y);
  Update();
}

void WSPuz::DropNow() {
  if (dragged() != kNoPiece || carrying_tack()) Release(play_.last_x, play_.last_y);
}

void WSPuz::RequestHelp(int topic) {
  if (!play_.game) return;
  Event help = MakeEvent(kEventCommand, CommandPayload{kCommandHelp, topic});
  play_.game->OnGameEvent(help);
}

bool WSPuz::OnCommand(std::uint32_t command) {
  const int piece = play_.menu_piece;
  const bool known = piece >= 0 && piece < board_.piece_count();
  switch (command) {
    case kCommandTurnAnticlockwise:
    case kCommandTurnClockwise: {
      if (!known || dragged() != kNoPiece) return true;
      const Rect16& cell = board_.piece(piece).board;
      Turn(piece, command == kCommandTurnClockwise ? 1 : 3, cell.x + cell.width / 2,
           cell.y + cell.height / 2);
      return true;
    }
    case kCommandPin:
      if (known && !board_.pinned(piece)) PinWithFlight(piece);
      return true;
    case kCommandUnpin:
      if (known && board_.pinned(piece)) UnpinWithFlight(piece);
      return true;
    case kCommandShowWhere:
      if (known) ShowWhere(piece, play_.menu_x, play_.menu_y);
      return true;
    default:
      return false;
  }
}

}  // namespace cbst
