// box_windows.cpp: making and letting go of the box windows, the box
// under a carried piece, opening and closing boxes, and moving groups
// between the boxes and the table.
#include "play/box_windows.h"

#include <algorithm>

#include "gfx/rect_animation.h"
#include "platform/colour_picker.h"
#include "play/game_flags.h"
#include "play/wbox.h"
#include "play/wnamebox.h"
#include "play/wpuz.h"
#include "puzzle/piece_box.h"
#include "ui/application.h"

namespace cbst {
namespace {

constexpr std::uint32_t kColourBits = 0xFFFFFF;

bool Contains(const Rect16& rect, int x, int y) {
  return x >= rect.x && y >= rect.y && x < rect.x + rect.width && y < rect.y + rect.height;
}

void ShowWindow(Window& window, bool shown) {
  Event show = MakeEvent(kRequestShow, ShowPayload{false, shown ? kShowNormal : kShowHide});
  window.Dispatch(show);
}

}  // namespace

BoxWindows::BoxWindows(WPuz& table) : table_(table) {}

BoxWindows::~BoxWindows() {
  Close();
}

Board& BoxWindows::board() {
  return table_.board();
}

Puz& BoxWindows::puz() {
  return table_.puz();
}

PlayState& BoxWindows::play() {
  return table_.play();
}

int BoxWindows::count() const {
  return static_cast<int>(table_.puz().boxes.size());
}

WBox* BoxWindows::window(int box) const {
  if (box < 0 || box >= static_cast<int>(windows_.size())) return nullptr;
  return windows_[static_cast<std::size_t>(box)];
}

void BoxWindows::Open() {
  Close();
  if (!table_.exists() || puz().cut.pieces.empty()) return;
  hidden_ = (puz().game_flags & kGameHideBoxes) != 0;
  windows_.assign(puz().boxes.size(), nullptr);
  for (int box = 0; box < count(); ++box)
    Make(box);
  CountPieces();
}

void BoxWindows::Close() {
  Application* application = Application::Instance();
  for (WBox*& each : windows_) {
    if (each && application && application->Holds(each)) DestroyWindow(each, 0);
    each = nullptr;
  }
  windows_.clear();
}

void BoxWindows::Make(int box) {
  Application* application = Application::Instance();
  if (!application) return;
  PieceBox& data = puz().boxes[static_cast<std::size_t>(box)];
  data.index = static_cast<std::uint8_t>(box);
  WBox* made = application->Make<WBox>(*this, data);
  if (!made->CreateBox(table_)) {
    DestroyWindow(made, 0);
    return;
  }
  windows_[static_cast<std::size_t>(box)] = made;
  if (!hidden_) ShowWindow(*made, true);
  BringToTop(box);
}

void BoxWindows::BringToTop(int box) {
  if (WBox* each = window(box)) {
    each->Raise();
    each->set_raised_at(++raises_);
  }
}

std::uint8_t BoxWindows::BoxUnder(std::uint8_t window, const Rect16& rect) const {
  int x = rect.x + rect.width / 2;
  int y = rect.y + rect.height / 2;
  if (window != kTableWindow) {
    WBox* own = this->window(window);
    if (!own) return window;
    const Rect16 client = own->ClientOnTable();
    x += client.x;
    y += client.y;
    if (!own->Box()->closed() && Contains(client, x, y)) return window;
  }
  if (hidden_) return kTableWindow;
  for (int box = 0; box < static_cast<int>(windows_.size()); ++box) {
    WBox* each = windows_[static_cast<std::size_t>(box)];
    if (!each || each->Box()->closed()) continue;
    if (Contains(each->ClientOnTable(), x, y)) return static_cast<std::uint8_t>(box);
  }
  return kTableWindow;
}

Rect16 BoxWindows::Surface(std::uint8_t box) const {
  if (const WBox* each = window(box)) return each->ClientRect();
  return {};
}

void BoxWindows::Redraw(std::uint8_t box, const Rect16& rect) {
  if (WBox* each = window(box)) each->Repaint(rect);
}

void BoxWindows::RedrawAll() {
  for (WBox* each : windows_)
    if (each) each->Repaint();
}

void BoxWindows::CountPieces() {
  std::vector<std::int16_t> counts(puz().boxes.size(), 0);
  for (const SPuz& piece : puz().cut.pieces)
    if (piece.box < counts.size()) ++counts[piece.box];
  for (std::size_t box = 0; box < counts.size(); ++box) {
    PieceBox& data = puz().boxes[box];
    if (data.pieces == counts[box]) continue;
    data.pieces = counts[box];
    if (WBox* each = window(static_cast<int>(box))) each->UpdateTitle();
  }
}

void BoxWindows::Zoom(const Rect16& from, const Rect16& to, int milliseconds) {
  if (!animations_) return;
  RectAnimation zoom;
  zoom.from = from;
  zoom.to = to;
  zoom.duration_ms = milliseconds;
  table_.Animate(zoom);
}

void BoxWindows::Toggle(int box, bool quietly) {
  WBox* was = window(box);
  if (!was) return;
  PieceBox& data = puz().boxes[static_cast<std::size_t>(box)];
  if (hidden_) {
    // A box asked for while the boxes are put away brings them back, so
    // the player sees it open; one already open is only shown again.
    puz().game_flags &= ~kGameHideBoxes;
    ShowAll();
    if (!data.closed()) return;
  }
  const Rect16 from = was->WindowRect();
  const int carried = puz().dragged;
  if (!data.closed() && carried != kNoPiece &&
      puz().cut.pieces[static_cast<std::size_t>(carried)].box == box) {
    // No drag is left in a window that goes: the table takes the piece
    // where it is on the screen, and the drag goes on there.
    const Rect16 client = was->ClientOnTable();
    const SPuz& piece = puz().cut.pieces[static_cast<std::size_t>(carried)];
    const ClientPoint mouse = table_.CursorPosition();
    was->SetCapture(false);
    board().MoveToWindow(carried, kTableWindow, piece.board.x + client.x, piece.board.y + client.y);
    table_.ContinueDrag(carried, mouse.x, mouse.y);
  }
  // The old window may be the one whose click asked for this: it goes
  // once that click is over.
  was->LetGo();
  ShowWindow(*was, false);
  windows_[static_cast<std::size_t>(box)] = nullptr;
  if (Application* application = Application::Instance())
    application->Post(was, MakeEvent(kEventCommand, CommandPayload{kCommandClose, 0}));
  data.flags ^= kBoxClosed;
  Make(box);
  WBox* made = window(box);
  if (!made) return;
  if (!quietly) table_.PlaySound(BoardSound::kEffect);
  Zoom(from, made->WindowRect(), kBoxToggleMilliseconds);
  CountPieces();
  made->UpdateTitle();
}

void BoxWindows::Maximise(int box, bool maximised) {
  WBox* each = window(box);
  if (!each || each->Box()->closed()) return;
  PieceBox& data = *each->Box();
  if (((data.flags & kBoxMaximised) != 0) == maximised) return;
  const Rect16 from = each->WindowRect();
  if (maximised) {
    data.flags |= kBoxMaximised;
  } else {
    data.flags &= ~kBoxMaximised;
  }
  each->ToggleFrameMaximised();
  if (!maximised) {
    // Back to its size, but never smaller than what its pieces cover.
    int right = 0, bottom = 0;
    for (const SPuz& piece : puz().cut.pieces) {
      if (piece.box != box) continue;
      right = std::max(right, piece.board.x + piece.board.width);
      bottom = std::max(bottom, piece.board.y + piece.board.height);
    }
    const Rect16 client = each->ClientRect();
    const Rect16 place = each->WindowRect();
    const int grow_x = std::max(0, right - client.width);
    const int grow_y = std::max(0, bottom - client.height);
    if (grow_x > 0 || grow_y > 0) {
      const Rect16 screen = table_.ClientRect();
      Rect16 bigger = place;
      bigger.width = static_cast<std::int16_t>(
          std::min<int>(place.width + grow_x, screen.width - kBoxScreenMargin));
      bigger.height = static_cast<std::int16_t>(
          std::min<int>(place.height + grow_y, screen.height - kBoxScreenMargin));
      bigger.x = static_cast<std::int16_t>(std::min<int>(bigger.x, screen.width - bigger.width));
      bigger.y = static_cast<std::int16_t>(std::min<int>(bigger.y, screen.height - bigger.height));
      each->Move(bigger);
    }
  }
  Zoom(from, each->WindowRect(), kBoxZoomMilliseconds);
}

bool BoxWindows::ClosedBoxesInLine() const {
  std::vector<PieceBox> lined = table_.puz().boxes;
  ParkClosedBoxes(lined, table_.width(), table_.height());
  const std::vector<PieceBox>& boxes = table_.puz().boxes;
  for (std::size_t box = 0; box < boxes.size(); ++box) {
    if (!boxes[box].closed()) continue;
    if (boxes[box].closed_x != lined[box].closed_x || boxes[box].closed_y != lined[box].closed_y)
      return false;
  }
  return true;
}

void BoxWindows::LineUpClosedBoxes() {
  ParkClosedBoxes(puz().boxes, table_.width(), table_.height());
  for (int box = 0; box < count(); ++box) {
    WBox* each = window(box);
    if (each && each->Box()->closed()) each->Move(each->Box()->ClosedRect());
  }
}

void BoxWindows::Empty(int box) {
  WBox* each = window(box);
  if (!each) return;
  PieceBox& data = *each->Box();
  const Rect16 client = each->ClientOnTable();
  data.title_locked = true;
  bool pinned_left = false;
  for (int piece = 0; piece < board().piece_count(); ++piece) {
    const SPuz& p = board().piece(piece);
    if (p.box != box) continue;
    if (board().pinned(piece)) {
      pinned_left = true;
      continue;
    }
    board().MoveToWindow(piece, kTableWindow, p.board.x + client.x, p.board.y + client.y);
  }
  data.title_locked = false;
  CountPieces();
  each->UpdateTitle();
  if (!pinned_left && !data.closed()) Toggle(box);
}

void BoxWindows::Spread(int box) {
  WBox* each = window(box);
  if (!each || each->Box()->closed()) return;
  board().Scatter(static_cast<std::uint8_t>(box), false, true);
  each->Repaint();
}

void BoxWindows::ChooseColour(int box) {
  WBox* each = window(box);
  if (!each) return;
  std::uint32_t colour = each->Box()->colour & kColourBits;
  if (!PickColour(each->platform_window(), colour)) return;
  each->Box()->colour = colour & kColourBits;
  puz().state |= kGameChanged;
  each->Repaint();
}

void BoxWindows::Rename(int box) {
  WBox* each = window(box);
  if (!each) return;
  VString name = each->Box()->name;
  if (!AskBoxName(table_, box, name)) return;
  each->Box()->name = name;
  puz().state |= kGameChanged;
  each->UpdateTitle();
}

WBox* BoxWindows::Topmost() const {
  if (hidden_) return nullptr;
  WBox* top = nullptr;
  for (WBox* each : windows_)
    if (each && !each->Box()->closed() && (!top || each->raised_at() > top->raised_at()))
      top = each;
  return top;
}

bool BoxWindows::OfferKey(const KeyPayload& key) {
  WBox* top = Topmost();
  if (!top) return false;
  Event offered = MakeEvent(kEventKey, key);
  top->Dispatch(offered);
  return true;
}

std::optional<int> BoxWindows::PieceUnderCursor() {
  if (hidden_) return std::nullopt;
  const ClientPoint mouse = table_.CursorPosition();
  for (int box = 0; box < static_cast<int>(windows_.size()); ++box) {
    WBox* each = windows_[static_cast<std::size_t>(box)];
    if (!each) continue;
    const Rect16 place = each->Box()->closed() ? each->WindowRect() : each->ClientOnTable();
    if (!Contains(place, mouse.x, mouse.y)) continue;
    if (each->Box()->closed()) return kNoPiece;
    return board().HitTest(static_cast<std::uint8_t>(box), mouse.x - place.x, mouse.y - place.y);
  }
  return std::nullopt;
}

void BoxWindows::TakeGroup(int piece, int box) {
  WBox* each = window(box);
  if (!each || board().pinned(piece)) return;
  // The whole group lands in the middle of the box's floor, where the box
  // shows it (once opened, for a closed box); a group larger than the
  // floor keeps its top left corner in view.
  const SPuz& p = board().piece(piece);
  const Rect16 group = board().Bounds(board().GroupOf(piece));
  const Rect16 floor = each->Floor();
  const int x = std::max(0, (floor.width - group.width) / 2);
  const int y = std::max(0, (floor.height - group.height) / 2);
  board().MoveToWindow(piece, static_cast<std::uint8_t>(box), x + p.board.x - group.x,
                       y + p.board.y - group.y);
  CountPieces();
  if (!each->Box()->closed()) BringToTop(box);
}

void BoxWindows::HideAll() {
  hidden_ = true;
  for (WBox* each : windows_)
    if (each) ShowWindow(*each, false);
}

void BoxWindows::ShowAll() {
  hidden_ = false;
  for (WBox* each : windows_)
    if (each) ShowWindow(*each, true);
}

WSPuz* BoxWindows::WindowOf(std::uint8_t window) {
  if (window == kTableWindow) return &table_;
  WBox* each = this->window(window);
  return each && !each->Box()->closed() ? each : nullptr;
}

}  // namespace cbst
