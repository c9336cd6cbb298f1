// option_string.cpp: finding, reading and consuming option items.
#include "puzzle/option_string.h"

#include <cctype>
#include <cmath>

#include "base/numbers.h"

namespace cbst {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t at = 0; at < prefix.size(); ++at) {
    if (std::tolower(static_cast<unsigned char>(text[at])) !=
        std::tolower(static_cast<unsigned char>(prefix[at]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::string> OptionString::Take(std::string_view key) {
  if (!key.empty() && separators_.find(key.front()) != std::string::npos) key.remove_prefix(1);
  for (std::size_t item = text_.find_first_of(separators_); item != std::string::npos;
       item = text_.find_first_of(separators_, item + 1)) {
    const std::size_t body = item + 1;
    if (!StartsWithIgnoringCase(std::string_view(text_).substr(body), key)) continue;
    const std::size_t value = body + key.size();
    std::size_t end = text_.find_first_of(separators_, value);
    if (end == std::string::npos) end = text_.size();
    std::string result = text_.substr(value, end - value);
    text_.erase(item, end - item);
    return result;
  }
  return std::nullopt;
}

std::int32_t OptionNumber(std::string_view value) {
  const std::string text(value);
  const double number = std::trunc(TextToDouble(text.c_str()));
  if (!std::isfinite(number)) return 0;
  // Wrap into 32 bits the way the files store seeds and colours.
  const double wrapped = std::fmod(number, 4294967296.0);
  const auto bits = static_cast<std::uint32_t>(static_cast<std::int64_t>(wrapped));
  return static_cast<std::int32_t>(bits);
}

}  // namespace cbst
