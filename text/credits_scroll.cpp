// credits_scroll.cpp: counting the credits' steps and passes.
#include "text/credits_scroll.h"

#include <algorithm>

#include "text/markup.h"

namespace cbst {

CreditsScroll::CreditsScroll(int window_height, int content_height, int interval_ms,
                             std::uint32_t flags)
    : window_height_(window_height),
      content_height_(content_height),
      // No pace at all would divide by nothing: the usual pace stands in.
      interval_ms_(interval_ms > 0 ? interval_ms : kMarkupDefaultIntervalMs),
      flags_(flags),
      offset_(window_height / 2) {}

void CreditsScroll::Start(std::int64_t now_ms) {
  start_ms_ = now_ms;
  steps_ = 0;
}

int CreditsScroll::StepsDue(std::int64_t now_ms) const {
  const std::int64_t due = (now_ms - start_ms_) / interval_ms_ - steps_;
  return static_cast<int>(std::clamp<std::int64_t>(due, 0, kCreditsMaxStepsPerIteration));
}

bool CreditsScroll::Step() {
  constexpr std::uint32_t kOnePass = kCreditsOnce | kCreditsSelfClosing;
  if ((flags_ & kOnePass) == kOnePass && passes_ > 0) return false;
  ++steps_;
  if (--offset_ <= -content_height_) {
    offset_ = window_height_;
    ++passes_;
  }
  return true;
}

}  // namespace cbst
