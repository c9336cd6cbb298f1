// sparkle.cpp: a sparkle's rays as it grows and fades, and the points of
// the completion effect.
#include "play/sparkle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gfx/dc.h"

namespace cbst {
namespace {

// Eight rays, the long ones along the axes.
constexpr int kRays = 8;
constexpr std::uint32_t kCore = 0xFFFFFF;
constexpr std::uint32_t kGlow = 0x80F0FF;  // warm yellow, 0x00BBGGRR

}  // namespace

Rect16 Sparkles::One::area() const {
  return Rect16{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 1, 1}.Grown(
      kSparkleRadius);
}

void Sparkles::Start(std::uint8_t window, int x, int y, std::int64_t now) {
  live_.push_back({window, x, y, now});
  ++started_;
}

std::vector<Sparkles::Area> Sparkles::Advance(std::int64_t now) {
  std::vector<Area> areas;
  areas.reserve(live_.size());
  for (const One& one : live_)
    areas.push_back({one.window, one.area()});
  std::erase_if(live_, [&](const One& one) { return now - one.start >= kSparkleMicroseconds; });
  return areas;
}

void Sparkles::Draw(DC& dc, std::uint8_t window, const Rect16& clip, std::int64_t now) const {
  for (const One& one : live_) {
    if (one.window != window || !one.area().Overlaps(clip)) continue;
    // The rays grow for the first half of the life and shrink in the second.
    const double age =
        std::clamp(static_cast<double>(now - one.start) / kSparkleMicroseconds, 0.0, 1.0);
    const double size = std::sin(age * std::numbers::pi);
    for (int ray = 0; ray < kRays; ++ray) {
      const double angle = ray * 2 * std::numbers::pi / kRays + age;
      const int length = static_cast<int>(kSparkleRadius * size * (ray % 2 ? 0.55 : 1.0));
      for (int step = 0; step <= length; ++step) {
        const int px = one.x + static_cast<int>(std::lround(std::cos(angle) * step));
        const int py = one.y + static_cast<int>(std::lround(std::sin(angle) * step));
        if (clip.ContainsPoint(px, py)) dc.SetPixel(px, py, step < length / 2 ? kCore : kGlow);
      }
    }
  }
}

bool CompletionEffect::Next(const Rect16& area, int* x, int* y) {
  if (left_ <= 0 || area.Empty()) return false;
  --left_;
  *x = area.x + static_cast<int>(random_() % static_cast<unsigned>(area.width));
  *y = area.y + static_cast<int>(random_() % static_cast<unsigned>(area.height));
  return true;
}

}  // namespace cbst
