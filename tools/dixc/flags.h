// flags.h: the flag each dictionary carries for the language chooser,
// drawn here rather than kept as picture files.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "gfx/dib.h"

namespace cbst::dixc {

inline constexpr int kFlagWidth = 24;
inline constexpr int kFlagHeight = 16;

// The 24-bit flag of a language (eng, cas, cat, deu, fra, ita); false for
// a code without one.
bool DrawFlag(std::string_view language, Dib& flag);

// The BMP file image of a 24-bit Dib, as a dictionary file carries it.
std::vector<std::uint8_t> BmpFileImage(const Dib& picture);

}  // namespace cbst::dixc
