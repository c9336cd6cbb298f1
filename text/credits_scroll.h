// credits_scroll.h: CreditsScroll, the pace and position of the credits'
// upward scroll.
//
// The loop that shows the credits asks how many one-pixel steps are due
// (the time since the start divided by the step interval, less the steps
// already made, at most two at a time so that a stall is caught up gently)
// and makes them one by one. The content starts half way down the window;
// once it has left at the top it comes in again from the bottom edge, and
// that counts as a pass.
#pragma once

#include <cstdint>

namespace cbst {

// WCredits option flags: with both, the window closes after one pass.
inline constexpr std::uint32_t kCreditsOnce = 0x01;
inline constexpr std::uint32_t kCreditsSelfClosing = 0x02;
inline constexpr int kCreditsMaxStepsPerIteration = 2;

class CreditsScroll {
 public:
  // `window_height` is where a new pass starts, `content_height` how far
  // the content must travel to leave at the top.
  CreditsScroll(int window_height, int content_height, int interval_ms, std::uint32_t flags);

  // The time the steps are counted from.
  void Start(std::int64_t now_ms);
  // How many steps to make now.
  int StepsDue(std::int64_t now_ms) const;
  // Scrolls one pixel up; false, without moving, when the window is to
  // close instead.
  bool Step();

  // The content's top edge relative to the text area's top.
  int offset() const { return offset_; }
  int passes() const { return passes_; }
  std::int64_t steps() const { return steps_; }
  int interval_ms() const { return interval_ms_; }

 private:
  int window_height_;
  int content_height_;
  int interval_ms_;
  std::uint32_t flags_;
  int offset_;
  int passes_ = 0;
  std::int64_t start_ms_ = 0;
  std::int64_t steps_ = 0;
};

}  // namespace cbst
