// plural.cpp: plurals by the last letter, in Windows-1252.
#include "text/plural.h"

namespace cbst {
namespace {

// Catalan: a final a or e (with any accent) becomes "es"; o and u take "ns".
constexpr std::string_view kCatalanToEs = "AaEe\xe1\xc1\xc0\xe0\xc9\xe9\xc8\xe8";  // áÁÀàÉéÈè
constexpr std::string_view kCatalanTakesNs = "OoUu\xd3\xd2\xf2\xd9\xf9\xda\xfa";  // ÓÒòÙùÚú
// Castilian: a vowel (with or without its accent) takes "s", anything else "es".
constexpr std::string_view kCastilianVowels = "AaEeIiOoUu\xc1\xe1\xc9\xe9\xcd\xed\xd3\xf3\xda\xfa";

bool SameLanguage(std::string_view language, std::string_view code) {
  if (language.size() != code.size()) return false;
  for (std::size_t i = 0; i < code.size(); ++i)
    if ((language[i] | 0x20) != code[i]) return false;
  return true;
}

}  // namespace

std::string Plural(std::string_view language, std::string_view text) {
  std::string plural(text);
  if (text.empty()) return plural;
  const char last = text.back();
  if (SameLanguage(language, "cat")) {
    if (kCatalanToEs.find(last) != std::string_view::npos) {
      plural.back() = 'e';
      plural += 's';
    } else if (kCatalanTakesNs.find(last) != std::string_view::npos) {
      plural += "ns";
    } else {
      plural += 's';
    }
  } else if (SameLanguage(language, "cas")) {
    plural += kCastilianVowels.find(last) != std::string_view::npos ? "s" : "es";
  }
  return plural;
}

}  // namespace cbst
