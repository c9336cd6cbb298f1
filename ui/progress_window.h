// progress_window.h: ProgressWindow, the small window over its owner that
// shows how far a long operation has got.
//
// Long work (decoding and encoding pictures, making a puzzle, scanning
// folders) reports to it as it goes. Quick work never sees it: the window
// is made only once the work has lasted half a second, and then redrawn
// only when the bar's whole percentage changes, at most once per repaint
// interval (the last step always shows).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/progress_sink.h"
#include "base/rect16.h"
#include "gfx/rect_animation.h"

namespace cbst {

class DC;
class Window;

// ProgressWindow's option flags.
inline constexpr std::uint32_t kProgressAnswerDrawn = 0x02;   // Report returns 1 once drawn
inline constexpr std::uint32_t kProgressShowAtOnce = 0x04;    // no first-show delay
inline constexpr std::uint32_t kProgressPercentBar = 0x20;    // the bar with "%i %%" on it
inline constexpr std::uint32_t kProgressPumpMessages = 0x40;  // keep windows alive while reporting

// Quick work finishes before this and never shows the window.
inline constexpr int kProgressFirstShowDelayMs = 500;
inline constexpr int kProgressDefaultIntervalMs = 100;

class ProgressWindow final : public ProgressSink {
 public:
  // The window will stand over `owner` (the screen's middle without one).
  // `clock` is the time the delays are measured on, the steady clock
  // unless given; it must outlive this object. The start time is now.
  explicit ProgressWindow(Window* owner, std::uint32_t flags = kProgressPercentBar,
                          AnimationClock* clock = nullptr);
  ~ProgressWindow() override;
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  // The values reports come in. A maximum not above the minimum becomes the
  // minimum + 1; fractions are fine.
  void SetRange(double minimum, double maximum);
  // The line above the bar, Windows-1252.
  void SetText(std::string_view text);
  void set_interval(int milliseconds) { interval_ms_ = milliseconds; }

  // The work is at `value` of the range (clamped to it). With
  // kProgressAnswerDrawn, 1 from the moment the window has been drawn,
  // otherwise 0.
  int Report(double value);
  // ProgressSink: `percent` of the work done, mapped into the range.
  void Progress(double percent) override;

  double minimum() const { return minimum_; }
  double maximum() const { return maximum_; }
  double value() const { return value_; }
  // The whole percentage of the range the value stands at.
  int percent() const;
  // The percentage last drawn, -1 before the first drawing.
  int last_drawn() const { return last_drawn_; }
  // How often the window has been drawn for a report or a new text, the
  // first showing included (the system asking for a repaint not counted).
  int repaints() const { return repaints_; }
  // Where the bar lies in the window's client area.
  Rect16 bar_rect() const;
  // The window, while it is up.
  Window* window() const;

 private:
  class Pane;
  bool MakePane();
  void Draw(DC& dc);
  void Redraw(std::int64_t now_ms);
  std::int64_t NowMs() const;

  Window* owner_;
  std::uint32_t flags_;
  std::unique_ptr<SteadyAnimationClock> own_clock_;
  AnimationClock* clock_;
  double minimum_ = 0;
  double maximum_ = 100;
  double value_ = 0;
  std::int64_t start_ms_ = 0;
  std::int64_t last_draw_ms_ = 0;
  int interval_ms_ = kProgressDefaultIntervalMs;
  int last_drawn_ = -1;
  int repaints_ = 0;
  std::string text_;
  Pane* pane_ = nullptr;  // held by the application; tells us when it goes
  bool closed_ = false;   // the window went with its owner: not made again
};

}  // namespace cbst
