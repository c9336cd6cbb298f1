// piece_box.cpp: where boxes are parked and how a new game's boxes start.
#include "puzzle/piece_box.h"

#include <cmath>

namespace cbst {
namespace {

double& BoxScale() {
  static double scale = 1.0;
  return scale;
}

}  // namespace

void SetBoxScale(double scale) {
  BoxScale() = scale;
}

int BoxPixels(int size) {
  const double scale = BoxScale();
  return scale == 1.0 ? size : static_cast<int>(std::lround(size * scale));
}

void ParkClosedBoxes(std::vector<PieceBox>& boxes, int table_width, int table_height) {
  const int count = static_cast<int>(boxes.size());
  const int pitch = BoxPixels(kClosedBoxPitch);
  for (int index = 0; index < count; ++index) {
    PieceBox& box = boxes[static_cast<std::size_t>(index)];
    box.closed_x = static_cast<std::int16_t>(table_width - count * pitch + index * pitch +
                                             BoxPixels(kClosedBoxInset));
    box.closed_y = static_cast<std::int16_t>(table_height - BoxPixels(kClosedBoxSize));
  }
}

std::vector<PieceBox> DefaultBoxes(int table_width, int table_height) {
  std::vector<PieceBox> boxes(kDefaultBoxColours.size());
  for (std::size_t index = 0; index < boxes.size(); ++index) {
    PieceBox& box = boxes[index];
    box.index = static_cast<std::uint8_t>(index);
    box.colour = kDefaultBoxColours[index];
    box.flags = kBoxClosed;
    const auto corner =
        static_cast<std::int16_t>(BoxPixels(kBoxCascadeStep) * static_cast<int>(index + 1));
    box.open = {corner, corner, static_cast<std::int16_t>(table_width / kOpenBoxShare),
                static_cast<std::int16_t>(table_height / kOpenBoxShare)};
  }
  ParkClosedBoxes(boxes, table_width, table_height);
  return boxes;
}

}  // namespace cbst
