// piece_box.cpp: where boxes are parked and how a new game's boxes start.
#include "puzzle/piece_box.h"

namespace cbst {

void ParkClosedBoxes(std::vector<PieceBox>& boxes, int table_width, int table_height) {
  const int count = static_cast<int>(boxes.size());
  for (int index = 0; index < count; ++index) {
    PieceBox& box = boxes[static_cast<std::size_t>(index)];
    box.closed_x = static_cast<std::int16_t>(table_width - count * kClosedBoxPitch +
                                             index * kClosedBoxPitch + kClosedBoxInset);
    box.closed_y = static_cast<std::int16_t>(table_height - kClosedBoxSize);
  }
}

std::vector<PieceBox> DefaultBoxes(int table_width, int table_height) {
  std::vector<PieceBox> boxes(kDefaultBoxColours.size());
  for (std::size_t index = 0; index < boxes.size(); ++index) {
    PieceBox& box = boxes[index];
    box.index = static_cast<std::uint8_t>(index);
    box.colour = kDefaultBoxColours[index];
    box.flags = kBoxClosed;
    const auto corner = static_cast<std::int16_t>(kBoxCascadeStep + kBoxCascadeStep * index);
    box.open = {corner, corner, static_cast<std::int16_t>(table_width / kOpenBoxShare),
                static_cast<std::int16_t>(table_height / kOpenBoxShare)};
  }
  ParkClosedBoxes(boxes, table_width, table_height);
  return boxes;
}

}  // namespace cbst
