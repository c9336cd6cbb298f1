// turn_test.cpp: quarter turns of square bitmaps in every depth, by raw bits
// and pixel by pixel.
#include "gfx/turn.h"

#include "gfx/bmp_mem.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace cbst {
namespace {

std::uint32_t RawAt(Bmp& bitmap, int x, int y) {
  const PixelView view = bitmap.pixels();
  const std::uint8_t* row = view.data + y * view.stride;
  if (view.bit_count == 1) return (row[x >> 3] >> (7 - (x & 7))) & 1;
  std::uint32_t value = 0;
  std::memcpy(&value, row + x * view.bytes, static_cast<std::size_t>(view.bytes));
  return value;
}

// Random colour bits: the top byte of 32-bit pixels stays set and the top
// bit of 5-5-5 pixels clear, as colours leave them.
void FillWithNoise(Bmp& bitmap, std::mt19937& random) {
  const PixelView view = bitmap.pixels();
  const int bytes = view.bit_count == 1 ? (view.width + 7) / 8 : view.width * view.bytes;
  for (int y = 0; y < view.height; ++y) {
    std::uint8_t* row = view.data + y * view.stride;
    for (int index = 0; index < bytes; ++index) {
      row[index] = static_cast<std::uint8_t>(random());
      if (view.bit_count == 32 && index % 4 == 3) row[index] = 0xFF;
      if (view.bit_count == 16 && index % 2 == 1) row[index] &= 0x7F;
    }
  }
}

std::vector<std::uint32_t> Picture(Bmp& bitmap) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < bitmap.height(); ++y) {
    for (int x = 0; x < bitmap.width(); ++x)
      pixels.push_back(RawAt(bitmap, x, y));
  }
  return pixels;
}

struct TurnCase {
  int bit_count;
  int size;
  int force_pixel_method;
};

class Turning : public ::testing::TestWithParam<TurnCase> {
 protected:
  Bmp NoisyBitmap() {
    Bmp bitmap(GetParam().size, GetParam().size, GetParam().bit_count, DisplayFormat::Standard(16));
    FillWithNoise(bitmap, random_);
    return bitmap;
  }
  bool Turn(Bmp& bitmap, int degrees) {
    return TurnBitmap(bitmap, degrees, GetParam().force_pixel_method);
  }

 private:
  std::mt19937 random_{7};
};

TEST_P(Turning, TurnsThatAddUpToWholeOnesGiveThePictureBack) {
  Bmp bitmap = NoisyBitmap();
  const std::vector<std::uint32_t> start = Picture(bitmap);
  for (const auto& angles :
       std::vector<std::vector<int>>{{90, 90, 90, 90}, {180, 180}, {90, 270}}) {
    for (int degrees : angles)
      ASSERT_TRUE(Turn(bitmap, degrees));
    EXPECT_EQ(Picture(bitmap), start);
  }
}

// Checked pixel by pixel for both methods, which are therefore identical.
TEST_P(Turning, EveryPixelLandsWhereTheTurnSendsIt) {
  const int n = GetParam().size;
  for (int degrees : {90, 180, 270}) {
    Bmp bitmap = NoisyBitmap();
    const std::vector<std::uint32_t> before = Picture(bitmap);
    ASSERT_TRUE(Turn(bitmap, degrees));
    for (int y = 0; y < n; ++y) {
      for (int x = 0; x < n; ++x) {
        const int to_x = degrees == 90 ? n - 1 - y : degrees == 180 ? n - 1 - x : y;
        const int to_y = degrees == 90 ? x : degrees == 180 ? n - 1 - y : n - 1 - x;
        ASSERT_EQ(RawAt(bitmap, to_x, to_y), before[static_cast<std::size_t>(y * n + x)])
            << degrees << " degrees, from " << x << "," << y;
      }
    }
  }
}

std::vector<TurnCase> AllCases() {
  std::vector<TurnCase> cases;
  for (int method : {0, 1}) {
    for (int bit_count : {1, 8, 16, 24, 32}) {
      // 13 bits do not fill whole bytes.
      for (int size : {1, 7, bit_count == 1 ? 13 : 16})
        cases.push_back({bit_count, size, method});
    }
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Depths, Turning, ::testing::ValuesIn(AllCases()),
                         [](const auto& param_info) {
                           return std::to_string(param_info.param.bit_count) + "bit_" +
                                  std::to_string(param_info.param.size) +
                                  (param_info.param.force_pixel_method ? "_pixels" : "_raw");
                         });

TEST(TurnBitmap, RefusesWhatItCannotTurnAndLeavesItAlone) {
  std::mt19937 random(5);
  Bmp wide(8, 6, 32);
  Bmp square(6, 6, 32);
  FillWithNoise(wide, random);
  FillWithNoise(square, random);
  const std::vector<std::uint32_t> wide_start = Picture(wide);
  const std::vector<std::uint32_t> square_start = Picture(square);
  Bmp none;
  for (int method : {0, 1}) {
    EXPECT_FALSE(TurnBitmap(wide, 90, method));
    EXPECT_FALSE(TurnBitmap(none, 90, method));
    for (int degrees : {0, 45, 360, -90})
      EXPECT_FALSE(TurnBitmap(square, degrees, method)) << degrees;
  }
  EXPECT_EQ(Picture(wide), wide_start);
  EXPECT_EQ(Picture(square), square_start);
}

// A square view of a larger bitmap turns alone; its neighbours stay, also
// those sharing a byte with its first or last 1-bit column.
TEST(TurnBitmap, TurnsAViewInPlace) {
  std::mt19937 random(9);
  for (const Rect16& part : {Rect16{8, 2, 9, 9}, Rect16{3, 1, 9, 9}}) {
    for (int method : {0, 1}) {
      for (bool monochrome : {true, false}) {
        BmpMem whole(24, 13, nullptr, monochrome);
        FillWithNoise(whole, random);
        const std::vector<std::uint32_t> before = Picture(whole);
        Bmp view = Bmp::ViewOf(whole, part);
        ASSERT_TRUE(TurnBitmap(view, 270, method));
        for (int y = 0; y < whole.height(); ++y) {
          for (int x = 0; x < whole.width(); ++x) {
            const bool inside =
                part.Contains({static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 1, 1});
            // After 270 degrees (x, y) holds what was at (n-1-y, x).
            const int from_x = inside ? part.x + part.LastRow() - y : x;
            const int from_y = inside ? part.y + x - part.x : y;
            ASSERT_EQ(RawAt(whole, x, y), before[static_cast<std::size_t>(from_y * 24 + from_x)])
                << "monochrome " << monochrome << ", method " << method << ", at " << x << "," << y;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace cbst
