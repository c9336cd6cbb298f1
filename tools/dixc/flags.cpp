// flags.cpp: six flags in a 24 x 16 grid.
#include "dixc/flags.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <span>

#include "image/bmp_file.h"

namespace cbst::dixc {
namespace {

struct Colour {
  std::uint8_t red, green, blue;
};

constexpr Colour kWhite = {0xFF, 0xFF, 0xFF};
constexpr Colour kBlack = {0x00, 0x00, 0x00};
constexpr Colour kUnionBlue = {0x01, 0x21, 0x69};
constexpr Colour kUnionRed = {0xC8, 0x10, 0x2E};
constexpr Colour kSpanishRed = {0xAA, 0x15, 0x1B};
constexpr Colour kSpanishYellow = {0xF1, 0xBF, 0x00};
constexpr Colour kCatalanRed = {0xDA, 0x12, 0x1A};
constexpr Colour kCatalanYellow = {0xFC, 0xDD, 0x09};
constexpr Colour kGermanRed = {0xDD, 0x00, 0x00};
constexpr Colour kGermanGold = {0xFF, 0xCE, 0x00};
constexpr Colour kFrenchBlue = {0x00, 0x55, 0xA4};
constexpr Colour kFrenchRed = {0xEF, 0x41, 0x35};
constexpr Colour kItalianGreen = {0x00, 0x92, 0x46};
constexpr Colour kItalianRed = {0xCE, 0x2B, 0x37};

// Widths of the Union Jack's parts, in pixels from their middle line.
constexpr double kSaltireWhite = 2.0;
constexpr double kSaltireRed = 0.75;
constexpr double kCrossWhite = 3.0;
constexpr double kCrossRed = 1.5;

// The colour of the pixel whose centre is (x, y), on a flag of w x h.
using Painter = std::function<Colour(double x, double y, double w, double h)>;

Colour Horizontal(double y, double h, std::initializer_list<Colour> bands) {
  const auto index = static_cast<std::size_t>(y * bands.size() / h);
  return bands.begin()[index];
}

Colour Vertical(double x, double w, std::initializer_list<Colour> bands) {
  return Horizontal(x, w, bands);
}

Colour UnionJack(double x, double y, double w, double h) {
  const double dx = std::abs(x - w / 2), dy = std::abs(y - h / 2);
  if (dx < kCrossRed || dy < kCrossRed) return kUnionRed;
  if (dx < kCrossWhite || dy < kCrossWhite) return kWhite;
  // Distance from the nearer diagonal.
  const double diagonal =
      std::min(std::abs(h * x - w * y), std::abs(h * (w - x) - w * y)) / std::hypot(w, h);
  if (diagonal < kSaltireRed) return kUnionRed;
  if (diagonal < kSaltireWhite) return kWhite;
  return kUnionBlue;
}

Colour Spain(double, double y, double, double h) {
  // Red, yellow twice as high, red.
  return Horizontal(y, h, {kSpanishRed, kSpanishYellow, kSpanishYellow, kSpanishRed});
}

Colour Catalonia(double, double y, double, double h) {
  constexpr int kStripes = 9;  // yellow first and last, four red between
  return static_cast<int>(y * kStripes / h) % 2 ? kCatalanRed : kCatalanYellow;
}

struct FlagOf {
  std::string_view language;
  Painter painter;
};

const FlagOf kFlags[] = {
    {"eng", UnionJack},
    {"cas", Spain},
    {"cat", Catalonia},
    {"deu",
     [](double, double y, double, double h) {
       return Horizontal(y, h, {kBlack, kGermanRed, kGermanGold});
     }},
    {"fra",
     [](double x, double, double w, double) {
       return Vertical(x, w, {kFrenchBlue, kWhite, kFrenchRed});
     }},
    {"ita",
     [](double x, double, double w, double) {
       return Vertical(x, w, {kItalianGreen, kWhite, kItalianRed});
     }},
};

}  // namespace

bool DrawFlag(std::string_view language, Dib& flag) {
  for (const FlagOf& known : kFlags) {
    if (known.language != language) continue;
    flag = Dib(kFlagWidth, kFlagHeight, 24);
    for (int y = 0; y < kFlagHeight; ++y) {
      std::uint8_t* pixel = flag.row(y);
      for (int x = 0; x < kFlagWidth; ++x, pixel += 3) {
        const Colour colour = known.painter(x + 0.5, y + 0.5, kFlagWidth, kFlagHeight);
        pixel[0] = colour.blue;
        pixel[1] = colour.green;
        pixel[2] = colour.red;
      }
    }
    return true;
  }
  return false;
}

std::vector<std::uint8_t> BmpFileImage(const Dib& picture) {
  BitmapInfoHeader header = picture.header();
  header.image_size = static_cast<std::uint32_t>(picture.pixel_block().size());
  header.colours_used = 0;
  const std::uint32_t pixel_offset = kBmpFileHeaderSize + kInfoHeaderSize;
  const auto file_header = EncodeFileHeader(pixel_offset + header.image_size, pixel_offset);
  const auto info_header = EncodeInfoHeader(header);
  const std::span<const std::uint8_t> pixels = picture.pixel_block();
  // One block of the whole size, filled part by part: GCC 12 at -O3 takes
  // the growth of a 14-byte vector for a copy out of bounds (-Warray-bounds).
  std::vector<std::uint8_t> image(file_header.size() + info_header.size() + pixels.size());
  auto at = std::copy(file_header.begin(), file_header.end(), image.begin());
  at = std::copy(info_header.begin(), info_header.end(), at);
  std::copy(pixels.begin(), pixels.end(), at);
  return image;
}

}  // namespace cbst::dixc
