// field_value.cpp: values to and from the text of their field formats.
#include "base/field_value.h"

#include <charconv>
#include <cmath>
#include <string>

#include "base/date.h"
#include "base/numbers.h"

namespace cbst {
namespace {

double Scale(const FieldFormat& format) {
  return format.scale > 1 ? format.scale : 1.0;
}

// Digits with a thousands separator before every third from the right.
std::string Grouped(std::string_view digits, char separator) {
  std::string grouped;
  for (std::size_t at = 0; at < digits.size(); ++at) {
    if (at > 0 && (digits.size() - at) % kThousandsGroup == 0) grouped += separator;
    grouped += digits[at];
  }
  return grouped;
}

bool IsBlank(char character) {
  return character == ' ' || character == '\t';
}

}  // namespace

VString FormatValue(const FieldFormat& format, double value) {
  if (format.flags & kFormatDate)
    return VString(DateToText(static_cast<std::int32_t>(value), kDateTextShort));
  if (!(format.flags & kFormatNumeric)) return NumberToText(value);
  const double shown = value / Scale(format);
  if ((format.flags & kFormatZeroBlank) && shown == 0) return VString();
  // "%.*lf" with the format's decimals, then the separators put in.
  const VString fixed = DoubleToText(shown, format.decimals);
  std::string_view number = fixed.view();
  std::string text;
  if (!number.empty() && number.front() == '-') {
    text += '-';
    number.remove_prefix(1);
  }
  const std::size_t point = number.find('.');
  const std::string_view whole = number.substr(0, point);
  const Separators& separators = CurrentSeparators();
  text +=
      (format.flags & kFormatThousands) ? Grouped(whole, separators.thousands) : std::string(whole);
  if (point != std::string_view::npos) {
    text += separators.decimal;
    text += number.substr(point + 1);
  }
  return VString(std::string_view(text));
}

std::optional<double> ReadValue(const FieldFormat& format, std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  double shown = 0;
  if (!text.empty()) {
    const Separators& separators = CurrentSeparators();
    std::string plain;
    // Digits, a sign in front, the decimal separator and, when the format
    // groups digits, the thousands separator: nothing else is a number here.
    for (const char character : text) {
      if (character >= '0' && character <= '9') {
        plain += character;
      } else if (character == separators.decimal) {
        plain += '.';
      } else if (character == separators.thousands && (format.flags & kFormatThousands)) {
        continue;
      } else if ((character == '-' || character == '+') && plain.empty()) {
        if (character == '-') plain += character;
      } else {
        return std::nullopt;
      }
    }
    const char* last = plain.data() + plain.size();
    const auto [end, error] = std::from_chars(plain.data(), last, shown);
    if (error != std::errc() || end != last || !std::isfinite(shown)) return std::nullopt;
  }
  if (format.maximum > format.minimum && (shown < format.minimum || shown > format.maximum))
    return std::nullopt;
  if ((format.flags & kFormatNotZero) && shown == 0) return std::nullopt;
  return shown * Scale(format);
}

}  // namespace cbst
