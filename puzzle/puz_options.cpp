// puz_options.cpp: the keys of a puzzle's option string.
#include "puzzle/puz_options.h"

#include <array>

#include "base/tokenizer.h"
#include "puzzle/puzzle_codes.h"

namespace cbst {
namespace {

struct FlagKey {
  const char* read_as;
  const char* written_as;
  std::uint32_t flag;
};

// In the order they are read; ScatterFull is read but never written.
constexpr std::array<FlagKey, 7> kFlagKeys = {{
    {"NoRotable", "/NoRotable", kOptionNoRotable},
    {"NoHelp", "/NoHelp", kOptionNoHelp},
    {"NoDeform", "/NoDeform", kOptionNoDeform},
    {"NoPreview", "/Nopreview", kOptionNoPreview},
    {"ImgFull", "/ImgFull", kOptionImgFull},
    {"ScatterFull", nullptr, kOptionScatterFull},
    {"NoReduceImg", "/NoReduceImg", kOptionNoReduceImg},
}};

// "rows#columns" of a Med key.
void ReadLevel(Puz& puz, int level, const std::string& value) {
  const std::size_t hash = value.find('#');
  const auto index = static_cast<std::size_t>(level);
  puz.level_rows[index] = static_cast<std::int16_t>(OptionNumber(value.substr(0, hash)));
  puz.level_columns[index] = static_cast<std::int16_t>(
      hash == std::string::npos ? 0 : OptionNumber(std::string_view(value).substr(hash + 1)));
}

void ReadOwnLevels(Puz& puz, OptionString& options) {
  for (int level = 0; level < kStoredLevels; ++level) {
    if (auto value = options.Take("Med" + std::to_string(level) + ":")) {
      ReadLevel(puz, level, *value);
    }
  }
  if (auto list = options.Take("Meds:")) {
    // Up to five row counts, one column each.
    int level = 0;
    for (const char* item = Token(nullptr, nullptr, ",", list->c_str());
         item && level < kStoredLevels; item = Token(nullptr, nullptr, ",", nullptr), ++level) {
      puz.level_rows[static_cast<std::size_t>(level)] =
          static_cast<std::int16_t>(OptionNumber(item));
      puz.level_columns[static_cast<std::size_t>(level)] = 1;
    }
  }
  const auto wanted = options.Take("WantPgmVersion:");
  RequiredProgramVersion() =
      wanted ? static_cast<std::uint16_t>(OptionNumber(*wanted)) : kDefaultRequiredVersion;
}

Status CheckMinimumScreen(const std::string& value, const ScreenFacts& screen) {
  const std::size_t x = value.find_first_of("xX");
  const int width = OptionNumber(value.substr(0, x));
  const int height = x == std::string::npos ? 0 : OptionNumber(value.substr(x + 1));
  if (width > screen.width || height > screen.height) {
    return Status(kStatusScreenTooSmall, value);
  }
  return Status();
}

}  // namespace

std::uint16_t& RequiredProgramVersion() {
  static std::uint16_t required = kWrittenRequiredVersion;
  return required;
}

Status ParseOptions(Puz& puz, OptionMode mode, OptionString& options, const ScreenFacts& screen) {
  if (auto value = options.Take("F:")) puz.picture_file = *value;
  if (auto value = options.Take("F16:")) puz.picture_file_16 = *value;
  if (auto value = options.Take("FP:")) puz.picture_file_p = *value;
  if (auto value = options.Take("Tmb:")) puz.thumbnail_file = *value;
  if (auto value = options.Take("BkClr:")) {
    puz.background = static_cast<std::uint32_t>(OptionNumber(*value));
  }
  if (screen.few_colours) puz.background = kLowColourBackground;
  if (auto value = options.Take("(c):")) puz.credit = *value;
  if (auto value = options.Take("Rndn:")) {
    const auto seed = static_cast<std::uint32_t>(OptionNumber(*value));
    (mode == OptionMode::kGame ? puz.game_seed : puz.puzzle_seed) = seed;
  }
  for (const FlagKey& key : kFlagKeys) {
    if (options.TakeFlag(key.read_as)) puz.option_flags |= key.flag;
  }
  if (auto value = options.Take("Tit:")) puz.title = *value;

  if (puz.state & kStateOwnLevels) {
    ReadOwnLevels(puz, options);
  } else {
    // The header reader has taken the levels already.
    for (int level = 0; level < kStoredLevels; ++level) {
      options.Take("Med" + std::to_string(level) + ":");
    }
  }

  if (mode == OptionMode::kPuzzle) {
    Status status;
    if (auto value = options.Take("MinRes:")) status = CheckMinimumScreen(*value, screen);
    if (options.TakeFlag("nocustom")) puz.size_flags |= kSizeNoCustom;
    return status;
  }
  return Status();
}

std::string ComposeOptions(const Puz& puz, OptionMode mode) {
  std::string text;
  const bool puzzle = mode == OptionMode::kPuzzle;
  if (puzzle) {
    for (int level = 0; level < kStoredLevels; ++level) {
      const auto index = static_cast<std::size_t>(level);
      if (puz.level_rows[index] == 0) continue;
      text += "/Med" + std::to_string(level) + ":" + std::to_string(puz.level_rows[index]) + "#" +
              std::to_string(puz.level_columns[index]);
    }
    if (!puz.credit.empty()) text += "/(c):" + puz.credit.str();
  }
  const std::uint32_t seed = puzzle ? puz.puzzle_seed : puz.game_seed;
  text += "/Rndn:" + std::to_string(static_cast<std::int32_t>(seed));
  text += "/BkClr:" + std::to_string(static_cast<std::int32_t>(puz.background));
  text += "/Tit:" + puz.title.str();
  for (const FlagKey& key : kFlagKeys) {
    if (key.written_as && puz.HasOption(key.flag)) text += key.written_as;
  }
  if (puzzle && (puz.size_flags & kSizeNoCustom)) text += "/NoCustom";
  return text;
}

}  // namespace cbst
