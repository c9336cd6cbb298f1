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
          if (dragged() != kNoPiece && mouse->subcode == kMouseMove &&
              !KeyDown(kVirtualLeftButton)) {
            // The release went to a menu or a dialog that opened meanwhile:
            // the piece is put down where the player last saw it, and does
            // not follow a mouse whose button is up.
            DropNow();
          } else if (dragged() != kNoPiece) {
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

  PressFacts facts;
  facts.button = button;
  facts.carrying_piece = dragged() != kNoPiece;
  facts.carrying_tack = carrying_tack();
  int piece = kNoPiece;
  if (!facts.carrying_piece && !facts.carrying_tack) {
    piece = board_.HitTest(window_, x, y);
    facts.on_piece = piece != kNoPiece;
    facts.pinned = facts.on_piece && board_.pinned(piece);
  }
  facts.alt = (modifiers & kModAlt) != 0;
  facts.ctrl = (modifiers & kModControl) != 0;
  facts.shift = (modifiers & kModShift) != 0;
  facts.turn_key = facts.on_piece && TurnKeyHeld(modifiers);
  facts.in_box = window_ != kTableWindow;
  Act(ClassifyPress(facts), piece, x, y, button, modifiers, twice);
}

void WSPuz::Act(const PressMeaning& meaning, int piece, int x, int y, Button button,
                std::uint8_t modifiers, bool twice) {
  switch (meaning.action) {
    case PressAction::kNone:
      return;
    case PressAction::kTurnCarried: {
      // The drag goes on from the mouse after the turn.
      const int carried = dragged();
      const std::pair<int, int> pivot{x, y};
      board_.TurnCarried(carried, pivot, meaning.quarter_turns);
      WSPuz::ContinueDrag(carried, x, y);
      return;
    }
    case PressAction::kOnNothing:
      if (PressOnNothing(x, y, button, modifiers, twice)) return;
      if (button != Button::kRight) return;
      if (KeyDown(kVirtualLeftButton)) {
        ToggleLoupe(x, y);
      } else {
        OpenWindowMenu(x, y);
      }
      return;
    case PressAction::kShowWhere:
      ShowWhere(piece, x, y);
      return;
    case PressAction::kPin:
      PinWithFlight(piece);
      return;
    case PressAction::kUnpin:
      UnpinWithFlight(piece);
      return;
    case PressAction::kTakeTack: {
      const Rect16 was = TackOn(board_.PullTack(piece));
      TakeTack(x, y);
      RepaintTack(was.United(play_.tack.loose()));
      return;
    }
    case PressAction::kTurn:
      Turn(piece, meaning.quarter_turns, x, y, TurnFrom::kClick);
      return;
    case PressAction::kPieceMenu:
      if (KeyDown(kVirtualLeftButton)) {
        ToggleLoupe(x, y);
      } else {
        OpenPieceMenu(piece, x, y);
      }
      return;
    case PressAction::kDrag:
      StartDrag(piece, x, y);
      return;
  }
}

void WSPuz::Turn(int piece, int quarter_turns, int x, int y, TurnFrom from) {
  // The turn is animated, and presses meanwhile wait for its end.
  play_.gesture_running = true;
  board_.PlayerTurn(piece, {x, y}, quarter_turns, from);
  play_.gesture_running = false;
}

void WSPuz::StartDrag(int piece, int x, int y) {
  drag_x_ = play_.last_x = x;
  drag_y_ = play_.last_y = y;
  if (play_.drag_cursor) SetWindowCursor(platform_window(), play_.drag_cursor);
  board_.PickUp(piece);
  piece_x_ = board_.piece(piece).board.x;
  piece_y_ = board_.piece(piece).board.y;
  SetCapture(true);
  host_.PlaySound(BoardSound::kPickUp);
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
  play_.last_x = x;
  play_.last_y = y;
  const DragStepResult step =
      board_.DragStep(window_, piece, to_x, to_y, ScrollLimit(), x != drag_x_ || y != drag_y_);
  PieceMoved(piece);
  // The window scrolled under the piece: the drag goes on from there.
  piece_x_ += step.scroll_x;
  piece_y_ += step.scroll_y;
}

Rect16 WSPuz::ScrollLimit() {
  return host_.Surface(window_);
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
           cell.y + cell.height / 2, TurnFrom::kMenu);
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
