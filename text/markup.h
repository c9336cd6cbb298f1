// markup.h: the small rich-text markup of scrolling texts such as the
// credits: font, sound, pace and background directives, and items of
// coloured text, icons and bitmaps.
//
// Directives start with "\": "\fnt<d>:<face>,<size>[,BOLD]", "\snd:<file>",
// "\timerres:<ms>", "\bkclr:<r>,<g>,<b>". Fonts are numbered 0, 1, 2, ...
// in the order they are defined; the digit after "fnt" is not read. Items
// are in braces: "{RGB=<r>,<g>,<b> fnt=<n> <text>}", "{@icon:<n>}" and
// "{@bmp:<n>}". Anything else outside them is ignored; an unknown
// directive is skipped, and an item without its "}" runs to the end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cbst {

inline constexpr int kMarkupDefaultIntervalMs = 40;
inline constexpr std::uint32_t kMarkupDefaultBackground = 0x000000;  // black
inline constexpr std::uint32_t kMarkupDefaultTextColour = 0xFFFFFF;  // white

struct MarkupFont {
  std::string face;  // as written, Windows-1252
  int size = 0;      // pixels
  bool bold = false;
  friend bool operator==(const MarkupFont&, const MarkupFont&) = default;
};

enum class MarkupItemKind { kText, kIcon, kBitmap };

struct MarkupItem {
  MarkupItemKind kind = MarkupItemKind::kText;
  std::uint32_t colour = kMarkupDefaultTextColour;  // 0x00BBGGRR
  int font = 0;                                     // into Markup::fonts
  std::string text;                                 // Windows-1252, line breaks kept
  long picture = 0;                                 // which icon or bitmap
};

struct Markup {
  std::vector<MarkupFont> fonts;
  std::string sound;  // a wave file, empty for none
  int interval_ms = kMarkupDefaultIntervalMs;
  std::uint32_t background = kMarkupDefaultBackground;  // 0x00BBGGRR
  std::vector<MarkupItem> items;
};

Markup ParseMarkup(std::string_view markup);

}  // namespace cbst
