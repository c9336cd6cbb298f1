// make_piezas.cpp: from a game's level and flags to its cut.
#include "puzzle/make_piezas.h"

#include <new>

#include "base/memory.h"
#include "base/status_codes.h"

namespace cbst {

Status MakePiezas(Puz& puz, std::int16_t picture_width, std::int16_t picture_height,
                  Random& random) {
  const bool restoring = (puz.state & kStateRestoring) != 0;
  if (restoring) random.Seed(puz.game_seed);
  // Only restored games keep older rules; anything new is cut as today.
  if (!restoring) puz.cutting_rules = kCuttingRulesCurrent;

  const auto level = static_cast<std::size_t>(puz.level);
  CutRequest request;
  request.picture_width = picture_width;
  request.picture_height = picture_height;
  request.rows = level < kLevelSlots ? puz.level_rows[level] : 0;
  request.columns = level < kLevelSlots ? puz.level_columns[level] : 0;
  request.cutting_rules = puz.cutting_rules;
  request.no_rotation = puz.HasOption(kOptionNoRotable);
  request.no_tabs = puz.HasOption(kOptionNoDeform);
  request.resume = restoring;
  try {
    const RecoverableAllocations recoverable;
    puz.cut = CutPieces(request, random);
  } catch (const std::bad_alloc&) {
    puz.cut = Cut();
    return Status(kStatusOutOfMemory);
  }
  return Status();
}

}  // namespace cbst
