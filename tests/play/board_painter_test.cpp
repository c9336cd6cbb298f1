// board_painter_test.cpp: the painted table against a composition done
// pixel by pixel here, repaints that keep inside their rectangle, shadows,
// the floating carried group, and the choice of shadow.
#include "play/board_painter.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <random>

#include "gfx/pixel_access.h"
#include "play/board.h"
#include "puzzle/cut.h"
#include "puzzle/piece_sheets.h"
#include "support/recording_host.h"

namespace cbst {
namespace {

constexpr int kWidth = 420, kHeight = 350;
constexpr Rect16 kWhole{0, 0, kWidth, kHeight};
constexpr std::uint32_t kBackground = 0x336699;
constexpr ShadowParameters kNoShadow{};

std::uint32_t Pixel(Bmp& bitmap, int x, int y) {
  const DisplayFormat& format = bitmap.format();
  return LoadPixel(bitmap.pixels().At(x, y), format.bytes_per_pixel) &
         (format.red.mask | format.green.mask | format.blue.mask);
}
bool OnBuffer(int x, int y) {
  return x >= 0 && y >= 0 && x < kWidth && y < kHeight;
}

struct Display {
  const char* name;
  int bits;
  int mode;
};

class BoardPainterTest : public ::testing::TestWithParam<Display> {
 protected:
  // A 5 x 6 cut of random colours, turned by the cut and some turned again,
  // laid out with overlapping tabs, one piece over two others, one off the
  // left and bottom edges, one in a box, in a shuffled z-order.
  void SetUp() override {
    saved_ = CurrentDisplayFormat();
    CurrentDisplayFormat() = GetParam().bits == 16
                                 ? DisplayFormat::FromMasks(16, 0xF800, 0x07E0, 0x001F)
                                 : DisplayFormat::Standard(32);
    CurrentDisplayFormat().mode = GetParam().mode;
    Random random;
    random.Seed(17);
    puz_.cut = CutPieces({300, 240, 5, 6}, random);
    puz_.background = kBackground;
    puz_.picture = MakeBmpMem(300, 240);
    std::mt19937 noise(5);
    const PixelView picture = puz_.picture->pixels();
    for (int at = 0; at < 300 * 240; ++at) {
      StorePixel(picture.At(at % 300, at / 300), picture.bytes,
                 puz_.picture->format().Pack(noise() & 0xFFFFFF));
    }
    ASSERT_TRUE(DrawPieceSheets(puz_, nullptr).ok());
    for (int index : {2, 7, 20})
      TurnPiece(puz_, board_.piece(index), 1);
    // The outline shading lights a few pixels just outside some shapes,
    // which a masked copy lays on the table too; the painter is held to
    // sheets whose image is black outside the mask.
    const PixelView image = puz_.sheets.image->pixels();
    for (int at = 0; at < image.width * image.height; ++at) {
      const int x = at % image.width, y = at / image.width;
      if (Pixel(*puz_.sheets.mask, x, y) != 0) StorePixel(image.At(x, y), image.bytes, 0);
    }
    for (int index = 0; index < board_.piece_count(); ++index)
      board_.MovePiece(index, 0, 20 + index % 6 * 62, 20 + index / 6 * 62);
    board_.MovePiece(7, 0, 107, 102);
    board_.MovePiece(29, 0, -20, 300);
    board_.piece(13).box = 0;
    std::shuffle(puz_.cut.z_order.begin(), puz_.cut.z_order.end(), noise);
    for (std::size_t depth = 0; depth < puz_.cut.z_order.size(); ++depth)
      board_.piece(puz_.cut.z_order[depth]).depth = static_cast<std::int16_t>(depth);
    buffer_ = MakeBmpMem(kWidth, kHeight);
  }
  void TearDown() override { CurrentDisplayFormat() = saved_; }

  Rect16 Paint(const Rect16& rect, const ShadowParameters& shadow,
               std::uint8_t window = kTableWindow) {
    PaintRequest request;
    request.window = window;
    request.rect = rect;
    request.shadow = shadow;
    request.carried = carried_ ? &*carried_ : nullptr;
    return PaintBoard(puz_, *buffer_, request);
  }
  std::vector<std::uint32_t> Pixels() {
    std::vector<std::uint32_t> pixels;
    for (int at = 0; at < kWidth * kHeight; ++at)
      pixels.push_back(Pixel(*buffer_, at % kWidth, at / kWidth));
    return pixels;
  }
  int Differences(const std::vector<std::uint32_t>& expected) {
    const std::vector<std::uint32_t> actual = Pixels();
    return std::transform_reduce(actual.begin(), actual.end(), expected.begin(), 0, std::plus<>(),
                                 std::not_equal_to<>());
  }

  // Calls `visit` (sheet x, y, surface x, y) for each pixel of each piece's
  // shape in `window`, on the buffer or not, bottom to top; the carried
  // pieces last, moved by (carried_x, carried_y).
  template <typename Visit>
  void ForEachShapePixel(std::uint8_t window, Visit visit, int carried_x = 0, int carried_y = 0) {
    for (bool carried_pass : {false, true}) {
      for (std::size_t depth = puz_.cut.z_order.size(); depth-- > 0;) {
        const SPuz& piece = board_.piece(puz_.cut.z_order[depth]);
        const bool carried = (piece.flags & kPieceCarried) != 0;
        if (piece.box != window || carried != carried_pass) continue;
        for (int v = 0; v < piece.bound.height; ++v) {
          for (int u = 0; u < piece.bound.width; ++u) {
            if (Pixel(*puz_.sheets.mask, piece.bound.x + u, piece.bound.y + v) != 0) continue;
            visit(piece.bound.x + u, piece.bound.y + v,
                  piece.window.x + u + (carried ? carried_x : 0),
                  piece.window.y + v + (carried ? carried_y : 0));
          }
        }
      }
    }
  }
  // The window as the pieces' masks and images compose it, without shadows.
  std::vector<std::uint32_t> Composed(std::uint8_t window, int carried_x = 0, int carried_y = 0) {
    std::vector<std::uint32_t> pixels(kWidth * kHeight, buffer_->format().Pack(kBackground));
    ForEachShapePixel(
        window,
        [&](int sheet_x, int sheet_y, int x, int y) {
          if (OnBuffer(x, y)) pixels[y * kWidth + x] = Pixel(*puz_.sheets.image, sheet_x, sheet_y);
        },
        carried_x, carried_y);
    return pixels;
  }

  DisplayFormat saved_;
  Puz puz_;
  testing::RecordingHost host_;
  Board board_{puz_, host_};
  std::unique_ptr<BmpMem> buffer_;
  std::optional<CarriedImage> carried_;
};

INSTANTIATE_TEST_SUITE_P(Displays, BoardPainterTest,
                         ::testing::Values(Display{"Direct32", 32, kModeDirectPixels},
                                           Display{"Raster32", 32, kModeRasterOps},
                                           Display{"Direct565", 16, kModeDirectPixels}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_P(BoardPainterTest, TableAndBoxShowTheirPiecesAsComposedPixelByPixel) {
  int messages = 0;
  PaintRequest request;
  request.rect = kWhole;
  request.shadow = kNoShadow;
  request.handle_messages = [&] { ++messages; };
  EXPECT_EQ(PaintBoard(puz_, *buffer_, request), kWhole);
  EXPECT_EQ(Differences(Composed(kTableWindow)), 0);
  EXPECT_EQ(messages, 1);  // after the 16th of 29 pieces
  Paint(kWhole, kNoShadow, 0);
  EXPECT_EQ(Differences(Composed(0)), 0);

  // Hidden pieces, and no game at all, leave the background only.
  request.pieces_hidden = true;
  PaintBoard(puz_, *buffer_, request);
  EXPECT_EQ(Differences(Composed(1)), 0);
  PaintBoard(Puz(), *buffer_, request);
  EXPECT_EQ(buffer_->format().Unpack(Pixel(*buffer_, 200, 150)), kNoGameBackground);
}

TEST_P(BoardPainterTest, ARepaintChangesOnlyItsRectangleGrownByTwoAndMatchesTheWhole) {
  Paint(kWhole, kBlendedShadow);
  const std::vector<std::uint32_t> whole = Pixels();
  std::mt19937 random(3);
  for (int trial = 0; trial < 10; ++trial) {
    const Rect16 rect{static_cast<std::int16_t>(random() % kWidth - 20),
                      static_cast<std::int16_t>(random() % kHeight - 20),
                      static_cast<std::int16_t>(1 + random() % 60),
                      static_cast<std::int16_t>(1 + random() % 60)};
    const Rect16 grown = rect.Grown(kPaintMargin);
    buffer_->Clear(0xFF);
    const Rect16 painted = Paint(rect, kBlendedShadow);
    EXPECT_TRUE(grown.Contains(painted) && kWhole.Contains(painted));
    std::vector<std::uint32_t> expected(whole.size(), buffer_->format().Pack(0xFFFFFF));
    for (std::size_t at = 0; at < whole.size(); ++at) {
      if (grown.Contains({static_cast<std::int16_t>(at % kWidth),
                          static_cast<std::int16_t>(at / kWidth), 1, 1}))
        expected[at] = whole[at];
    }
    EXPECT_EQ(Differences(expected), 0)
        << rect.x << ", " << rect.y << ", " << rect.width << " x " << rect.height;
  }
}

TEST_P(BoardPainterTest, ShadowsDarkenOnlyBelowAndRightOfPieces) {
  Paint(kWhole, kNoShadow);
  const std::vector<std::uint32_t> unshaded = Pixels();
  for (const ShadowParameters& shadow : {kBlendedShadow, kSolidShadow, kPlainShadow}) {
    std::vector<bool> covered(unshaded.size()), shaded(unshaded.size());
    ForEachShapePixel(kTableWindow, [&](int, int, int x, int y) {
      if (OnBuffer(x, y)) covered[y * kWidth + x] = true;
      if (OnBuffer(x + shadow.depth, y + shadow.depth))
        shaded[(y + shadow.depth) * kWidth + x + shadow.depth] = true;
    });
    Paint(kWhole, shadow);
    const std::vector<std::uint32_t> painted = Pixels();
    int wrong = 0;
    for (std::size_t at = 0; at < painted.size(); ++at) {
      const std::uint32_t before = buffer_->format().Unpack(unshaded[at]);
      const std::uint32_t after = buffer_->format().Unpack(painted[at]);
      const std::uint32_t ceiling = shadow.solid ? 0x404040 : before;
      if (after == before) wrong += shaded[at] && !covered[at];  // bare table under a shadow
      for (int shift = 0; after != before && shift < 24; shift += 8)
        wrong += !shaded[at] || (after >> shift & 0xFF) > (ceiling >> shift & 0xFF);
    }
    EXPECT_EQ(wrong, 0) << "depth " << shadow.depth;
  }
}

TEST_P(BoardPainterTest, TheCarriedGroupFloatsAsOnePictureOnTop) {
  board_.piece(6).joined_sides = 1u << kSideRight;
  board_.piece(7).joined_sides = 1u << kSideLeft;
  host_.lift = true;
  board_.PickUp(7);
  ASSERT_EQ(puz_.carried.size(), 2u);
  carried_ = ComposeCarriedImage(puz_, puz_.carried, puz_.carried_bounds);
  ASSERT_TRUE(carried_);
  puz_.carried_bounds.x -= 50;
  puz_.carried_bounds.y += 90;
  Paint(kWhole, kNoShadow);
  EXPECT_EQ(Differences(Composed(kTableWindow, -50, 90)), 0);
}

TEST(ShadowParameters, TheFirstRuleThatAppliesThenNoShadow) {
  struct Row {
    bool solid_shadow, direct_sheets;
    std::int16_t cell_width;
    ShadowParameters expected;
  };
  const Row rows[] = {
      {true, true, 29, {2, 0, 0, true}},       {true, false, 40, {2, 0, 0, true}},
      {false, true, 29, {3, 158, -26, false}}, {false, true, 30, {5, 242, -32, false}},
      {false, false, 29, {2, 0, 0, false}},    {false, false, 30, {4, 0, 0, false}}};
  Puz puz;
  for (const Row& row : rows) {
    puz.sheets.image = row.direct_sheets ? std::make_unique<DibSectionBmp>(4, 4)
                                         : std::make_unique<BmpMem>(4, 4, nullptr);
    puz.cut.piece_width = row.cell_width;
    EXPECT_EQ(ChooseShadowParameters(puz, {false, row.solid_shadow}), row.expected);
    ShadowParameters none = row.expected;
    none.depth = 0;
    EXPECT_EQ(ChooseShadowParameters(puz, {true, row.solid_shadow}), none);
  }
}

}  // namespace
}  // namespace cbst
