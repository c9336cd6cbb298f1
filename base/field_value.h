// field_value.h: a value shown as its field format says, and read back.
//
// Numbers show with the format's decimals and, if asked, thousands
// separators (the module-wide separators); a stored value is the shown one
// times the format's scale, so "#5.1*10" keeps tenths as whole numbers.
// Zero shows blank with "0=b"; "!0" refuses zero; Min/Max, when the maximum
// is above the minimum, bound what is read.
#pragma once

#include <optional>
#include <string_view>

#include "base/field_format.h"
#include "base/vstring.h"

namespace cbst {

// The text `format` shows for the stored `value`: a number, or for a date
// format the date (kDateTextShort) of the day number. A format of no kind
// shows the number at full precision (NumberToText).
VString FormatValue(const FieldFormat& format, double value);

// The stored value of a text shown or typed in `format`'s field, or none
// when the text is not such a number, or is outside the limits. Blank text
// is zero.
std::optional<double> ReadValue(const FieldFormat& format, std::string_view text);

}  // namespace cbst
