// virtual_table.cpp: a table without a window.
#include "play/virtual_table.h"

#include "play/board_painter.h"

namespace cbst {
namespace {

// The assembly area is the picture's size and this much more.
constexpr int kAssemblyMargin = 4;

}  // namespace

VirtualTable::VirtualTable(Puz& puz, int width, int height)
    : puz_(puz),
      width_(width),
      height_(height),
      display_(QueryDisplay()),
      board_(puz, *this),
      back_buffer_(MakeBmpMem(width, height)) {
  display_.width = width;
  display_.height = height;
}

void VirtualTable::TakePalette(const Palette* palette, std::uint32_t background) {
  background_ = background;
  palette_.reset();
  if (palette && !palette->Empty()) {
    palette_ = std::make_unique<Palette>(*palette);
    palette_->Realise(true);
  }
}

bool VirtualTable::ChooseCustomSize(Puz& puz) {
  if (custom_rows_ <= 0 || custom_columns_ <= 0) return false;
  puz.level_rows[kCustomLevel] = static_cast<std::int16_t>(custom_rows_);
  puz.level_columns[kCustomLevel] = static_cast<std::int16_t>(custom_columns_);
  return true;
}

bool VirtualTable::ScatterPieces(Puz&, bool whole_table) {
  return board_.Scatter(kTableWindow, whole_table, false).done;
}

void VirtualTable::PaintAll(const ShadowSettings& shadows) {
  PaintRequest request;
  request.rect = Surface(kTableWindow);
  request.shadow = ChooseShadowParameters(puz_, shadows);
  request.carried = carried_ ? &*carried_ : nullptr;
  PaintBoard(puz_, *back_buffer_, request);
}

bool VirtualTable::LiftGroup(const std::vector<int>& group, const Rect16& bounds) {
  carried_ = ComposeCarriedImage(puz_, group, bounds);
  return carried_.has_value();
}

Rect16 VirtualTable::Surface(std::uint8_t window) {
  if (window != kTableWindow && window < puz_.boxes.size()) {
    const Rect16& open = puz_.boxes[window].open;
    return {0, 0, open.width, open.height};
  }
  return {0, 0, static_cast<std::int16_t>(width_), static_cast<std::int16_t>(height_)};
}

Rect16 VirtualTable::AssemblyArea() {
  const int width = puz_.picture_rect.width + kAssemblyMargin;
  const int height = puz_.picture_rect.height + kAssemblyMargin;
  return {static_cast<std::int16_t>(width_ - width), 0, static_cast<std::int16_t>(width),
          static_cast<std::int16_t>(height)};
}

std::vector<Rect16> VirtualTable::CoveredAreas(std::uint8_t window, bool animating) {
  std::vector<Rect16> covered;
  if (window != kTableWindow) return covered;
  if (!animating) covered.push_back(AssemblyArea());
  for (const PieceBox& box : puz_.boxes)
    covered.push_back(box.closed() ? box.ClosedRect() : box.open);
  return covered;
}

void VirtualTable::Fly(int piece, int x, int y, int) {
  board_.MovePiece(piece, 0, x, y);
}

}  // namespace cbst
