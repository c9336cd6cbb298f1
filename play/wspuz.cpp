// wspuz.cpp: pieces under the mouse: picking up, carrying, dropping and
// turning them.
#include "play/wspuz.h"

#include <cstdlib>
#include <utility>

#include "platform/cursors.h"
#include "platform/key_state.h"
#include "ui/event_codes.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

// The mouse travel is counted in millimetres of a screen at 96 pixels an
// inch, the density the toolkit assumes when the screen does not say.
constexpr double kMillimetresPerPixel = 25.4 / 96;

constexpr int kButtonLeft = 0;
constexpr int kButtonRight = 1;
constexpr int kButtonMiddle = 2;

// Ctrl, Enter or the keypad's separator held with a click turns the piece.
bool TurnKeyHeld(std::uint8_t modifiers) {
  return (modifiers & kModControl) || KeyDown(kVkReturn) || KeyDown(kVkSeparator);
}

}  // namespace

const ClassInfo WSPuz::kClass = {&Window::kClass, "WSPuz"};

WSPuz::WSPuz(Board& board, BoardHost& host, std::uint8_t window)
    : board_(board), host_(host), window_(window) {}

int WSPuz::dragged() const {
  return board_.dragged();
}

void WSPuz::OnEvent(Event& event) {
  if (event.code == kEventMouse) {
    if (const auto* mouse = event.as<MousePayload>()) {
      switch (mouse->subcode) {
        case kMouseLeftDown:
        case kMouseLeftDouble:
          Press(mouse->x, mouse->y, kButtonLeft, mouse->modifiers);
          break;
        case kMouseRightDown:
        case kMouseRightDouble:
          Press(mouse->x, mouse->y, kButtonRight, mouse->modifiers);
          break;
        case kMouseMiddleDown:
        case kMouseMiddleDouble:
          Press(mouse->x, mouse->y, kButtonMiddle, mouse->modifiers);
          break;
        case kMouseMove:
        case kMouseLeftDrag:
        case kMouseRightDrag:
        case kMouseMiddleDrag:
          if (dragged() != kNoPiece) DragTo(mouse->x, mouse->y);
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
  Window::OnEvent(event);
}

void WSPuz::Press(int x, int y, int button, std::uint8_t modifiers) {
  const int carried = dragged();
  if (carried != kNoPiece) {
    // Another button while carrying turns the carried piece about the
    // mouse, without joining, and the drag goes on from there.
    if (button == kButtonLeft) return;
    board_.PutDown(carried);
    const std::pair<int, int> pivot{x, y};
    if (board_.Rotate(carried, &pivot, button == kButtonRight ? 1 : 3, false))
      host_.PlaySound(BoardSound::kTurn);
    StartDrag(carried, x, y, true);
    return;
  }
  const int piece = board_.HitTest(window_, x, y);
  if (piece == kNoPiece) return;
  if (TurnKeyHeld(modifiers) && button != kButtonMiddle) {
    const std::uint32_t command =
        button == kButtonLeft ? kCommandTurnAnticlockwise : kCommandTurnClockwise;
    const std::pair<int, int> pivot{x, y};
    if (board_.Rotate(piece, &pivot, command == kCommandTurnClockwise ? 1 : 3)) {
      host_.PlaySound(BoardSound::kTurn);
      if (!board_.solved()) host_.CountMove();
      host_.AskForSave(false);
    }
    return;
  }
  if (button == kButtonLeft) StartDrag(piece, x, y, false);
}

void WSPuz::StartDrag(int piece, int x, int y, bool quietly) {
  press_x_ = last_x_ = x;
  press_y_ = last_y_ = y;
  if (drag_cursor_) SetWindowCursor(platform_window(), drag_cursor_);
  board_.PickUp(piece);
  piece_x_ = board_.piece(piece).board.x;
  piece_y_ = board_.piece(piece).board.y;
  SetCapture(true);
  // The click of picking a piece up; turning while carrying has its own.
  if (!quietly) host_.PlaySound(BoardSound::kPickUp);
}

void WSPuz::DragTo(int x, int y) {
  const int piece = dragged();
  board_.AddMouseTravel(x - last_x_, y - last_y_, kMillimetresPerPixel);
  last_x_ = x;
  last_y_ = y;
  board_.MovePiece(piece, kMoveRedraw, piece_x_ + x - press_x_, piece_y_ + y - press_y_);
  SPuz& moved = board_.piece(piece);
  if (!(moved.flags & kPieceMovedInDrag) && (x != press_x_ || y != press_y_)) {
    moved.flags |= kPieceMovedInDrag;
    if (!board_.solved()) host_.CountMove();
  }
}

void WSPuz::Release(int x, int y) {
  const int piece = dragged();
  if (piece == kNoPiece) return;
  SetCapture(false);
  SetWindowCursor(platform_window(), kCursorArrow);
  board_.Drop(piece, x, y);
  Update();
}

}  // namespace cbst
