// clock.cpp: the millisecond clock over the system's steady clock.
#include "platform/clock.h"

#include <chrono>

namespace cbst {

std::uint32_t TickCount() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace cbst
