// blit_test.cpp: pixel formats and the direct compositing operations,
// checked against the formulas in every display format.
#include "gfx/blit.h"

#include "gfx/bmp_mem.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace cbst {
namespace {

// Raw pixel values read straight from the image, one format at a time.
std::uint32_t Raw(BmpMem& bitmap, int x, int y) {
  const std::uint8_t* row = bitmap.pixels().At(0, y);
  switch (bitmap.format().bytes_per_pixel) {
    case 2:
      return reinterpret_cast<const std::uint16_t*>(row)[x];
    case 3:
      return row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
    default:
      return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
  }
}

void SetRaw(BmpMem& bitmap, int x, int y, std::uint32_t value) {
  std::uint8_t* row = bitmap.pixels().At(0, y);
  switch (bitmap.format().bytes_per_pixel) {
    case 2:
      reinterpret_cast<std::uint16_t*>(row)[x] = static_cast<std::uint16_t>(value);
      break;
    case 3:
      row[3 * x] = static_cast<std::uint8_t>(value);
      row[3 * x + 1] = static_cast<std::uint8_t>(value >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(value >> 16);
      break;
    default:
      reinterpret_cast<std::uint32_t*>(row)[x] = value | 0xFF000000;
  }
}

std::uint32_t ColourBits(const DisplayFormat& format) {
  return format.red.mask | format.green.mask | format.blue.mask;
}

// A bitmap with the same pixels.
BmpMem Copy(BmpMem& from) {
  BmpMem copy(from.width(), from.height(), from.format());
  const PixelView source = from.pixels();
  const PixelView target = copy.pixels();
  for (int y = 0; y < from.height(); ++y)
    std::memcpy(target.At(0, y), source.At(0, y),
                static_cast<std::size_t>(source.width * source.bytes));
  return copy;
}

bool Same(BmpMem& a, BmpMem& b) {
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (Raw(a, x, y) != Raw(b, x, y)) return false;
    }
  }
  return true;
}

BmpMem Noise(int width, int height, const DisplayFormat& format, std::mt19937& random) {
  BmpMem bitmap(width, height, format);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      SetRaw(bitmap, x, y, random() & ColourBits(format));
  }
  return bitmap;
}

// A mask of black, white and grey pixels.
BmpMem MaskNoise(int width, int height, const DisplayFormat& format, std::mt19937& random) {
  BmpMem bitmap(width, height, format);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int kind = static_cast<int>(random() % 3);
      const std::uint32_t grey = kind == 0 ? 0 : kind == 1 ? 255 : random() % 256;
      SetRaw(bitmap, x, y, format.Pack(grey * 0x010101));
    }
  }
  return bitmap;
}

struct FormatCase {
  const char* name;
  DisplayFormat format;
};

class BlitFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(BlitFormats, EveryOperationFollowsItsFormula) {
  const DisplayFormat& format = GetParam().format;
  const std::uint32_t bits = ColourBits(format);
  const std::uint32_t full = format.blue.mask;
  std::mt19937 random(7);
  BmpMem source = Noise(20, 14, format, random);
  BmpMem background = Noise(20, 14, format, random);
  BmpMem mask = MaskNoise(20, 14, format, random);
  BmpMem start = Noise(24, 18, format, random);

  const auto field_mix = [&](std::uint32_t a, std::uint32_t b, auto mix) {
    std::uint32_t result = 0;
    for (const ColourField* field : {&format.red, &format.green, &format.blue}) {
      result |= (mix((a & field->mask) >> field->position, (b & field->mask) >> field->position)
                 << field->position) &
                field->mask;
    }
    return result;
  };
  const std::uint32_t tint = format.Pack(0x336699);

  for (BlitOperation operation :
       {BlitOperation::kAndSource, BlitOperation::kAndNotSource, BlitOperation::kOrNotSource,
        BlitOperation::kMaskedCopy, BlitOperation::kTint, BlitOperation::kBlendByMask,
        BlitOperation::kCutOut, BlitOperation::kCopyOverBackground}) {
    BmpMem destination = Copy(start);
    BmpMem back = Copy(background);
    BlitRequest request{&destination, 3, 2, 20, 14, &source, 0, 0, &back, 0, 0, &mask, 0, 0};
    request.tint = 0x336699;
    BlitDirect(request, operation);
    for (int y = 0; y < 18; ++y) {
      for (int x = 0; x < 24; ++x) {
        const std::uint32_t d = Raw(start, x, y);
        const bool inside = x >= 3 && y >= 2 && x < 23 && y < 16;
        std::uint32_t expected = d;
        if (inside) {
          const std::uint32_t s = Raw(source, x - 3, y - 2);
          const std::uint32_t b = Raw(background, x - 3, y - 2);
          const std::uint32_t m = Raw(mask, x - 3, y - 2);
          const std::uint32_t m_blue = m & full;
          const std::uint32_t weight = (m_blue >> format.blue.position) << (8 - format.blue.width);
          switch (operation) {
            case BlitOperation::kAndSource:
              expected = d & s;
              break;
            case BlitOperation::kAndNotSource:
              expected = d & ~s & bits;
              break;
            case BlitOperation::kOrNotSource:
              expected = (d | ~s) & bits;
              break;
            case BlitOperation::kMaskedCopy:
              expected = (d & m) ^ s;
              break;
            case BlitOperation::kTint:
              expected = field_mix(d, tint, [](auto a, auto t) { return (a + t) / 2; });
              break;
            case BlitOperation::kBlendByMask:
              expected = m_blue == 0      ? s
                         : m_blue == full ? b
                                          : field_mix(s, b, [&](auto p, auto q) {
                                              return ((256 - weight) * p + weight * q) / 256;
                                            });
              break;
            case BlitOperation::kCutOut:
              expected = m_blue == full ? 0 : s;
              break;
            case BlitOperation::kCopyOverBackground:
              expected = m_blue == full ? b : s;
              break;
            default:
              break;
          }
        }
        ASSERT_EQ(Raw(destination, x, y), expected)
            << GetParam().name << " operation " << static_cast<int>(operation) << " at " << x << ","
            << y;
      }
    }
  }
}

TEST_P(BlitFormats, MaskedCopyCanAlsoMaskTheBackground) {
  const DisplayFormat& format = GetParam().format;
  std::mt19937 random(11);
  BmpMem destination = Noise(8, 8, format, random);
  BmpMem background = Noise(8, 8, format, random);
  BmpMem before = Copy(background);
  BmpMem source = Noise(8, 8, format, random);
  BmpMem mask = MaskNoise(8, 8, format, random);
  BlitDirect({&destination, 0, 0, 8, 8, &source, 0, 0, &background, 0, 0, &mask, 0, 0},
             BlitOperation::kMaskedCopyAlsoBackground);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(Raw(background, x, y), Raw(before, x, y) & Raw(mask, x, y));
  }
}

TEST_P(BlitFormats, ABackgroundThatIsTheDestinationLeavesFullyMaskedPixels) {
  const DisplayFormat& format = GetParam().format;
  std::mt19937 random(3);
  BmpMem destination = Noise(6, 6, format, random);
  BmpMem before = Copy(destination);
  BmpMem source = Noise(6, 6, format, random);
  DibSectionBmp white(6, 6, format);
  white.Clear(0xFF);
  for (BlitOperation operation :
       {BlitOperation::kBlendByMask, BlitOperation::kCopyOverBackground}) {
    BlitDirect({&destination, 0, 0, 6, 6, &source, 0, 0, &destination, 0, 0, &white, 0, 0},
               operation);
    EXPECT_TRUE(Same(destination, before));
  }
}

// Pieces as the sheets hold them: black-and-white masks, sources black where
// the mask is white.
TEST_P(BlitFormats, RasterOperationsGiveTheSamePixels) {
  const DisplayFormat& format = GetParam().format;
  std::mt19937 random(5);
  BmpMem mask(16, 12, format);
  BmpMem source = Noise(16, 12, format, random);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool outside = random() % 2;
      SetRaw(mask, x, y, outside ? format.Pack(0xFFFFFF) : 0);
      if (outside) SetRaw(source, x, y, 0);
    }
  }
  BmpMem start = Noise(20, 16, format, random);
  BmpMem background = Noise(16, 12, format, random);
  for (BlitOperation operation :
       {BlitOperation::kAndSource, BlitOperation::kAndNotSource, BlitOperation::kOrNotSource,
        BlitOperation::kMaskedCopy, BlitOperation::kMaskedCopyAlsoBackground,
        BlitOperation::kBlendByMask, BlitOperation::kCutOut, BlitOperation::kCopyOverBackground}) {
    const bool own_background = operation == BlitOperation::kCopyOverBackground;
    BmpMem direct = Copy(start);
    BmpMem raster = Copy(start);
    BmpMem direct_back = Copy(background);
    BmpMem raster_back = Copy(background);
    BmpMem direct_source = Copy(source);
    BmpMem raster_source = Copy(source);
    BlitDirect({&direct, -2, 3, 16, 12, &direct_source, 0, 0,
                own_background ? &direct : &direct_back, 2, 0, &mask, 0, 0},
               operation);
    BlitRaster({&raster, -2, 3, 16, 12, &raster_source, 0, 0,
                own_background ? &raster : &raster_back, 2, 0, &mask, 0, 0},
               operation);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 20; ++x) {
        ASSERT_EQ(Raw(raster, x, y), Raw(direct, x, y))
            << GetParam().name << " operation " << static_cast<int>(operation) << " at " << x << ","
            << y;
      }
    }
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 16; ++x)
        ASSERT_EQ(Raw(raster_back, x, y), Raw(direct_back, x, y));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    DisplayFormats, BlitFormats,
    ::testing::Values(FormatCase{"32", DisplayFormat::Standard(32)},
                      FormatCase{"24", DisplayFormat::Standard(24)},
                      FormatCase{"555", DisplayFormat::Standard(16)},
                      FormatCase{"565", DisplayFormat::FromMasks(16, 0xF800, 0x07E0, 0x001F)}),
    [](const auto& format_case) { return std::string("bits") + format_case.param.name; });

TEST(Blit, NegativeCoordinatesShiftTheOtherBitmapsAndClipTheSize) {
  BmpMem destination(10, 10);
  BmpMem source(10, 10);
  BlitRequest request{&destination, -3, 2, 8, 20, &source, 1, -1};
  ASSERT_TRUE(request.Clip());
  EXPECT_EQ(request.x, 0);
  EXPECT_EQ(request.source_x, 4);
  EXPECT_EQ(request.y, 3);
  EXPECT_EQ(request.source_y, 0);
  EXPECT_EQ(request.width, 5);
  EXPECT_EQ(request.height, 7);

  BlitRequest outside{&destination, 12, 0, 4, 4, &source, 0, 0};
  EXPECT_FALSE(outside.Clip());
}

TEST(DisplayFormat, FieldsShiftsAndColours) {
  const DisplayFormat plain16 = DisplayFormat::Standard(16);
  EXPECT_EQ(plain16.bytes_per_pixel, 2);
  EXPECT_EQ(plain16.red.mask, 0x7C00u);
  EXPECT_EQ(plain16.red.position, 10);
  EXPECT_EQ(plain16.green.width, 5);
  EXPECT_EQ(plain16.RedShift(), 7);
  EXPECT_EQ(plain16.BlueShift(), 3);
  EXPECT_EQ(plain16.Pack(0x0000FF), 0x7C00u);
  EXPECT_EQ(plain16.Unpack(plain16.Pack(0x204080)), 0x204080u);

  const DisplayFormat bits565 = DisplayFormat::FromMasks(16, 0xF800, 0x07E0, 0x001F);
  EXPECT_EQ(bits565.green.position, 5);
  EXPECT_EQ(bits565.green.width, 6);
  EXPECT_EQ(bits565.GreenShift(), 3);

  const DisplayFormat true_colour = DisplayFormat::Standard(24);
  EXPECT_EQ(true_colour.bytes_per_pixel, 3);
  for (std::uint32_t colour : {0x000000u, 0x123456u, 0xFFFFFFu, 0x802010u}) {
    EXPECT_EQ(true_colour.Unpack(true_colour.Pack(colour)), colour);
  }
  EXPECT_EQ(true_colour.Pack(0x0000FF), 0xFF0000u);  // red is the high byte
}

TEST(BmpMem, GrowingNeverShrinks) {
  DibSectionBmp bitmap(40, 30, DisplayFormat::Standard(32));
  bitmap.Clear(0x55);
  bitmap.Grow(20, 10);
  EXPECT_EQ(bitmap.width(), 40);
  EXPECT_EQ(bitmap.dc().GetPixel(5, 5), 0x555555u);  // untouched
  bitmap.Grow(50, 20);
  EXPECT_EQ(bitmap.width(), 50);
  EXPECT_EQ(bitmap.height(), 30);
}

}  // namespace
}  // namespace cbst
