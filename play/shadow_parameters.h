// shadow_parameters.h: how deep and how dark the shadows under the pieces of
// the current game are.
#pragma once

#include <cstdint>

#include "base/rect16.h"

namespace cbst {

struct Puz;

// The player's shadow switches, NoShadow and SolidShadow of the settings.
struct ShadowSettings {
  bool no_shadow = false;
  bool solid_shadow = false;
};

// The shadow every piece casts `depth` pixels down and to the right. A
// blended shadow scales each colour of what lies under it by
// intensity / 256 and adds the offset; one without blend values (both 0)
// halves them; a solid one is a plain dark band.
struct ShadowParameters {
  int depth = 0;
  int intensity = 0;
  int offset = 0;
  bool solid = false;

  friend constexpr bool operator==(const ShadowParameters&, const ShadowParameters&) = default;
};

// The shadows to choose from. The blended ones need sheets of direct
// pixels; cells narrower than kSmallCellWidth get the shallower ones.
inline constexpr ShadowParameters kSolidShadow{2, 0, 0, true};
inline constexpr ShadowParameters kBlendedShadowSmallCells{3, 158, -26, false};
inline constexpr ShadowParameters kBlendedShadow{5, 242, -32, false};
inline constexpr ShadowParameters kPlainShadowSmallCells{2, 0, 0, false};
inline constexpr ShadowParameters kPlainShadow{4, 0, 0, false};
inline constexpr int kSmallCellWidth = 30;

// How shadows without blend values darken, and the colour of solid ones.
inline constexpr int kPlainShadowIntensity = 128;
inline constexpr std::uint32_t kSolidShadowColour = 0x404040;

// The shadow of the game in `puz`: solid when asked for, blended when the
// image sheet holds direct pixels, deeper for wider cells; none at all
// with NoShadow.
ShadowParameters ChooseShadowParameters(const Puz& puz, const ShadowSettings& settings);

// `rect` together with the shadow it casts, which reaches `depth` pixels
// further right and down: what must be repainted when it moves.
constexpr Rect16 WithShadow(const Rect16& rect, const ShadowParameters& shadow) {
  if (rect.Empty()) return rect;
  return {rect.x, rect.y, static_cast<std::int16_t>(rect.width + shadow.depth),
          static_cast<std::int16_t>(rect.height + shadow.depth)};
}

}  // namespace cbst
