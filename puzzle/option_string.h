// option_string.h: the "/Key:value" items of puzzle files and saved games.
//
// Keys are matched without regard to case as prefixes of the text after a
// separator, so "/Nopreview" is read by "NoPreview" and "/NoHelpXYZ" by
// "NoHelp". Each item is consumed once: taking it removes it from the string.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cbst {

class OptionString {
 public:
  static constexpr std::string_view kSeparators = "/";

  explicit OptionString(std::string_view text, std::string_view separators = kSeparators)
      : text_(text), separators_(separators) {}

  // The value of the first item that starts with `key` (a leading separator
  // in the key is ignored), running up to the next separator; the item is
  // removed. Nothing when no item matches.
  std::optional<std::string> Take(std::string_view key);
  // Whether a flag item is present; it is removed.
  bool TakeFlag(std::string_view key) { return Take(key).has_value(); }

  // What no key has taken yet.
  const std::string& rest() const { return text_; }

 private:
  std::string text_;
  std::string separators_;
};

// A number as option strings write it: "0x" or "0X" hexadecimal, otherwise
// decimal truncated to an integer; 32 bits, wrapping as the files do.
std::int32_t OptionNumber(std::string_view value);

}  // namespace cbst
