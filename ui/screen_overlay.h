// screen_overlay.h: ScreenOverlay, the see-through layer over everything
// on which rectangle animations draw.
//
// An animation inverts frames and inverts them again to take them away; the
// overlay keeps the frames that are on and shows them over the windows, so
// that when the animation ends nothing is left and the layer hides.
#pragma once

#include <memory>
#include <vector>

#include "base/rect16.h"
#include "gfx/rect_animation.h"

namespace cbst {

class ScreenOverlay final : public FrameSurface {
 public:
  ScreenOverlay();
  ~ScreenOverlay() override;
  ScreenOverlay(const ScreenOverlay&) = delete;
  ScreenOverlay& operator=(const ScreenOverlay&) = delete;

  void InvertFrame(const Rect16& rect, int thickness) override;
  void Present() override;

  // The frames showing now, and whether the layer is up.
  struct Frame {
    Rect16 rect;
    int thickness;
    friend bool operator==(const Frame&, const Frame&) = default;
  };
  const std::vector<Frame>& frames() const { return frames_; }
  bool visible() const;

 private:
  class Layer;
  std::vector<Frame> frames_;
  std::unique_ptr<Layer> layer_;
};

}  // namespace cbst
