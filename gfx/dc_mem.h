// dc_mem.h: DCMem, a memory context that draws on one selected bitmap.
#pragma once

#include <optional>
#include <utility>

#include "gfx/dc.h"

namespace cbst {

struct BitmapHandle;

class DCMem : public DC {
 public:
  // Compatible with `reference` (the display when none), drawing on a 1 x 1
  // bitmap of its own until one is selected; `size` gives the context's
  // width and height where the caller knows them.
  explicit DCMem(const DC* reference = nullptr, const Rect16* size = nullptr);
  ~DCMem() override;

  // Draws on `bitmap` from now on (none: the context's own bitmap again).
  // A bitmap already selected into another context is reported and taken.
  void SelectBitmap(Bmp* bitmap);
  Bmp* selected() const { return selected_; }

  // Drawing is no longer clipped.
  void ResetClip();

 private:
  friend class Bmp;
  friend class BmpMem;
  // The selected bitmap wrapper moved to `moved_to`.
  void Rebind(Bmp* moved_to);
  void ApplySize() {
    if (size_) SetSize(size_->first, size_->second);
  }

  Bmp* selected_ = nullptr;
  const BitmapHandle* attached_ = nullptr;
  std::optional<std::pair<int, int>> size_;
  std::unique_ptr<Bmp> own_bitmap_;  // what the context held before the first selection
};

}  // namespace cbst
