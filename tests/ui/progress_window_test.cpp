// progress_window_test.cpp: when the progress window shows and redraws, its
// range, and the bar it draws, on a clock the tests move by hand.
#include <gtest/gtest.h>
#include <QImage>

#include "gfx/drawing_surface_qt.h"
#include "support/recording_sink.h"
#include "support/test_application.h"
#include "ui/application.h"
#include "ui/progress_window.h"

namespace cbst {
namespace {

class HandClock final : public AnimationClock {
 public:
  std::int64_t NowMicroseconds() override { return now_ms * 1000; }
  void Sleep(std::int64_t microseconds) override { now_ms += microseconds / 1000; }
  std::int64_t now_ms = 0;
};

// Counts the commands it is sent.
class Listener final : public Window {
 public:
  void OnEvent(Event& event) override {
    if (event.code == kEventCommand) ++commands;
    Window::OnEvent(event);
  }
  int commands = 0;
};

class ProgressWindowTest : public ::testing::Test {
 protected:
  Window* Owner() {
    auto* owner = application_.Make<Listener>();
    EXPECT_TRUE(owner->Create(nullptr, {40, 40, 400, 300}, "Owner"));
    return owner;
  }

  testing::TestApplication application_;
  HandClock clock_;
};

TEST_F(ProgressWindowTest, QuickWorkShowsNothingAndSlowWorkShowsAfterHalfASecond) {
  Window* owner = Owner();
  ProgressWindow progress(owner, kProgressPercentBar | kProgressAnswerDrawn, &clock_);
  for (int percent = 0; percent < 100; percent += 10) {
    EXPECT_EQ(progress.Report(percent), 0);
    clock_.now_ms += 49;
  }
  EXPECT_EQ(progress.window(), nullptr);
  EXPECT_EQ(progress.repaints(), 0);
  EXPECT_EQ(application_.windows().size(), 1u);  // just the owner

  clock_.now_ms = kProgressFirstShowDelayMs;
  EXPECT_EQ(progress.Report(60), 1);  // drawn, and the caller is told
  ASSERT_NE(progress.window(), nullptr);
  EXPECT_EQ(progress.repaints(), 1);
  EXPECT_EQ(progress.last_drawn(), 60);

  // With kProgressShowAtOnce there is no waiting.
  ProgressWindow at_once(owner, kProgressShowAtOnce, &clock_);
  at_once.Report(0);
  EXPECT_NE(at_once.window(), nullptr);
}

TEST_F(ProgressWindowTest, RedrawsOnlyForANewPercentageAndNotTooOften) {
  ProgressWindow progress(nullptr, kProgressShowAtOnce, &clock_);
  progress.set_interval(100);
  progress.Report(30);
  clock_.now_ms += 200;
  progress.Report(30);
  progress.Report(30.6);  // still 30 %
  EXPECT_EQ(progress.repaints(), 1);
  progress.Report(31);
  EXPECT_EQ(progress.repaints(), 2);

  clock_.now_ms += 50;
  progress.Report(32);  // within the interval
  EXPECT_EQ(progress.repaints(), 2);
  clock_.now_ms += 50;
  progress.Report(32);
  EXPECT_EQ(progress.repaints(), 3);
  progress.Report(100);  // the end shows at once
  EXPECT_EQ(progress.repaints(), 4);
  EXPECT_EQ(progress.last_drawn(), 100);
}

TEST_F(ProgressWindowTest, RangesAreWidenedAndMayBeFractions) {
  ProgressWindow progress(nullptr, kProgressShowAtOnce, &clock_);
  progress.set_interval(0);
  progress.SetRange(5, 5);
  EXPECT_EQ(progress.maximum(), 6);
  progress.SetRange(10, 3);
  EXPECT_EQ(progress.maximum(), 11);
  progress.Report(10.5);
  EXPECT_EQ(progress.percent(), 50);

  progress.SetRange(0.25, 0.75);
  progress.Report(0.5);
  EXPECT_EQ(progress.percent(), 50);
  progress.Progress(40);  // an operation's percent lands inside the range
  EXPECT_DOUBLE_EQ(progress.value(), 0.45);
  EXPECT_EQ(progress.last_drawn(), 40);

  // Two operations, each with its half of one bar.
  progress.SetRange(0, 100);
  ProgressRange encode(progress, 0, 50);
  ProgressRange decode(progress, 50, 100);
  encode.Progress(100);
  EXPECT_EQ(progress.percent(), 50);
  decode.Progress(50);
  EXPECT_EQ(progress.percent(), 75);
}

TEST_F(ProgressWindowTest, ThePercentBarIsDarkBlueUpToTheValueWithWhiteFigures) {
  ProgressWindow progress(nullptr, kProgressShowAtOnce | kProgressPercentBar, &clock_);
  progress.SetText("Decoding");
  progress.Report(50);
  ASSERT_NE(progress.window(), nullptr);
  const QImage& image = *progress.window()->surface()->Image();
  const Rect16 bar = progress.bar_rect();
  const QRgb dark_blue = qRgb(0, 0, 0x80);
  EXPECT_EQ(image.pixel(bar.x + 2, bar.y + 2), dark_blue);
  EXPECT_EQ(image.pixel(bar.x + bar.width - 3, bar.y + 2), qRgb(0xC0, 0xC0, 0xC0));
  int white_left = 0, white_right = 0;
  for (int y = bar.y; y < bar.y + bar.height; ++y) {
    for (int x = bar.x; x < bar.x + bar.width; ++x) {
      if (image.pixel(x, y) == qRgb(0xFF, 0xFF, 0xFF))
        ++(x < bar.x + bar.width / 2 ? white_left : white_right);
    }
  }
  EXPECT_GT(white_left, 0);  // "50 %" straddles the middle
  EXPECT_EQ(white_right, 0);
}

TEST_F(ProgressWindowTest, PumpsMessagesAndGoesQuietlyWithItsOwner) {
  auto* owner = static_cast<Listener*>(Owner());
  ProgressWindow progress(owner, kProgressShowAtOnce | kProgressPumpMessages, &clock_);
  application_.Post(owner, MakeEvent(kEventCommand, CommandPayload{777, 0}));
  progress.Report(10);
  EXPECT_EQ(owner->commands, 1);
  ASSERT_NE(progress.window(), nullptr);

  testing::RecordingSink reports;
  DestroyWindow(owner, 0);
  EXPECT_EQ(progress.window(), nullptr);
  clock_.now_ms += kProgressFirstShowDelayMs;
  progress.Report(90);  // not made again over an owner that is gone
  EXPECT_EQ(progress.window(), nullptr);
  EXPECT_TRUE(application_.windows().empty());
  EXPECT_TRUE(reports.reports.empty());
}

}  // namespace
}  // namespace cbst
