// plural.h: the automatic plurals of Catalan and Castilian texts.
#pragma once

#include <string>
#include <string_view>

namespace cbst {

// `text` (Windows-1252) made plural by the rule of `language`, judged by its
// last character. Languages without a rule get the text unchanged.
std::string Plural(std::string_view language, std::string_view text);

}  // namespace cbst
