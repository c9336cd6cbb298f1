// show_where.cpp: showing the player where the neighbour of a piece's side
// lies: a rectangle travels from the side to the neighbour and closes in
// on it.
#include <algorithm>
#include <functional>
#include <utility>

#include "gfx/rect_animation.h"
#include "platform/mouse_buttons.h"
#include "play/wspuz.h"

namespace cbst {
namespace {

// The show's steps, in milliseconds: from the side to the neighbour, out
// to the area around it, in, out again, and closing in.
constexpr int kToNeighbour = 300;
constexpr int kOutFirst = 300;
constexpr int kBackAndForth = 200;
constexpr int kClosingIn = 250;
// The area around the neighbour is at least this large.
constexpr int kAroundSide = 100;
// The side's strip is this thick.
constexpr int kSideStrip = 4;
// A background brighter than this, as the mean of its red, green and
// blue, is shown the way in black; others in white.
constexpr int kBrightBackground = 191;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

// Shows each frame, then lets pending messages through.
class PumpingSurface final : public FrameSurface {
 public:
  PumpingSurface(FrameSurface& shown, std::function<void()> pump)
      : shown_(shown), pump_(std::move(pump)) {}
  void InvertFrame(const Rect16& rect, int thickness) override {
    shown_.InvertFrame(rect, thickness);
  }
  void Present() override {
    shown_.Present();
    pump_();
  }

 private:
  FrameSurface& shown_;
  std::function<void()> pump_;
};

Rect16 SideStrip(const Rect16& cell, int direction) {
  Rect16 strip = cell;
  switch (direction) {
    case kLeft:
      strip.width = kSideStrip;
      break;
    case kRight:
      strip.x = static_cast<std::int16_t>(cell.x + cell.width - kSideStrip);
      strip.width = kSideStrip;
      break;
    case kUp:
      strip.height = kSideStrip;
      break;
    default:
      strip.y = static_cast<std::int16_t>(cell.y + cell.height - kSideStrip);
      strip.height = kSideStrip;
      break;
  }
  return strip;
}

Rect16 Around(const Rect16& rect) {
  const int width = std::max<int>(rect.width, kAroundSide);
  const int height = std::max<int>(rect.height, kAroundSide);
  return {static_cast<std::int16_t>(rect.x + rect.width / 2 - width / 2),
          static_cast<std::int16_t>(rect.y + rect.height / 2 - height / 2),
          static_cast<std::int16_t>(width), static_cast<std::int16_t>(height)};
}

}  // namespace

std::uint32_t ContrastingColour(std::uint32_t background) {
  const int mean = static_cast<int>((background & 0xFF) + ((background >> 8) & 0xFF) +
                                    ((background >> 16) & 0xFF)) /
                   3;
  return mean > kBrightBackground ? kBlack : kWhite;
}

Rect16 WSPuz::ToTable(const Rect16& rect) {
  // Through the frames of this window and its parents (a box's caption and
  // border) to the client area of the top window, the table.
  const Window* top = this;
  while (top->parent())
    top = top->parent();
  const ClientPoint corner = MapClientPoint(*this, *top, {rect.x, rect.y});
  return {static_cast<std::int16_t>(corner.x), static_cast<std::int16_t>(corner.y), rect.width,
          rect.height};
}

Rect16 WSPuz::PieceOnTable(int piece) {
  const SPuz& shown = board_.piece(piece);
  WSPuz* holder = play_.windows ? play_.windows->WindowOf(shown.box) : nullptr;
  return (holder ? holder : this)->ToTable(shown.window);
}

WSPuz* WSPuz::OtherTable() {
  WSPuz* table = play_.windows ? play_.windows->WindowOf(kTableWindow) : nullptr;
  return table != this ? table : nullptr;
}

FrameSurface* WSPuz::AnimationSurface() {
  WSPuz* table = OtherTable();
  return table ? table->AnimationSurface() : nullptr;
}

void WSPuz::BeginAnimation() {
  if (WSPuz* table = OtherTable()) {
    table->BeginAnimation();
  } else {
    ++play_.animating;
  }
}

void WSPuz::EndAnimation() {
  if (WSPuz* table = OtherTable()) {
    table->EndAnimation();
  } else {
    --play_.animating;
  }
}

void WSPuz::ShowFrame(bool input) {
  if (WSPuz* table = OtherTable()) {
    table->ShowFrame(input);
  } else {
    Update();
  }
}

void WSPuz::ShowWhere(int piece, int x, int y) {
  if (board_.puz().HasOption(kOptionNoHelp)) return;
  const int side = board_.SideTowards(piece, x, y);
  const SPuz& clicked = board_.piece(piece);
  const int neighbour = clicked.neighbour[side];
  if (neighbour == kNoNeighbour || (clicked.joined_sides & (1u << side))) return;

  RevealPiece(neighbour);
  board_.BringToFront(neighbour, 0);
  Update();
  host_.CountHelp(0);

  const int direction = (side + clicked.rotation) % kSideCount;
  const Rect16 from = ToTable(SideStrip(clicked.board, direction));
  // The neighbour may lie in another window than the clicked piece.
  const Rect16 target = PieceOnTable(neighbour);
  const Rect16 around = Around(target);
  const Rect16 steps[][2] = {
      {from, target}, {target, around}, {around, target}, {target, around}, {around, target}};
  const int durations[] = {kToNeighbour, kOutFirst, kBackAndForth, kBackAndForth, kClosingIn};

  if (FrameSurface* shown = play_.rect_animations ? AnimationSurface() : nullptr) {
    // Any click or key the player presses ends the show: the player's
    // input is let through at every frame, and the press does nothing else.
    PumpingSurface surface(*shown, [this] { ShowFrame(true); });
    MouseButtonPressedNow();
    RectAnimation animation;
    animation.colour = ContrastingColour(board_.puz().background);
    play_.gesture_running = true;
    play_.input_ends_animation = true;
    play_.animation_interrupted = false;
    BeginAnimation();
    bool interrupted = false;
    for (std::size_t step = 0; step < std::size(durations) && !interrupted; ++step) {
      interrupted = MouseButtonPressedNow() || play_.animation_interrupted;
      if (interrupted) break;
      animation.from = steps[step][0];
      animation.to = steps[step][1];
      animation.duration_ms = durations[step];
      AnimateRectangle(animation, surface, *play_.clock);
    }
    EndAnimation();
    play_.input_ends_animation = false;
    play_.gesture_running = false;
    if (interrupted) return;
  }
  const SPuz& found = board_.piece(neighbour);
  host_.Sparkle(found.box, found.window.x + found.window.width / 2,
                found.window.y + found.window.height / 2);
}

}  // namespace cbst
