// display.h: what the display offers, as the graphics layer asks for it.
//
// Today's displays are true colour at 32 bits. So that the program's paths
// for older displays keep running, a simulated display can be asked for with
// the environment variable CBST_DISPLAY or the start-up option --display=:
//
//   16      palette-based, 16 colours
//   256     palette-based, 256 colours of which 20 are reserved
//   15      16 bits a pixel, 5-5-5, without bit fields
//   16bpp   16 bits a pixel, 5-6-5 bit fields
//   24      24 bits a pixel
//   32      32 bits a pixel (the default)
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace cbst {

inline constexpr char kDisplayVariable[] = "CBST_DISPLAY";

struct DisplayFacts {
  int bit_count = 32;
  bool palette_based = false;
  int palette_size = 0;      // colours of the hardware palette
  int reserved_colours = 0;  // palette entries the system keeps for itself
  bool bit_fields = false;   // masks below are the display's own
  std::uint32_t red_mask = 0;
  std::uint32_t green_mask = 0;
  std::uint32_t blue_mask = 0;
  int width = 0;  // screen size in device pixels
  int height = 0;

  int Colours() const { return palette_based ? palette_size : 0; }
};

// The facts of one simulated display name, or none for an unknown name.
std::optional<DisplayFacts> SimulatedDisplay(std::string_view name);

// Makes `name` the display from now on (the --display= option); false, and
// nothing changed, for an unknown name.
bool SelectSimulatedDisplay(std::string_view name);

// Device pixels to one logical pixel on the primary screen: 1 without the
// toolkit. The table counts in device pixels; what is not picture there
// (a box's square, the tack, a caption's font) is drawn this many times
// larger so that it keeps its size on the screen.
double ScreenPixelRatio();
// `logical` pixels of such things in the table's device pixels.
int ChromePixels(int logical);

// The display: the one selected, else CBST_DISPLAY's, else true colour at
// 32 bits. The size is the primary screen's when the toolkit runs, in its
// device pixels.
DisplayFacts QueryDisplay();

}  // namespace cbst
