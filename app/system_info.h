// system_info.h: the system-information report of the special options
// window, which a player pastes into a message when pieces look wrong.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/display.h"

namespace cbst {

// The settings file beside the program, whose lines end the report.
inline constexpr char kSettingsFileName[] = "cbst.ini";

struct Puz;

// What the report says. Values the platform has no equivalent for stay 0.
struct SystemFacts {
  std::string identity;          // the program's name and version
  std::string platform_version;  // the kernel's version
  int processor = 0;
  // A bitmap like the table's.
  int bits_per_pixel = 0;
  int planes = 1;
  int width_bytes = 0;
  // The piece masks' bits per pixel, while a puzzle is open.
  std::optional<int> mask_bits;
  DisplayFacts display;
  // The screen's pixel layout, when the program draws straight into it.
  bool other_bitmap_method = false;
  std::uint32_t masks[3] = {};
  int shifts[3] = {};
  std::vector<std::string> settings_lines;
};

// The report, lines ending in CR LF.
std::string SystemReport(const SystemFacts& facts);

// The facts of this system: `table_width` for the bitmap like the table's,
// `puz` for the masks, the settings file's lines from `settings_path`.
SystemFacts GatherSystemFacts(std::string identity, int table_width, const Puz* puz,
                              bool other_bitmap_method, const std::string& settings_path);

}  // namespace cbst
