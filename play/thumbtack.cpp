// thumbtack.cpp: the tack's pictures, its home and its flights.
#include "play/thumbtack.h"

#include <algorithm>

#include "gfx/rect_animation.h"
#include "platform/display.h"

namespace cbst {
namespace {

// Between two frames of a flight.
constexpr std::int64_t kFlightStepMicroseconds = 10'000;

}  // namespace

// The table counts in the screen's device pixels; the tack keeps its size
// on the screen.
cXinx::cXinx()
    : lying_(LoadProgramBitmap(kBitmapThumbtack, ScreenPixelRatio())),
      carried_(LoadProgramBitmap(kBitmapCarriedTack, ScreenPixelRatio())) {
  set_home(0, 0);
}

void cXinx::set_home(int x, int y) {
  home_ = {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
           static_cast<std::int16_t>(lying_.width), static_cast<std::int16_t>(lying_.height)};
}

Rect16 cXinx::PictureAt(int x, int y) const {
  return {static_cast<std::int16_t>(x - lying_.width / 2),
          static_cast<std::int16_t>(y - lying_.height), static_cast<std::int16_t>(lying_.width),
          static_cast<std::int16_t>(lying_.height)};
}

void cXinx::Take(int x, int y) {
  carried_now_ = true;
  away_ = true;
  loose_ = PictureAt(x, y);
}

Rect16 cXinx::MoveTo(int x, int y) {
  const Rect16 before = loose_;
  loose_ = PictureAt(x, y);
  return before.United(loose_);
}

void cXinx::Fly(const Rect16& from, const Rect16& to, int milliseconds, AnimationClock& clock,
                const std::function<void(const Rect16&)>& repaint) {
  carried_now_ = false;
  away_ = true;
  loose_ = from;
  const std::int64_t start = clock.NowMicroseconds();
  const std::int64_t length = std::max<std::int64_t>(1, std::int64_t{milliseconds} * 1000);
  for (;;) {
    const std::int64_t elapsed = std::min(clock.NowMicroseconds() - start, length);
    const Rect16 before = loose_;
    loose_.x = static_cast<std::int16_t>(from.x + (to.x - from.x) * elapsed / length);
    loose_.y = static_cast<std::int16_t>(from.y + (to.y - from.y) * elapsed / length);
    repaint(before.United(loose_));
    if (elapsed >= length) break;
    clock.Sleep(kFlightStepMicroseconds);
  }
  away_ = false;
  repaint(loose_);
}

}  // namespace cbst
