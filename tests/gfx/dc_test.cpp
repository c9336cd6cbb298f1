// dc_test.cpp: contexts, their tools, raster operations, views and bitmap
// files, and the display probe's choice of mode.
#include "gfx/dc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "base/file_temp.h"
#include "gfx/bitmap_handle_qt.h"
#include "gfx/bmp_mem.h"
#include "gfx/display_probe.h"
#include "gfx/drawing_surface_qt.h"
#include "gfx/palette.h"
#include "gfx/pixel_access.h"
#include "gfx/region.h"
#include "platform/display.h"
#include "support/gui_environment.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

void Randomise(Bmp& bitmap, std::mt19937& random) {
  const PixelView pixels = bitmap.pixels();
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x)
      StorePixel(pixels.At(x, y), pixels.bytes, random());
  }
}

std::uint32_t Raw(Bmp& bitmap, int x, int y) {
  const PixelView pixels = bitmap.pixels();
  const std::uint32_t value = LoadPixel(pixels.At(x, y), pixels.bytes);
  return pixels.bytes == 4 ? value & 0xFFFFFF : value;
}

TEST(DC, EveryRasterOperationFollowsItsTruthTable) {
  std::mt19937 random(17);
  for (const DisplayFormat& format :
       {DisplayFormat::Standard(32), DisplayFormat::FromMasks(16, 0xF800, 0x07E0, 0x001F)}) {
    BmpMem source(9, 7, format);
    Randomise(source, random);
    BmpMem start(9, 7, format);
    Randomise(start, random);
    const std::uint32_t brush_colour = 0x5A3C96;
    for (RasterOp op :
         {kSrcCopy, kSrcPaint, kSrcAnd, kSrcInvert, kSrcErase, kNotSrcCopy, kNotSrcErase,
          kMergePaint, kAndNotSrc, kPatCopy, kDstInvert, kBlackness, kWhiteness, kAndPatOrSrc}) {
      BmpMem target(9, 7, format);
      target.dc().Transfer(0, 0, 9, 7, start.dc(), 0, 0);
      Brush brush(brush_colour);
      target.dc().Select(&brush);
      target.dc().Transfer(1, 1, 8, 6, source.dc(), 0, 0, op);
      BmpMem one(1, 1, format);
      one.dc().FillRect({0, 0, 1, 1}, brush);
      const std::uint32_t pattern = Raw(one, 0, 0);
      const std::uint32_t bits = format.bytes_per_pixel == 4 ? 0xFFFFFF : 0xFFFF;
      for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
          const std::uint32_t d = Raw(start, x, y);
          const std::uint32_t expected =
              x >= 1 && y >= 1 ? ApplyRasterOp(op, pattern, Raw(source, x - 1, y - 1), d) & bits
                               : d;
          ASSERT_EQ(Raw(target, x, y), expected)
              << std::hex << "op " << op << " at " << x << "," << y;
        }
      }
    }
  }
}

// Unclipped fills and copies of 32-bit pixels are stored word by word; a
// clip that covers everything sends the same drawing through the toolkit,
// which must give the same pixels.
TEST(DC, WordByWordFillsAndCopiesMatchTheToolkit) {
  const DisplayFormat format = DisplayFormat::Standard(32);
  std::mt19937 random(29);
  BmpMem source(23, 17, format);
  Randomise(source, random);
  const Region everything(Rect16{-50, -50, 200, 200});
  const auto draw = [&](BmpMem& target, bool through_toolkit) {
    target.dc().SetClip(through_toolkit ? &everything : nullptr);
    target.dc().FillRect({-3, 2, 12, 30}, Brush(0x3366CC));
    target.dc().FillRect({5, -4, 40, 6}, Brush(0xF0E1D2));
    for (RasterOp op : {kSrcCopy, kNotSrcCopy, kSrcAnd, kSrcPaint, kSrcInvert}) {
      target.dc().Transfer(4, 3, 15, 11, source.dc(), 6, 5, op);
      target.dc().Transfer(-2, 9, 12, 12, source.dc(), 0, 0, op);
    }
    target.dc().SetClip(nullptr);
  };
  BmpMem direct(31, 21, format);
  BmpMem painted(31, 21, format);
  Randomise(direct, random);
  painted.dc().Transfer(0, 0, 31, 21, direct.dc(), 0, 0);
  draw(direct, false);
  draw(painted, true);
  const PixelView a = direct.pixels();
  const PixelView b = painted.pixels();
  for (int y = 0; y < 21; ++y) {
    for (int x = 0; x < 31; ++x)
      ASSERT_EQ(LoadPixel(a.At(x, y), 4), LoadPixel(b.At(x, y), 4)) << x << "," << y;
  }
}

TEST(DC, XorFillInvertsCoveredPixelsOnceAndTakesItselfAway) {
  std::mt19937 random(41);
  for (const DisplayFormat& format :
       {DisplayFormat::Standard(32), DisplayFormat::Standard(24),
        DisplayFormat::FromMasks(16, 0xF800, 0x07E0, 0x001F), CurrentDisplayFormat()}) {
    BmpMem bitmap(12, 10, format);
    Randomise(bitmap, random);
    BmpMem before(12, 10, format);
    before.dc().Transfer(0, 0, 12, 10, bitmap.dc(), 0, 0);
    // Two overlapping rectangles and an empty one.
    const Rect16 rects[] = {{1, 1, 6, 4}, {4, 2, 6, 6}, {0, 0, 0, 5}};
    bitmap.dc().XorFill(rects, 0xFFFFFF);
    bitmap.dc().Flush();
    if (format.bytes_per_pixel == 4) {
      EXPECT_EQ(Raw(bitmap, 2, 2), Raw(before, 2, 2) ^ 0xFFFFFF);
      EXPECT_EQ(Raw(bitmap, 5, 3), Raw(before, 5, 3) ^ 0xFFFFFF);  // in both
    } else if (format.bytes_per_pixel > 1) {
      EXPECT_NE(Raw(bitmap, 5, 3), Raw(before, 5, 3));
    }
    EXPECT_EQ(Raw(bitmap, 0, 0), Raw(before, 0, 0));
    EXPECT_EQ(Raw(bitmap, 11, 9), Raw(before, 11, 9));
    bitmap.dc().XorFill(rects, 0xFFFFFF);
    bitmap.dc().Flush();
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 12; ++x)
        ASSERT_EQ(Raw(bitmap, x, y), Raw(before, x, y)) << x << "," << y;
    }
  }
}

TEST(DC, SelectionRemembersTheDefaultAndForgetsDestroyedTools) {
  const int pens_before = LiveCount(LiveKind::kPen);
  BmpMem bitmap(8, 8);
  DC& dc = bitmap.dc();
  {
    Pen red(0x0000FF);
    Pen blue(0xFF0000);
    dc.Select(&red);
    EXPECT_EQ(red.selected_into(), &dc);
    dc.Select(&blue);
    EXPECT_EQ(red.selected_into(), nullptr);
    EXPECT_EQ(dc.current(ToolSlot::kPen), &blue);
    EXPECT_EQ(LiveCount(LiveKind::kPen), pens_before + 2);
    dc.Line(0, 0, 4, 0);
    EXPECT_EQ(dc.GetPixel(3, 0), 0xFF0000u);
    EXPECT_EQ(dc.GetPixel(4, 0), 0u);  // thin lines stop short of their end
  }
  // The pens are gone; the context draws with the default black pen again.
  EXPECT_EQ(dc.current(ToolSlot::kPen), nullptr);
  EXPECT_EQ(LiveCount(LiveKind::kPen), pens_before);
  bitmap.Clear(1);
  dc.Line(0, 2, 0, 6);
  EXPECT_EQ(dc.GetPixel(0, 4), 0u);
}

TEST(DC, TextIsDrawnAndMeasuredInTheSelectedFont) {
  BmpMem bitmap(120, 40);
  bitmap.Clear(1);
  Font large("Sans", 24);
  const int small_width = bitmap.dc().TextWidth("Www");
  bitmap.dc().Select(&large);
  EXPECT_GT(bitmap.dc().TextWidth("Www"), small_width);
  EXPECT_GT(bitmap.dc().TextWidth("Www"), bitmap.dc().TextWidth("i"));
  bitmap.dc().Text(2, 2, "Www", 0x000000);
  int dark = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x)
      dark += bitmap.dc().GetPixel(x, y) == 0;
  }
  EXPECT_GT(dark, 20);
}

// A window as the window layer will present it: a frame of 3 pixels around
// the client area.
class FakeWindow : public DrawingSurface {
 public:
  FakeWindow() : image_(40, 30, QImage::Format_RGB32) { image_.fill(Qt::white); }
  QImage* Image() override { return &image_; }
  QRect ClientRect() const override { return QRect(3, 3, 34, 24); }
  QRegion BeginPaint() override { return QRegion(QRect(10, 10, 5, 5)); }
  void EndPaint() override { ++paints_ended; }
  void Release() override { ++releases; }

  QImage image_;
  int paints_ended = 0;
  int releases = 0;
};

TEST(DC, WindowContextsDrawWhereTheirModeSays) {
  FakeWindow window;
  {
    DC client(&window, 0);
    EXPECT_EQ(client.width(), 34);
    client.SetPixel(0, 0, 0x0000FF);
  }
  EXPECT_EQ(window.image_.pixel(3, 3), qRgb(255, 0, 0));
  EXPECT_EQ(window.releases, 1);
  {
    DC whole(&window, DC::kWholeWindow);
    whole.SetPixel(0, 0, 0x00FF00);
  }
  EXPECT_EQ(window.image_.pixel(0, 0), qRgb(0, 255, 0));
  {
    DC paint(&window, DC::kForPaint);
    paint.FillRect({0, 0, 34, 24}, Brush(0x000000));
  }
  // Only the asked-for area, in client coordinates, was painted.
  EXPECT_EQ(window.paints_ended, 1);
  EXPECT_EQ(window.image_.pixel(3 + 12, 3 + 12), qRgb(0, 0, 0));
  EXPECT_EQ(window.image_.pixel(3 + 5, 3 + 5), qRgb(255, 255, 255));

  DC printer(nullptr, DC::kDefaultPrinter);
  EXPECT_FALSE(printer.valid());
  EXPECT_EQ(printer.status(), kStatusNoPrinter);
  DC screen(nullptr, DC::kScreenIfNoWindow);  // no screen surface registered
  EXPECT_FALSE(screen.valid());
}

TEST(DC, ARegionClipsToolkitAndPixelByPixelDrawingAlike) {
  BmpMem bitmap(20, 20, DisplayFormat::Standard(32));
  bitmap.Clear(1);
  const Region ellipse({0, 0, 20, 20}, kRegionEllipse);
  bitmap.dc().SetClip(&ellipse);
  bitmap.dc().FillRect({0, 0, 20, 10}, Brush(0x000000));
  Brush grey(0x808080);
  bitmap.dc().Select(&grey);
  bitmap.dc().PatternFill({0, 10, 20, 10}, kAndPatOrSrc);
  EXPECT_EQ(bitmap.dc().GetPixel(0, 0), 0xFFFFFFu);  // corners lie outside
  EXPECT_EQ(bitmap.dc().GetPixel(19, 19), 0xFFFFFFu);
  EXPECT_EQ(bitmap.dc().GetPixel(10, 5), 0u);
  EXPECT_EQ(bitmap.dc().GetPixel(10, 15), 0x808080u);
  bitmap.dc().SetClip(nullptr);
  bitmap.dc().SetPixel(0, 0, 0);
  EXPECT_EQ(bitmap.dc().GetPixel(0, 0), 0u);
}

TEST(DC, PalettesRealiseOnPaletteDisplaysAndChangeNothingOnTrueColour) {
  ASSERT_TRUE(SelectSimulatedDisplay("32"));
  BmpMem bitmap(4, 4);
  Palette cube = Palette::ColourCube();
  bitmap.dc().SelectPalette(&cube);
  EXPECT_EQ(bitmap.dc().palette(), &cube);
  EXPECT_EQ(bitmap.dc().RealisePalette(), 0);
  ASSERT_TRUE(SelectSimulatedDisplay("256"));
  Palette on_palette_display = Palette::ColourCube();
  bitmap.dc().SelectPalette(&on_palette_display);
  EXPECT_GT(bitmap.dc().RealisePalette(), 0);
  EXPECT_EQ(bitmap.dc().RealisePalette(), 0);  // already in place
  bitmap.dc().SelectPalette(nullptr);
  SelectSimulatedDisplay("32");
}

TEST(Bmp, ViewsDrawIntoTheirPartOfTheWhole) {
  std::mt19937 random(2);
  BmpMem whole(20, 20);
  whole.Clear(0);
  Bmp view = Bmp::ViewOf(whole, {5, 6, 30, 4});
  EXPECT_EQ(view.width(), 15);  // clipped to the whole
  EXPECT_EQ(view.flags() & Bmp::kView, Bmp::kView);
  BmpMem picture(15, 4);
  Randomise(picture, random);
  DCMem through;
  BmpMem target(15, 4);
  picture.Draw(target.dc(), 0, 0);
  view.pixels();  // a view reads the whole's pixels at its origin
  std::memcpy(view.pixels().At(0, 0), target.pixels().At(0, 0), 15 * 4);
  EXPECT_EQ(Raw(whole, 5, 6), Raw(picture, 0, 0));
  EXPECT_EQ(Raw(whole, 19, 6), Raw(picture, 14, 0));
  EXPECT_EQ(Raw(whole, 4, 6), 0u);

  // Drawing a view puts only its part on the target.
  BmpMem copy(15, 4);
  view.Draw(copy.dc(), 0, 0);
  EXPECT_EQ(Raw(copy, 3, 0), Raw(picture, 3, 0));
}

TEST(BmpMem, SelectionMisuseIsReportedAndGrowingKeepsLargeBitmaps) {
  testing::RecordingSink sink;
  const int handles_before = LiveCount(LiveKind::kBitmapHandle);
  {
    BmpMem bitmap(30, 20);
    DCMem other;
    other.SelectBitmap(&bitmap);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"Bmp ya selected DCMem"});
    EXPECT_EQ(bitmap.dc_mem(), &other);
    other.SelectBitmap(nullptr);

    BmpMem reference(12, 9);
    BmpMem sized(0, -1, &reference.dc());
    EXPECT_EQ(sized.width(), 12);
    EXPECT_EQ(sized.height(), 9);
    BmpMem mono(8, 8, nullptr, true);
    EXPECT_EQ(mono.bit_count(), 1);

    bitmap.Grow(10, 10);
    EXPECT_EQ(bitmap.width(), 30);
    bitmap.Grow(10, 40);
    EXPECT_EQ(bitmap.width(), 30);
    EXPECT_EQ(bitmap.height(), 40);
    bitmap.Clear(1);
    EXPECT_EQ(bitmap.dc().GetPixel(29, 39), 0xFFFFFFu);
  }
  EXPECT_EQ(LiveCount(LiveKind::kBitmapHandle), handles_before);
}

std::vector<std::uint8_t> Written(Bmp& bitmap) {
  FileTemp file;
  EXPECT_TRUE(file.made());
  EXPECT_TRUE(bitmap.WriteBmpFile(file).ok());
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
  file.Seek(0);
  file.Read(static_cast<std::int32_t>(bytes.size()), bytes.data());
  return bytes;
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

TEST(Bmp, WrittenAsBmpFilesWithTheirColourTables) {
  BmpMem colour(3, 2, DisplayFormat::Standard(32));
  colour.dc().SetPixel(0, 1, 0x0000FF);  // bottom row comes first in the file
  const std::vector<std::uint8_t> file = Written(colour);
  ASSERT_EQ(file.size(), 54u + 2 * 12);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(U32At(file, 2), file.size());
  EXPECT_EQ(U32At(file, 10), 54u);
  EXPECT_EQ(file[28], 32);
  EXPECT_EQ(U32At(file, 54), 0x00FF0000u);  // red, top byte clear

  BmpMem wide(5, 1, DisplayFormat::Standard(16));
  const std::vector<std::uint8_t> as24 = Written(wide);
  EXPECT_EQ(as24[28], 24);
  EXPECT_EQ(as24.size(), 54u + 16);  // 15 bytes a row, padded to 16

  Bmp grey(2, 2, 8);
  const std::vector<std::uint8_t> indexed = Written(grey);
  EXPECT_EQ(U32At(indexed, 10), 54u + 256 * 4);
  EXPECT_EQ(U32At(indexed, 46), 256u);
  EXPECT_EQ(U32At(indexed, 54 + 4 * 200), 0x00C8C8C8u);
}

struct ProbeCase {
  const char* display;
  int bytes;
  std::uint32_t green_mask;
  int mode;
  bool disabled;
};

TEST(DisplayProbe, SimulatedDisplaysChooseTheirPaths) {
  const DisplayFormat saved = CurrentDisplayFormat();
  for (const ProbeCase& test : {ProbeCase{"16", 4, 0xFF00, kModeRasterOps, true},
                                ProbeCase{"256", 4, 0xFF00, kModeRasterOps, true},
                                ProbeCase{"15", 2, 0x03E0, kModeDirectPixels, false},
                                ProbeCase{"16bpp", 2, 0x07E0, kModeDirectPixels, false},
                                ProbeCase{"24", 3, 0xFF00, kModeDirectPixels, false},
                                ProbeCase{"32", 4, 0xFF00, kModeDirectPixels, false}}) {
    ASSERT_TRUE(SelectSimulatedDisplay(test.display));
    ProbeDisplay(false);
    const DisplayFormat& format = CurrentDisplayFormat();
    EXPECT_EQ(format.bytes_per_pixel, test.bytes) << test.display;
    EXPECT_EQ(format.green.mask, test.green_mask) << test.display;
    EXPECT_EQ(format.mode, test.mode) << test.display;
    EXPECT_EQ(format.direct_pixels_disabled, test.disabled) << test.display;
    const auto bitmap = MakeBmpMem(4, 4);
    EXPECT_EQ((bitmap->flags() & Bmp::kDibSection) != 0, test.mode == kModeDirectPixels);
    EXPECT_EQ(bitmap->bit_count(), test.bytes * 8);
  }
  ProbeDisplay(true);  // raster operations asked for
  EXPECT_EQ(CurrentDisplayFormat().mode, kModeRasterOps);
  EXPECT_FALSE(CurrentDisplayFormat().direct_pixels_disabled);
  EXPECT_FALSE(SelectSimulatedDisplay("12"));
  SelectSimulatedDisplay("32");
  CurrentDisplayFormat() = saved;
}

}  // namespace
}  // namespace cbst
