// table_frames.cpp: inverting frames in the table's back buffer and keeping
// them over fresh paint.
#include "play/table_frames.h"

#include <algorithm>
#include <utility>

#include "gfx/dc.h"
#include "gfx/region.h"
#include "play/table_base.h"

namespace cbst {

TableFrames::TableFrames(TableBase& table, std::function<void(const Rect16&)> show)
    : table_(table), show_(std::move(show)) {}

void TableFrames::InvertFrame(const Rect16& rect, int thickness) {
  if (rect.Empty() || thickness < 1) return;
  table_.back_buffer().dc().InvertFrame(rect, thickness);
  changed_ = changed_.United(rect);
  // Inverted twice, a frame is gone; inverted once more, it is back.
  const Frame frame{rect, thickness};
  if (const auto found = std::find(frames_.begin(), frames_.end(), frame); found != frames_.end()) {
    frames_.erase(found);
  } else {
    frames_.push_back(frame);
  }
}

void TableFrames::Present() {
  if (changed_.Empty()) return;
  const Rect16 area = std::exchange(changed_, Rect16{});
  table_.back_buffer().dc().Flush();
  if (show_) show_(area);
}

void TableFrames::Repainted(const Rect16& area) {
  if (frames_.empty() || area.Empty()) return;
  DC& dc = table_.back_buffer().dc();
  const Region clip(area);
  dc.SetClip(&clip);
  for (const Frame& frame : frames_)
    if (frame.rect.Overlaps(area)) dc.InvertFrame(frame.rect, frame.thickness);
  dc.SetClip(nullptr);
}

}  // namespace cbst
