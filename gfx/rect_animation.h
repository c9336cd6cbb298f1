// rect_animation.h: the rectangle that travels from one screen rectangle to
// another when a window or a group of pieces opens, closes or moves.
#pragma once

#include <cstdint>

#include "base/rect16.h"

namespace cbst {

class DC;

// Time as the animation sees it, so that tests can run it on a clock of
// their own.
class AnimationClock {
 public:
  virtual ~AnimationClock() = default;
  virtual std::int64_t NowMicroseconds() = 0;
  virtual void Sleep(std::int64_t microseconds) = 0;
};

// The steady clock, and sleeping for real.
class SteadyAnimationClock final : public AnimationClock {
 public:
  std::int64_t NowMicroseconds() override;
  void Sleep(std::int64_t microseconds) override;
};

// What the animation draws on. Inverting the same frame a second time
// removes it.
class FrameSurface {
 public:
  virtual ~FrameSurface() = default;
  // Inverts a frame `thickness` pixels wide just inside `rect`.
  virtual void InvertFrame(const Rect16& rect, int thickness) = 0;
  // A frame's drawing is complete and may be shown.
  virtual void Present() {}
};

struct RectAnimation {
  Rect16 from;
  Rect16 to;                        // a width of -1: no animation
  int thickness = 1;                // 0: no animation; negative: leave a shrinking or growing trail
  int duration_ms = 0;              // 0: 250 ms
  std::uint32_t colour = 0x3F3FC0;  // the pen, 0x00BBGGRR; inverting draws alike in any colour
};

// Runs the animation to its end, blocking the thread for about its duration.
// Nothing of it stays on the surface afterwards.
void AnimateRectangle(const RectAnimation& animation, FrameSurface& surface, AnimationClock& clock);
// On a context (the screen's), through DC::InvertFrame.
void AnimateRectangle(const RectAnimation& animation, DC& screen, AnimationClock& clock);
void AnimateRectangle(const RectAnimation& animation, DC& screen);

}  // namespace cbst
