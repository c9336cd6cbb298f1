// rect_animation.cpp: stepping the travelling rectangle with the clock and
// keeping a short tail of earlier frames on screen.
#include "gfx/rect_animation.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <thread>

#include "gfx/dc.h"

namespace cbst {
namespace {

constexpr int kDefaultDurationMs = 250;
// The first steps are each drawn, so that the start looks smooth; after them
// a frame is drawn only when the rectangle has moved on by more than this
// many steps (a resizing rectangle), or by more than one (a moving one).
constexpr int kSmoothSteps = 4;
constexpr int kResizingStride = 12;
constexpr int kMovingStride = 1;
constexpr std::int64_t kFrameGapUs = 25'000;
// How long the target stays on screen before everything is removed.
constexpr std::int64_t kFinalGapUs = 12'500;
constexpr std::size_t kKeptFrames = 4;
constexpr std::size_t kKeptTrailFrames = 6;

std::int16_t Between(int from, int to, std::int64_t step, std::int64_t steps) {
  return static_cast<std::int16_t>(from + (to - from) * step / steps);
}

// The frames on screen, oldest first. In trail mode the older ones change
// size by two pixels a side each frame until they are `thickness` frames old.
class Tail {
 public:
  Tail(FrameSurface& surface, int thickness, bool trail, bool growing)
      : surface_(surface),
        thickness_(thickness),
        trail_(trail),
        growing_(growing),
        limit_(trail ? kKeptTrailFrames : kKeptFrames) {}

  void Add(const Rect16& rect) {
    if (trail_) AgeTrail();
    Invert(rect);
    frames_.push_back({rect, rect, 0});
    while (frames_.size() > limit_) {
      Invert(frames_.front().shown);
      frames_.pop_front();
    }
    surface_.Present();
  }

  void RemoveAll() {
    for (const Frame& frame : frames_)
      Invert(frame.shown);
    frames_.clear();
    surface_.Present();
  }

 private:
  struct Frame {
    Rect16 drawn;  // as drawn first
    Rect16 shown;  // as on screen now
    int age;
  };

  void AgeTrail() {
    for (Frame& frame : frames_) {
      if (frame.age >= thickness_) continue;
      ++frame.age;
      Invert(frame.shown);
      frame.shown = frame.drawn.Grown(growing_ ? 2 * frame.age : -2 * frame.age);
      Invert(frame.shown);
    }
  }

  void Invert(const Rect16& rect) {
    if (!rect.Empty()) surface_.InvertFrame(rect, thickness_);
  }

  FrameSurface& surface_;
  const int thickness_;
  const bool trail_;
  const bool growing_;
  const std::size_t limit_;
  std::deque<Frame> frames_;
};

class ContextSurface final : public FrameSurface {
 public:
  explicit ContextSurface(DC& dc) : dc_(dc) {}
  void InvertFrame(const Rect16& rect, int thickness) override { dc_.InvertFrame(rect, thickness); }
  void Present() override { dc_.Flush(); }

 private:
  DC& dc_;
};

std::int64_t Area(const Rect16& rect) {
  return static_cast<std::int64_t>(rect.width) * rect.height;
}

}  // namespace

std::int64_t SteadyAnimationClock::NowMicroseconds() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SteadyAnimationClock::Sleep(std::int64_t microseconds) {
  std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}

void AnimateRectangle(const RectAnimation& animation, FrameSurface& surface,
                      AnimationClock& clock) {
  const Rect16& from = animation.from;
  const Rect16& to = animation.to;
  if (animation.thickness == 0 || to.width == -1) return;
  const int resize = std::max(std::abs(to.width - from.width), std::abs(to.height - from.height));
  const std::int64_t steps = std::max({resize, std::abs(to.x - from.x), std::abs(to.y - from.y)});
  if (steps == 0) return;
  const std::int64_t duration_us =
      static_cast<std::int64_t>(animation.duration_ms > 0 ? animation.duration_ms
                                                          : kDefaultDurationMs) *
      1000;
  const int stride = resize == 0 ? kMovingStride : kResizingStride;
  const auto at_step = [&](std::int64_t step) -> Rect16 {
    if (step == steps) return to;
    return {Between(from.x, to.x, step, steps), Between(from.y, to.y, step, steps),
            Between(from.width, to.width, step, steps),
            Between(from.height, to.height, step, steps)};
  };

  const bool trail = animation.thickness < 0;
  const bool growing = Area(to) > Area(from);
  Tail tail(surface, std::abs(animation.thickness), trail, growing);
  const std::int64_t start = clock.NowMicroseconds();
  std::int64_t step = 0;
  std::int64_t last_frame = start;
  tail.Add(from);
  while (step < steps) {
    // The step the next frame needs, and the earliest time it may come.
    const bool smooth = step <= kSmoothSteps;
    const std::int64_t wanted = std::min(steps, step + 1 + (smooth ? 0 : stride));
    std::int64_t due = start + (wanted * duration_us + steps - 1) / steps;
    if (!smooth) due = std::max(due, last_frame + kFrameGapUs);
    const std::int64_t now = clock.NowMicroseconds();
    if (now < due) {
      clock.Sleep(due - now);
      continue;
    }
    step = std::min(steps, (now - start) * steps / duration_us);
    tail.Add(at_step(step));
    last_frame = now;
  }
  const std::int64_t now = clock.NowMicroseconds();
  if (now < last_frame + kFinalGapUs) clock.Sleep(last_frame + kFinalGapUs - now);
  tail.RemoveAll();
}

void AnimateRectangle(const RectAnimation& animation, DC& screen, AnimationClock& clock) {
  ContextSurface surface(screen);
  AnimateRectangle(animation, surface, clock);
}

void AnimateRectangle(const RectAnimation& animation, DC& screen) {
  SteadyAnimationClock clock;
  AnimateRectangle(animation, screen, clock);
}

}  // namespace cbst
