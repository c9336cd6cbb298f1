// options.cpp: loading and saving the options record.
#include "app/options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "app/app_codes.h"
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

// A number the user may have typed into the settings file: one that does
// not read as a finite number is `fallback`, one out of range its nearest
// end.
double SettingNumber(std::string_view text, double fallback, double lowest, double highest) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == text.npos) return fallback;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large or too small to hold: the sign says which end it is past.
    return text[start] == '-' ? lowest : highest;
  }
  if (error != std::errc() || !std::isfinite(value)) return fallback;
  return std::clamp(value, lowest, highest);
}

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
    const std::string_view text = loupe.view();
    const std::size_t comma = text.find(',');
    loupe_size = static_cast<int>(
        SettingNumber(text.substr(0, comma), kDefaultLoupeSize, kMinLoupeSize, kMaxLoupeSize));
    loupe_magnification = comma == text.npos
                              ? kDefaultLoupeMagnification
                              : SettingNumber(text.substr(comma + 1), kDefaultLoupeMagnification,
                                              kMinLoupeMagnification, kMaxLoupeMagnification);
  }
  if (bits & kOptionsUseCache) {
    bits &= ~kOptionsUseCache;
    dirty = true;
  }
  if (dirty) Save(settings);

  no_sparkle = static_cast<std::uint8_t>(settings.ReadNumber(kKeyNoSparkle));
  no_shadow = static_cast<std::uint8_t>(settings.ReadNumber(kKeyNoShadow));
  solid_shadow = static_cast<std::uint8_t>(settings.ReadNumber(kKeySolidShadow));
  forced_rotation = static_cast<int>(settings.ReadNumber(kKeyForceRotation));
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

std::uint32_t Options::DefaultGameFlags() const {
  std::uint32_t game_flags = 0;
  for (const auto& [option, flag] : kGameDefaults) {
    if (bits & option) game_flags |= flag;
  }
  return game_flags;
}

SheetChoices Options::PieceDrawing() const {
  return {.grey_outlines = (bits & kOptionsGreyShading) != 0,
          .force_pixel_turning = forced_rotation};
}

Options& ProgramOptions() {
  static Options options;
  return options;
}

}  // namespace cbst
