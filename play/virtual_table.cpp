// virtual_table.cpp: a table without a window.
#include "play/virtual_table.h"

namespace cbst {

bool VirtualTable::ChooseCustomSize(Puz& puz) {
  if (custom_rows_ <= 0 || custom_columns_ <= 0) return false;
  puz.level_rows[kCustomLevel] = static_cast<std::int16_t>(custom_rows_);
  puz.level_columns[kCustomLevel] = static_cast<std::int16_t>(custom_columns_);
  return true;
}

void VirtualTable::Fly(int piece, int x, int y, int) {
  board().MovePiece(piece, 0, x, y);
}

}  // namespace cbst
