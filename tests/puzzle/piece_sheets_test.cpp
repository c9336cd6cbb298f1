// piece_sheets_test.cpp: masks that tile the picture, lossless turns and the
// bevel on real sheets.
#include "puzzle/piece_sheets.h"

#include <gtest/gtest.h>
#include <QImage>

#include <random>

#include "gfx/pixel_access.h"
#include "image/bmp_file.h"
#include "platform/display.h"
#include "puzzle/cut.h"
#include "puzzle/ellipse_scanner.h"
#include "puzzle/make_piezas.h"
#include "puzzle/outline_shading.h"
#include "puzzle/puz.h"
#include "puzzle/puzzle_codes.h"
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

TEST(EllipseScanner, ThinRectanglesAndSymmetry) {
  // One pixel wide: a single column of the full height.
  EllipseScanner column({10, 20, 1, 7});
  EllipseStep step;
  ASSERT_TRUE(column.Next(step));
  EXPECT_EQ(step.column, 10);
  EXPECT_EQ(step.mirror, 10);
  EXPECT_EQ(step.top, 20);
  EXPECT_EQ(step.bottom, 26);
  EXPECT_FALSE(column.Next(step));
  // One pixel high: every column is the one row.
  EllipseScanner row({0, 5, 9, 1});
  int steps = 0;
  while (row.Next(step)) {
    EXPECT_EQ(step.top, 5);
    EXPECT_EQ(step.bottom, 5);
    ++steps;
  }
  EXPECT_EQ(steps, 5);  // left column to centre
  // An odd tab is symmetric, and the row form is the column form mirrored.
  EllipseScanner across({3, 4, 15, 11});
  EllipseScanner down({4, 3, 11, 15}, true);
  EllipseStep other;
  while (across.Next(step)) {
    ASSERT_TRUE(down.Next(other));
    EXPECT_EQ(step.column, other.column);
    EXPECT_EQ(step.top, other.top);
    EXPECT_EQ(step.bottom, other.bottom);
    EXPECT_EQ(step.column + step.mirror, 2 * across.centre_column());
    EXPECT_EQ(step.top + step.bottom, 2 * across.centre_row());
  }
  EXPECT_FALSE(down.Next(other));
}

// The image sheet is black wherever the mask sheet is white, bevel and
// all: the table lays a piece down by AND with its mask and then OR with
// its image, and any colour outside the shape would be mixed into the
// table's own pixels there.
void ExpectBlackOutsideTheShapes(Puz& puz) {
  const PixelView mask = puz.sheets.mask->pixels();
  const PixelView image = puz.sheets.image->pixels();
  int coloured = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (Inside(mask, x, y)) continue;
      coloured += (puz.sheets.image->format().Unpack(LoadPixel(image.At(x, y), image.bytes))) != 0;
    }
  }
  EXPECT_EQ(coloured, 0);
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
      ExpectBlackOutsideTheShapes(puz);
    }
  }
}

// The smallest pieces a cut accepts still tile the picture, seed after
// seed, and draw turned as well; one pixel less is refused.
TEST(PieceSheets, TheSmallestPiecesAllowedStillTileThePicture) {
  const int side = kMinCutPieceSide;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    const int width = 10 * side + static_cast<int>(seed % 3);
    const int height = 8 * side + static_cast<int>(seed % 2);
    Puz flat;
    MakePuzzle(flat, width, height, 8, 10, seed, false);
    ASSERT_TRUE(DrawPieceSheets(flat, nullptr).ok());
    ExpectTiling(flat, width, height);
    ExpectBlackOutsideTheShapes(flat);
    Puz turned;
    MakePuzzle(turned, width, height, 8, 10, seed, true);
    ASSERT_TRUE(DrawPieceSheets(turned, nullptr).ok());
    ExpectBlackOutsideTheShapes(turned);
  }
  CutRequest request;
  request.picture_width = static_cast<std::int16_t>(10 * side);
  request.picture_height = static_cast<std::int16_t>(8 * side);
  request.rows = 8;
  request.columns = 10;
  EXPECT_TRUE(CheckCutSize(request).ok());
  request.picture_width = static_cast<std::int16_t>(10 * side - 1);
  EXPECT_EQ(CheckCutSize(request).code(), kStatusLevelUnplayable);
}

// The pixels of `rect` of a sheet, row by row, as colours 0x00BBGGRR.
std::vector<std::uint32_t> Grab(BmpMem& sheet, const Rect16& rect) {
  std::vector<std::uint32_t> pixels;
  const PixelView view = sheet.pixels();
  for (int y = rect.y; y <= rect.LastRow(); ++y) {
    for (int x = rect.x; x <= rect.LastColumn(); ++x) {
      pixels.push_back(sheet.format().Unpack(LoadPixel(view.At(x, y), view.bytes)));
    }
  }
  return pixels;
}

TEST(PieceSheets, FourQuarterTurnsGiveThePieceBack) {
  Puz puz;
  MakePuzzle(puz, 360, 270, 4, 5, 21, true);
  ASSERT_TRUE(DrawPieceSheets(puz, nullptr).ok());
  for (int id : {0, 6, 12, 19}) {
    SPuz& piece = puz.cut.pieces[static_cast<std::size_t>(id)];
    const Rect16 bound = piece.bound;
    const Rect16 cell = piece.cell;
    const int rotation = piece.rotation;
    const auto mask = Grab(*puz.sheets.mask, bound);
    const auto image = Grab(*puz.sheets.image, bound);
    for (int turn = 0; turn < 4; ++turn)
      TurnPiece(puz, piece, 1);
    EXPECT_EQ(piece.rotation, rotation);
    EXPECT_EQ(piece.bound, bound);
    EXPECT_EQ(piece.cell, cell);
    EXPECT_EQ(Grab(*puz.sheets.mask, bound), mask) << "piece " << id;
    EXPECT_EQ(Grab(*puz.sheets.image, bound), image) << "piece " << id;
  }
  // Without the picture the image itself is turned, and comes back too.
  puz.picture.reset();
  SPuz& piece = puz.cut.pieces[7];
  const auto mask = Grab(*puz.sheets.mask, piece.bound);
  for (int turn = 0; turn < 2; ++turn)
    TurnPiece(puz, piece, 2);
  EXPECT_EQ(Grab(*puz.sheets.mask, piece.bound), mask);
}

// Pixel (x, y) of an unturned w x h piece after `turns` clockwise turns.
std::pair<int, int> Turned(int x, int y, int w, int h, int turns) {
  switch (turns) {
    case 1:
      return {h - 1 - y, x};
    case 2:
      return {w - 1 - x, h - 1 - y};
    case 3:
      return {y, w - 1 - x};
    default:
      return {x, y};
  }
}

TEST(PieceSheets, TurnedPiecesAreTheUnturnedOnesTurned) {
  Puz turned, unturned;
  MakePuzzle(turned, 400, 300, 5, 6, 5, true);
  MakePuzzle(unturned, 400, 300, 5, 6, 5, true);
  for (SPuz& piece : unturned.cut.pieces)
    piece.rotation = 0;
  ASSERT_TRUE(DrawPieceSheets(turned, nullptr).ok());
  ASSERT_TRUE(DrawPieceSheets(unturned, nullptr).ok());
  const PixelView turned_mask = turned.sheets.mask->pixels();
  const PixelView mask = unturned.sheets.mask->pixels();
  const PixelView turned_image = turned.sheets.image->pixels();
  const PixelView image = unturned.sheets.image->pixels();
  int compared = 0;
  for (std::size_t index = 0; index < turned.cut.pieces.size(); ++index) {
    const SPuz& a = turned.cut.pieces[index];
    const SPuz& b = unturned.cut.pieces[index];
    for (int y = 0; y < b.bound.height; ++y) {
      for (int x = 0; x < b.bound.width; ++x) {
        const auto [tx, ty] = Turned(x, y, b.bound.width, b.bound.height, a.rotation);
        const int ax = a.bound.x + tx, ay = a.bound.y + ty, bx = b.bound.x + x, by = b.bound.y + y;
        const bool inside = Inside(mask, bx, by);
        ASSERT_EQ(Inside(turned_mask, ax, ay), inside)
            << "piece " << index << " at " << x << "," << y;
        // The picture matches away from the outline, where the bevel differs.
        if (!inside || x < 2 || y < 2 || x >= b.bound.width - 2 || y >= b.bound.height - 2)
          continue;
        bool deep = true;
        for (int dy = -2; dy <= 2 && deep; ++dy)
          for (int dx = -2; dx <= 2 && deep; ++dx)
            deep = Inside(mask, bx + dx, by + dy);
        if (!deep) continue;
        EXPECT_EQ(LoadPixel(turned_image.At(ax, ay), 4) & 0xFFFFFF,
                  LoadPixel(image.At(bx, by), 4) & 0xFFFFFF);
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 80000);
}

TEST(OutlineShading, BrightnessRule) {
  const std::uint32_t colour = 100 | 50 << 8 | 200 << 16;
  EXPECT_EQ(Brighten(colour, 0), 0u);
  EXPECT_EQ(Brighten(colour, 64), 50u | 25u << 8 | 100u << 16);
  EXPECT_EQ(Brighten(colour, 127), 99u | 49u << 8 | 198u << 16);
  EXPECT_EQ(Brighten(colour, 128), colour);
  EXPECT_EQ(Brighten(colour, 192), 150u | 75u << 8 | 255u << 16);
  EXPECT_EQ(Brighten(colour, 255), 199u | 99u << 8 | 255u << 16);
  // Dark colours are lifted to a floor of k / 2 on average.
  EXPECT_EQ(Brighten(0x0A0A0A, 192), 0x606060u);
  EXPECT_EQ(Brighten(0x000000, 255), 0x7F7F7Fu);
  EXPECT_EQ(GreyLevel(64), 0u);
  EXPECT_EQ(GreyLevel(65), 0x404040u);
  EXPECT_EQ(GreyLevel(127), 0x404040u);
  EXPECT_EQ(GreyLevel(128), 0x808080u);
}

TEST(OutlineShading, GreyOutlinesOnFewColoursOrWhenAsked) {
  Puz puz;
  MakePuzzle(puz, 200, 150, 2, 3, 4, false);
  EXPECT_EQ(ChooseShader(puz, false), ShaderKind::kDevice);
  EXPECT_EQ(ChooseShader(puz, true), ShaderKind::kGrey);
  ASSERT_TRUE(SelectSimulatedDisplay("16"));
  EXPECT_EQ(ChooseShader(puz, false), ShaderKind::kGrey);
  ASSERT_TRUE(SelectSimulatedDisplay("32"));

  // Grey outlines are drawn without the picture: black while a piece is
  // alone, and lit once it has joined a neighbour.
  ASSERT_TRUE(DrawPieceSheets(puz, nullptr, {.grey_outlines = true}).ok());
  SPuz& corner = puz.cut.pieces[0];
  const auto top_edge = [&] {
    const PixelView image = puz.sheets.image->pixels();
    std::vector<std::uint32_t> pixels;
    for (int x = corner.cell.x; x <= corner.cell.LastColumn(); ++x)
      pixels.push_back(LoadPixel(image.At(x, corner.cell.y), 4) & 0xFFFFFF);
    return pixels;
  };
  const int width = corner.cell.width;
  EXPECT_EQ(top_edge(), std::vector<std::uint32_t>(static_cast<std::size_t>(width), 0));
  EXPECT_EQ(corner.flags & kPieceOutlineShaded, 0u);

  const int right = (kSideRight - corner.rotation + kSideCount) % kSideCount;
  corner.joined_sides = static_cast<std::uint8_t>(1u << right);
  ShadeOutline(puz, corner, kSideTop);
  // The top side has no neighbour and the piece has joined: light at 192.
  EXPECT_EQ(top_edge(), std::vector<std::uint32_t>(static_cast<std::size_t>(width), 0x808080));
  EXPECT_NE(corner.flags & kPieceOutlineShaded, 0u);
}

// The sheets of a 3 x 3 cut of a small picture, as cbst-tool sheets wrote
// them when they were checked by eye: any change to a mask, a turn or the
// bevel shows here.
TEST(PieceSheets, GoldenSheets) {
  const std::string data = CBST_TEST_DATA;
  File file((data + "/gradient_96x72.bmp").c_str());
  Dib dib;
  ASSERT_TRUE(ReadBmp(dib, nullptr, false, 0, file).ok());
  Puz puz;
  puz.picture = std::make_unique<BmpMem>(dib.width(), dib.height(), nullptr);
  dib.Draw(puz.picture->dc(), 0, 0);
  CutRequest request;
  request.picture_width = static_cast<std::int16_t>(dib.width());
  request.picture_height = static_cast<std::int16_t>(dib.height());
  request.rows = request.columns = 3;
  Random random;
  random.Seed(5);
  puz.cut = CutPieces(request, random);
  ASSERT_TRUE(DrawPieceSheets(puz, nullptr).ok());

  for (const char* name : {"image", "mask"}) {
    SCOPED_TRACE(name);
    const QImage golden(QString::fromStdString(data + "/sheets_3x3/" + name + ".png"));
    BmpMem& sheet = name[0] == 'i' ? *puz.sheets.image : *puz.sheets.mask;
    ASSERT_EQ(golden.width(), sheet.width());
    ASSERT_EQ(golden.height(), sheet.height());
    const Rect16 whole{0, 0, static_cast<std::int16_t>(sheet.width()),
                       static_cast<std::int16_t>(sheet.height())};
    const std::vector<std::uint32_t> pixels = Grab(sheet, whole);
    int differing = 0;
    for (int y = 0; y < golden.height(); ++y) {
      for (int x = 0; x < golden.width(); ++x) {
        const QRgb expected = golden.pixel(x, y);
        const std::uint32_t colour = static_cast<std::uint32_t>(
            qRed(expected) | qGreen(expected) << 8 | qBlue(expected) << 16);
        differing += pixels[static_cast<std::size_t>(y * golden.width() + x)] != colour;
      }
    }
    EXPECT_EQ(differing, 0);
  }
}

}  // namespace
}  // namespace cbst

namespace cbst {
namespace {

std::vector<std::uint8_t> SheetBytes(BmpMem& sheet) {
  const PixelView view = sheet.pixels();
  std::vector<std::uint8_t> bytes;
  for (int y = 0; y < view.height; ++y) {
    const std::uint8_t* row = view.At(0, y);
    bytes.insert(bytes.end(), row, row + view.width * view.bytes);
  }
  return bytes;
}

// Pieces drawn side by side on several threads come out exactly as one
// thread draws them: no piece reaches into another's slot, and no context,
// work square or tab is shared between the threads. Turned and unturned
// cuts, colour and grey outlines, pictures with and without direct pixels.
TEST(PieceSheets, ThreadsDrawTheSameSheets) {
  struct Case {
    int width, height, rows, columns;
    std::uint32_t seed;
    bool turnable, grey, direct;
  };
  for (const Case& c :
       {Case{640, 480, 12, 16, 5, true, false, true}, Case{401, 299, 7, 9, 21, false, false, true},
        Case{900, 600, 30, 40, 8, true, false, true}, Case{523, 347, 11, 13, 2, true, true, true},
        Case{480, 360, 9, 12, 77, true, false, false}}) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " " << c.rows << "x"
                                      << c.columns << " seed " << c.seed);
    std::array<Puz, 2> puzzles;
    for (std::size_t index = 0; index < puzzles.size(); ++index) {
      Puz& puz = puzzles[index];
      MakePuzzle(puz, c.width, c.height, c.rows, c.columns, c.seed, c.turnable);
      if (c.direct) {
        // The game's own kind of picture, whose pixels the shader reads.
        auto direct = MakeBmpMem(c.width, c.height);
        direct->dc().Transfer(0, 0, c.width, c.height, puz.picture->dc(), 0, 0);
        puz.picture = std::move(direct);
      }
      ASSERT_TRUE(
          DrawPieceSheets(puz, nullptr, {.grey_outlines = c.grey}, index == 0 ? 1 : 4).ok());
    }
    Puz& one = puzzles[0];
    Puz& many = puzzles[1];
    EXPECT_EQ(one.sheets.shader, many.sheets.shader);
    ASSERT_EQ(one.cut.pieces.size(), many.cut.pieces.size());
    for (std::size_t index = 0; index < one.cut.pieces.size(); ++index) {
      EXPECT_EQ(one.cut.pieces[index].bound, many.cut.pieces[index].bound);
      EXPECT_EQ(one.cut.pieces[index].flags, many.cut.pieces[index].flags);
    }
    EXPECT_TRUE(SheetBytes(*one.sheets.mask) == SheetBytes(*many.sheets.mask));
    EXPECT_TRUE(SheetBytes(*one.sheets.image) == SheetBytes(*many.sheets.image));
  }
}

}  // namespace
}  // namespace cbst
