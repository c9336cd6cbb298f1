// display_probe.cpp: the display's pixel layout and the rendering mode.
#include "gfx/display_probe.h"

#include "gfx/bmp_mem.h"
#include "gfx/display_format.h"
#include "gfx/pixel_access.h"
#include "platform/display.h"

namespace cbst {
namespace {

// A DIB section this large must be possible before direct pixels are used.
constexpr int kTrialSectionSize = 200;
constexpr int kSelfTestSize = 10;

struct TestPixel {
  int x;
  int y;
  std::uint32_t colour;
};
constexpr TestPixel kTestPixels[] = {{1, 3, 0x204080}, {8, 5, 0x802010}};

DisplayFormat FormatOf(const DisplayFacts& facts) {
  if (facts.palette_based) return DisplayFormat::Standard(32);  // composed in true colour
  if (facts.bit_fields) {
    return DisplayFormat::FromMasks(facts.bit_count, facts.red_mask, facts.green_mask,
                                    facts.blue_mask);
  }
  return DisplayFormat::Standard(facts.bit_count);
}

}  // namespace

bool DirectPixelsWork() {
  const DisplayFormat& format = CurrentDisplayFormat();
  const std::uint32_t colour_bits = format.red.mask | format.green.mask | format.blue.mask;
  DibSectionBmp section(kSelfTestSize, kSelfTestSize, format);
  if (!section.valid()) return false;
  section.Clear(0);
  const PixelView pixels = section.pixels();
  for (const TestPixel& test : kTestPixels)
    StorePixel(pixels.At(test.x, test.y), pixels.bytes, format.Pack(test.colour));
  for (const TestPixel& test : kTestPixels) {
    if (format.Unpack(LoadPixel(pixels.At(test.x, test.y), format.bytes_per_pixel) & colour_bits) !=
        format.Unpack(format.Pack(test.colour))) {
      return false;
    }
  }

  // The same colours through the context, copied, and read back through it.
  section.Clear(0);
  for (const TestPixel& test : kTestPixels)
    section.dc().SetPixel(test.x, test.y, test.colour);
  DibSectionBmp copy(kSelfTestSize, kSelfTestSize, format);
  copy.dc().Transfer(0, 0, kSelfTestSize, kSelfTestSize, section.dc(), 0, 0);
  for (const TestPixel& test : kTestPixels) {
    if (format.Pack(copy.dc().GetPixel(test.x, test.y)) != format.Pack(test.colour)) return false;
    if (format.Unpack(LoadPixel(copy.pixels().At(test.x, test.y), format.bytes_per_pixel) &
                      colour_bits) != format.Unpack(format.Pack(test.colour))) {
      return false;
    }
  }
  return true;
}

void ProbeDisplay(bool keep_raster_ops) {
  const DisplayFacts facts = QueryDisplay();
  DisplayFormat& format = CurrentDisplayFormat();
  format = FormatOf(facts);
  format.mode = kModeRasterOps;
  format.direct_pixels_disabled = facts.palette_based;
  if (facts.palette_based || keep_raster_ops) return;
  if (!DibSectionBmp(kTrialSectionSize, kTrialSectionSize, format).valid()) return;
  if (DirectPixelsWork()) {
    format.mode = kModeDirectPixels;
  } else {
    format.direct_pixels_disabled = true;
  }
}

}  // namespace cbst
