// make_piezas.cpp: from a game's level and flags to its cut.
#include "puzzle/make_piezas.h"

#include <new>

#include "base/memory.h"
#include "base/status_codes.h"
#include "puzzle/puzzle_codes.h"

namespace cbst {

Status CheckCutSize(const CutRequest& request) {
  const std::int64_t pieces = std::int64_t{request.rows} * request.columns;
  const bool playable = request.rows >= 1 && request.columns >= 1 && pieces <= kMaxPieces &&
                        request.picture_width / request.columns >= kMinCutPieceSide &&
                        request.picture_height / request.rows >= kMinCutPieceSide;
  if (playable) return Status();
  return Status::Format(kStatusLevelUnplayable, "%ix%i", request.rows, request.columns);
}

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
  CBST_TRY(CheckCutSize(request));
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
