// numbers.cpp: locale-independent number conversions.
#include "base/numbers.h"

#include <cfloat>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace cbst {
namespace {

bool HasHexPrefix(const char* text) {
  return text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

std::uint32_t ReadUnsigned(const char* text, int base) {
  const char* last = text + std::strlen(text);
  if (*text == '-') {
    // A negative number is below every unsigned one: the nearest is zero.
    return 0;
  }
  std::uint32_t value = 0;
  if (std::from_chars(text, last, value, base).ec == std::errc::result_out_of_range)
    return UINT32_MAX;
  return value;
}

// Whether the exponent of the decimal number that starts `text` is
// negative: then a number out of range is too small, not too large.
bool ExponentNegative(const char* text) {
  for (const char* at = text; *at; ++at) {
    if (*at == 'e' || *at == 'E') return at[1] == '-';
  }
  return false;
}

// Skips the leading blanks and a "+" the C library would accept; from_chars
// takes neither.
const char* SkipToNumber(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
    ++text;
  if (*text == '+' && text[1] != '-') ++text;
  return text;
}

VString FromChars(const char* first, const char* last) {
  return VString(std::string_view(first, static_cast<std::size_t>(last - first)));
}

}  // namespace

double TextToDouble(const char* text) {
  if (!text) return 0.0;
  if (HasHexPrefix(text)) return ReadUnsigned(text + 2, 16);
  const char* number = SkipToNumber(text);
  double value = 0.0;
  if (std::from_chars(number, number + std::strlen(number), value).ec ==
      std::errc::result_out_of_range) {
    if (ExponentNegative(number)) return 0.0;
    return *number == '-' ? -DBL_MAX : DBL_MAX;
  }
  return value;
}

std::uint32_t TextToUnsigned(const char* text) {
  if (!text) return 0;
  if (HasHexPrefix(text)) return ReadUnsigned(text + 2, 16);
  return ReadUnsigned(SkipToNumber(text), 10);
}

VString DoubleToText(double value, int decimals) {
  char text[512];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                                          decimals < 0 ? 6 : decimals);
  if (error != std::errc()) return VString("0");
  return FromChars(text, end);
}

VString NumberToText(double value) {
  char text[512];
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  if (error != std::errc()) return VString("0");
  return FromChars(text, end);
}

VString UnsignedToText(std::uint32_t value) {
  char text[16];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return FromChars(text, result.ptr);
}

VString HexToText(std::uint32_t value, bool with_prefix) {
  char text[16] = "0x";
  char* first = with_prefix ? text + 2 : text;
  char* last = std::to_chars(first, text + sizeof text, value, 16).ptr;
  for (char* at = first; at < last; ++at) {
    if (*at >= 'a' && *at <= 'f') *at = static_cast<char>(*at - 'a' + 'A');
  }
  return FromChars(text, last);
}

}  // namespace cbst
