// window.h: Window, the base of every window of the game.
//
// A Window object owns one platform window (a toolkit widget the game
// never sees), is told everything that happens to it as Events through
// OnEvent, and passes on what it does not handle. The operations below keep
// the order every window class overrides them in.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "base/rect16.h"
#include "base/vstring.h"
#include "platform/platform_window.h"
#include "ui/event.h"

namespace cbst {

class DC;
class DrawingSurface;
class WindowHost;

// A point in a window's client area.
struct ClientPoint {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const ClientPoint&, const ClientPoint&) = default;
};

// Every class of the window tree has one of these; the chain of bases ends
// at Object's.
struct ClassInfo {
  const ClassInfo* base;
  const char* name;
};
extern const ClassInfo kObjectClass;

// Window::flags.
inline constexpr std::uint8_t kWindowDefaultChild = 0x01;
inline constexpr std::uint8_t kWindowIdle = 0x04;          // in the idle processing
inline constexpr std::uint8_t kWindowFirstLook = 0x08;     // sees queued messages first
inline constexpr std::uint8_t kWindowWrapsForeign = 0x20;  // did not create its window
inline constexpr std::uint8_t kWindowForwardOther = 0x80;  // unknown messages as event 199
// Window::state_flags.
inline constexpr std::uint8_t kWindowActive = 0x01;

// Window styles for Create.
inline constexpr std::uint32_t kStyleChild = 0x01;  // inside the parent's client area
inline constexpr std::uint32_t kStyleAcceptsFiles = 0x02;
inline constexpr std::uint32_t kStyleFullScreen = 0x04;
inline constexpr std::uint32_t kStyleHidden = 0x08;  // not shown by Create
// A child with a frame drawn by the framework: caption and buttons as asked.
inline constexpr std::uint32_t kStyleFramed = 0x10;
inline constexpr std::uint32_t kStyleSystemMenu = 0x20;
inline constexpr std::uint32_t kStyleMinimiseBox = 0x40;
inline constexpr std::uint32_t kStyleMaximiseBox = 0x80;
inline constexpr std::uint32_t kStyleCloseBox = 0x100;
inline constexpr std::uint32_t kStyleSizable = 0x200;
// The mouse passes through to what lies beneath, and the window never takes
// the keyboard: a view that follows the mouse over other windows.
inline constexpr std::uint32_t kStyleMouseThrough = 0x400;

// The client area counts and draws in device pixels, not in the toolkit's
// logical ones (a picture drawn 1:1 on a screen that scales); child windows
// made in it do too.
inline constexpr std::uint32_t kStyleDevicePixels = 0x800;
// A child of such a window that is all chrome (text, a layout of its own)
// counts its client area in logical pixels and lets the toolkit scale it;
// its place in the parent still counts in the parent's pixels.
inline constexpr std::uint32_t kStyleLogicalPixels = 0x1000;

// Show commands of the request event kRequestShow.
inline constexpr int kShowHide = 0;
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimised = 2;
inline constexpr int kShowMaximised = 3;
inline constexpr int kShowFullScreen = 4;
// Full screen, leaving the active window active.
inline constexpr int kShowFullScreenInactive = 5;

// Report texts of the framework's misuse checks.
inline constexpr const char* kDestroyNotAWindow = "Destroy !IsWindow";
inline constexpr const char* kFocusGone = "SetFocus ctlFocus !HWND";
inline constexpr const char* kNoApplication = "WinWrk !papi";

class Window {
 public:
  static const ClassInfo kClass;

  Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  // Slot 0: what this window does with `event`. The default carries out
  // the request events and the close command; anything else goes to the
  // application's default handler.
  virtual void OnEvent(Event& event);
  virtual const char* ClassName() const { return kClass.name; }
  virtual const ClassInfo& Class() const { return kClass; }
  // True when `info` is this class's own record or, unless `exact`, any
  // of its bases'.
  bool IsA(const ClassInfo& info, bool exact = false) const;
  // Ends the window: see DestroyWindow.
  virtual void Destroy(int exit_code);
  // Position and size, without changing the order or the activation.
  virtual void Move(const Rect16& rect);
  virtual void Paint(DC& dc);
  virtual void FocusNext(int direction);
  // The first child, in order, that carries kWindowDefaultChild.
  virtual Window* DefaultChild();
  // The controls of this window by their ids: a value as a number (a check
  // box's state, a list's selection, a spin box's value), or the text.
  // `notify` makes the control tell its window, as a click would.
  virtual void SetItemNumber(int id, double value, bool notify = false);
  virtual void SetItemText(int id, std::string_view text, bool notify = false);
  virtual VString GetItemText(int id);
  virtual double GetItemNumber(int id);
  // The same for whether a control can be used, for giving it the keyboard,
  // and for a scroll bar's range and page (see Control).
  void EnableItem(int id, bool enabled = true);
  void SetItemFocus(int id);
  void SetItemRange(int id, int minimum, int maximum, int page = 0);

  // Makes the platform window: a top-level one, or a child of `parent`.
  bool Create(Window* parent, const Rect16& rect, std::string_view title, std::uint32_t style = 0);
  bool exists() const;
  // Made and shown (its parents too).
  bool visible() const;
  // How many frames of the window have reached the screen.
  int PresentedFrames() const;
  // Another window of the program is active, or a modal one is open: the
  // player is busy elsewhere than in this window and its children.
  bool AnotherWindowActive() const;
  PlatformWindow* platform_window() { return platform_.get(); }
  Window* parent() const { return parent_; }

  // Clears the handled flag, names this window the target, calls OnEvent.
  void Dispatch(Event& event);

  Rect16 WindowRect() const;  // in the parent's client area, or on the screen
  Rect16 ClientRect() const;  // from (0, 0)
  // Device pixels of the client area to one of the toolkit's logical pixels:
  // 1 unless the window was made with kStyleDevicePixels (or in one that was).
  double pixel_ratio() const;
  void SetTitle(std::string_view title);
  // Repaint requests: an area of the client (all of it when empty), now
  // or when the queue is empty.
  void Invalidate(const Rect16& rect = {});
  void Update();
  // Paints `rect` of the client and puts it on the screen before returning.
  void Update(const Rect16& rect);
  void SetTimer(int id, int milliseconds);
  void KillTimer(int id);
  void Activate();
  // Takes the keyboard focus inside its top-level window: how a child
  // that stands in for a pop-up gets the keys.
  void TakeFocus();
  // Above the other windows of its parent, without taking the focus.
  void Raise();
  // The owner keeps track of its focused control: remembered when the
  // window is left, given back when it is entered again.
  void SaveFocus();
  void RestoreFocus();
  void SetCapture(bool captured);
  // Where the mouse is now, in client coordinates.
  ClientPoint CursorPosition() const;
  // What a DC draws on to reach the client area outside a paint request
  // (DC(surface(), 0) shows its drawing when it ends); none before Create.
  DrawingSurface* surface();

  std::uint8_t flags = 0;
  std::uint8_t state_flags = 0;
  Window* owner = nullptr;  // the window that keeps track of the focused control
  int exit_code = 0;        // given to Destroy, for the modal loop

 private:
  friend class WindowHost;
  friend ClientPoint MapClientPoint(const Window& from, const Window& to, ClientPoint point);
  Window* parent_ = nullptr;
  std::unique_ptr<PlatformWindow> platform_;
  WindowHost* host_ = nullptr;  // owned by the toolkit's widget tree
};

// Ends `window`, which may already be gone: a window the application does
// not hold (and that does not merely wrap a foreign one) is reported with
// "Destroy !IsWindow" and left alone. Otherwise it leaves the idle
// processing, its owner forgets it, it is deleted, the window active before
// it comes back, and `exit_code` is kept for the modal loop.
void DestroyWindow(Window* window, int exit_code);

// The client area, from (0, 0), of a framed child (kStyleFramed) whose
// frame is `width` by `height`, both counted `ratio` to a logical pixel.
Rect16 FramedClientRect(int width, int height, double ratio = 1.0);

// `point` in the client area of `from` as a point in the client area of
// `to`; unchanged when either window does not exist.
ClientPoint MapClientPoint(const Window& from, const Window& to, ClientPoint point);

}  // namespace cbst
