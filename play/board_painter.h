// board_painter.h: painting a window of the game (the table or a box) into
// its back buffer.
//
// The window keeps a back buffer the size of its surface and asks for the
// rectangles that changed; the painter redraws exactly those from the
// board, and the window presents them. The buffer can be read in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "base/rect16.h"
#include "gfx/bmp_mem.h"
#include "play/board_codes.h"
#include "play/carried_image.h"
#include "play/shadow_parameters.h"

namespace cbst {

struct Puz;

// The table's colour while no game is open.
inline constexpr std::uint32_t kNoGameBackground = 0x808080;
// Each update rectangle is painted this much larger on every side.
inline constexpr int kPaintMargin = 2;
// An interruptible paint lets pending messages through after this many pieces.
inline constexpr int kPiecesBetweenMessages = 16;

// A frame on the table's background, under the pieces: a band
// `thickness` pixels wide just inside `outer`.
struct BackgroundFrame {
  Rect16 outer;
  int thickness = 1;
  std::uint32_t colour = 0;  // 0x00BBGGRR
};

struct PaintRequest {
  std::uint8_t window = kTableWindow;  // the table, or a box
  Rect16 rect;                         // the update rectangle on the window's surface
  // A closed box, or a spread running on the window: background only.
  bool pieces_hidden = false;
  ShadowParameters shadow;
  // The picture of the carried group when it floats over this window; it
  // is drawn at the game's carried bounds.
  const CarriedImage* carried = nullptr;
  // Handles pending messages when the paint may be interrupted.
  std::function<void()> handle_messages;
  // The finished picture lying on the table under the pieces, with its
  // top left at `preview_at`; none when the preview is off.
  BmpMem* preview = nullptr;
  std::pair<int, int> preview_at;
  // Frames drawn on the background: the assembly area's, the finished
  // picture's.
  std::vector<BackgroundFrame> frames;
  // The window's own colour (a box's), 0x00BBGGRR; the game's otherwise.
  std::optional<std::uint32_t> background;
};

// Paints `request.rect`, grown by kPaintMargin and kept inside `buffer`:
// the game's background, its frames and the preview picture, then the window's pieces from the
// bottom of the z-order up, each with its shadow (the carried group left out), then the carried
// group's picture on top. Nothing outside that area changes. Returns the area painted.
Rect16 PaintBoard(const Puz& puz, BmpMem& buffer, const PaintRequest& request);

// The carried group's picture with its shadow `depth` pixels deep, cut
// along each row into spans whose pixels are painted alike: worked out once
// per picture, so that each move paints those pixels without testing the
// masks again. Pixels in no span keep what lies under the picture.
struct CarriedSpans {
  enum Kind : std::uint8_t {
    kShaded,      // the shadow only: what lies under, shaded
    kPicture,     // inside a piece: the picture's pixel
    kEdge,        // around the pieces inside the picture: a masked copy
    kShadedEdge,  // the same, over the shaded pixel
  };
  struct Span {
    std::int16_t start = 0;  // column from the picture's left
    std::int16_t length = 0;
    Kind kind = kShaded;
  };
  int depth = 0;
  std::vector<Span> spans;
  // Row r of the picture (0 to its height + depth) has the spans from
  // rows[r] to rows[r + 1].
  std::vector<int> rows;
};
// Nothing when the picture's pixels are not composed directly.
std::optional<CarriedSpans> MakeCarriedSpans(const CarriedImage& carried, int depth);

// The area PaintBoard paints for `rect` in `buffer`: grown by kPaintMargin,
// kept inside the buffer.
Rect16 PaintedArea(const Rect16& rect, const Bmp& buffer);

// Paints `area` of `buffer` as PaintBoard paints it with `carried`
// floating over the window, from `under`, the same window painted without
// the carried group: its pixels, then the carried group's picture with its
// shadow. A carried group moving over a large window is painted so from
// what lay under it when it was picked up, without walking the pieces.
// `spans`, when made for this picture and shadow, paint it.
void PaintCarriedOver(const Puz& puz, BmpMem& buffer, BmpMem& under, const Rect16& area,
                      const ShadowParameters& shadow, const CarriedImage& carried,
                      const CarriedSpans* spans = nullptr);

}  // namespace cbst
