// application.h: Application, the one object that holds the windows and
// runs the message loop.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "gfx/drawing_tools.h"
#include "ui/event.h"
#include "ui/window.h"

class QApplication;
class QObject;

namespace cbst {

class Tips;

class Application {
 public:
  // Brings the toolkit up when it is not running yet (offscreen where
  // there is no screen). There is one at a time.
  Application(int& argc, char** argv);
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  ~Application();

  // The application, or none before it is made and after it is gone.
  static Application* Instance();

  // Takes the window over; it lives until DestroyWindow. Returns it.
  template <typename W>
  W* Adopt(std::unique_ptr<W> window) {
    W* kept = window.get();
    windows_.push_back(std::move(window));
    return kept;
  }
  template <typename W, typename... Arguments>
  W* Make(Arguments&&... arguments) {
    return Adopt(std::make_unique<W>(std::forward<Arguments>(arguments)...));
  }
  bool Holds(const Window* window) const;
  // Deletes a held window; false when it is not held.
  bool Release(Window* window);
  const std::vector<std::unique_ptr<Window>>& windows() const { return windows_; }

  // Events the program queues for later; the loop delivers them in order
  // to windows that still exist.
  void Post(Window* target, Event event);

  // Runs until `window` is gone and returns the exit code its Destroy gave.
  int RunUntilGone(Window* window);
  // Delivers whatever is waiting without blocking, for long work and
  // animations that must keep the windows alive. Without `input`, only
  // the toolkit's own work (paints, timers) is done: the mouse, the keys
  // and the events the program posted stay queued for later.
  void ProcessPending(bool input = true);

  // Calls `settled` once, from the loop of RunUntilGone, when `window` has
  // presented a frame since this call and the queue has then run dry: the
  // first settled frame. For measurements of the program's start.
  void WhenSettled(Window* window, std::function<void()> settled);

  // Run on every idle pass while the idle flag is set.
  void AddIdleHandler(std::function<void()> handler);
  void set_idle(bool idle) { idle_ = idle; }

  // What windows leave unhandled.
  void DefaultHandler(Event& event);
  // Tells the windows that listen (kWindowForwardOther) that the program
  // became active or inactive.
  void TellActivation(bool active);

  // Set while every window is being closed at the end: Destroy then asks
  // no questions.
  bool closing_all() const { return closing_all_; }
  void CloseAll();

  // Keys that are commands wherever the focus is: sent to the frame
  // window as command events before any window sees the key.
  struct Accelerator {
    int virtual_key;
    std::uint8_t modifiers;  // kModShift, kModControl, kModAlt
    std::uint32_t command;
  };
  void SetAccelerators(std::vector<Accelerator> table, Window* frame);
  // True when the key was an accelerator and its command has been sent.
  bool TranslateAccelerator(const KeyPayload& key);

  // Windows told (event 19) whenever the clipboard's contents change.
  void AddClipboardViewer(Window* window);
  void RemoveClipboardViewer(Window* window);

  // The three fonts of the user interface: the small one of tips and
  // narrow labels, and the dialog font in two sizes.
  enum class UiFont { kSmall, kDialog, kDialogLarge };
  const Font& font(UiFont which) const { return fonts_[static_cast<int>(which)]; }

  // The tip balloons of the controls of every window.
  Tips& tips() { return *tips_; }

  int last_exit_code() const { return last_exit_code_; }
  void set_last_exit_code(int code) { last_exit_code_ = code; }

 private:
  void DeliverPosted();
  void RunIdle();
  void CheckSettled();

  std::unique_ptr<QApplication> toolkit_;
  std::unique_ptr<QObject> first_look_;
  std::vector<std::unique_ptr<Window>> windows_;
  struct Posted {
    Window* target;
    Event event;
  };
  std::deque<Posted> posted_;
  std::vector<std::function<void()>> idle_handlers_;
  std::array<Font, 3> fonts_;
  std::vector<Accelerator> accelerators_;
  Window* frame_ = nullptr;
  std::vector<Window*> clipboard_viewers_;
  std::unique_ptr<Tips> tips_;
  Window* settling_ = nullptr;
  int settling_from_ = 0;
  std::function<void()> settled_;
  bool idle_ = false;
  bool closing_all_ = false;
  int last_exit_code_ = 0;
};

}  // namespace cbst
