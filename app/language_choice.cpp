// language_choice.cpp: the system language and the dictionary's list.
#include "app/language_choice.h"

#include <array>
#include <utility>

namespace cbst {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kLocaleLanguages = {{
    {"en", "enu"},
    {"es", "esp"},
    {"ca", "cat"},
    {"de", "deu"},
    {"nl", "nld"},
    {"fr", "fra"},
    {"it", "ita"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kSystemLanguages = {{
    {"eng", "eng"},
    {"enu", "eng"},
    {"esp", "cas"},
    {"esn", "cas"},
    {"fra", "fra"},
    {"deu", "deu"},
    {"nld", "deu"},
    {"ita", "ita"},
    {"cat", "cat"},
}};

}  // namespace

std::string SystemLanguageOfLocale(std::string_view locale) {
  const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
  for (const auto& [prefix, name] : kLocaleLanguages) {
    if (language == prefix) return std::string(name);
  }
  return {};
}

std::string DictionaryLanguage(std::string_view system_language) {
  for (const auto& [name, code] : kSystemLanguages) {
    if (system_language == name) return std::string(code);
  }
  return std::string(kDefaultSystemLanguage);
}

std::string LanguageList(std::string_view system_code) {
  std::string list(system_code);
  std::string_view shipped = kShippedLanguages;
  while (!shipped.empty()) {
    const std::size_t comma = shipped.find(',');
    const std::string_view code = shipped.substr(0, comma);
    list += ',';
    if (code != system_code) list += code;
    shipped = comma == shipped.npos ? std::string_view() : shipped.substr(comma + 1);
  }
  return list;
}

}  // namespace cbst
