// piece_sheets.cpp: laying out the sheets, drawing masks from the ellipse
// scanner, composing piece images and turning pieces.
#include "puzzle/piece_sheets.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "base/memory.h"
#include "base/parallel.h"
#include "base/report.h"
#include "base/status_codes.h"
#include "gfx/drawing_tools.h"
#include "gfx/pixel_access.h"
#include "gfx/turn.h"
#include "platform/display.h"
#include "puzzle/ellipse_scanner.h"
#include "puzzle/outline_shading.h"
#include "puzzle/puz.h"

namespace cbst {
namespace {

constexpr int kNoLimit = 10000;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kFewColours = 16;
// Sheets of fewer bits a pixel share bytes between neighbouring pieces.
constexpr int kThreadedSheetBits = 16;

// The part of the plane a tab may draw in: beyond the edge for a knob,
// inside the cell for a hole.
struct Limits {
  int left = -kNoLimit;
  int top = -kNoLimit;
  int right = kNoLimit;
  int bottom = kNoLimit;
};

Limits TabLimits(const Rect16& cell, int screen_side, bool knob) {
  Limits limits;
  switch (screen_side) {
    case kSideLeft:
      (knob ? limits.right : limits.left) = cell.x;
      break;
    case kSideTop:
      (knob ? limits.bottom : limits.top) = cell.y;
      break;
    case kSideRight:
      (knob ? limits.left : limits.right) = cell.LastColumn();
      break;
    default:
      (knob ? limits.top : limits.bottom) = cell.LastRow();
      break;
  }
  return limits;
}

// Draws the columns (or rows) of a tab. Where the mask's pixels can be
// written directly they are, as the pen would have drawn them; otherwise
// through the pen, whose line leaves out its last point and so runs one
// past the far end.
class TabPainter {
 public:
  TabPainter(BmpMem& mask, std::uint32_t colour) : mask_(mask), colour_(colour) {
    view_ = mask.pixels();
    direct_ = view_.bytes >= 2;
    if (direct_) pixel_ = mask.format().Pack(colour);
  }

  void Span(bool rows_across, int line, int from, int to) {
    if (from > to) return;
    if (!direct_) {
      if (rows_across) {
        mask_.dc().Line(to, line, from - 1, line);
      } else {
        mask_.dc().Line(line, to, line, from - 1);
      }
      return;
    }
    for (int at = from; at <= to; ++at) {
      const int x = rows_across ? at : line;
      const int y = rows_across ? line : at;
      if (x < 0 || y < 0 || x >= view_.width || y >= view_.height) continue;
      StorePixel(view_.At(x, y), view_.bytes, pixel_);
    }
  }

  std::uint32_t colour() const { return colour_; }

 private:
  BmpMem& mask_;
  std::uint32_t colour_;
  PixelView view_;
  bool direct_ = false;
  std::uint32_t pixel_ = 0;
};

void DrawTab(TabPainter& painter, const Rect16& tab, const Limits& limits, bool rows_across) {
  // In the row form the walk's "columns" are rows, and its rows columns.
  const int line_low = rows_across ? limits.top : limits.left;
  const int line_high = rows_across ? limits.bottom : limits.right;
  const int span_low = rows_across ? limits.left : limits.top;
  const int span_high = rows_across ? limits.right : limits.bottom;
  EllipseScanner scanner(tab, rows_across);
  EllipseStep step;
  while (scanner.Next(step)) {
    const int from = std::max(span_low, step.top);
    const int to = std::min(span_high, step.bottom);
    for (int line : {step.column, step.mirror}) {
      if (line < line_low || line > line_high) continue;
      painter.Span(rows_across, line, from, to);
      if (step.mirror == step.column) break;
    }
  }
}

// The step of work-square sides on this display.
int TurnSquareStep() {
  const int colours = QueryDisplay().Colours();
  return colours != 0 && colours <= kFewColours ? kTurnSquareStepFewColours : kTurnSquareStep;
}

int SquareSide(const Rect16& bound, int step) {
  const int side = std::max(bound.width, bound.height);
  return (side + step - 1) / step * step;
}

// Where the top left of a w x h picture lands in an n x n square turned by
// `quarter_turns`.
std::pair<int, int> TurnedOrigin(int n, int width, int height, int quarter_turns) {
  switch (quarter_turns) {
    case 1:
      return {n - height, 0};
    case 2:
      return {n - width, n - height};
    case 3:
      return {0, n - width};
    default:
      return {0, 0};
  }
}

// Fills the top left of `square` with the picture area of `piece` as it
// lies unturned: its home, less the offset of the cell in the bounding
// rectangle. Returns the unturned size.
std::pair<int, int> FillFromPicture(Puz& puz, const SPuz& piece, BmpMem& square) {
  const int back = (kSideCount - piece.rotation) % kSideCount;
  const Rect16 cell = TurnInFrame(piece.cell, piece.bound, back);
  const bool odd = piece.rotation % 2 != 0;
  const int width = odd ? piece.bound.height : piece.bound.width;
  const int height = odd ? piece.bound.width : piece.bound.height;
  const int x = piece.home_x - (cell.x - piece.bound.x);
  const int y = piece.home_y - (cell.y - piece.bound.y);
  square.dc().Transfer(0, 0, width, height, puz.picture->dc(), x, y);
  return {width, height};
}

// Image = NOT mask, then AND the picture: the picture inside, black outside.
void ComposeImage(Puz& puz, const SPuz& piece, BmpMem& square, int square_x, int square_y) {
  DC& image = puz.sheets.image->dc();
  const Rect16& bound = piece.bound;
  image.Transfer(bound.x, bound.y, bound.width, bound.height, puz.sheets.mask->dc(), bound.x,
                 bound.y, kNotSrcCopy);
  image.Transfer(bound.x, bound.y, bound.width, bound.height, square.dc(), square_x, square_y,
                 kSrcAnd);
}

}  // namespace

void TurnGeometry(Puz& puz, SPuz& piece, int quarter_turns) {
  const Rect16 frame = piece.bound;
  piece.cell = TurnInFrame(piece.cell, frame, quarter_turns);
  for (int side = 0; side < kSideCount; ++side) {
    if (piece.tab[side] == kNoTab) continue;
    Rect16& tab = puz.cut.tabs[static_cast<std::size_t>(piece.tab[side])];
    tab = TurnInFrame(tab, frame, quarter_turns);
  }
  piece.bound = TurnInFrame(frame, frame, quarter_turns);
  piece.rotation = static_cast<std::int8_t>((piece.rotation + quarter_turns) % kSideCount);
  UpdatePlacement(piece);
}

namespace {

// RedrawTurnedPiece with the work square in the top left of `work`, which
// grows to fit: drawing a whole sheet makes one work bitmap instead of one
// a piece. The piece's pixels still lie in the sheets as before the turn,
// in its bounding rectangle turned back.
void RedrawTurnedIn(Puz& puz, SPuz& piece, int quarter_turns, BmpMem& work, int square_step) {
  PieceSheets& sheets = puz.sheets;
  const bool from_picture = puz.picture != nullptr;
  const bool was_shaded = (piece.flags & kPieceOutlineShaded) != 0;
  const int n = SquareSide(piece.bound, square_step);
  work.Grow(n, n);
  const Rect16 corner{0, 0, static_cast<std::int16_t>(n), static_cast<std::int16_t>(n)};
  work.dc().FillRect(corner, Brush(kBlack));
  Bmp square = Bmp::ViewOf(work, corner);
  const bool odd = quarter_turns % 2 != 0;
  const int width = odd ? piece.bound.height : piece.bound.width;
  const int height = odd ? piece.bound.width : piece.bound.height;
  int turns = quarter_turns;
  int unturned_width = width, unturned_height = height;
  if (from_picture) {
    std::tie(unturned_width, unturned_height) = FillFromPicture(puz, piece, work);
    turns = piece.rotation;
  } else {
    work.dc().Transfer(0, 0, width, height, sheets.image->dc(), piece.bound.x, piece.bound.y);
  }
  if (turns != 0) (void)TurnBitmap(square, turns * 90, sheets.force_pixel_turning);
  const auto [square_x, square_y] = TurnedOrigin(n, unturned_width, unturned_height, turns);

  DrawPieceMask(puz, piece);
  if (from_picture) {
    ComposeImage(puz, piece, work, square_x, square_y);
  } else {
    sheets.image->dc().Transfer(piece.bound.x, piece.bound.y, piece.bound.width, piece.bound.height,
                                work.dc(), square_x, square_y);
  }
  if (was_shaded || from_picture) ShadeOutline(puz, piece, kAllSides);
}

bool MemoryIsShort() {
  void* probe = TryAllocate(kPictureKeepMemory);
  if (!probe) return true;
  Free(probe);
  return false;
}

}  // namespace

Rect16 TurnInFrame(const Rect16& rect, const Rect16& frame, int quarter_turns) {
  const int x = rect.x - frame.x;
  const int y = rect.y - frame.y;
  const int w = frame.width;
  const int h = frame.height;
  int turned_x = x, turned_y = y, width = rect.width, height = rect.height;
  switch (quarter_turns % kSideCount) {
    case 1:
      turned_x = h - y - rect.height;
      turned_y = x;
      std::swap(width, height);
      break;
    case 2:
      turned_x = w - x - rect.width;
      turned_y = h - y - rect.height;
      break;
    case 3:
      turned_x = y;
      turned_y = w - x - rect.width;
      std::swap(width, height);
      break;
    default:
      break;
  }
  return {static_cast<std::int16_t>(frame.x + turned_x),
          static_cast<std::int16_t>(frame.y + turned_y), static_cast<std::int16_t>(width),
          static_cast<std::int16_t>(height)};
}

void DrawPieceMask(Puz& puz, const SPuz& piece, bool keep_background) {
  DC& dc = puz.sheets.mask->dc();
  if (!keep_background) dc.FillRect(piece.bound, Brush(kWhite));
  dc.FillRect(piece.cell, Brush(kBlack));
  Pen black(kBlack);
  Pen white(kWhite);
  const bool rows_across = piece.rotation % 2 != 0;
  for (int screen_side = 0; screen_side < kSideCount; ++screen_side) {
    const int side = (screen_side - piece.rotation + kSideCount) % kSideCount;
    if (piece.tab[side] == kNoTab || piece.tab_direction[side] == kNoTabDirection) continue;
    const bool knob = piece.tab_direction[side] == kKnobOut;
    dc.Select(knob ? &black : &white);
    TabPainter painter(*puz.sheets.mask, knob ? kBlack : kWhite);
    DrawTab(painter, puz.cut.tabs[static_cast<std::size_t>(piece.tab[side])],
            TabLimits(piece.cell, screen_side, knob), rows_across);
  }
  dc.Deselect(ToolSlot::kPen);
}

void TurnPiece(Puz& puz, SPuz& piece, int quarter_turns) {
  TurnGeometry(puz, piece, quarter_turns);
  RedrawTurnedPiece(puz, piece, quarter_turns);
}

void RedrawTurnedPiece(Puz& puz, SPuz& piece, int quarter_turns) {
  const int step = TurnSquareStep();
  const int n = SquareSide(piece.bound, step);
  BmpMem work(n, n, &puz.sheets.image->dc());
  RedrawTurnedIn(puz, piece, quarter_turns, work, step);
}

namespace {

// Each column of the sheets as wide as its widest piece, each row as high as
// its highest (a piece that turns needs its larger side both ways).
void MeasureSheets(const Puz& puz, PieceSheets& sheets) {
  const Cut& cut = puz.cut;
  const int columns = cut.columns;
  const bool turnable = !puz.HasOption(kOptionNoRotable);
  sheets.column_widths.assign(static_cast<std::size_t>(columns), 0);
  sheets.row_heights.assign(static_cast<std::size_t>(cut.rows), 0);
  sheets.largest_extent = 0;
  for (const SPuz& piece : cut.pieces) {
    const int column = piece.id % columns;
    const int row = piece.id / columns;
    const int across =
        turnable ? std::max(piece.bound.width, piece.bound.height) : piece.bound.width;
    const int down =
        turnable ? std::max(piece.bound.width, piece.bound.height) : piece.bound.height;
    int& column_width = sheets.column_widths[static_cast<std::size_t>(column)];
    int& row_height = sheets.row_heights[static_cast<std::size_t>(row)];
    column_width = std::max(column_width, across);
    row_height = std::max(row_height, down);
    sheets.largest_extent = std::max({sheets.largest_extent, static_cast<int>(piece.bound.width),
                                      static_cast<int>(piece.bound.height)});
  }
}

// The image and mask sheets, in the display's rendering mode: pixels
// composed directly where it allows that, through raster operations
// otherwise. The image sheet starts black, the mask sheet white.
Status MakeSheets(PieceSheets& sheets) {
  int width = 0, height = 0;
  for (int value : sheets.column_widths)
    width += value;
  for (int value : sheets.row_heights)
    height += value;
  sheets.image = MakeBmpMem(width, height);
  if (!sheets.image->valid()) {
    sheets = PieceSheets();
    return Status(kStatusOutOfMemory);
  }
  sheets.mask = MakeBmpMem(width, height, nullptr, true);
  if (!sheets.mask->valid()) {
    sheets.mask = std::make_unique<BmpMem>(width, height, nullptr, true);
    sheets.mask->Clear(0xFF);
  }
  if (!sheets.mask->valid()) {
    sheets = PieceSheets();
    return Status(kStatusOutOfMemory);
  }
  return Status();
}

// Moves `piece` into its slot of the sheets, whose corner is (x, y): the
// bounding rectangle to the corner, the cell and the tabs along with it;
// home stays in picture coordinates.
void MoveIntoSheet(Cut& cut, SPuz& piece, int x, int y) {
  const int dx = x - piece.bound.x;
  const int dy = y - piece.bound.y;
  const auto moved = [dx, dy](Rect16& rect) { rect = rect.Moved(dx, dy); };
  moved(piece.bound);
  moved(piece.cell);
  for (int side = 0; side < kSideCount; ++side) {
    if (piece.tab[side] != kNoTab) moved(cut.tabs[static_cast<std::size_t>(piece.tab[side])]);
  }
  UpdatePlacement(piece);
}

// Pieces a worker takes from the counter at a time.
constexpr int kSheetRun = 16;

// Moves every piece into its slot of the sheets and turns its geometry as
// the cut turned it; only rectangles change. Returns each piece's turn, for
// drawing its pixels afterwards.
std::vector<int> PlaceInSheets(Puz& puz) {
  Cut& cut = puz.cut;
  const PieceSheets& sheets = puz.sheets;
  const int columns = cut.columns;
  std::vector<int> column_x(static_cast<std::size_t>(columns) + 1, 0);
  for (int column = 0; column < columns; ++column)
    column_x[column + 1] = column_x[column] + sheets.column_widths[column];
  std::vector<int> turns(cut.pieces.size(), 0);
  int row_y = 0;
  for (std::size_t index = 0; index < cut.pieces.size(); ++index) {
    SPuz& piece = cut.pieces[index];
    const int column = piece.id % columns;
    if (column == 0 && index > 0)
      row_y += sheets.row_heights[static_cast<std::size_t>(piece.id / columns - 1)];
    MoveIntoSheet(cut, piece, column_x[column], row_y);
    turns[index] = piece.rotation;
    piece.rotation = 0;
    TurnGeometry(puz, piece, turns[index]);
  }
  return turns;
}

// Pieces lie in slots of their own, so threads may draw them side by side
// where every pixel has bytes of its own, and no palette is in play.
bool DrawableOnThreads(const Puz& puz) {
  const PieceSheets& sheets = puz.sheets;
  const int bits = std::min(sheets.image->bit_count(), sheets.mask->bit_count());
  return bits >= kThreadedSheetBits && !QueryDisplay().palette_based &&
         (!puz.picture || puz.picture->bit_count() >= kThreadedSheetBits);
}

// What a worker draws a piece with: the sheets and the picture through
// contexts of its own, the tabs as placed, the shader chosen.
void MakeWorkerView(Puz& puz, Puz& view) {
  view.option_flags = puz.option_flags;
  view.cut.tabs = puz.cut.tabs;
  view.sheets.image = std::make_unique<BmpMem>(BmpMem::SharingPixelsOf(*puz.sheets.image));
  view.sheets.mask = std::make_unique<BmpMem>(BmpMem::SharingPixelsOf(*puz.sheets.mask));
  view.sheets.shader = puz.sheets.shader;
  view.sheets.force_pixel_turning = puz.sheets.force_pixel_turning;
  view.sheets.largest_extent = puz.sheets.largest_extent;
  if (puz.picture) view.picture = std::make_unique<BmpMem>(BmpMem::SharingPixelsOf(*puz.picture));
}

}  // namespace

Status DrawPieceSheets(Puz& puz, ProgressSink* progress, const SheetChoices& choices, int workers) {
  PieceSheets& sheets = puz.sheets;
  if (sheets.image || sheets.mask) {
    // The sheets stay as they are; drawing twice is a fault of the caller.
    ReportUnexpected(kSheetsExistMessage);
    return Status();
  }
  MeasureSheets(puz, sheets);
  CBST_TRY(MakeSheets(sheets));
  sheets.shader = ChooseShader(puz, choices.grey_outlines || MemoryIsShort());
  sheets.force_pixel_turning = choices.force_pixel_turning;

  const std::vector<int> turns = PlaceInSheets(puz);
  if (workers <= 0) workers = CoreCount();
  const int count = static_cast<int>(puz.cut.pieces.size());
  workers = std::min(workers, (count + kSheetRun - 1) / kSheetRun);
  if (!DrawableOnThreads(puz)) workers = 1;
  const int step = TurnSquareStep();

  // Worker 0 draws through the game's own contexts, the others through
  // views of their own, all made here before any drawing starts.
  if (puz.picture) puz.picture->dc().Flush();
  std::vector<Puz> views(static_cast<std::size_t>(std::max(workers - 1, 0)));
  for (Puz& view : views)
    MakeWorkerView(puz, view);
  WorkCounter counter(count, kSheetRun);
  std::atomic<int> drawn{0};
  int last_percent = -1;
  RunWorkers(workers, [&](int worker) {
    Puz& target = worker == 0 ? puz : views[static_cast<std::size_t>(worker - 1)];
    BmpMem work(sheets.largest_extent, sheets.largest_extent, &sheets.image->dc());
    int begin = 0, end = 0;
    while (counter.Take(begin, end)) {
      for (int index = begin; index < end; ++index) {
        RedrawTurnedIn(target, puz.cut.pieces[static_cast<std::size_t>(index)],
                       turns[static_cast<std::size_t>(index)], work, step);
      }
      const int done = drawn.fetch_add(end - begin) + (end - begin);
      // Only the calling thread may speak to the progress window.
      const int percent = done * 100 / count;
      if (worker == 0 && progress && percent != last_percent) progress->Progress(percent);
      if (worker == 0) last_percent = percent;
    }
    target.sheets.image->dc().Flush();
    target.sheets.mask->dc().Flush();
  });
  if (progress && count > 0 && last_percent != 100) progress->Progress(100);
  if (MemoryIsShort()) puz.picture.reset();
  return Status();
}

}  // namespace cbst
