// graphics_object.h: type codes and live counters of the graphics wrappers.
//
// Every pen, brush, bitmap, font and palette wrapper starts with a type code,
// and every wrapper, region and platform bitmap is counted while it lives, so
// that a leak shows up as a counter that does not return to where it was.
#pragma once

#include <cstdint>

namespace cbst {

enum class GraphicsType : std::uint32_t {
  kPen = 1,
  kBrush = 2,
  kBitmap = 3,
  kFont = 4,
  kPalette = 5,
};

// What the live counters count: the five wrapper kinds, regions, and the
// platform bitmaps behind bitmap wrappers.
enum class LiveKind { kPen, kBrush, kBitmap, kFont, kPalette, kRegion, kBitmapHandle };
inline constexpr int kLiveKinds = 7;

// How many objects of `kind` exist now.
int LiveCount(LiveKind kind);

// Counts one object of its kind while it exists; copies count again.
class LiveTally {
 public:
  explicit LiveTally(LiveKind kind);
  LiveTally(const LiveTally& other);
  LiveTally& operator=(const LiveTally& other);
  ~LiveTally();

  LiveKind kind() const { return kind_; }

 private:
  LiveKind kind_;
};

// The base of the wrappers that carry a type code.
class GraphicsObject {
 public:
  GraphicsType type() const { return static_cast<GraphicsType>(type_code_); }

 protected:
  explicit GraphicsObject(GraphicsType type);

 private:
  std::uint32_t type_code_;
  LiveTally tally_;
};

}  // namespace cbst
