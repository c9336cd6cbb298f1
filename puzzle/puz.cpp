// puz.cpp: small questions about the current game.
#include "puzzle/puz.h"

namespace cbst {

int Puz::DefinedLevels() const {
  int count = 0;
  while (count < kStoredLevels && level_rows[static_cast<std::size_t>(count)] != 0)
    ++count;
  return count;
}

}  // namespace cbst
