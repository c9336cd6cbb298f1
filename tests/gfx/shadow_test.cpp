// shadow_test.cpp: drop shadows worked out by hand, and bevelled edges.
#include "gfx/shadow.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "gfx/bmp_mem.h"

namespace cbst {
namespace {

// Grey levels are compared exactly, so these bitmaps are true colour
// whatever the display.
const DisplayFormat kTrueColour = DisplayFormat::Standard(32);

// A source with white background and the given black shape pixels.
DibSectionBmp Shape(std::initializer_list<std::pair<int, int>> pixels) {
  DibSectionBmp source(8, 8, kTrueColour);
  source.Clear(0xFF);
  for (const auto& [x, y] : pixels)
    source.dc().SetPixel(x, y, 0);
  return source;
}

// Every pixel that is not the destination's starting white.
std::map<std::pair<int, int>, std::uint32_t> Marks(BmpMem& bitmap) {
  std::map<std::pair<int, int>, std::uint32_t> marks;
  for (int y = 0; y < bitmap.height(); ++y) {
    for (int x = 0; x < bitmap.width(); ++x) {
      const std::uint32_t colour = bitmap.dc().GetPixel(x, y);
      if (colour != 0xFFFFFF) marks[{x, y}] = colour & 0xFF;
    }
  }
  return marks;
}

const ShadowStyle kStyle{3, 64, 32, false};

TEST(DropShadow, ALonePixelCastsOneRunStartingOneStepLighter) {
  for (const DisplayFormat& format : {DisplayFormat::Standard(32), DisplayFormat::Standard(24)}) {
    DibSectionBmp source = Shape({{2, 2}});
    DibSectionBmp destination(8, 8, format);
    destination.Clear(0xFF);
    DropShadow({&destination, 0, 0, 8, 8, &source, 0, 0}, kStyle);
    const std::map<std::pair<int, int>, std::uint32_t> expected = {
        {{2, 2}, 0}, {{5, 5}, 32}, {{4, 4}, 64}, {{3, 3}, 96}};
    EXPECT_EQ(Marks(destination), expected);
  }
}

TEST(DropShadow, ABlockCastsRunsFromItsLowerRightEdgeOnly) {
  DibSectionBmp source = Shape({{2, 2}, {3, 2}, {2, 3}, {3, 3}});
  DibSectionBmp destination(8, 8, kTrueColour);
  destination.Clear(0xFF);
  DropShadow({&destination, 0, 0, 8, 8, &source, 0, 0}, kStyle);
  const std::map<std::pair<int, int>, std::uint32_t> expected = {
      {{2, 2}, 0},  {{3, 2}, 0},   {{2, 3}, 0},  {{3, 3}, 0},  {{6, 5}, 64},
      {{5, 4}, 96}, {{4, 3}, 128}, {{5, 6}, 64}, {{4, 5}, 96}, {{3, 4}, 128},
      {{6, 6}, 32}, {{5, 5}, 64},  {{4, 4}, 96}};
  EXPECT_EQ(Marks(destination), expected);
}

TEST(DropShadow, RunsStopAtTheShapeAndGoOnOutsideTheSource) {
  // The run of (2, 2) meets (5, 5) after one step; the run of (5, 5) starts
  // outside the 8 x 8 source, where everything is background.
  DibSectionBmp source = Shape({{2, 2}, {5, 5}});
  DibSectionBmp destination(10, 10, kTrueColour);
  destination.Clear(0xFF);
  DropShadow({&destination, 0, 0, 8, 8, &source, 0, 0}, {4, 64, 32, false});
  const auto marks = Marks(destination);
  EXPECT_FALSE(marks.contains({4, 4}));
  EXPECT_FALSE(marks.contains({3, 3}));
  EXPECT_EQ(marks.at({5, 5}), 0u);
  EXPECT_EQ(marks.at({9, 9}), 32u);
  EXPECT_EQ(marks.at({8, 8}), 64u);
  EXPECT_EQ(marks.at({6, 6}), 128u);  // the later run writes over the earlier
}

TEST(DropShadow, TheRasterFormDarkensUnderTheShapeWithTheBrush) {
  DibSectionBmp source = Shape({{1, 1}, {2, 1}});
  BmpMem destination(8, 8, kTrueColour);
  destination.Clear(1);
  DropShadowRaster({&destination, 0, 0, 8, 8, &source, 0, 0}, kStyle);
  EXPECT_EQ(destination.dc().GetPixel(1, 1), 0u);  // the shape, copied
  EXPECT_EQ(destination.dc().GetPixel(4, 4), kShadowBrushColour);
  EXPECT_EQ(destination.dc().GetPixel(5, 4), kShadowBrushColour);
  EXPECT_EQ(destination.dc().GetPixel(6, 4), 0xFFFFFFu);
}

TEST(Bevel, LitTopLeftShadedBottomRightGradedInwardsWithDirectPixels) {
  DibSectionBmp direct(10, 10, kTrueColour);
  direct.Clear(0);
  DrawBevel(direct, {0, 0, 10, 10}, 2);
  EXPECT_EQ(direct.dc().GetPixel(0, 5), 0xF2F2F2u);
  EXPECT_EQ(direct.dc().GetPixel(1, 5), 0xD2D2D2u);
  EXPECT_EQ(direct.dc().GetPixel(9, 5), 0x797979u);
  EXPECT_EQ(direct.dc().GetPixel(5, 5), 0u);

  BmpMem plain(10, 10, kTrueColour);
  plain.Clear(0);
  DrawBevel(plain, {0, 0, 10, 10}, 2);
  EXPECT_EQ(plain.dc().GetPixel(1, 5), kBevelLight);
  EXPECT_EQ(plain.dc().GetPixel(8, 8), kBevelDark);
}

}  // namespace
}  // namespace cbst
