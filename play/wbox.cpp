// wbox.cpp: a piece box's window: its two shapes, its caption, its paint,
// moving it with the mouse, and its menu and keys.
#include "play/wbox.h"

#include <algorithm>

#include "gfx/dc.h"
#include "gfx/drawing_tools.h"
#include "platform/display.h"
#include "platform/mouse_buttons.h"
#include "play/board_painter.h"
#include "play/box_windows.h"
#include "play/game_handler.h"
#include "play/wpuz.h"
#include "puzzle/piece_box.h"
#include "puzzle/puz.h"
#include "text/text_codes.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/event_codes.h"
#include "ui/pop_menu.h"
#include "ui/program_pictures.h"
#include "ui/tips.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

constexpr std::uint32_t kOpenStyle = kStyleChild | kStyleFramed | kStyleSystemMenu |
                                     kStyleMinimiseBox | kStyleMaximiseBox | kStyleSizable |
                                     kStyleHidden;
constexpr std::uint32_t kClosedStyle = kStyleChild | kStyleHidden;
constexpr std::uint32_t kClosedEdge = 0x202020;
constexpr int kClosedFontHeight = 14;
// The frame's parts as its buttons name them.
constexpr int kFrameMinimise = 8;
constexpr int kFrameMaximise = 9;

}  // namespace

const ClassInfo WBox::kClass = {&WSPuz::kClass, "WBox"};

WBox::WBox(BoxWindows& boxes, PieceBox& box)
    : WSPuz(boxes.board(), boxes.table(), box.index, boxes.play()), boxes_(boxes), box_(box) {}

Rect16 WBox::OpenPlace() const {
  // The box stays on the screen, and leaves a little of it free.
  const Rect16 screen = boxes_.table().ClientRect();
  Rect16 place = box_.open;
  place.width = static_cast<std::int16_t>(
      std::clamp<int>(place.width, BoxPixels(kClosedBoxSize), screen.width - kBoxScreenMargin));
  place.height = static_cast<std::int16_t>(
      std::clamp<int>(place.height, BoxPixels(kClosedBoxSize), screen.height - kBoxScreenMargin));
  place.x = static_cast<std::int16_t>(
      std::clamp<int>(place.x, 0, std::max(0, screen.width - place.width)));
  place.y = static_cast<std::int16_t>(
      std::clamp<int>(place.y, 0, std::max(0, screen.height - place.height)));
  return place;
}

Rect16 WBox::Floor() const {
  if (!box_.closed()) return ClientRect();
  const Rect16 place = OpenPlace();
  return FramedClientRect(place.width, place.height, boxes_.table().pixel_ratio());
}

bool WBox::CreateBox(Window& table) {
  if (box_.closed()) {
    if (!Create(&table, box_.ClosedRect(), Title(), kClosedStyle)) return false;
  } else {
    const Rect16 place = OpenPlace();
    box_.open = place;
    if (!Create(&table, place, Title(), kOpenStyle)) return false;
    if (box_.flags & kBoxMaximised) ToggleFrameMaximised();
  }
  const Rect16 client = ClientRect();
  buffer_ = MakeBmpMem(std::max<int>(client.width, 1), std::max<int>(client.height, 1));
  Repaint();
  return true;
}

void WBox::ToggleFrameMaximised() {
  Event maximise = MakeEvent(kEventNonClientButton, CommandPayload{kFrameMaximise, 0});
  Window::OnEvent(maximise);
}

void WBox::ContinueDrag(int piece, int x, int y) {
  boxes_.BringToTop(box_.index);
  WSPuz::ContinueDrag(piece, x, y);
}

void WBox::LetGo() {
  if (MultiSPuzs* selection = play().selection.get(); selection && &selection->owner() == this)
    EndSelection();
  if (moving_) SetCapture(false);
  moving_ = false;
}

std::string WBox::Title() const {
  std::string title = std::to_string(box_.index + 1);
  if (!box_.name.empty()) title.append(" ").append(box_.name.c_str()).append(" ");
  if (!box_.closed()) {
    // "1 piece", "2 pieces": the dictionary makes the plural.
    const char* word = Text(kTextPieces, box_.pieces == 1 ? 0 : kContextPlural);
    title += " (" + std::to_string(box_.pieces) + " " + word + ")";
  }
  return title;
}

std::string WBox::Tip() const {
  std::string tip;
  if (!box_.name.empty()) tip = std::string(Text(kTextBoxName)) + ": " + box_.name.c_str() + "\r\r";
  const std::string how(Text(kTextClosedBoxTip));
  return tip + VString::Format(how.c_str(), box_.index + 1).c_str();
}

void WBox::OfferTip(bool shown) {
  Application* application = Application::Instance();
  if (!application) return;
  HoverPayload hover;
  if (shown) {
    const ClientPoint mouse = boxes_.table().CursorPosition();
    hover.control_id = kClosedBoxTipIds + box_.index;
    hover.control = WindowRect();
    hover.x = mouse.x;
    hover.y = mouse.y;
    hover.tip = Tip();
    hover.window = &boxes_.table();
  }
  application->tips().Hover(hover);
}

void WBox::UpdateTitle() {
  if (!box_.title_locked && exists()) SetTitle(Title());
}

Rect16 WBox::ClientOnTable() const {
  const ClientPoint origin = MapClientPoint(*this, boxes_.table(), {0, 0});
  const Rect16 client = ClientRect();
  return {static_cast<std::int16_t>(origin.x), static_cast<std::int16_t>(origin.y), client.width,
          client.height};
}

void WBox::Repaint(const Rect16& rect) {
  if (!buffer_) return;
  if (box_.closed()) {
    if (exists()) Invalidate();
    return;
  }
  WPuz& table = boxes_.table();
  Puz& puz = boxes_.puz();
  PaintRequest request;
  request.window = box_.index;
  request.rect = rect.width > 0 && rect.height > 0 ? rect : ClientRect();
  request.shadow = ChooseShadowParameters(puz, table.shadows());
  if (puz.dragged != kNoPiece &&
      puz.cut.pieces[static_cast<std::size_t>(puz.dragged)].box == box_.index)
    request.carried = table.carried_image();
  request.background = box_.colour;
  const Rect16 painted = rect.Empty()
                             ? table.PaintWhole([&](std::function<void()> handle_messages) {
                                 request.handle_messages = std::move(handle_messages);
                                 return PaintBoard(puz, *buffer_, request);
                               })
                             : PaintBoard(puz, *buffer_, request);
  // The tack on the box's pinned groups.
  const cXinx& tack = play().tack;
  for (const SPuz& piece : puz.cut.pieces) {
    if (!(piece.flags & kPieceThumbtack) || piece.box != box_.index) continue;
    const Rect16 on = tack.PictureAt(piece.board.x + piece.board.width / 2,
                                     piece.board.y + piece.board.height / 2);
    DrawProgramPicture(buffer_->dc(), tack.picture(), on.x, on.y, painted);
  }
  table.sparkles().Draw(buffer_->dc(), box_.index, painted, play().clock->NowMicroseconds());
  if (exists()) Invalidate(painted);
}

Rect16 WBox::ScrollLimit() {
  // A piece in a box may go as far as the screen's edges.
  const Rect16 client = ClientOnTable();
  const Rect16 screen = boxes_.table().ClientRect();
  return {static_cast<std::int16_t>(screen.x - client.x),
          static_cast<std::int16_t>(screen.y - client.y), screen.width, screen.height};
}

void WBox::Paint(DC& dc) {
  if (box_.closed()) {
    PaintClosed(dc);
  } else {
    const Rect16 area = dc.paint_rectangle();
    if (!buffer_ || area.width <= 0 || area.height <= 0) return;
    dc.Transfer(area.x, area.y, area.width, area.height, buffer_->dc(), area.x, area.y);
  }
  // The frames of an animation running over the table pass over the box.
  const Rect16 client = ClientOnTable();
  for (const TableFrames::Frame& frame : boxes_.table().animation_frames().frames()) {
    if (!frame.rect.Overlaps(client)) continue;
    dc.InvertFrame(
        {static_cast<std::int16_t>(frame.rect.x - client.x),
         static_cast<std::int16_t>(frame.rect.y - client.y), frame.rect.width, frame.rect.height},
        frame.thickness);
  }
}

void WBox::PaintClosed(DC& dc) {
  const Rect16 square = ClientRect();
  Brush fill(box_.colour & 0xFFFFFF);
  dc.FillRect(square, fill);
  Pen edge(kClosedEdge);
  Brush hollow(0, true);
  dc.Select(&edge);
  dc.Select(&hollow);
  dc.Rectangle(square);
  Font font("Sans", ChromePixels(kClosedFontHeight), true);
  dc.Select(&font);
  const std::string number = std::to_string(box_.index + 1);
  dc.Text((square.width - dc.TextWidth(number)) / 2, (square.height - dc.TextHeight()) / 2, number,
          ContrastingColour(box_.colour));
  dc.Select(static_cast<Font*>(nullptr));
  dc.Select(static_cast<Pen*>(nullptr));
  dc.Select(static_cast<Brush*>(nullptr));
}

void WBox::Resized(int width, int height) {
  if (box_.closed() || width <= 0 || height <= 0) return;
  if (buffer_ && buffer_->width() == width && buffer_->height() == height) return;
  buffer_ = MakeBmpMem(width, height);
  Repaint();
}

void WBox::Remember() {
  if (!exists()) return;
  const Rect16 place = WindowRect();
  if (box_.closed()) {
    box_.closed_x = place.x;
    box_.closed_y = place.y;
  } else if (!(box_.flags & kBoxMaximised)) {
    box_.open = place;
  }
}

void WBox::Move(const Rect16& rect) {
  Window::Move(rect);
  // The box keeps its place at once, not when the window system says.
  Remember();
}

void WBox::StartMove() {
  const ClientPoint mouse = boxes_.table().CursorPosition();
  const Rect16 place = WindowRect();
  grip_x_ = mouse.x - place.x;
  grip_y_ = mouse.y - place.y;
  moving_ = true;
  SetCapture(true);
}

void WBox::MoveWithMouse() {
  const ClientPoint mouse = boxes_.table().CursorPosition();
  Rect16 place = WindowRect();
  place.x = static_cast<std::int16_t>(mouse.x - grip_x_);
  place.y = static_cast<std::int16_t>(mouse.y - grip_y_);
  Move(place);
}

void WBox::OnClosedMouse(const MousePayload& mouse) {
  switch (mouse.subcode) {
    case kMouseMove:
      OfferTip(true);
      return;
    case kMouseLeftDouble:
      boxes_.Toggle(box_.index);
      return;
    case kMouseLeftDown:
      OfferTip(false);
      StartMove();
      return;
    case kMouseRightDown:
      OfferTip(false);
      OpenWindowMenu(mouse.x, mouse.y);
      return;
    default:
      return;
  }
}

bool WBox::PressOnNothing(int x, int y, Button button, std::uint8_t modifiers, bool twice) {
  if (button != Button::kLeft) return false;
  if (twice) {
    boxes_.Toggle(box_.index);
    return true;
  }
  if (SelectionKeyHeld(modifiers) || (box_.flags & kBoxMaximised)) return false;
  (void)x;
  (void)y;
  StartMove();
  return true;
}

void WBox::ToggleLoupe(int x, int y) {
  const ClientPoint at = MapClientPoint(*this, boxes_.table(), {x, y});
  boxes_.table().OpenLoupe(kLoupeBothButtons, at.x, at.y);
}

void WBox::OpenWindowMenu(int x, int y) {
  const bool open = !box_.closed();
  const bool maximised = (box_.flags & kBoxMaximised) != 0;
  const char* grow_key = MouseButtonsSwapped() ? "+" : "Tab";
  XPopMenu menu;
  if (open) {
    const std::uint32_t grow = maximised ? kCommandBoxRestore : kCommandBoxMaximise;
    menu.Append(grow, ControlText(0, static_cast<int>(grow)), grow_key);
    menu.Append(kCommandBoxClose, ControlText(0, kCommandBoxClose));
  } else {
    menu.Append(kCommandBoxOpen, ControlText(0, kCommandBoxOpen));
  }
  menu.Append(kCommandBoxColour, ControlText(0, kCommandBoxColour));
  menu.Append(kCommandBoxRename, ControlText(0, kCommandBoxRename));
  if (!open && !boxes_.ClosedBoxesInLine())
    menu.Append(kCommandBoxLineUp, ControlText(0, kCommandBoxLineUp));
  if (!open) menu.Append(kCommandBoxHideAll, ControlText(0, kCommandBoxHideAll));
  if (open) {
    menu.Append(kCommandBoxSpread, ControlText(0, kCommandBoxSpread), "Ctrl+R");
    if (box_.pieces > 0) menu.Append(kCommandBoxEmpty, ControlText(0, kCommandBoxEmpty));
  }
  menu.Append(kCommandHelp, ControlText(0, kCommandHelp));
  if (const std::uint32_t chosen = menu.Track(*this, x, y)) {
    Event command = MakeEvent(kEventCommand, CommandPayload{chosen, 0});
    Dispatch(command);
  }
}

bool WBox::OnKey(const KeyPayload& key) {
  if (key.kind != KeyKind::kDown) return false;
  const bool ctrl_only = (key.modifiers & (kModControl | kModShift | kModAlt)) == kModControl;
  if (ctrl_only && key.virtual_key == 'R' && !box_.closed()) {
    boxes_.Spread(box_.index);
    return true;
  }
  if (key.modifiers != 0 || box_.closed()) return false;
  if (key.virtual_key == kVkTab || key.virtual_key == kVkAdd) {
    if (dragged() == kNoPiece) boxes_.Maximise(box_.index, !(box_.flags & kBoxMaximised));
    return true;
  }
  if (key.virtual_key == kVkEscape) {
    boxes_.Toggle(box_.index);
    return true;
  }
  return false;
}

void WBox::OnEvent(Event& event) {
  switch (event.code) {
    case kEventSize:
      if (const auto* size = event.as<SizePayload>()) Resized(size->width, size->height);
      Remember();
      break;
    case kEventMove:
      Remember();
      break;
    case kEventMouse:
      if (const auto* mouse = event.as<MousePayload>()) {
        if (!OnBoxMouse(*mouse)) WSPuz::OnEvent(event);
        // The loupe follows the mouse over the boxes as over the table.
        const ClientPoint at = MapClientPoint(*this, boxes_.table(), {mouse->x, mouse->y});
        boxes_.table().LoupeFollow(at.x, at.y);
        event.set_handled();
        return;
      }
      break;
    case kEventNonClientButton:
      if (const auto* button = event.as<CommandPayload>(); button && OnFrameButton(button->id)) {
        event.set_handled();
        return;
      }
      break;
    case kEventKey:
      if (const auto* key = event.as<KeyPayload>(); key && boxes_.table().LoupeKey(*key)) {
        event.set_handled();
        return;
      }
      // A rubber band in the box takes its keys first (Esc ends it).
      if (MultiSPuzs* selection = play().selection.get();
          selection && &selection->owner() == this) {
        WSPuz::OnEvent(event);
        if (event.handled()) return;
      }
      if (const auto* key = event.as<KeyPayload>(); key && OnKey(*key)) {
        event.set_handled();
        return;
      }
      // The game's keys work over a box as over the table.
      if (GameHandler* game = play().game) game->OnGameEvent(event);
      return;
    case kEventCommand:
      if (const auto* command = event.as<CommandPayload>(); command && OnBoxCommand(command->id)) {
        event.set_handled();
        return;
      }
      break;
    default:
      break;
  }
  WSPuz::OnEvent(event);
}

bool WBox::OnBoxMouse(const MousePayload& mouse) {
  if (mouse.subcode == kMouseLeftDown || mouse.subcode == kMouseRightDown)
    boxes_.BringToTop(box_.index);
  if (moving_) {
    if (mouse.subcode == kMouseLeftUp) {
      moving_ = false;
      SetCapture(false);
      Remember();
    } else if (mouse.subcode == kMouseLeftDrag || mouse.subcode == kMouseMove) {
      MoveWithMouse();
    }
    return true;
  }
  if (box_.closed()) {
    OnClosedMouse(mouse);
    return true;
  }
  return false;
}

bool WBox::OnFrameButton(std::uint32_t button) {
  if (button == kFrameMinimise) {
    boxes_.Toggle(box_.index);
    return true;
  }
  if (button == kFrameMaximise) {
    boxes_.Maximise(box_.index, !(box_.flags & kBoxMaximised));
    return true;
  }
  return false;
}

bool WBox::OnBoxCommand(std::uint32_t command) {
  const int index = box_.index;
  switch (command) {
    case kCommandBoxOpen:
    case kCommandBoxClose:
      boxes_.Toggle(index);
      return true;
    case kCommandBoxMaximise:
    case kCommandBoxRestore:
      boxes_.Maximise(index, command == kCommandBoxMaximise);
      return true;
    case kCommandBoxColour:
      boxes_.ChooseColour(index);
      return true;
    case kCommandBoxRename:
      boxes_.Rename(index);
      return true;
    case kCommandBoxLineUp:
      boxes_.LineUpClosedBoxes();
      return true;
    case kCommandBoxSpread:
      boxes_.Spread(index);
      return true;
    case kCommandBoxEmpty:
      boxes_.Empty(index);
      return true;
    case kCommandBoxHideAll:
      if (GameHandler* game = play().game) {
        Event hide = MakeEvent(kEventCommand, CommandPayload{kCommandBoxHideAll, 1});
        game->OnGameEvent(hide);
      }
      return true;
    case kCommandHelp:
      RequestHelp(kHelpTopicBox);
      return true;
    default:
      return false;
  }
}

}  // namespace cbst
