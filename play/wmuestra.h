// wmuestra.h: WMuestra, the preview window: the finished picture at half
// size in a small window over the table.
//
// The window is a child of the table, the picture inside a double frame
// two pixels wide. A left drag moves it, never out of the table; the right
// button, a left double click or Esc put it away; the other keys go on to
// the table. It remembers the key that asked for it.
#pragma once

#include <cstdint>

#include "ui/window.h"

namespace cbst {

class WPuz;

// The frame around the picture: two lines of one pixel each.
inline constexpr int kPreviewFrame = 2;
inline constexpr std::uint32_t kPreviewOuterLine = 0x000000;
inline constexpr std::uint32_t kPreviewInnerLine = 0xFFFFFF;

class WMuestra final : public Window {
 public:
  static const ClassInfo kClass;

  explicit WMuestra(WPuz& table);

  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // Makes the hidden window with its top left at (x, y), the size of the
  // game's half-size picture and its frame.
  bool CreatePreview(int x, int y);
  // The key code that asked for the window (0: the mouse did).
  std::intptr_t key() const { return key_; }
  void set_key(std::intptr_t key) { key_ = key; }
  bool shown() const { return shown_; }
  void set_shown(bool shown) { shown_ = shown; }
  // Pushed back inside the table's client area when it sticks out.
  void KeepInside();

  void OnEvent(Event& event) override;
  void Move(const Rect16& rect) override;
  void Paint(DC& dc) override;

 private:
  bool OnMouse(const MousePayload& mouse);

  WPuz& table_;
  std::intptr_t key_ = 0;
  bool shown_ = false;
  bool moving_ = false;
  // The mouse's place in the window when the drag began.
  int grip_x_ = 0;
  int grip_y_ = 0;
};

}  // namespace cbst
