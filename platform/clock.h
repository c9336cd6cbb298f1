// clock.h: the program's millisecond clock.
#pragma once

#include <cstdint>

namespace cbst {

// Milliseconds on a clock that never goes back; it wraps after 49 days as
// the program's tick counts always have.
std::uint32_t TickCount();

}  // namespace cbst
