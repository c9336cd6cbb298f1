// tips.h: Tips and cBocadillo, the speech balloon with a short help text
// for the control under the resting mouse.
//
// The window host tells a control's window when the mouse moves over the
// control (event 151, kEventHover); the window hands the event to the
// application's Tips. Tips decides which text the control has, waits for
// the mouse to rest on it, and shows the balloon beside the control.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/rect16.h"
#include "gfx/rect_animation.h"
#include "ui/event.h"
#include "ui/window.h"

namespace cbst {

// The dictionary contexts of a control's texts: its tip, then its label.
inline constexpr int kTipContext = 0x30;
inline constexpr int kLabelContext = 0;

// How often the resting mouse is looked at, and how long it must rest.
inline constexpr int kTipsTimerMs = 250;
inline constexpr int kTipsRestMs = 500;
inline constexpr int kTipsTimerId = 1;

// Where a control's texts come from when it carries no tip of its own: the
// dictionary's type-4 text of (context, control id), "" or null when there
// is none. The dictionary installs itself here; nothing is looked up while
// none is set.
using ControlTextLookup = const char* (*)(int context, int id);
void SetControlTextLookup(ControlTextLookup lookup);

class Tips;

// The balloon: an ellipse with a pointer towards the control, laid as a
// child over the window the control lives in (so that every window system
// places it with that window), and the mouse goes through it.
class cBocadillo final : public Window {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  ~cBocadillo() override;

  // Shows `text` (Windows-1252) beside `control` (in the client area of
  // `window`), below it where the window's top-level window has room and
  // above it otherwise.
  bool Pop(std::string_view text, const Rect16& control, Window& window);
  void Hide();
  bool shown() const;
  const std::string& text() const { return text_; }
  // Whether the balloon's pointer points up, at a control above it.
  bool points_up() const { return points_up_; }

  void OnEvent(Event& event) override;
  void Paint(DC& dc) override;

 private:
  friend class Tips;
  Tips* tips_ = nullptr;  // told of the timer and of the balloon going
  std::string text_;
  bool points_up_ = true;
};

class Tips {
 public:
  // `clock` measures the rest, the steady clock unless given; it must
  // outlive this object.
  explicit Tips(AnimationClock* clock = nullptr);
  ~Tips();
  // Measures the rest on `clock` from now on (the steady clock for none).
  void set_clock(AnimationClock* clock);
  Tips(const Tips&) = delete;
  Tips& operator=(const Tips&) = delete;

  // The mouse over a control (or off the controls, with id 0).
  void Hover(const HoverPayload& hover);
  // The timer's tick: shows the balloon once the mouse has rested.
  void Tick();
  // Takes the balloon away, stops the timer and forgets the text; the
  // control's tip does not come back until the mouse reaches another one.
  void Hide();

  // The player's setting; off hides what shows.
  void set_enabled(bool enabled);
  bool enabled() const { return enabled_; }
  // While set (for the whole program), no new tip is started.
  static void set_suppressed(bool suppressed);
  static bool suppressed();

  // The text the control of `hover` shows as its tip: its own, else the
  // dictionary's tip entry, else its label entry.
  static std::string TextOf(const HoverPayload& hover);

  const std::string& text() const { return text_; }
  int control_id() const { return control_id_; }
  const Rect16& control() const { return control_; }
  // The window the control lives in.
  Window* window() const { return window_; }
  bool hidden() const { return hidden_; }
  bool timer_running() const { return timer_running_; }
  // The balloon while it shows.
  cBocadillo* balloon() const;

 private:
  friend class cBocadillo;
  std::int64_t NowMs() const;
  cBocadillo* Balloon();
  void StopTimer();

  std::unique_ptr<SteadyAnimationClock> own_clock_;
  AnimationClock* clock_ = nullptr;
  std::string text_;
  Rect16 control_;
  int control_id_ = 0;
  Window* window_ = nullptr;
  ClientPoint rest_point_;  // in the window's client area
  std::int64_t rest_ms_ = 0;
  bool hidden_ = true;
  bool enabled_ = true;
  bool timer_running_ = false;
  cBocadillo* balloon_ = nullptr;  // held by the application; tells us when it goes
};

}  // namespace cbst
