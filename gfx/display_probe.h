// display_probe.h: choosing the rendering mode from what the display offers.
#pragma once

namespace cbst {

// Fills CurrentDisplayFormat() from the display (simulated or real): its
// pixel layout, and mode 2 (direct pixels) when the display has no palette,
// raster operations are not asked for (`keep_raster_ops`, the option bit
// 0x2000) and a self-test of direct pixel access passes; mode 1 otherwise.
// Run at start-up and after the display changes; bitmaps made earlier keep
// their format.
void ProbeDisplay(bool keep_raster_ops);

// The self-test on its own: two colours written directly and through a
// context, copied, and read back both ways.
bool DirectPixelsWork();

}  // namespace cbst
