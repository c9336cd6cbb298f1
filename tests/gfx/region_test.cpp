// region_test.cpp: region shapes, fill rule, combining, moving and counting.
#include "gfx/region.h"

#include <gtest/gtest.h>

#include <array>

namespace cbst {
namespace {

TEST(Region, RectangleLeavesItsRightAndBottomEdgesOutside) {
  for (const Rect16 rect : {Rect16{2, 3, 4, 5}, Rect16{6, 8, -4, -5}}) {
    const Region region(rect);
    EXPECT_TRUE(region.Contains(2, 3));
    EXPECT_TRUE(region.Contains(5, 7));
    EXPECT_FALSE(region.Contains(6, 3));
    EXPECT_FALSE(region.Contains(2, 8));
    EXPECT_EQ(region.Bounds(), (Rect16{2, 3, 4, 5}));
  }
}

TEST(Region, EllipseFillsItsRectangleButNotTheCorners) {
  const Region ellipse(Rect16{0, 0, 20, 10}, kRegionEllipse);
  EXPECT_TRUE(ellipse.Contains(10, 5));
  EXPECT_TRUE(ellipse.Contains(1, 5));
  EXPECT_FALSE(ellipse.Contains(0, 0));
  EXPECT_FALSE(ellipse.Contains(19, 9));
  EXPECT_TRUE((Rect16{0, 0, 20, 10}).Contains(ellipse.Bounds()));

  const Region flat(Rect16{10, 10, 0, 20}, kRegionEllipse);
  EXPECT_TRUE(flat.Empty());
  EXPECT_EQ(flat.Bounds(), Rect16{});
  for (int y = 5; y < 35; ++y) {
    for (int x = 5; x < 15; ++x)
      EXPECT_FALSE(flat.Contains(x, y)) << x << "," << y;
  }
}

TEST(Region, PolygonLeavesTwiceCoveredPartsOut) {
  // A five-pointed star drawn in one stroke covers its inner pentagon twice.
  const std::array<RegionPoint, 5> star = {{{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}}};
  const Region region(star);
  EXPECT_TRUE(region.Contains(50, 12));  // top point
  EXPECT_TRUE(region.Contains(10, 37));  // left point
  EXPECT_FALSE(region.Contains(50, 55));
  EXPECT_FALSE(region.Contains(50, 95));
}

TEST(Region, CombineInPlace) {
  const Region left(Rect16{0, 0, 10, 10});
  const Region right(Rect16{5, 0, 10, 10});
  // Points in left only, in both, in right only, in neither.
  const int xs[] = {2, 7, 12, 20};
  const struct {
    RegionCombine operation;
    bool inside[4];
  } cases[] = {{RegionCombine::kIntersect, {false, true, false, false}},
               {RegionCombine::kUnion, {true, true, true, false}},
               {RegionCombine::kXor, {true, false, true, false}},
               {RegionCombine::kDifference, {true, false, false, false}}};
  for (const auto& test : cases) {
    Region region(left);
    region.Combine(right, test.operation);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(region.Contains(xs[i], 2), test.inside[i]) << static_cast<int>(test.operation);
  }
}

TEST(Region, OffsetsAccumulateAndResetReturnsHome) {
  Region region(Rect16{10, 20, 5, 5}, kRegionEllipse);
  const Rect16 home = region.Bounds();
  region.Offset(5, -3);
  region.Offset(-2, 10);
  EXPECT_TRUE(region.Contains(15, 29));
  EXPECT_FALSE(region.Contains(12, 22));

  // A copy carries the offsets, and moves on its own.
  Region copy(region);
  copy.Offset(100, 100);
  copy.Reset();
  EXPECT_EQ(copy.Bounds(), home);
  EXPECT_EQ(region.offset_x(), 3);
  EXPECT_EQ(region.offset_y(), 7);

  region.Reset();
  EXPECT_EQ(region.Bounds(), home);
  EXPECT_EQ(region.offset_x(), 0);
}

TEST(Region, LiveCounterFollowsEveryRegion) {
  const int start = LiveCount(LiveKind::kRegion);
  {
    const Region a(Rect16{0, 0, 4, 4});
    Region b(a);
    b = Region(Rect16{1, 1, 2, 2}, kRegionEllipse);
    const std::vector<Region> many(3, a);
    EXPECT_EQ(LiveCount(LiveKind::kRegion), start + 5);
  }
  EXPECT_EQ(LiveCount(LiveKind::kRegion), start);
}

}  // namespace
}  // namespace cbst
