// make_piezas.h: MakePiezas, cutting the current game's level into pieces.
#pragma once

#include <cstdint>

#include "base/status.h"
#include "puzzle/cut.h"
#include "puzzle/puz.h"
#include "puzzle/random.h"

namespace cbst {

// Whether the cut can exist: at least one row and one column, at most
// kMaxPieces pieces, each at least kMinCutPieceSide pixels on the picture.
// Status 1006 with "rows x columns" otherwise.
Status CheckCutSize(const CutRequest& request);

// Cuts level `puz.level` of a reduced picture of the given size into
// `puz.cut`. A new game draws from `random` as the caller seeded it and is
// cut with the current rules; a game being restored seeds `random` with its
// own seed and keeps the rules it was played with. Returns status 1006 for
// a level CheckCutSize refuses, and status 2, with nothing left of the cut,
// when the pieces do not fit in memory.
Status MakePiezas(Puz& puz, std::int16_t picture_width, std::int16_t picture_height,
                  Random& random = ProgramRandom());

}  // namespace cbst
