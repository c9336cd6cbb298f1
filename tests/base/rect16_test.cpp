// rect16_test.cpp: unions that start empty, shifts, and where rectangles
// stop touching.
#include "base/rect16.h"

#include <gtest/gtest.h>

namespace cbst {
namespace {

TEST(Rect16, AnEmptyRectangleAddsNothingToAUnion) {
  const Rect16 piece{40, 30, 20, 10};
  EXPECT_EQ(Rect16{}.United(piece), piece);
  EXPECT_EQ(piece.United(Rect16{}), piece);
  // Empty far away, or with a negative extent: still nothing.
  EXPECT_EQ(piece.United(Rect16{500, 400, 0, 12}), piece);
  EXPECT_EQ((Rect16{-300, -200, 8, -1}).United(piece), piece);
  EXPECT_TRUE(Rect16{}.United(Rect16{7, 7, 0, 0}).Empty());

  // Bounds gathered from nothing hold every piece and no more.
  Rect16 bounds{};
  for (const Rect16& each : {Rect16{20, 5, 5, 20}, Rect16{0, 0, 10, 10}, Rect16{3, 3, 1, 1}})
    bounds = bounds.United(each);
  EXPECT_EQ(bounds, (Rect16{0, 0, 25, 25}));
}

TEST(Rect16, MovingKeepsTheSizeAndSidesThatOnlyTouchDoNotOverlap) {
  EXPECT_EQ((Rect16{3, 4, 5, 6}).Moved(-10, 2), (Rect16{-7, 6, 5, 6}));
  const Rect16 left{0, 0, 10, 10};
  EXPECT_FALSE(left.Overlaps(left.Moved(10, 0)));
  EXPECT_FALSE(left.Overlaps(left.Moved(0, -10)));
  EXPECT_TRUE(left.Overlaps(left.Moved(9, 9)));
  EXPECT_TRUE(left.Overlaps(left.Moved(-9, 0)));
}

}  // namespace
}  // namespace cbst
