// outline_shading.cpp: the bevel table along the ellipse scanner and the
// three ways of writing a lit pixel.
#include "puzzle/outline_shading.h"

#include <algorithm>
#include <climits>

#include "gfx/palette.h"
#include "gfx/pixel_access.h"
#include "platform/display.h"
#include "puzzle/ellipse_scanner.h"
#include "puzzle/puz.h"

namespace cbst {
namespace {

constexpr int kLight = 192;  // straight top and left edges
constexpr int kShadow = 64;  // straight bottom and right edges
constexpr int kFewColours = 16;
constexpr std::uint32_t kWhite = 0xFFFFFF;  // outside every shape in the mask sheet

// Writes lit pixels into the image sheet, reading the colours from the
// reduced picture where the shader needs them.
class Shader {
 public:
  // One for all four sides of a piece; `set_on` switches the light per side.
  Shader(Puz& puz, const SPuz& piece) : puz_(puz), piece_(piece), kind_(puz.sheets.shader) {
    if (kind_ != ShaderKind::kGrey && !puz.picture) kind_ = ShaderKind::kGrey;
    if (kind_ == ShaderKind::kDirect) {
      picture_ = puz.picture->pixels();
      picture_format_ = &puz.picture->format();
    }
    // Sheets of 16 bits or more take lit pixels directly; palette sheets
    // through the device, which knows their colours.
    sheet_ = puz.sheets.image->pixels();
    sheet_format_ = &puz.sheets.image->format();
    write_direct_ = sheet_.bytes >= 2;
    if (puz.sheets.mask) {
      mask_ = puz.sheets.mask->pixels();
      mask_white_ = puz.sheets.mask->format().Pack(kWhite);
    }
    // Where the unturned piece's picture starts: its home, less the cell's
    // offset in the bounding rectangle.
    const int back = (kSideCount - piece.rotation) % kSideCount;
    const Rect16 cell = TurnInFrame(piece.cell, piece.bound, back);
    origin_x_ = piece.home_x - (cell.x - piece.bound.x);
    origin_y_ = piece.home_y - (cell.y - piece.bound.y);
  }

  void set_on(bool on) { on_ = on; }

  void Shade(int x, int y, int k) {
    if (!on_) k = 0;
    const Rect16& bound = piece_.bound;
    if (x < bound.x || y < bound.y || x > bound.LastColumn() || y > bound.LastRow()) return;
    // Where a hole's curve runs along the ellipse rather than just outside
    // it, its bevel would land in the hole; the sheet stays black there,
    // or the table would mix the lit colour into its own pixels.
    if (OutsideShape(x, y)) return;
    if (kind_ == ShaderKind::kGrey) {
      Write(x, y, GreyLevel(k));
      return;
    }
    const auto [px, py] = PictureOf(x, y);
    if (kind_ == ShaderKind::kDirect) {
      // The smallest pieces' outlines may touch the picture's edge; the
      // pixels past it are never read.
      if (px < 0 || py < 0 || px >= picture_.width || py >= picture_.height) return;
      const std::uint32_t pixel = LoadPixel(picture_.At(px, py), picture_.bytes);
      Write(x, y, Brighten(picture_format_->Unpack(pixel), k));
      return;
    }
    std::uint32_t colour = Brighten(puz_.picture->dc().GetPixel(px, py), k);
    if (const Palette* palette = puz_.sheets.image->dc().palette(); palette && !palette->Empty()) {
      colour = palette->entries()[static_cast<std::size_t>(palette->NearestIndex(colour))].Colour();
    }
    Write(x, y, colour);
  }

 private:
  bool OutsideShape(int x, int y) {
    if (!puz_.sheets.mask) return false;
    if (mask_.bytes >= 2) return (LoadPixel(mask_.At(x, y), mask_.bytes) & mask_white_) != 0;
    return puz_.sheets.mask->dc().GetPixel(x, y) == kWhite;
  }

  void Write(int x, int y, std::uint32_t colour) {
    if (write_direct_) {
      StorePixel(sheet_.At(x, y), sheet_.bytes, sheet_format_->Pack(colour));
    } else {
      puz_.sheets.image->dc().SetPixel(x, y, colour);
    }
  }

  // The picture pixel under sheet pixel (x, y) of the piece as it lies.
  std::pair<int, int> PictureOf(int x, int y) const {
    const Rect16& bound = piece_.bound;
    const int u = x - bound.x;
    const int v = y - bound.y;
    const int w = bound.width;
    const int h = bound.height;
    int ux = u, uy = v;
    switch (piece_.rotation) {
      case 1:  // a clockwise turn took (ux, uy) to (h0 - 1 - uy, ux), with h0 = w
        ux = v;
        uy = w - 1 - u;
        break;
      case 2:
        ux = w - 1 - u;
        uy = h - 1 - v;
        break;
      case 3:
        ux = h - 1 - v;
        uy = u;
        break;
      default:
        break;
    }
    return {origin_x_ + ux, origin_y_ + uy};
  }

  Puz& puz_;
  const SPuz& piece_;
  bool on_ = true;
  ShaderKind kind_;
  PixelView picture_;
  PixelView sheet_;
  PixelView mask_;
  std::uint32_t mask_white_ = 0;
  const DisplayFormat* picture_format_ = nullptr;
  const DisplayFormat* sheet_format_ = nullptr;
  bool write_direct_ = false;
  int origin_x_ = 0;
  int origin_y_ = 0;
};

// One run of the curve and the k its pixels get.
struct Run {
  int line;  // column (or row, in the row form)
  int from;
  int to;
  int k;
};

// The four brightness values of one scanner step, in the order lower-left,
// upper-left, lower-mirror, upper-mirror.
struct StepLight {
  int lower_left, upper_left, lower_mirror, upper_mirror;
};

StepLight LightOf(bool hole, bool bottom_step, bool end_step, int x, int L, int q, int c) {
  const int near = std::max(1, q - L);
  const int far = std::max(1, c - q);
  const int a = x - L;
  const int b = x - q;
  if (!hole) {
    if (bottom_step) return {64, 192, 64, 192};
    if (end_step) return {192, 192, 64, 64};
    if (x <= q)
      return {192 - a * 64 / near, 192 + a * 63 / near, 64 - a * 64 / near, 64 + a * 64 / near};
    return {128 - b * 64 / far, 255 - b * 63 / far, b * 64 / far, 128 + b * 64 / far};
  }
  if (bottom_step) return {192, 64, 192, 64};
  if (end_step) return {64, 64, 192, 192};
  if (x <= q)
    return {64 + a * 64 / near, 64 - a * 64 / near, 192 + a * 63 / near, 192 - a * 64 / near};
  return {128 + b * 64 / far, b * 64 / far, 255 - b * 63 / far, 128 - b * 64 / far};
}

class SideShading {
 public:
  SideShading(Puz& puz, SPuz& piece, int screen_side, Shader& shader)
      : puz_(puz), piece_(piece), side_(screen_side), shader_(shader) {
    const Rect16& cell = piece.cell;
    horizontal_ = side_ == kSideTop || side_ == kSideBottom;
    switch (side_) {
      case kSideLeft:
        edge_ = cell.x;
        break;
      case kSideTop:
        edge_ = cell.y;
        break;
      case kSideRight:
        edge_ = cell.LastColumn();
        break;
      default:
        edge_ = cell.LastRow();
        break;
    }
    // The far side of the edge line is negative for top and left.
    outward_ = side_ == kSideLeft || side_ == kSideTop ? -1 : 1;
  }

  void Shade() {
    const int side = (side_ - piece_.rotation + kSideCount) % kSideCount;
    const bool has_tab =
        piece_.tab[side] != kNoTab && piece_.tab_direction[side] != kNoTabDirection;
    if (has_tab) {
      hole_ = piece_.tab_direction[side] == kKnobIn;
      Curve(puz_.cut.tabs[static_cast<std::size_t>(piece_.tab[side])]);
    }
    Straight(has_tab);
  }

 private:
  // Whether pixel (x, y) lies on the tab's side of the edge line.
  bool OnTabSide(int x, int y) const {
    const int across = (horizontal_ ? y : x) - edge_;
    return hole_ ? across * outward_ <= 0 : across * outward_ > 0;
  }

  void Plot(int x, int y, int k) {
    if (!OnTabSide(x, y)) return;
    shader_.Shade(x, y, k);
    // Where the curve meets the edge line: on it for a hole, next to it
    // for a knob.
    const int across = (horizontal_ ? y : x) - edge_;
    if (across == (hole_ ? 0 : outward_)) {
      const int along = horizontal_ ? x : y;
      first_cross_ = std::min(first_cross_, along);
      last_cross_ = std::max(last_cross_, along);
    }
  }

  void PlotRun(bool rows_across, const Run& run) {
    for (int at = std::min(run.from, run.to); at <= std::max(run.from, run.to); ++at) {
      if (rows_across) {
        Plot(at, run.line, run.k);
      } else {
        Plot(run.line, at, run.k);
      }
    }
  }

  void Curve(const Rect16& tab) {
    const bool rows_across = piece_.rotation % 2 != 0;
    const int x0 = rows_across ? tab.y : tab.x;
    const int y0 = rows_across ? tab.x : tab.y;
    const int w = rows_across ? tab.height : tab.width;
    const int h = rows_across ? tab.width : tab.height;
    const int u = hole_ ? 1 : 0;
    const int L = x0 - u;
    const int q = L + (w + u) / 4;
    const int c = x0 + w / 2;
    const int last_row = y0 + h - 1 + u;
    EllipseScanner scanner(tab, rows_across);
    EllipseStep step;
    int previous_bottom = INT_MIN;
    while (scanner.Next(step)) {
      int left = step.column;
      int mirror = step.mirror;
      int lower_from = step.inner_bottom, lower_to = step.bottom;
      int upper_from = step.top, upper_to = step.inner_top;
      if (hole_) {
        // Just outside the ellipse, on the piece's own pixels.
        --left;
        ++mirror;
        if (step.bottom == previous_bottom) {
          ++lower_to;
          --upper_from;
        }
      }
      previous_bottom = step.bottom;
      const bool bottom_step = lower_from == lower_to && lower_to == last_row;
      const bool end_step = left == L;
      const StepLight light = LightOf(hole_, bottom_step, end_step, left, L, q, c);
      PlotRun(rows_across, {left, lower_from, lower_to, light.lower_left});
      PlotRun(rows_across, {left, upper_from, upper_to, light.upper_left});
      if (mirror != left) {
        PlotRun(rows_across, {mirror, lower_from, lower_to, light.lower_mirror});
        PlotRun(rows_across, {mirror, upper_from, upper_to, light.upper_mirror});
      }
    }
  }

  void Straight(bool has_tab) {
    const Rect16& cell = piece_.cell;
    const int start = horizontal_ ? cell.x : cell.y;
    const int end = horizontal_ ? cell.LastColumn() : cell.LastRow();
    const int k = side_ == kSideLeft || side_ == kSideTop ? kLight : kShadow;
    const bool crossed = has_tab && first_cross_ <= last_cross_;
    for (int along = start; along <= end; ++along) {
      if (crossed && along >= first_cross_ && along <= last_cross_) continue;
      if (horizontal_) {
        shader_.Shade(along, edge_, k);
      } else {
        shader_.Shade(edge_, along, k);
      }
    }
  }

  Puz& puz_;
  SPuz& piece_;
  int side_;
  Shader& shader_;
  bool horizontal_ = false;
  int edge_ = 0;
  int outward_ = 1;
  bool hole_ = false;
  int first_cross_ = INT_MAX;
  int last_cross_ = INT_MIN;
};

// Light is on for a side with colour shaders, for a joined side, and for an
// outer side of a piece that has joined others.
bool ShadingOn(const Puz& puz, const SPuz& piece, int screen_side) {
  if (puz.sheets.shader != ShaderKind::kGrey) return true;
  const int side = (screen_side - piece.rotation + kSideCount) % kSideCount;
  if (piece.joined_sides & (1u << side)) return true;
  return piece.neighbour[side] == kNoNeighbour && piece.joined_sides != 0;
}

}  // namespace

std::uint32_t Brighten(std::uint32_t colour, int k) {
  int channels[3] = {static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                     static_cast<int>(colour >> 16 & 0xFF)};
  for (int& channel : channels)
    channel = (channel * k) >> 7;
  if (k >= kBrightnessUnchanged) {
    const int floor = k / 2;
    const int excess = 3 * floor - (channels[0] + channels[1] + channels[2]);
    if (excess > 0) {
      for (int& channel : channels)
        channel += excess / 3;
    }
  }
  std::uint32_t result = 0;
  for (int index = 0; index < 3; ++index) {
    result |= static_cast<std::uint32_t>(std::min(channels[index], 255)) << (8 * index);
  }
  return result;
}

std::uint32_t GreyLevel(int k) {
  const std::uint32_t level = k < 65 ? 0 : k < 128 ? 64 : 128;
  return level * 0x010101u;
}

ShaderKind ChooseShader(const Puz& puz, bool force_grey) {
  const int colours = QueryDisplay().Colours();
  if (force_grey || (colours != 0 && colours <= kFewColours) || !puz.picture) {
    return ShaderKind::kGrey;
  }
  const bool direct = (puz.picture->flags() & Bmp::kDibSection) != 0 &&
                      puz.picture->format().bytes_per_pixel >= 2 && puz.sheets.image &&
                      (puz.sheets.image->flags() & Bmp::kDibSection) != 0;
  return direct ? ShaderKind::kDirect : ShaderKind::kDevice;
}

void ShadeOutline(Puz& puz, SPuz& piece, int side) {
  Shader shader(puz, piece);
  for (int screen_side = 0; screen_side < kSideCount; ++screen_side) {
    if (side != kAllSides && side != screen_side) continue;
    const bool on = ShadingOn(puz, piece, screen_side);
    shader.set_on(on);
    SideShading(puz, piece, screen_side, shader).Shade();
    if (on) piece.flags |= kPieceOutlineShaded;
  }
  if (puz.sheets.image) puz.sheets.image->dc().Flush();
}

}  // namespace cbst
