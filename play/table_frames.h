// table_frames.h: TableFrames, the inverted frames of rectangle animations
// and outlines, drawn in the table's own back buffer.
//
// A frame is inverted into the back buffer and shown on the screen at once,
// so that an animation running inside one handler is seen frame by frame.
// Inverting the same frame again takes it away. The frames that are on are
// remembered: when the table paints an area afresh, they are inverted into
// that area again, so that taking them away later restores the paint and
// never leaves half a frame behind.
#pragma once

#include <functional>
#include <vector>

#include "base/rect16.h"
#include "gfx/rect_animation.h"

namespace cbst {

class TableBase;

class TableFrames final : public FrameSurface {
 public:
  // Draws on `table`'s back buffer (whatever buffer it has at the time);
  // `show` puts an area of it on the screen at once.
  TableFrames(TableBase& table, std::function<void(const Rect16&)> show);

  // Rectangles in table coordinates.
  void InvertFrame(const Rect16& rect, int thickness) override;
  void Present() override;
  // The table has just painted `area` of its back buffer from the board:
  // the frames that are on come back over it.
  void Repainted(const Rect16& area);

  struct Frame {
    Rect16 rect;
    int thickness = 1;
    friend bool operator==(const Frame&, const Frame&) = default;
  };
  const std::vector<Frame>& frames() const { return frames_; }

 private:
  TableBase& table_;
  std::function<void(const Rect16&)> show_;
  std::vector<Frame> frames_;
  Rect16 changed_;  // not shown yet
};

}  // namespace cbst
