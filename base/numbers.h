// numbers.h: numbers to and from text in the program's few fixed forms.
//
// Conversion never fails and never stops the player with a message: text
// read from any file may hold anything. Unusable text converts to 0, and a
// number too large for its type is read as the nearest value the type holds. The forms do not
// depend on the C locale, which the toolkit may change.
#pragma once

#include <cstdint>

#include "base/vstring.h"

namespace cbst {

// Null gives 0. "0x" or "0X" starts a hexadecimal unsigned integer; anything
// else is a decimal number with optional leading blanks, sign, fraction and
// exponent, read up to the first character that does not fit.
double TextToDouble(const char* text);
// "0x" or "0X": hexadecimal, else decimal; null gives 0.
std::uint32_t TextToUnsigned(const char* text);

// With `decimals` digits after the point ("%.*lf"), or six for -1 ("%lf").
VString DoubleToText(double value, int decimals);
// The fewest decimals that read back as the same double, never with an
// exponent: 1234567 is "1234567", 0.1 is "0.1".
VString NumberToText(double value);
VString UnsignedToText(std::uint32_t value);                       // "%lu"
VString HexToText(std::uint32_t value, bool with_prefix = false);  // "%lX" / "0x%lX"

}  // namespace cbst
