// rect_animation_test.cpp: the travelling rectangle's schedule, run on a
// fake clock, and that it leaves the screen as it found it.
#include "gfx/rect_animation.h"

#include "gfx/bmp_mem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace cbst {
namespace {

constexpr std::int64_t kStart = 1'000'000;

class FakeClock final : public AnimationClock {
 public:
  std::int64_t NowMicroseconds() override { return now; }
  void Sleep(std::int64_t microseconds) override {
    EXPECT_GT(microseconds, 0);
    now += microseconds;
    if (on_sleep) on_sleep();
  }

  std::int64_t now = kStart;
  std::function<void()> on_sleep;
};

// Runs an animation and keeps each inversion with its time, and which
// frames are on screen (inverting a shown frame removes it).
struct Recording final : FrameSurface {
  explicit Recording(const RectAnimation& animation) { AnimateRectangle(animation, *this, clock); }

  void InvertFrame(const Rect16& rect, int) override {
    if (frame_times.empty() || frame_times.back() != clock.now) {
      frame_times.push_back(clock.now);
      first_of_frame.push_back(rect);
    }
    drawn.push_back(rect);
    const auto found = std::find(shown.begin(), shown.end(), rect);
    found == shown.end() ? shown.push_back(rect) : void(shown.erase(found));
  }
  void Present() override { most_shown = std::max(most_shown, shown.size()); }

  FakeClock clock;
  std::vector<std::int64_t> frame_times;  // the last one removes what is left
  std::vector<Rect16> first_of_frame;
  std::vector<Rect16> drawn;
  std::vector<Rect16> shown;
  std::size_t most_shown = 0;
};

std::vector<std::int64_t> After(std::initializer_list<double> milliseconds) {
  std::vector<std::int64_t> times;
  for (double ms : milliseconds)
    times.push_back(kStart + std::llround(ms * 1000));
  return times;
}

TEST(RectAnimation, DrawsNothingWhenThereIsNothingToAnimate) {
  const Rect16 place{10, 20, 30, 40};
  for (const RectAnimation& animation : std::vector<RectAnimation>{{place, place},
                                                                   {place, place, -3, 1000},
                                                                   {place, {50, 60, 30, 40}, 0},
                                                                   {place, {50, 60, -1, 40}}}) {
    const Recording recording(animation);
    EXPECT_TRUE(recording.drawn.empty());
    EXPECT_EQ(recording.clock.now, kStart) << "returns at once";
  }
}

// 100 steps of moving in 250 ms: the first steps one by one, then a frame
// every 25 ms, the target, and 12.5 ms later everything removed.
TEST(RectAnimation, MovingRectangleFollowsTheClock) {
  const Recording recording({{0, 0, 10, 10}, {100, 0, 10, 10}});
  EXPECT_EQ(recording.frame_times, After({0, 2.5, 5, 7.5, 10, 12.5, 37.5, 62.5, 87.5, 112.5, 137.5,
                                          162.5, 187.5, 212.5, 237.5, 262.5, 275}));
  std::vector<int> lefts;
  for (const Rect16& frame : recording.first_of_frame)
    lefts.push_back(frame.x);
  lefts.pop_back();
  EXPECT_EQ(lefts, (std::vector<int>{0, 1, 2, 3, 4, 5, 15, 25, 35, 45, 55, 65, 75, 85, 95, 100}));
  EXPECT_EQ(recording.most_shown, 4u);
  EXPECT_EQ(recording.drawn.size(), 2 * 16u) << "each frame drawn and removed once";
  EXPECT_TRUE(recording.shown.empty());
}

// A resizing rectangle waits for more than 12 steps between frames; with 10
// seconds for 100 steps the 25 ms gap never matters.
TEST(RectAnimation, ResizingRectangleSkipsSmallSteps) {
  const Recording recording({{0, 0, 10, 10}, {0, 0, 110, 60}, 1, 10'000});
  std::vector<std::int64_t> expected;
  for (int step : {0, 1, 2, 3, 4, 5, 18, 31, 44, 57, 70, 83, 96, 100})
    expected.push_back(kStart + step * 100'000);
  expected.push_back(expected.back() + 12'500);
  EXPECT_EQ(recording.frame_times, expected);
  EXPECT_EQ(recording.first_of_frame[13], (Rect16{0, 0, 110, 60}));
  EXPECT_TRUE(recording.shown.empty());

  // With no duration given it takes 250 ms: three steps, each when due.
  const Recording quick({{0, 0, 10, 10}, {0, 0, 13, 10}});
  EXPECT_EQ(quick.frame_times, After({0, 83.334, 166.667, 250, 262.5}));
}

// Trail mode keeps six frames. Older ones change by two pixels a side per
// frame until they are as old as the frame is thick: shrinking, or growing
// towards a larger target.
TEST(RectAnimation, TrailChangesSizeUntilItIsAsOldAsItIsThick) {
  const Recording moving({{0, 0, 40, 40}, {200, 50, 40, 40}, -3});
  EXPECT_EQ(moving.most_shown, 6u);
  EXPECT_TRUE(moving.shown.empty());
  std::vector<int> sizes;
  for (const Rect16& rect : moving.drawn) {
    EXPECT_EQ(rect.width, rect.height);
    sizes.push_back(rect.width);
  }
  std::sort(sizes.begin(), sizes.end());
  sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
  EXPECT_EQ(sizes, (std::vector<int>{28, 32, 36, 40}));

  const Recording growing({{100, 100, 10, 10}, {0, 0, 300, 300}, -2});
  EXPECT_EQ(growing.most_shown, 6u);
  EXPECT_TRUE(growing.shown.empty());
  const auto smallest =
      std::min_element(growing.drawn.begin(), growing.drawn.end(),
                       [](const Rect16& a, const Rect16& b) { return a.width < b.width; });
  EXPECT_EQ(*smallest, (Rect16{100, 100, 10, 10}));
  EXPECT_NE(std::find(growing.drawn.begin(), growing.drawn.end(), Rect16{96, 96, 18, 18}),
            growing.drawn.end())
      << "the first frame, two frames old";
  EXPECT_EQ(std::find(growing.drawn.begin(), growing.drawn.end(), Rect16{94, 94, 22, 22}),
            growing.drawn.end())
      << "and no older";
}

// On a real context: the frames show while the animation runs, and the
// screen is as before afterwards.
TEST(RectAnimation, LeavesTheScreenAsItFoundIt) {
  std::mt19937 random(11);
  for (int thickness : {1, 3, -1, -4}) {
    BmpMem screen(320, 200, DisplayFormat::Standard(32));
    const PixelView view = screen.pixels();
    for (int y = 0; y < view.height; ++y) {
      for (int x = 0; x < view.width; ++x)
        *reinterpret_cast<std::uint32_t*>(view.At(x, y)) = kOpaque | (random() & 0xFFFFFF);
    }
    const std::vector<std::uint8_t> before(view.data, view.data + view.stride * view.height);
    const auto unchanged = [&] {
      return std::equal(before.begin(), before.end(), screen.pixels().data);
    };
    FakeClock clock;
    int sleeps_showing_frames = 0;
    clock.on_sleep = [&] { sleeps_showing_frames += !unchanged(); };
    // From partly off screen to the other corner.
    AnimateRectangle({{-20, 150, 60, 80}, {250, 5, 40, 30}, thickness}, screen.dc(), clock);
    EXPECT_TRUE(unchanged()) << thickness;
    EXPECT_GT(sleeps_showing_frames, 5) << thickness;
  }
}

}  // namespace
}  // namespace cbst
