// table_animations.cpp: the table's animations — flights of pieces, turns
// and spreads — drawn frame by frame into the back buffer and shown at
// once, paced by the table's clock, while the player's input waits.
#include <algorithm>

#include "play/turned_picture.h"
#include "play/wbox.h"
#include "play/wpuz.h"
#include "ui/application.h"

namespace cbst {
namespace {

// A spread shows one landing piece a frame, and lasts no longer than this
// however many pieces it spreads.
constexpr std::int64_t kSpreadStepMicroseconds = 20'000;
constexpr std::int64_t kSpreadLongestMicroseconds = 1'500'000;

}  // namespace

void WPuz::BeginAnimation() {
  ++play_state.animating;
}

void WPuz::EndAnimation() {
  if (--play_state.animating > 0) return;
  // What was asked for meanwhile comes now, in its order.
  std::vector<Event> held = std::move(held_);
  held_.clear();
  Application* application = Application::Instance();
  for (Event& event : held)
    if (application) application->Post(this, std::move(event));
}

void WPuz::ShowFrame(bool input) {
  if (!exists()) return;
  // The frame's invalidated rectangles are painted now; the mouse and the
  // keys wait in the queue unless they may end the animation.
  if (Application* application = Application::Instance()) application->ProcessPending(input);
}

void WPuz::Fly(int piece, int x, int y, int milliseconds) {
  Board& rules = board();
  const SPuz& flown = rules.piece(piece);
  const int from_x = flown.board.x;
  const int from_y = flown.board.y;
  if (flown.box != kTableWindow || milliseconds <= 0 || paint_locks_ > 0 ||
      (from_x == x && from_y == y)) {
    rules.MovePiece(piece, 0, x, y);
    RecountPreview();
    return;
  }
  // The piece's group flies with it, keeping its shape.
  const std::vector<int> group = rules.GroupOf(piece);
  const std::int64_t length = std::int64_t{milliseconds} * 1000;
  BeginAnimation();
  const std::int64_t start = Now();
  for (;;) {
    const std::int64_t elapsed = std::clamp<std::int64_t>(Now() - start, 0, length);
    const int to_x = from_x + static_cast<int>((x - from_x) * elapsed / length);
    const int to_y = from_y + static_cast<int>((y - from_y) * elapsed / length);
    const int dx = to_x - flown.board.x;
    const int dy = to_y - flown.board.y;
    const Rect16 before = rules.Bounds(group);
    for (int member : group) {
      const SPuz& each = rules.piece(member);
      rules.MovePiece(member, 0, each.board.x + dx, each.board.y + dy);
    }
    Redraw(kTableWindow, before.United(rules.Bounds(group)));
    ShowFrame();
    if (elapsed >= length) break;
    WaitForFrame();
  }
  EndAnimation();
  RecountPreview();
}

void WPuz::AnimateTurn(int piece, int pivot_x, int pivot_y, int degrees, int milliseconds) {
  Board& rules = board();
  const std::uint8_t window = rules.piece(piece).box;
  if (milliseconds <= 0 || paint_locks_ > 0) return;
  // The turn is drawn in the window the piece lies in: the table, or an
  // open box with its own back buffer.
  WBox* box = window == kTableWindow ? nullptr : boxes_.window(window);
  if (window != kTableWindow && (!box || !box->back_buffer() || puz().boxes[window].closed()))
    return;
  BmpMem& buffer = box ? *box->back_buffer() : back_buffer();
  const auto repaint = [&](const Rect16& area) {
    if (box) {
      box->Repaint(area);
    } else {
      Show(area);
    }
  };
  const std::vector<int> group = rules.GroupOf(piece);
  const Rect16 bounds = rules.Bounds(group);
  const std::optional<CarriedImage> picture = ComposeCarriedImage(puz(), group, bounds);
  if (!picture) return;
  // The group leaves the paint and its picture turns over what lies
  // under it.
  for (int member : group)
    rules.piece(member).flags |= kPieceCarried;
  const Rect16 swept = SweptSquare(bounds, pivot_x, pivot_y);
  TurnPlacement placement;
  placement.x = bounds.x;
  placement.y = bounds.y;
  placement.pivot_x = pivot_x;
  placement.pivot_y = pivot_y;
  const std::int64_t length = std::int64_t{milliseconds} * 1000;
  BeginAnimation();
  const std::int64_t start = Now();
  for (;;) {
    const std::int64_t elapsed = std::clamp<std::int64_t>(Now() - start, 0, length);
    if (elapsed >= length) break;
    placement.degrees =
        static_cast<double>(degrees) * static_cast<double>(elapsed) / static_cast<double>(length);
    repaint(swept);
    DrawTurnedPicture(buffer, swept, *picture, placement);
    ShowFrame();
    WaitForFrame();
  }
  for (int member : group)
    rules.piece(member).flags &= ~kPieceCarried;
  // The turn itself draws the group where it ends.
  repaint(swept);
  EndAnimation();
}

void WPuz::SpreadRuns(std::uint8_t window, bool animated, bool running) {
  TableBase::SpreadRuns(window, animated, running);
  // The clock stands still while the pieces are spread.
  if (running) {
    PauseClock();
  } else {
    ResumeClock();
    RecountPreview();
  }
  if (!animated) return;
  if (running && !spread_shown_) {
    spread_shown_ = true;
    spread_started_ = Now();
    BeginAnimation();
  } else if (!running && spread_shown_) {
    spread_shown_ = false;
    EndAnimation();
  }
}

void WPuz::SpreadStep(int landed, int total) {
  if (!spread_shown_ || total <= 0) return;
  const std::int64_t step = std::min(kSpreadStepMicroseconds, kSpreadLongestMicroseconds / total);
  if (const std::int64_t wait = spread_started_ + step * landed - Now(); wait > 0)
    play_state.clock->Sleep(wait);
  ShowFrame();
}

}  // namespace cbst
