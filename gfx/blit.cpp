// blit.cpp: clipping and the direct-pixel compositing loops.
#include "gfx/blit.h"

#include "gfx/pixel_access.h"

#include <algorithm>
#include <array>

namespace cbst {
namespace {

struct Place {
  Bmp* bitmap;
  int* x;
  int* y;
};

// Each field of `pixel` combined with the same field of `other` by `mix`.
template <typename Mix>
std::uint32_t PerField(const DisplayFormat& format, std::uint32_t pixel, std::uint32_t other,
                       Mix mix) {
  std::uint32_t result = 0;
  for (const ColourField* field : {&format.red, &format.green, &format.blue}) {
    const std::uint32_t a = (pixel & field->mask) >> field->position;
    const std::uint32_t b = (other & field->mask) >> field->position;
    result |= (mix(a, b) << field->position) & field->mask;
  }
  return result;
}

// Pieces go onto the table by the thousand: masked copies between pixels
// of one size run with that size fixed, so that each row is plain loads
// and stores (word by word for four bytes).
template <int kBytes>
void MaskedCopyRows(const BlitRequest& request, const PixelView& destination,
                    const PixelView& source, const PixelView& mask, std::uint32_t colour_bits) {
  for (int row = 0; row < request.height; ++row) {
    std::uint8_t* d = destination.At(request.x, request.y + row);
    const std::uint8_t* s = source.At(request.source_x, request.source_y + row);
    const std::uint8_t* m = mask.At(request.mask_x, request.mask_y + row);
    for (int column = 0; column < request.width; ++column, d += kBytes, s += kBytes, m += kBytes) {
      const std::uint32_t result =
          (LoadPixel(d, kBytes) & LoadPixel(m, kBytes)) ^ LoadPixel(s, kBytes);
      StorePixel(d, kBytes, result & colour_bits);
    }
  }
}

// The masked copy for pixels of the usual sizes, all three bitmaps alike;
// false when the general loop must do it.
bool FastMaskedCopy(const BlitRequest& request, const PixelView& destination,
                    const PixelView& source, const PixelView& mask, std::uint32_t colour_bits) {
  if (!source.data || !mask.data || source.bytes != destination.bytes ||
      mask.bytes != destination.bytes) {
    return false;
  }
  switch (destination.bytes) {
    case 4:
      MaskedCopyRows<4>(request, destination, source, mask, colour_bits);
      return true;
    case 3:
      MaskedCopyRows<3>(request, destination, source, mask, colour_bits);
      return true;
    case 2:
      MaskedCopyRows<2>(request, destination, source, mask, colour_bits);
      return true;
    default:
      return false;
  }
}

}  // namespace

bool BlitRequest::Clip() {
  if (!destination || !destination->valid()) return false;
  const std::array<Place, 4> places = {{{destination, &x, &y},
                                        {source, &source_x, &source_y},
                                        {background, &background_x, &background_y},
                                        {mask, &mask_x, &mask_y}}};
  for (const Place& place : places) {
    if (!place.bitmap) continue;
    if (*place.x < 0) {
      const int shift = -*place.x;
      for (const Place& other : places) {
        if (other.bitmap) *other.x += shift;
      }
      width -= shift;
    }
    if (*place.y < 0) {
      const int shift = -*place.y;
      for (const Place& other : places) {
        if (other.bitmap) *other.y += shift;
      }
      height -= shift;
    }
  }
  for (const Place& place : places) {
    if (!place.bitmap) continue;
    width = std::min(width, place.bitmap->width() - *place.x);
    height = std::min(height, place.bitmap->height() - *place.y);
  }
  return width > 0 && height > 0;
}

namespace {

// What one destination pixel becomes under an operation; the settings are
// those of the whole blit.
class PixelMixer {
 public:
  PixelMixer(const DisplayFormat& format, BlitOperation operation, std::uint32_t tint,
             bool own_background)
      : format_(format),
        operation_(operation),
        // Only the colour fields take part; spare bits stay clear.
        colour_bits_(format.red.mask | format.green.mask | format.blue.mask),
        blue_full_(format.blue.mask),
        tint_(format.Pack(tint)),
        own_background_(own_background) {}

  std::uint32_t colour_bits() const { return colour_bits_; }

  // `dv`, `sv` and `mv` are the destination, source and mask pixels (colour
  // bits only); `b` points at the background pixel, which a masked copy
  // that also clears the background writes.
  std::uint32_t Mix(std::uint32_t dv, std::uint32_t sv, std::uint32_t mv, std::uint8_t* b) const {
    const int bytes = format_.bytes_per_pixel;
    const std::uint32_t m_blue = mv & blue_full_;
    switch (operation_) {
      case BlitOperation::kAndSource:
        return dv & sv;
      case BlitOperation::kAndNotSource:
        return dv & ~sv;
      case BlitOperation::kOrNotSource:
        return dv | ~sv;
      case BlitOperation::kMaskedCopyAlsoBackground:
        if (!own_background_) StorePixel(b, bytes, LoadPixel(b, bytes) & mv);
        return (dv & mv) ^ sv;
      case BlitOperation::kMaskedCopy:
        return (dv & mv) ^ sv;
      case BlitOperation::kTint:
        return PerField(format_, dv, tint_,
                        [](std::uint32_t a, std::uint32_t t) { return (a + t) / 2; });
      case BlitOperation::kBlendByMask:
        if (m_blue == 0) return sv;
        if (m_blue == blue_full_) {
          return own_background_ ? dv : LoadPixel(b, bytes) & colour_bits_;
        }
        return Blend(sv, LoadPixel(b, bytes) & colour_bits_, m_blue);
      case BlitOperation::kCutOut:
        return m_blue == blue_full_ ? 0 : sv;
      case BlitOperation::kCopyOverBackground:
        if (m_blue != blue_full_) return sv;
        return own_background_ ? dv : LoadPixel(b, bytes) & colour_bits_;
    }
    return dv;
  }

 private:
  // `sv` over `bv`, the mask's blue field weighing how much of `bv` shows.
  std::uint32_t Blend(std::uint32_t sv, std::uint32_t bv, std::uint32_t m_blue) const {
    const std::uint32_t weight = (m_blue >> format_.blue.position) << (8 - format_.blue.width);
    return PerField(format_, sv, bv, [weight](std::uint32_t a, std::uint32_t c) {
      return ((256 - weight) * a + weight * c) / 256;
    });
  }

  const DisplayFormat& format_;
  BlitOperation operation_;
  std::uint32_t colour_bits_;
  std::uint32_t blue_full_;
  std::uint32_t tint_;
  bool own_background_;
};

}  // namespace

void BlitDirect(BlitRequest request, BlitOperation operation) {
  if (!request.Clip()) return;
  const DisplayFormat& format = request.destination->format();
  const int bytes = format.bytes_per_pixel;
  const PixelView destination = request.destination->pixels();
  const PixelView source = request.source ? request.source->pixels() : PixelView{};
  const bool own_background = !request.background || request.background == request.destination;
  const PixelView background = own_background ? destination : request.background->pixels();
  const int background_x = own_background ? request.x : request.background_x;
  const int background_y = own_background ? request.y : request.background_y;
  const PixelView mask = request.mask ? request.mask->pixels() : PixelView{};
  const PixelMixer mixer(format, operation, request.tint, own_background);
  const std::uint32_t colour_bits = mixer.colour_bits();
  if (operation == BlitOperation::kMaskedCopy && destination.bytes == bytes &&
      FastMaskedCopy(request, destination, source, mask, colour_bits)) {
    return;
  }

  for (int row = 0; row < request.height; ++row) {
    std::uint8_t* d = destination.At(request.x, request.y + row);
    const std::uint8_t* s =
        source.data ? source.At(request.source_x, request.source_y + row) : nullptr;
    std::uint8_t* b = background.At(background_x, background_y + row);
    const std::uint8_t* m = mask.data ? mask.At(request.mask_x, request.mask_y + row) : nullptr;
    for (int column = 0; column < request.width; ++column) {
      const std::uint32_t dv = LoadPixel(d, bytes) & colour_bits;
      const std::uint32_t sv = s ? LoadPixel(s, bytes) & colour_bits : 0;
      const std::uint32_t mv = m ? LoadPixel(m, bytes) & colour_bits : 0;
      StorePixel(d, bytes, mixer.Mix(dv, sv, mv, b) & colour_bits);
      d += bytes;
      if (s) s += bytes;
      b += bytes;
      if (m) m += bytes;
    }
  }
}

}  // namespace cbst
