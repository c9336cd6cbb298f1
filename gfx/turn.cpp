// turn.cpp: quarter turns of square bitmaps, by moving raw bits or by
// copying pixel by pixel through device contexts.
#include "gfx/turn.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "gfx/bitmap_handle_qt.h"
#include "gfx/dc_mem.h"

namespace cbst {
namespace {

struct Point {
  int x;
  int y;
};

// Where pixel (x, y) of an n x n picture goes.
Point Turned(int degrees, int n, int x, int y) {
  switch (degrees) {
    case 90:
      return {n - 1 - y, x};
    case 180:
      return {n - 1 - x, n - 1 - y};
    default:
      return {y, n - 1 - x};
  }
}

// Where the pixels of source row y land in the turned picture: the byte
// offset of the first, and the step in bytes from one to the next.
struct RowPath {
  std::ptrdiff_t start;
  std::ptrdiff_t step;
};

RowPath PathOfRow(int degrees, int n, int y, std::ptrdiff_t row_bytes, int bytes) {
  switch (degrees) {
    case 90:  // down column n-1-y
      return {(n - 1 - y) * bytes, row_bytes};
    case 180:  // backwards along row n-1-y
      return {(n - 1 - y) * row_bytes + (n - 1) * bytes, -bytes};
    default:  // up column y
      return {(n - 1) * row_bytes + y * bytes, -row_bytes};
  }
}

// Pixels of kBytes bytes, moved in square tiles so that the column being
// written stays in the cache.
template <int kBytes>
void TurnWholePixels(const PixelView& view, int degrees, std::uint8_t* turned,
                     std::ptrdiff_t row_bytes) {
  constexpr int kTile = 16;
  const int n = view.width;
  for (int tile_y = 0; tile_y < n; tile_y += kTile) {
    const int end_y = std::min(tile_y + kTile, n);
    for (int tile_x = 0; tile_x < n; tile_x += kTile) {
      const int end_x = std::min(tile_x + kTile, n);
      for (int y = tile_y; y < end_y; ++y) {
        const RowPath path = PathOfRow(degrees, n, y, row_bytes, kBytes);
        const std::uint8_t* in = view.data + y * view.stride + tile_x * kBytes;
        std::uint8_t* out = turned + path.start + tile_x * path.step;
        for (int x = tile_x; x < end_x; ++x, in += kBytes, out += path.step)
          std::memcpy(out, in, kBytes);
      }
    }
  }
}

// One bit a pixel, the leftmost pixel in the top bit of each byte.
void TurnBits(const PixelView& view, int degrees, std::uint8_t* turned, std::ptrdiff_t row_bytes) {
  const int n = view.width;
  for (int y = 0; y < n; ++y) {
    const std::uint8_t* in = view.data + y * view.stride;
    for (int x = 0; x < n; ++x) {
      if (!(in[x >> 3] & (0x80 >> (x & 7)))) continue;
      const Point to = Turned(degrees, n, x, y);
      turned[to.y * row_bytes + (to.x >> 3)] |= static_cast<std::uint8_t>(0x80 >> (to.x & 7));
    }
  }
}

bool CanMoveRawBits(const Bmp& bitmap) {
  switch (bitmap.bit_count()) {
    case 1:
      // Rows of a view must start on a byte.
      return bitmap.x() % 8 == 0;
    case 8:
    case 16:
    case 24:
    case 32:
      return true;
    default:
      return false;
  }
}

void TurnRawBits(Bmp& bitmap, int degrees) {
  const PixelView view = bitmap.pixels();
  const int n = view.width;
  const std::ptrdiff_t row_bytes = (static_cast<std::ptrdiff_t>(n) * view.bit_count + 7) / 8;
  std::vector<std::uint8_t> turned(static_cast<std::size_t>(row_bytes * n), 0);
  switch (view.bit_count) {
    case 1:
      TurnBits(view, degrees, turned.data(), row_bytes);
      break;
    case 8:
      TurnWholePixels<1>(view, degrees, turned.data(), row_bytes);
      break;
    case 16:
      TurnWholePixels<2>(view, degrees, turned.data(), row_bytes);
      break;
    case 24:
      TurnWholePixels<3>(view, degrees, turned.data(), row_bytes);
      break;
    default:
      TurnWholePixels<4>(view, degrees, turned.data(), row_bytes);
      break;
  }
  // The last byte of a 1-bit row may hold pixels beyond a view's edge.
  const int spare_bits = static_cast<int>(row_bytes * 8 - n * view.bit_count);
  const auto ours = static_cast<std::uint8_t>(0xFF << spare_bits);
  for (int y = 0; y < n; ++y) {
    std::uint8_t* row = view.data + y * view.stride;
    const std::uint8_t* from = turned.data() + y * row_bytes;
    std::memcpy(row, from, static_cast<std::size_t>(row_bytes - 1));
    row[row_bytes - 1] =
        static_cast<std::uint8_t>((row[row_bytes - 1] & ~ours) | (from[row_bytes - 1] & ours));
  }
}

// A context drawing on `bitmap` in the bitmap's own coordinates: the one it
// is selected into, or a temporary one.
class ContextOn {
 public:
  explicit ContextOn(Bmp& bitmap) {
    if (DCMem* dc = bitmap.dc_mem()) {
      dc_ = dc;
      const Bmp* selected = dc->selected();
      x_ = bitmap.x() - (selected ? selected->x() : 0);
      y_ = bitmap.y() - (selected ? selected->y() : 0);
    } else {
      dc_ = &temporary_.emplace();
      temporary_->SelectBitmap(&bitmap);
    }
  }

  DC& dc() { return *dc_; }
  int x(int x) const { return x_ + x; }
  int y(int y) const { return y_ + y; }

 private:
  std::optional<DCMem> temporary_;
  DC* dc_ = nullptr;
  int x_ = 0;
  int y_ = 0;
};

bool TurnByPixels(Bmp& bitmap, int degrees) {
  const int n = bitmap.width();
  Bmp turned(n, n, bitmap.bit_count(), bitmap.format());
  if (!turned.valid()) return false;
  turned.handle()->image.setColorTable(bitmap.handle()->image.colorTable());
  ContextOn from(bitmap);
  ContextOn to(turned);
  // Colour-table pixels go by 1 x 1 transfers, which keep the index.
  const bool palette = bitmap.bit_count() <= 8 || (from.dc().flags() & DC::kPaletteDevice);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const Point at = Turned(degrees, n, x, y);
      if (palette) {
        to.dc().Transfer(at.x, at.y, 1, 1, from.dc(), from.x(x), from.y(y), kSrcCopy);
      } else {
        to.dc().SetPixel(at.x, at.y, from.dc().GetPixel(from.x(x), from.y(y)));
      }
    }
  }
  from.dc().Transfer(from.x(0), from.y(0), n, n, to.dc(), 0, 0, kSrcCopy);
  from.dc().Flush();
  return true;
}

}  // namespace

bool TurnBitmap(Bmp& bitmap, int degrees, int force_pixel_method) {
  if (!bitmap.valid() || bitmap.width() != bitmap.height() || bitmap.width() < 1) return false;
  if (degrees != 90 && degrees != 180 && degrees != 270) return false;
  if (force_pixel_method != 0 || !CanMoveRawBits(bitmap)) return TurnByPixels(bitmap, degrees);
  TurnRawBits(bitmap, degrees);
  return true;
}

}  // namespace cbst
