// wloupe.h: WLoupe, the loupe: a square window over the table that shows
// what lies under the mouse, magnified, and follows the mouse.
//
// The loupe lets the mouse through to the table and the piece boxes under
// it and never takes the keyboard, so play goes on under it. At each move
// it takes the table's picture around the mouse, with the boxes and the
// preview window over it, and magnifies that into its own view.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/bmp_mem.h"
#include "play/loupe.h"
#include "ui/window.h"

namespace cbst {

class WBox;
class WPuz;

class WLoupe final : public Window {
 public:
  static const ClassInfo kClass;

  // A loupe of `settings` opened in `mode` (kLoupeLeftButton or
  // kLoupeBothButtons) over `table`.
  WLoupe(WPuz& table, const LoupeSettings& settings, std::uint8_t mode);

  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // Makes and shows the window for the mouse at (x, y) of the table.
  bool CreateLoupe(int x, int y);
  // The mouse is at (x, y) of the table: the loupe goes there and looks.
  void Follow(int x, int y);
  // Looks again where it is, now; or when it is next painted, after what
  // lies under it changed.
  void Look();
  void MarkStale();
  // A new magnification, at the same place.
  void Zoom(double zoom);

  const LoupeSettings& settings() const { return settings_; }
  std::uint8_t mode() const { return mode_; }
  // The mouse's place on the table it follows.
  ClientPoint at() const { return {x_, y_}; }
  // What the loupe shows, and where the mouse lies in it.
  BmpMem* view() { return view_.get(); }
  ClientPoint fixed_point() const { return fixed_; }

  void Paint(DC& dc) override;

 private:
  // The table's picture of `area` (table coordinates) into the scene: its
  // back buffer, then the boxes and the preview window over it.
  void Compose(const Rect16& area);
  void ComposeBox(WBox& box, const Rect16& area);
  void MakeScene();
  // The view made again from what lies under the loupe now.
  void Magnified();
  void UpdateTitle();

  WPuz& table_;
  LoupeSettings settings_;
  std::uint8_t mode_;
  int x_ = 0;
  int y_ = 0;
  // The client's offset from the window's top left (its frame).
  ClientPoint client_offset_;
  ClientPoint fixed_;
  std::unique_ptr<BmpMem> view_;
  std::unique_ptr<BmpMem> scene_;
  std::vector<WBox*> boxes_in_order_;
  bool stale_ = false;
};

}  // namespace cbst
