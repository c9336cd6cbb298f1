// colour_picker.h: the colour dialog.
#pragma once

#include <cstdint>

#include "platform/platform_window.h"

namespace cbst {

// Number of custom colours the dialog offers; they last for one call.
inline constexpr int kCustomColours = 16;

// Lets the player choose a colour (0x00BBGGRR), starting at `colour`, in a
// dialog owned by `owner`. Returns 1 with `colour` set to the choice, or 0
// and `colour` untouched when the player cancels.
int PickColour(const PlatformWindow* owner, std::uint32_t& colour);

}  // namespace cbst
