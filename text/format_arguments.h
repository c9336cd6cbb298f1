// format_arguments.h: the printf conversions a text expects, in order.
//
// Translated texts are formats: every language must ask for the same
// arguments in the same order, or a message would read the wrong values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cbst {

// Each conversion as written ("%s", "%5.1f", "%lu"); "%%" is no argument.
// A "%" that does not start a conversion comes back as the text up to where
// the conversion broke off, so that it never matches a real one.
std::vector<std::string> FormatConversions(std::string_view text);

}  // namespace cbst
