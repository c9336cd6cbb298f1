// random.cpp: the program-wide generator.
#include "puzzle/random.h"

namespace cbst {

Random& ProgramRandom() {
  static Random generator;
  return generator;
}

}  // namespace cbst
