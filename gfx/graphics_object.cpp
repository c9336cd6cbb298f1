// graphics_object.cpp: the live counters.
#include "gfx/graphics_object.h"

#include <array>
#include <atomic>

namespace cbst {
namespace {

// One counter per kind, for leak diagnostics. Pieces are drawn on several
// threads at once, each with pens, brushes and bitmaps of its own.
std::array<std::atomic<int>, kLiveKinds>& Counters() {
  static std::array<std::atomic<int>, kLiveKinds> counters{};
  return counters;
}

LiveKind KindOf(GraphicsType type) {
  switch (type) {
    case GraphicsType::kPen:
      return LiveKind::kPen;
    case GraphicsType::kBrush:
      return LiveKind::kBrush;
    case GraphicsType::kBitmap:
      return LiveKind::kBitmap;
    case GraphicsType::kFont:
      return LiveKind::kFont;
    case GraphicsType::kPalette:
      break;
  }
  return LiveKind::kPalette;
}

}  // namespace

int LiveCount(LiveKind kind) {
  return Counters()[static_cast<int>(kind)];
}

LiveTally::LiveTally(LiveKind kind) : kind_(kind) {
  ++Counters()[static_cast<int>(kind_)];
}

LiveTally::LiveTally(const LiveTally& other) : LiveTally(other.kind_) {}

LiveTally& LiveTally::operator=(const LiveTally& other) {
  if (kind_ != other.kind_) {
    --Counters()[static_cast<int>(kind_)];
    kind_ = other.kind_;
    ++Counters()[static_cast<int>(kind_)];
  }
  return *this;
}

LiveTally::~LiveTally() {
  --Counters()[static_cast<int>(kind_)];
}

GraphicsObject::GraphicsObject(GraphicsType type)
    : type_code_(static_cast<std::uint32_t>(type)), tally_(KindOf(type)) {}

}  // namespace cbst
