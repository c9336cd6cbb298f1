// loupe_test.cpp: the loupe's limits, keys and conditions, its
// magnification pixel by pixel, and the count of the pieces over the
// preview picture — all without windows.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "play/board_codes.h"
#include "play/loupe.h"
#include "play/preview_cover.h"
#include "ui/virtual_keys.h"

namespace cbst {
namespace {

TEST(LoupeKeys, SizeAndZoomStepWithinTheirLimits) {
  LoupeSettings loupe;
  EXPECT_EQ(loupe, (LoupeSettings{150, 2.0}));
  // The default magnification is also the smallest.
  EXPECT_EQ(ApplyLoupeKey(loupe, kVkSubtract), LoupeKeyEffect::kNothing);
  EXPECT_EQ(loupe.zoom, 2.0);
  std::vector<int> sizes;
  while (ApplyLoupeKey(loupe, kVkUp) == LoupeKeyEffect::kResized)
    sizes.push_back(loupe.size);
  EXPECT_EQ(sizes, (std::vector<int>{170, 190, 210, 230, 250, 270, 280}));
  sizes.clear();
  while (ApplyLoupeKey(loupe, kVkDown) == LoupeKeyEffect::kResized)
    sizes.push_back(loupe.size);
  EXPECT_EQ(sizes.back(), 100);
  EXPECT_EQ(sizes.front(), 260);
  std::vector<double> zooms;
  for (int key : {kVkAdd, kVkOemPlus, kVkAdd, kVkAdd, kVkAdd})
    if (ApplyLoupeKey(loupe, key) == LoupeKeyEffect::kZoomed) zooms.push_back(loupe.zoom);
  EXPECT_EQ(zooms, (std::vector<double>{3.0, 4.0, 5.0}));
  EXPECT_EQ(ApplyLoupeKey(loupe, kVkOemMinus), LoupeKeyEffect::kZoomed);
  EXPECT_EQ(loupe.zoom, 4.0);
  EXPECT_EQ(ApplyLoupeKey(loupe, kVkEscape), LoupeKeyEffect::kClose);
  EXPECT_EQ(ApplyLoupeKey(loupe, kVkSpace), LoupeKeyEffect::kNotMine);
  EXPECT_EQ(ApplyLoupeKey(loupe, kVkLeft), LoupeKeyEffect::kNotMine);
  // Settings from elsewhere are brought within the limits.
  EXPECT_EQ(ClampedLoupe({90, 1.0}), (LoupeSettings{100, 2.0}));
  EXPECT_EQ(ClampedLoupe({400, 7.5}), (LoupeSettings{280, 5.0}));
  EXPECT_EQ(ClampedLoupe({150, std::nan("")}).zoom, 2.0);
}

TEST(LoupeWindow, IsASquareAroundTheMouseThatOpensOnlyWhenNothingElseGoesOn) {
  const Rect16 place = LoupeWindowRect({150, 2.0}, 400, 300);
  EXPECT_EQ(place, (Rect16{325, 225, 180, 180}));
  EXPECT_EQ(LoupeWindowRect({280, 3.0}, 10, 10), (Rect16{-130, -130, 310, 310}));

  const LoupeHindrances free;
  EXPECT_TRUE(LoupeMayOpen(free, kLoupeLeftButton));
  LoupeHindrances left = free;
  left.buttons_held = 0x10;
  EXPECT_TRUE(LoupeMayOpen(left, kLoupeLeftButton));
  LoupeHindrances both = free;
  both.buttons_held = 0x30;
  EXPECT_FALSE(LoupeMayOpen(both, kLoupeLeftButton)) << "the right button is not the icon's";
  EXPECT_TRUE(LoupeMayOpen(both, kLoupeBothButtons));
  LoupeHindrances middle = free;
  middle.buttons_held = 0x50;
  EXPECT_FALSE(LoupeMayOpen(middle, kLoupeBothButtons));
  for (bool LoupeHindrances::*hindrance :
       {&LoupeHindrances::modal_open, &LoupeHindrances::preview_dragged,
        &LoupeHindrances::tack_carried, &LoupeHindrances::other_window_active,
        &LoupeHindrances::selection}) {
    LoupeHindrances now = free;
    now.*hindrance = true;
    EXPECT_FALSE(LoupeMayOpen(now, kLoupeBothButtons));
  }
}

// Pixels in memory, viewed as the loupe sees a bitmap's.
struct Pixels {
  Pixels(int width, int height) : values(static_cast<std::size_t>(width * height)) {
    view.data = reinterpret_cast<std::uint8_t*>(values.data());
    view.stride = static_cast<std::ptrdiff_t>(width) * 4;
    view.width = width;
    view.height = height;
  }
  std::uint32_t At(int x, int y) const {
    return values[static_cast<std::size_t>(y * view.width + x)];
  }
  std::vector<std::uint32_t> values;
  PixelView view;
};

TEST(Magnify, EveryPixelShowsTheSourcePixelItsDistanceDividedByTheZoomAway) {
  std::mt19937 random(7);
  Pixels source(97, 61);
  for (std::uint32_t& value : source.values)
    value = random();
  constexpr std::uint32_t kOutside = 0xFF123456;
  for (const double zoom : {2.0, 3.0, 4.0, 5.0}) {
    for (const auto& [at_x, at_y] : {std::pair{48, 30}, std::pair{2, 3}, std::pair{95, 60}}) {
      Pixels target(172, 154);
      const int fixed_x = 71, fixed_y = 53;
      Magnify(source.view, at_x, at_y, zoom, target.view, fixed_x, fixed_y, kOutside);
      EXPECT_EQ(target.At(fixed_x, fixed_y), source.At(at_x, at_y));
      const Rect16 read = MagnifiedSource(at_x, at_y, zoom, 172, 154, fixed_x, fixed_y);
      for (int y = 0; y < 154; ++y) {
        for (int x = 0; x < 172; ++x) {
          const int from_x = at_x + static_cast<int>(std::floor((x - fixed_x) / zoom));
          const int from_y = at_y + static_cast<int>(std::floor((y - fixed_y) / zoom));
          ASSERT_TRUE(from_x >= read.x && from_x < read.x + read.width && from_y >= read.y &&
                      from_y < read.y + read.height);
          const bool inside = from_x >= 0 && from_y >= 0 && from_x < 97 && from_y < 61;
          ASSERT_EQ(target.At(x, y), inside ? source.At(from_x, from_y) : kOutside)
              << "zoom " << zoom << " at " << x << "," << y;
        }
      }
      // Each source pixel fills a square of the zoom's side.
      EXPECT_EQ(target.At(fixed_x + static_cast<int>(zoom) - 1, fixed_y), source.At(at_x, at_y));
      EXPECT_LE(read.width, static_cast<int>(std::ceil(172 / zoom)) + 1)
          << "the source read is no wider than needed";
    }
  }
}

std::vector<SPuz> Row(int count, int width) {
  std::vector<SPuz> pieces(static_cast<std::size_t>(count));
  for (int index = 0; index < count; ++index)
    pieces[static_cast<std::size_t>(index)].board = {static_cast<std::int16_t>(index * width), 0,
                                                     static_cast<std::int16_t>(width), 20};
  return pieces;
}

TEST(PreviewCover, CountsTablePiecesOverThePictureAndSaysWhenNothingTurnsToSomething) {
  std::vector<SPuz> pieces = Row(10, 20);  // x = 0, 20, ..., 180
  pieces[3].box = 0;                       // in a box: never over the table's picture
  PreviewCover cover;
  EXPECT_FALSE(cover.Recount(pieces, {500, 500, 50, 50})) << "nothing over it, as before";
  EXPECT_TRUE(cover.Recount(pieces, {30, 10, 60, 30})) << "from none to some";
  EXPECT_EQ(cover.pieces(), 3);  // 1, 2 and 4 (3 is in its box)
  for (int index = 0; index < 10; ++index)
    EXPECT_EQ((pieces[static_cast<std::size_t>(index)].flags & kPieceOverPreview) != 0,
              index == 1 || index == 2 || index == 4)
        << index;
  // One piece moves on and off: the count follows, and only a change
  // between none and some asks for a repaint.
  pieces[9].board.x = 40;
  const int nine[] = {9};
  EXPECT_FALSE(cover.RecountGroup(pieces, nine, {30, 10, 60, 30}));
  EXPECT_EQ(cover.pieces(), 4);
  pieces[9].board.x = 300;
  EXPECT_FALSE(cover.RecountGroup(pieces, nine, {30, 10, 60, 30}));
  EXPECT_EQ(cover.pieces(), 3);
  // The drag state counts as something too.
  EXPECT_FALSE(cover.SetDragged(true)) << "pieces lie over it already";
  EXPECT_FALSE(cover.Recount(pieces, {500, 500, 50, 50})) << "still dragged";
  EXPECT_EQ(cover.pieces(), 0);
  EXPECT_TRUE(cover.SetDragged(false));
  EXPECT_TRUE(cover.SetDragged(true));
  // A picture taken off the table leaves no mark behind.
  EXPECT_FALSE(cover.Recount(pieces, {0, 0, 200, 20}));
  EXPECT_EQ(cover.pieces(), 8);  // 9 lies beyond it, 3 in its box
  EXPECT_FALSE(cover.Recount(pieces, {}));
  for (const SPuz& piece : pieces)
    EXPECT_EQ(piece.flags & kPieceOverPreview, 0u);
}

}  // namespace
}  // namespace cbst
