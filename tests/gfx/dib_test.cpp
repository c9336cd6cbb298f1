// dib_test.cpp: Dibs made from device bitmaps and drawn back, centred,
// zoomed and on a palette display.
#include "gfx/dib.h"

#include <gtest/gtest.h>
#include <QImage>

#include <random>
#include <set>

#include "base/file_temp.h"
#include "gfx/bitmap_file.h"
#include "gfx/bitmap_handle_qt.h"
#include "gfx/bmp_mem.h"
#include "gfx/dc_context_qt.h"
#include "gfx/drawing_surface_qt.h"
#include "gfx/pixel_access.h"
#include "gfx/region.h"
#include "platform/display.h"

namespace cbst {
namespace {

const DisplayFormat kTrueColour = DisplayFormat::Standard(32);

TEST(Dib, DeviceBitmapsComeBackUnchanged) {
  std::mt19937 random(9);
  for (int bits : {8, 24, 32}) {
    Bmp bitmap(7, 5, bits, kTrueColour);
    QImage& image = bitmap.handle()->image;
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 7; ++x) {
        if (bits == 8) {
          image.setPixel(x, y, random() % 256);
        } else {
          image.setPixelColor(x, y, QColor::fromRgb(random() & 0xFFFFFF));
        }
      }
    }
    Dib dib = Dib::FromBitmap(bitmap);
    EXPECT_EQ(dib.bit_count(), bits);
    EXPECT_EQ(dib.colour_count(), bits == 8 ? 256 : 0);
    BmpMem shown(7, 5, kTrueColour);
    dib.Draw(shown.dc(), 0, 0);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 7; ++x) {
        ASSERT_EQ(shown.dc().GetPixel(x, y), FromQColor(image.pixelColor(x, y)))
            << bits << " bits at " << x << "," << y;
      }
    }
  }
}

TEST(Dib, FourBitPixelsTakeTheHighNibbleFirst) {
  Dib dib(3, 1, 4);
  EXPECT_EQ(dib.colour_count(), 16);
  dib.colours()[2] = {0, 0, 255, 0};  // red
  dib.colours()[5] = {255, 0, 0, 0};  // blue
  dib.row(0)[0] = 0x25;
  dib.row(0)[1] = 0x20;
  dib.header().colours_used = 6;
  EXPECT_EQ(dib.colour_count(), 6);
  BmpMem shown(3, 1, kTrueColour);
  dib.Draw(shown.dc(), 0, 0);
  EXPECT_EQ(shown.dc().GetPixel(0, 0), 0x0000FFu);
  EXPECT_EQ(shown.dc().GetPixel(1, 0), 0xFF0000u);
  EXPECT_EQ(shown.dc().GetPixel(2, 0), 0x0000FFu);
}

// The drawn area of a white Dib on black: left, top, width, height.
std::array<int, 4> Drawn(BmpMem& target) {
  int left = target.width(), top = target.height(), right = -1, bottom = -1;
  for (int y = 0; y < target.height(); ++y) {
    for (int x = 0; x < target.width(); ++x) {
      if (target.dc().GetPixel(x, y) == 0) continue;
      left = std::min(left, x);
      top = std::min(top, y);
      right = std::max(right, x);
      bottom = std::max(bottom, y);
    }
  }
  return {left, top, right - left + 1, bottom - top + 1};
}

// A 24-bit picture at its own size on unclipped 32-bit pixels is converted
// row by row; under a clip that covers everything the toolkit draws it, and
// both must agree, also where the picture hangs over the edges.
TEST(Dib, TrueColourPicturesCopyAsTheToolkitDrawsThem) {
  std::mt19937 random(41);
  Dib picture(13, 9, 24);
  for (std::uint8_t& byte : picture.pixel_block())
    byte = static_cast<std::uint8_t>(random());
  const DisplayFormat format = DisplayFormat::Standard(32);
  const Region everything(Rect16{-40, -40, 120, 120});
  for (const auto& [x, y] :
       {std::pair{0, 0}, std::pair{-4, 3}, std::pair{7, -2}, std::pair{12, 8}}) {
    BmpMem direct(20, 14, format);
    BmpMem painted(20, 14, format);
    picture.Draw(direct.dc(), x, y);
    painted.dc().SetClip(&everything);
    picture.Draw(painted.dc(), x, y);
    painted.dc().SetClip(nullptr);
    const PixelView a = direct.pixels();
    const PixelView b = painted.pixels();
    for (int row = 0; row < 14; ++row) {
      for (int column = 0; column < 20; ++column) {
        ASSERT_EQ(LoadPixel(a.At(column, row), 4), LoadPixel(b.At(column, row), 4))
            << "drawn at " << x << "," << y << ", pixel " << column << "," << row;
      }
    }
  }
}

// Stretched pictures pick the same source pixels as the toolkit's own
// scaling, which a clipped target still goes through: shrunk by odd
// factors (a table's reduction), enlarged, and reaching past the target.
TEST(Dib, TrueColourPicturesStretchAsTheToolkitDrawsThem) {
  std::mt19937 random(57);
  const DisplayFormat format = DisplayFormat::Standard(32);
  const Region everything(Rect16{-2000, -2000, 8000, 8000});
  struct Case {
    int width, height;
    Rect16 to;
    int target_width, target_height;
  };
  for (const Case& c :
       {Case{1632, 1224, {0, 0, 1209, 906}, 1209, 906},
        Case{3264, 2448, {0, 0, 1211, 908}, 1211, 908}, Case{997, 13, {0, 0, 331, 7}, 331, 7},
        Case{7, 5, {0, 0, 23, 17}, 23, 17}, Case{401, 299, {-13, 9, 250, 187}, 200, 150},
        Case{333, 777, {5, -20, 101, 300}, 120, 260}, Case{640, 480, {0, 0, 639, 479}, 639, 479}}) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " to " << c.to.width << "x"
                                      << c.to.height << " at " << c.to.x << "," << c.to.y);
    Dib picture(c.width, c.height, 24);
    for (std::uint8_t& byte : picture.pixel_block())
      byte = static_cast<std::uint8_t>(random());
    BmpMem direct(c.target_width, c.target_height, format);
    BmpMem painted(c.target_width, c.target_height, format);
    direct.Clear(0xFF);
    painted.Clear(0xFF);
    ASSERT_TRUE(picture.DrawInto(direct.dc(), c.to));
    painted.dc().SetClip(&everything);
    ASSERT_TRUE(picture.DrawInto(painted.dc(), c.to));
    painted.dc().SetClip(nullptr);
    painted.dc().Flush();
    const PixelView a = direct.pixels();
    const PixelView b = painted.pixels();
    int differing = 0;
    for (int row = 0; row < c.target_height; ++row) {
      for (int column = 0; column < c.target_width; ++column)
        differing += LoadPixel(a.At(column, row), 4) != LoadPixel(b.At(column, row), 4);
    }
    EXPECT_EQ(differing, 0);
  }
}

TEST(Dib, CentringAndZoomPlaceThePicture) {
  Dib white(4, 2, 24);
  std::fill(white.pixel_block().begin(), white.pixel_block().end(), 0xFF);
  struct Case {
    std::uint32_t centring;
    double zoom;
    std::array<int, 4> drawn;
  };
  for (const Case& test :
       {Case{0x01, 1.0, {4, 1, 4, 2}}, Case{0x04, 1.0, {4, 1, 4, 2}}, Case{0x10, 1.0, {1, 4, 4, 2}},
        Case{0x55, 1.0, {4, 4, 4, 2}}, Case{0x00, 2.0, {1, 1, 8, 4}},
        // fit: the factor is min(11 / 4, 9 / 2) = 2.75, so 11 x 5 from (1, 1 + 2),
        // its last column cut off by the target
        Case{0x50, kDibZoomToFit, {1, 3, 10, 5}}}) {
    BmpMem target(11, 9, kTrueColour);
    target.Clear(0);
    white.Draw(target.dc(), 1, 1, kSrcCopy, test.centring, test.zoom);  // centring adds to (1, 1)
    EXPECT_EQ(Drawn(target), test.drawn) << std::hex << test.centring << " zoom " << test.zoom;
  }
}

class PaletteWindow : public DrawingSurface {
 public:
  PaletteWindow() : image_(16, 16, QImage::Format_RGB32) {}
  QImage* Image() override { return &image_; }
  QRect ClientRect() const override { return image_.rect(); }
  bool palette_based() const override { return true; }
  QImage image_;
};

TEST(Dib, APaletteDisplayShowsOnlyItsOwnColours) {
  ASSERT_TRUE(SelectSimulatedDisplay("16"));
  std::mt19937 random(4);
  Dib picture(16, 16, 24);
  for (std::uint8_t& byte : picture.pixel_block())
    byte = static_cast<std::uint8_t>(random());
  PaletteWindow window;
  {
    DC dc(&window, 0);
    picture.Draw(dc, 0, 0);
  }
  std::set<QRgb> system;
  for (const PaletteEntry& entry : LogicalPalette::FromSystem().entries)
    system.insert(qRgb(entry.red, entry.green, entry.blue));
  std::set<QRgb> shown;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x)
      shown.insert(window.image_.pixel(x, y));
  }
  EXPECT_GT(shown.size(), 3u);
  for (QRgb colour : shown)
    EXPECT_TRUE(system.contains(colour)) << std::hex << colour;
  SelectSimulatedDisplay("32");
}

}  // namespace
}  // namespace cbst

namespace cbst {
namespace {

// A stand-in for the BMP reader: a 2 x 1 picture of the file's first byte
// at the offset as a grey level, or status 20 when there is none.
Status ReadGreyPicture(File& file, std::int64_t offset, Dib& into) {
  std::uint8_t level = 0;
  if (file.Seek(offset) != offset || file.Read(1, &level) != 1) return Status(kStatusNotReadable);
  into = Dib(2, 1, 24);
  std::fill(into.pixel_block().begin(), into.pixel_block().end(), level);
  return Status();
}

TEST(BitmapFile, LoadsThroughTheInstalledReaderOnly) {
  FileTemp file;
  ASSERT_TRUE(file.made());
  Bmp bitmap;
  SetDibReader(nullptr);
  EXPECT_EQ(LoadBitmapFile(file, bitmap).code(), kStatusNotReadable);

  SetDibReader(ReadGreyPicture);
  EXPECT_EQ(LoadBitmapFile(file, bitmap).code(), kStatusNotReadable);  // nothing to read
  const std::uint8_t level = 0x40;
  ASSERT_TRUE(file.Write(1, &level).ok());
  file.Seek(0);
  ASSERT_TRUE(LoadBitmapFile(file, bitmap).ok());
  EXPECT_EQ(bitmap.width(), 2);
  EXPECT_EQ(bitmap.bit_count(), CurrentDisplayFormat().bytes_per_pixel * 8);
  EXPECT_EQ(Dib::FromBitmap(bitmap).row(0)[0] & 0xF8, 0x40);  // 5 bits survive 16-bit displays

  // A picture inside a larger file is read where it starts.
  const std::uint8_t second = 0x80;
  ASSERT_TRUE(file.Write(1, &second).ok());
  ASSERT_TRUE(LoadBitmapFile(file, bitmap, 1).ok());
  EXPECT_EQ(Dib::FromBitmap(bitmap).row(0)[0] & 0xF8, 0x80);
  SetDibReader(nullptr);
}

}  // namespace
}  // namespace cbst
