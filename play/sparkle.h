// sparkle.h: Sparkles, the short glitter that marks a join, and
// CompletionEffect, which scatters them over a finished picture.
//
// A sparkle draws itself over the table for a moment and goes; the table
// keeps painting what lies beneath, so nothing of it stays behind. The
// table drives both from its timers.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "base/rect16.h"

namespace cbst {

class DC;

// One sparkle's life and size.
inline constexpr std::int64_t kSparkleMicroseconds = 480'000;
inline constexpr int kSparkleRadius = 13;
// Between two frames of the sparkles on the table.
inline constexpr int kSparkleFrameMilliseconds = 30;

// Each sparkle belongs to a window of pieces (the table or a box) and is
// drawn and erased in that window's own coordinates.
class Sparkles {
 public:
  struct Area {
    std::uint8_t window;
    Rect16 rect;
  };
  void Start(std::uint8_t window, int x, int y, std::int64_t now);
  // The areas to paint again at `now` (microseconds): every sparkle's,
  // those that have ended among them, which are forgotten.
  std::vector<Area> Advance(std::int64_t now);
  // Draws the sparkles of `window` as they look at `now`, inside `clip`.
  void Draw(DC& dc, std::uint8_t window, const Rect16& clip, std::int64_t now) const;

  bool empty() const { return live_.empty(); }
  // How many have been started so far.
  int started() const { return started_; }

 private:
  struct One {
    std::uint8_t window = 0;
    int x = 0;
    int y = 0;
    std::int64_t start = 0;
    Rect16 area() const;
  };
  std::vector<One> live_;
  int started_ = 0;
};

// The finish: one sparkle a tick at a random point of an area, a given
// number of times.
class CompletionEffect {
 public:
  explicit CompletionEffect(int sparkles, std::uint32_t seed = 1)
      : left_(sparkles), random_(seed) {}
  // The next point inside `area`; false once every sparkle has been given.
  bool Next(const Rect16& area, int* x, int* y);
  bool done() const { return left_ <= 0; }

 private:
  int left_;
  std::minstd_rand random_;
};

}  // namespace cbst
