// about_text.cpp: composing the about text.
#include "app/about_text.h"

#include "text/traductor.h"

namespace cbst {
namespace {

constexpr std::uint8_t kEvenShift = 127;
constexpr std::uint8_t kOddShift = 1;

// The fonts, in the order the items below count them, and the music.
constexpr std::string_view kHeader =
    "\\fnt1:Times New Roman,28,BOLD\\fnt2:MS Sans Serif,15\\fnt3:MS Serif,14"
    "\\fnt4:MS Serif,13\\fnt5:MS Serif,8\\snd:credits.wav ";
constexpr std::string_view kCyan = "{RGB=0,255,255 fnt=2 ";
constexpr std::string_view kCyanSmall = "{RGB=0,255,255 fnt=3 ";
constexpr std::string_view kJpegLine =
    "{RGB=128,255,255 fnt=5 Decompression of the image based in part of the work of the\n"
    "Independent JPEG Group\n\n}";

// "Copyright (c) 2026 the Cobblestack developers" and "Written by the
// Cobblestack developers", as the program keeps them.
constexpr std::string_view kScrambledCopyright =
    "\xC4\x6E\xF1\x78\xF3\x68\xE8\x67\xF5\x1F\x2A\x1F\xB3\x2F\xB3\x35\xA1\x73\xE9\x64\xA1\x42"
    "\xF0\x61\xE3\x6B\xE6\x72\xF5\x60\xE4\x6A\xA1\x63\xE6\x75\xE6\x6B\xF0\x6F\xE6\x71\xF4";
constexpr std::string_view kScrambledAuthors =
    "\xD8\x71\xEA\x73\xF5\x64\xEF\x1F\xE3\x78\xA1\x73\xE9\x64\xA1\x42\xF0\x61\xE3\x6B\xE6\x72"
    "\xF5\x60\xE4\x6A\xA1\x63\xE6\x75\xE6\x6B\xF0\x6F\xE6\x71\xF4";
constexpr std::string_view kPlainCredits[] = {
    "Built on Qt and libjpeg-turbo",
    "Sample puzzles from photographs by\nAitzol Berasategi, Trevor \"Freespace\"\n"
    "and Clemens Engelhardt",
};

std::string Shifted(std::string_view text, int direction) {
  std::string shifted(text);
  for (std::size_t at = 0; at < shifted.size(); ++at) {
    const int shift = (at % 2 == 0 ? kEvenShift : kOddShift) * direction;
    shifted[at] = static_cast<char>(static_cast<std::uint8_t>(shifted[at]) + shift);
  }
  return shifted;
}

void AddItem(std::string& markup, std::string_view opening, std::string_view text) {
  markup += opening;
  markup += text;
  markup += '}';
}

}  // namespace

std::string Unscramble(std::string_view stored) {
  return Shifted(stored, 1);
}

std::string Scramble(std::string_view plain) {
  return Shifted(plain, -1);
}

std::string AboutMarkup(std::string_view version, const std::optional<AboutGame>& game) {
  std::string markup(kHeader);
  markup += "{@icon:" + std::to_string(kAboutIcon) + "}";
  markup += "{RGB=255,255,0 fnt=1 Cobblestack}";
  AddItem(markup, "{RGB=255,255,0 fnt=4 \n", std::string(version) + "\n");
  markup += "{@icon2:" + std::to_string(kAboutSecondIcon) + "}";
  AddItem(markup, kCyan, Unscramble(kScrambledCopyright));
  AddItem(markup, kCyan, Unscramble(kScrambledAuthors));
  for (std::string_view line : kPlainCredits)
    AddItem(markup, kCyan, line);
  for (int id : {kTextCreditsTranslator, kTextCreditsThanks, kTextCreditsHelp}) {
    const char* text = Text(id);
    AddItem(markup, kCyanSmall, text ? text : "");
  }
  if (game) {
    markup += "{@bmp:" + std::to_string(kAboutThumbnail) + "}";
    AddItem(markup, "{RGB=0,255,255 fnt=3 ", game->title);
    AddItem(markup, "{RGB=0,255,255,fnt=5 ", game->credit + "\n");
    markup += '\n';
    if (game->jpeg) markup += kJpegLine;
  }
  return markup;
}

}  // namespace cbst
