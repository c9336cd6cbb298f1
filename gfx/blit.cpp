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

void BlitDirect(BlitRequest request, BlitOperation operation) {
  if (!request.Clip()) return;
  const DisplayFormat& format = request.destination->format();
  const int bytes = format.bytes_per_pixel;
  // Only the colour fields take part; spare bits stay clear.
  const std::uint32_t colour_bits = format.red.mask | format.green.mask | format.blue.mask;
  const std::uint32_t blue_full = format.blue.mask;
  const std::uint32_t tint = format.Pack(request.tint);
  const PixelView destination = request.destination->pixels();
  const PixelView source = request.source ? request.source->pixels() : PixelView{};
  const bool own_background = !request.background || request.background == request.destination;
  const PixelView background = own_background ? destination : request.background->pixels();
  const int background_x = own_background ? request.x : request.background_x;
  const int background_y = own_background ? request.y : request.background_y;
  const PixelView mask = request.mask ? request.mask->pixels() : PixelView{};
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
      const std::uint32_t m_blue = mv & blue_full;
      std::uint32_t result = dv;
      switch (operation) {
        case BlitOperation::kAndSource:
          result = dv & sv;
          break;
        case BlitOperation::kAndNotSource:
          result = dv & ~sv;
          break;
        case BlitOperation::kOrNotSource:
          result = dv | ~sv;
          break;
        case BlitOperation::kMaskedCopyAlsoBackground:
          if (!own_background) StorePixel(b, bytes, LoadPixel(b, bytes) & mv);
          [[fallthrough]];
        case BlitOperation::kMaskedCopy:
          result = (dv & mv) ^ sv;
          break;
        case BlitOperation::kTint:
          result = PerField(format, dv, tint,
                            [](std::uint32_t a, std::uint32_t t) { return (a + t) / 2; });
          break;
        case BlitOperation::kBlendByMask:
          if (m_blue == 0) {
            result = sv;
          } else if (m_blue == blue_full) {
            if (!own_background) result = LoadPixel(b, bytes) & colour_bits;
          } else {
            const std::uint32_t weight = (m_blue >> format.blue.position)
                                         << (8 - format.blue.width);
            const std::uint32_t bv = LoadPixel(b, bytes) & colour_bits;
            result = PerField(format, sv, bv, [weight](std::uint32_t a, std::uint32_t c) {
              return ((256 - weight) * a + weight * c) / 256;
            });
          }
          break;
        case BlitOperation::kCutOut:
          result = m_blue == blue_full ? 0 : sv;
          break;
        case BlitOperation::kCopyOverBackground:
          if (m_blue != blue_full) {
            result = sv;
          } else if (!own_background) {
            result = LoadPixel(b, bytes) & colour_bits;
          }
          break;
      }
      StorePixel(d, bytes, result & colour_bits);
      d += bytes;
      if (s) s += bytes;
      b += bytes;
      if (m) m += bytes;
    }
  }
}

}  // namespace cbst
