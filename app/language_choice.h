// language_choice.h: which language the program speaks at start.
#pragma once

#include <string>
#include <string_view>

namespace cbst {

// The languages the program ships, in the order the chooser lists them.
inline constexpr std::string_view kShippedLanguages = "eng,cas,cat,deu,fra,ita";
inline constexpr std::string_view kDefaultSystemLanguage = "eng";

// The system's language as the old platform named it ("enu", "esp",
// "cat", "deu", "nld", "fra", "ita"), from a locale name such as
// "es_ES.UTF-8"; empty for any other language.
std::string SystemLanguageOfLocale(std::string_view locale);
// A system language name mapped to one of the dictionary's codes.
std::string DictionaryLanguage(std::string_view system_language);
// The list handed to the dictionary: the system language first, then the
// shipped ones with the system language's code left empty there.
std::string LanguageList(std::string_view system_code);

}  // namespace cbst
