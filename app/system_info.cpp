// system_info.cpp: the system-information report.
#include "app/system_info.h"

#include <algorithm>
#include <fstream>
#include <memory>

#include "gfx/bmp_mem.h"
#include "gfx/display_format.h"
#include "platform/system_version.h"
#include "puzzle/puz.h"

namespace cbst {
namespace {

constexpr char kNewLine[] = "\r\n";
constexpr int kRuleLength = 30;

}  // namespace

std::string SystemReport(const SystemFacts& facts) {
  std::string text = "Pgm:" + facts.identity;
  text += "\r\nWinVersion:" + facts.platform_version;
  text += "\r\nSysInfo-Processor:" + std::to_string(facts.processor);
  text += kNewLine;
  text += "\r\nBmpWMain: bitspixel=" + std::to_string(facts.bits_per_pixel);
  text += "\r\nplanes=" + std::to_string(facts.planes);
  text += "\r\nwidthbytes=" + std::to_string(facts.width_bytes);
  if (facts.mask_bits) text += "\r\nBmpMask=" + std::to_string(*facts.mask_bits);
  text += "\r\n\r\n";
  const DisplayFacts& display = facts.display;
  // The device capabilities a display driver would report; the toolkit
  // has no technology, clipping, curve, line, text or raster codes.
  const std::pair<const char*, int> capabilities[] = {
      {"Technol", 0},
      {"HRes:", display.width},
      {"VRes:", display.height},
      {"BitsPix", display.bit_count},
      {"Planes", 1},
      {"Clip", 0},
      {"NumColors", display.Colours()},
      {"Sizepal", display.palette_size},
      {"Numres", display.reserved_colours},
      {"Colorres", 0},
      {"Rastercaps", 0},
      {"Curve", 0},
      {"Line", 0},
      {"Text", 0},
  };
  for (const auto& [name, value] : capabilities)
    text += std::string(name) + ":" + std::to_string(value) + kNewLine;
  if (!facts.other_bitmap_method) {
    text += "\r\nXMaskScreen:" + std::to_string(facts.masks[0]) + "," +
            std::to_string(facts.masks[1]) + "," + std::to_string(facts.masks[2]);
    text += "\r\nLShift:" + std::to_string(facts.shifts[0]) + "," +
            std::to_string(facts.shifts[1]) + "," + std::to_string(facts.shifts[2]);
    text += kNewLine;
  } else {
    text += "No BmpMemX";
  }
  text += kNewLine + std::string(kRuleLength, '-') + kNewLine;
  text += std::string(kNewLine) + kSettingsFileName + " " + kNewLine;
  for (const std::string& line : facts.settings_lines)
    text += line + kNewLine;
  return text;
}

SystemFacts GatherSystemFacts(std::string identity, int table_width, const Puz* puz,
                              bool other_bitmap_method, const std::string& settings_path) {
  SystemFacts facts;
  facts.identity = std::move(identity);
  facts.platform_version = PlatformVersion();
  facts.display = QueryDisplay();
  const std::unique_ptr<BmpMem> like_table = MakeBmpMem(std::max(1, table_width), 1);
  if (like_table) {
    const PixelView view = like_table->pixels();
    facts.bits_per_pixel = view.bit_count;
    facts.width_bytes = static_cast<int>(view.stride);
  }
  if (puz && puz->sheets.mask) facts.mask_bits = puz->sheets.mask->pixels().bit_count;
  facts.other_bitmap_method = other_bitmap_method;
  const DisplayFormat& format = CurrentDisplayFormat();
  facts.masks[0] = format.red.mask;
  facts.masks[1] = format.green.mask;
  facts.masks[2] = format.blue.mask;
  facts.shifts[0] = format.RedShift();
  facts.shifts[1] = format.GreenShift();
  facts.shifts[2] = format.BlueShift();
  std::ifstream file(settings_path);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    facts.settings_lines.push_back(line);
  }
  return facts;
}

}  // namespace cbst
