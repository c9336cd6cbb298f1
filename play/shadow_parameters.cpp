// shadow_parameters.cpp: choosing the shadow of the current game.
#include "play/shadow_parameters.h"

#include "puzzle/puz.h"

namespace cbst {

ShadowParameters ChooseShadowParameters(const Puz& puz, const ShadowSettings& settings) {
  const bool small_cells = puz.cut.piece_width < kSmallCellWidth;
  const bool direct = puz.sheets.image && (puz.sheets.image->flags() & Bmp::kDibSection) != 0;
  ShadowParameters shadow;
  if (settings.solid_shadow) {
    shadow = kSolidShadow;
  } else if (direct) {
    shadow = small_cells ? kBlendedShadowSmallCells : kBlendedShadow;
  } else {
    shadow = small_cells ? kPlainShadowSmallCells : kPlainShadow;
  }
  if (settings.no_shadow) shadow.depth = 0;
  return shadow;
}

}  // namespace cbst
