// table_base.cpp: the board, back buffer and areas every table has.
#include "play/table_base.h"

#include <algorithm>

#include "play/board_painter.h"
#include "puzzle/outline_shading.h"
#include "puzzle/piece_sheets.h"

namespace cbst {
namespace {

// The assembly area is the picture's size and this much more.
constexpr int kAssemblyMargin = 4;
// The finished picture's frame: this wide, this far out.
constexpr int kFinishedFrameWidth = 7;
constexpr int kFinishedFrameReach = 14;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kLightGrey = 0xC0C0C0;
constexpr std::uint32_t kGrey = 0x808080;
constexpr int kDarkBackground = 128;

// A line a little lighter than a dark background, or darker than a light one.
std::uint32_t FrameColour(std::uint32_t background) {
  std::uint32_t colour = 0;
  int sum = 0;
  for (int shift : {0, 8, 16})
    sum += static_cast<int>((background >> shift) & 0xFF);
  const bool dark = sum / 3 < kDarkBackground;
  for (int shift : {0, 8, 16}) {
    const int channel = static_cast<int>((background >> shift) & 0xFF);
    const int shaded = dark ? channel + (255 - channel) / 4 : channel * 3 / 4;
    colour |= static_cast<std::uint32_t>(shaded) << shift;
  }
  return colour;
}

}  // namespace

TableBase::TableBase(Puz& puz, int width, int height)
    : puz_(puz),
      width_(width),
      height_(height),
      display_(QueryDisplay()),
      board_(puz, *this),
      back_buffer_(MakeBmpMem(width, height)) {
  display_.width = width;
  display_.height = height;
}

void TableBase::PieceTurned(int index, int quarter_turns) {
  if (!puz_.sheets.image) return;
  RedrawTurnedPiece(puz_, puz_.cut.pieces[static_cast<std::size_t>(index)], quarter_turns);
}

void TableBase::SideJoined(int index, int screen_side) {
  if (puz_.sheets.image)
    ShadeOutline(puz_, puz_.cut.pieces[static_cast<std::size_t>(index)], screen_side);
}

void TableBase::LongWork(bool running) {
  if (running) {
    wait_cursor_.emplace();
  } else {
    wait_cursor_.reset();
  }
}

void TableBase::Resize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  display_.width = width;
  display_.height = height;
  back_buffer_ = MakeBmpMem(width, height);
  layer_.reset();
  layer_valid_ = {};
}

void TableBase::TakePalette(const Palette* palette, std::uint32_t background) {
  background_ = background;
  palette_.reset();
  if (palette && !palette->Empty()) {
    palette_ = std::make_unique<Palette>(*palette);
    palette_->Realise(true);
  }
}

bool TableBase::ScatterPieces(Puz&, bool whole_table) {
  // Every piece spread goes to the top and asks for the pieces it leaves
  // under it to be repainted; on a new game of thousands of pieces that is
  // tens of thousands of small paints, none of them seen. The table is
  // painted once when the spread is done instead.
  LockPainting(true);
  const bool done = board_.Scatter(kTableWindow, whole_table, false).done;
  LockPainting(false);
  return done;
}

void TableBase::SpreadRuns(std::uint8_t window, bool animated, bool running) {
  if (window == kTableWindow && !animated) spreading_ = running;
}

PaintRequest TableBase::TableRequest(const Rect16& rect, bool background_only) {
  PaintRequest request;
  request.pieces_hidden = background_only || spreading_;
  request.rect = rect.width > 0 && rect.height > 0 ? rect : Surface(kTableWindow);
  request.shadow = ChooseShadowParameters(puz_, shadows_);
  if (background_only) return request;
  if (const Rect16 preview = PreviewPlace(); !preview.Empty() && puz_.preview_picture) {
    request.preview = puz_.preview_picture.get();
    request.preview_at = {preview.x, preview.y};
  }
  request.frames = BackgroundFrames();
  return request;
}

Rect16 TableBase::PaintArea(const Rect16& rect, bool background_only,
                            std::function<void()> handle_messages) {
  PaintRequest request = TableRequest(rect, background_only);
  request.handle_messages = std::move(handle_messages);
  if (!background_only && !request.pieces_hidden && CarriedOverLayer() && MakeLayer()) {
    // The layer under the carried group is painted afresh here, and the
    // group's picture laid over it.
    const Rect16 painted = PaintBoard(puz_, *layer_, request);
    if (layer_valid_.Empty() || painted.Contains(layer_valid_)) layer_valid_ = painted;
    // Handling messages during the paint may have ended the drag.
    if (CarriedOverLayer()) {
      PaintCarriedOver(puz_, *back_buffer_, *layer_, painted, request.shadow, *carried_,
                       Spans(request.shadow.depth));
    } else {
      back_buffer_->dc().Transfer(painted.x, painted.y, painted.width, painted.height, layer_->dc(),
                                  painted.x, painted.y);
      back_buffer_->dc().Flush();
    }
    return painted;
  }
  // The carried group is drawn over the window it is in.
  if (puz_.dragged != kNoPiece &&
      puz_.cut.pieces[static_cast<std::size_t>(puz_.dragged)].box == kTableWindow)
    request.carried = carried();
  // The layer misses what changes meanwhile.
  layer_valid_ = {};
  return PaintBoard(puz_, *back_buffer_, request);
}

Rect16 TableBase::PaintCarriedArea(const Rect16& rect) {
  if (!CarriedOverLayer() || !MakeLayer()) return {};
  const Rect16 area = PaintedArea(rect, *back_buffer_);
  if (area.Empty()) return {};
  if (!layer_valid_.Contains(area)) {
    PaintRequest request = TableRequest(area, false);
    if (request.pieces_hidden) return {};
    const Rect16 was = layer_valid_;
    if (was.Empty() || !was.Overlaps(area)) {
      PaintBoard(puz_, *layer_, request);
      layer_valid_ = area;
    } else {
      // The layer grows to take the area in: painted where it is new.
      const Rect16 grown = was.United(area);
      const auto span = [](int from, int to) { return static_cast<std::int16_t>(to - from); };
      const int right = was.x + was.width, bottom = was.y + was.height;
      const int grown_right = grown.x + grown.width, grown_bottom = grown.y + grown.height;
      const Rect16 strips[] = {
          {grown.x, grown.y, grown.width, span(grown.y, was.y)},
          {grown.x, static_cast<std::int16_t>(bottom), grown.width, span(bottom, grown_bottom)},
          {grown.x, was.y, span(grown.x, was.x), was.height},
          {static_cast<std::int16_t>(right), was.y, span(right, grown_right), was.height}};
      for (const Rect16& strip : strips) {
        if (strip.Empty()) continue;
        request.rect = strip;
        PaintBoard(puz_, *layer_, request);
      }
      layer_valid_ = grown;
    }
  }
  const ShadowParameters shadow = ChooseShadowParameters(puz_, shadows_);
  PaintCarriedOver(puz_, *back_buffer_, *layer_, area, shadow, *carried_, Spans(shadow.depth));
  return area;
}

const CarriedSpans* TableBase::Spans(int depth) {
  if (!carried_) return nullptr;
  if (!spans_ || spans_->depth != std::max(depth, 0)) spans_ = MakeCarriedSpans(*carried_, depth);
  return spans_ ? &*spans_ : nullptr;
}

void TableBase::set_carried_layer(bool used) {
  layer_used_ = used;
  layer_valid_ = {};
}

bool TableBase::CarriedOverLayer() const {
  return layer_used_ && carried_ && !puz_.carried.empty() && puz_.dragged != kNoPiece &&
         puz_.cut.pieces[static_cast<std::size_t>(puz_.dragged)].box == kTableWindow;
}

bool TableBase::MakeLayer() {
  if (!layer_ || layer_->width() != width_ || layer_->height() != height_) {
    layer_ = MakeBmpMem(width_, height_);
    layer_valid_ = {};
  }
  if (layer_->valid()) return true;
  // Without the memory for it, every move repaints what lies under the group.
  layer_.reset();
  return false;
}

std::vector<BackgroundFrame> TableBase::BackgroundFrames() {
  std::vector<BackgroundFrame> frames;
  const std::vector<SPuz>& pieces = puz_.cut.pieces;
  if (pieces.empty()) return frames;
  if (puz_.HasOption(kOptionAssemblyFrame)) {
    // On grey and white a single shaded line would be lost: black with a
    // light line inside it.
    const std::uint32_t background = puz_.background & 0xFFFFFF;
    if (background == kGrey || background == kWhite) {
      frames.push_back({AssemblyArea(), 1, kBlack});
      frames.push_back({AssemblyArea().Grown(-1), 1, kLightGrey});
    } else {
      frames.push_back({AssemblyArea(), 1, FrameColour(background)});
    }
  }
  const SPuz& first = pieces.front();
  if ((puz_.state & kGameSolved) && first.box == kOnTheBoard && first.rotation == 0)
    frames.push_back({first.window.United(pieces.back().window).Grown(kFinishedFrameReach),
                      kFinishedFrameWidth, kWhite});
  return frames;
}

bool TableBase::LiftGroup(const std::vector<int>& group, const Rect16& bounds) {
  layer_valid_ = {};
  spans_.reset();
  carried_ = ComposeCarriedImage(puz_, group, bounds);
  return carried_.has_value();
}

void TableBase::DropLiftedGroup() {
  carried_.reset();
  spans_.reset();
  layer_valid_ = {};
}

Rect16 TableBase::Surface(std::uint8_t window) {
  if (window != kTableWindow && window < puz_.boxes.size()) {
    const Rect16& open = puz_.boxes[window].open;
    return {0, 0, open.width, open.height};
  }
  return {0, 0, static_cast<std::int16_t>(width_), static_cast<std::int16_t>(height_)};
}

Rect16 TableBase::AssemblyArea() {
  const int width = puz_.picture_rect.width + kAssemblyMargin;
  const int height = puz_.picture_rect.height + kAssemblyMargin;
  return {static_cast<std::int16_t>(width_ - width), 0, static_cast<std::int16_t>(width),
          static_cast<std::int16_t>(height)};
}

std::vector<Rect16> TableBase::CoveredAreas(std::uint8_t window, bool animating) {
  std::vector<Rect16> covered;
  if (window != kTableWindow) return covered;
  if (!animating) covered.push_back(AssemblyArea());
  if (const Rect16 preview = PreviewPlace(); !preview.Empty()) covered.push_back(preview);
  for (const PieceBox& box : puz_.boxes)
    covered.push_back(box.closed() ? box.ClosedRect() : box.open);
  return covered;
}

}  // namespace cbst
