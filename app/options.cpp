// options.cpp: loading and saving the options record.
#include "app/options.h"

#include <array>
#include <climits>
#include <cmath>
#include <string>
#include <utility>

#include "base/numbers.h"
#include "gfx/display_probe.h"
#include "play/game_flags.h"

namespace cbst {
namespace {

// The keys older versions kept one switch in, in the order they are folded.
constexpr std::array<std::pair<std::string_view, std::uint32_t>, 3> kOlderKeys = {{
    {"Mute", kOptionsMute},
    {"DefAutoSave", kOptionsAutoSave},
    {"DefCompetition", kOptionsCompetition},
}};

// Which option bit gives each flag of a new game.
constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 5> kGameDefaults = {{
    {kOptionsCompetition, kGameCompetition},
    {kOptionsAutoSave, kGameAutoSave},
    {kOptionsNoPreview, kGameNoPreview},
    {kOptionsHideBoxes, kGameHideBoxes},
    {kOptionsHideScore, kGameHideScore},
}};

}  // namespace

void Options::Load(const Settings& settings) {
  dirty = false;
  bits = 0;
  for (const auto& [key, bit] : kOlderKeys) {
    if (!settings.Has(key)) continue;
    if (settings.ReadNumber(key) != 0) {
      bits |= bit;
    } else {
      bits &= ~bit;
    }
    dirty = true;
    settings.Write(key, std::nullopt);
  }
  bits |= static_cast<std::uint32_t>(settings.ReadNumber(kKeyOptions));

  const VString loupe = settings.Read(kKeyLoupe);
  if (settings.Has(kKeyLoupe)) {
    const std::string text = loupe.c_str();
    // A size no int holds ("1e300", "nan" in an edited file) keeps the default.
    const double size = TextToDouble(text.c_str());
    loupe_size = size >= INT_MIN && size <= INT_MAX ? static_cast<int>(size) : kDefaultLoupeSize;
    const std::size_t comma = text.find(',');
    loupe_magnification = comma == text.npos ? 0 : TextToDouble(text.c_str() + comma + 1);
  }
  if (bits & kOptionsUseCache) {
    bits &= ~kOptionsUseCache;
    dirty = true;
  }
  if (dirty) Save(settings);

  no_sparkle = static_cast<std::uint8_t>(settings.ReadNumber(kKeyNoSparkle));
  no_shadow = static_cast<std::uint8_t>(settings.ReadNumber(kKeyNoShadow));
  solid_shadow = static_cast<std::uint8_t>(settings.ReadNumber(kKeySolidShadow));
  // The other method keeps raster operations instead of direct pixels.
  if (bits & kOptionsOtherBitmapMethod) ProbeDisplay(true);
}

void Options::Save(const Settings& settings) {
  settings.WriteNumber(kKeyOptions, static_cast<long>(bits));
  const std::string loupe =
      std::to_string(loupe_size) + "," + std::to_string(std::lround(loupe_magnification));
  settings.Write(kKeyLoupe, loupe);
  dirty = false;
}

void Options::SetDefaultGameFlags() {
  game_flags = 0;
  for (const auto& [option, flag] : kGameDefaults) {
    if (bits & option) game_flags |= flag;
  }
}

Options& ProgramOptions() {
  static Options options;
  return options;
}

}  // namespace cbst
