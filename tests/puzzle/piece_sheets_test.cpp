// piece_sheets_test.cpp: masks that tile the picture, lossless turns and the
// bevel on real sheets.
#include "puzzle/piece_sheets.h"

#include <gtest/gtest.h>

#include <random>

#include "gfx/pixel_access.h"
#include "puzzle/cut.h"
#include "puzzle/ellipse_scanner.h"
#include "puzzle/outline_shading.h"
#include "puzzle/puz.h"
#include "support/gui_environment.h"

namespace cbst {
namespace {

// A picture of random colours, so that any misplaced pixel shows.
std::unique_ptr<BmpMem> NoisePicture(int width, int height, std::uint32_t seed) {
  auto picture = std::make_unique<BmpMem>(width, height, nullptr);
  std::mt19937 random(seed);
  const PixelView pixels = picture->pixels();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      StorePixel(pixels.At(x, y), pixels.bytes, picture->format().Pack(random() & 0xFFFFFF));
    }
  }
  return picture;
}

void MakePuzzle(Puz& puz, int width, int height, int rows, int columns, std::uint32_t seed,
                bool turnable, bool tabs = true) {
  CutRequest request;
  request.picture_width = static_cast<std::int16_t>(width);
  request.picture_height = static_cast<std::int16_t>(height);
  request.rows = rows;
  request.columns = columns;
  request.no_rotation = !turnable;
  request.no_tabs = !tabs;
  Random random;
  random.Seed(seed);
  puz.cut = CutPieces(request, random);
  if (!turnable) puz.option_flags |= kOptionNoRotable;
  if (!tabs) puz.option_flags |= kOptionNoDeform;
  puz.picture = NoisePicture(width, height, seed);
}

bool Inside(const PixelView& mask, int x, int y) {
  return (LoadPixel(mask.At(x, y), mask.bytes) & 0xFFFFFF) == 0;
}

// Every picture pixel the cells reach (the grid may end a pixel short of
// the picture) is covered by exactly one unturned piece's mask.
void ExpectTiling(Puz& puz, int picture_width, int picture_height) {
  int width = 0, height = 0;
  for (const SPuz& piece : puz.cut.pieces) {
    width = std::max(width, piece.home_x + piece.cell.width);
    height = std::max(height, piece.home_y + piece.cell.height);
  }
  EXPECT_GE(width, picture_width - 1);
  EXPECT_GE(height, picture_height - 1);
  std::vector<int> cover(static_cast<std::size_t>(width * height), 0);
  const PixelView mask = puz.sheets.mask->pixels();
  for (const SPuz& piece : puz.cut.pieces) {
    ASSERT_EQ(piece.rotation, 0);
    for (int y = piece.bound.y; y <= piece.bound.LastRow(); ++y) {
      for (int x = piece.bound.x; x <= piece.bound.LastColumn(); ++x) {
        if (!Inside(mask, x, y)) continue;
        const int px = piece.home_x + x - piece.cell.x;
        const int py = piece.home_y + y - piece.cell.y;
        ASSERT_TRUE(px >= 0 && py >= 0 && px < width && py < height) << "piece " << piece.id;
        ++cover[static_cast<std::size_t>(py * width + px)];
      }
    }
  }
  int gaps = 0, overlaps = 0;
  for (int count : cover) {
    gaps += count == 0;
    overlaps += count > 1;
  }
  EXPECT_EQ(gaps, 0);
  EXPECT_EQ(overlaps, 0);
}

TEST(PieceSheets, MasksTileThePicture) {
  struct Case {
    int width, height, rows, columns;
    std::uint32_t seed;
  };
  for (const Case& c : {Case{320, 240, 3, 4, 7}, Case{401, 299, 6, 8, 11},
                        Case{640, 480, 10, 13, 3}, Case{250, 500, 9, 5, 99}}) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " seed " << c.seed);
    for (bool tabs : {true, false}) {
      Puz puz;
      MakePuzzle(puz, c.width, c.height, c.rows, c.columns, c.seed, false, tabs);
      ASSERT_TRUE(DrawPieceSheets(puz, nullptr).ok());
      ExpectTiling(puz, c.width, c.height);
    }
  }
}

}  // namespace
}  // namespace cbst
