// about_text_test.cpp: the credits the About command composes, read back
// with the credits' own markup reader, and the scrambled credit lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/about_text.h"
#include "app/app_codes.h"
#include "text/markup.h"
#include "text/traductor.h"

namespace cbst {
namespace {

constexpr std::uint32_t kYellow = 0x00FFFF;  // 0x00BBGGRR
constexpr std::uint32_t kCyan = 0xFFFF00;
constexpr std::uint32_t kPaleCyan = 0xFFFF80;

TEST(Scrambling, EvenBytesMove127AndOddBytesOneBothWays) {
  EXPECT_EQ(Unscramble(std::string("\x00\x00\x81\xFF", 4)), std::string("\x7F\x01\x00\x00", 4));
  EXPECT_EQ(Scramble("Co"), "\xC4\x6E");
  std::string every;
  for (int byte = 0; byte < 256; ++byte)
    every += {static_cast<char>(byte), static_cast<char>(byte)};
  EXPECT_EQ(Unscramble(Scramble(every)), every);
  EXPECT_EQ(Scramble(Unscramble(every)), every);
}

TEST(AboutText, TheProgramCreditsItselfAndAGameAddsItsPictureTitleAndCredit) {
  Traductor dictionary;
  dictionary.set_directory(CBST_PROGRAM_DIR);
  ASSERT_EQ(dictionary.Load("eng", kDictionaryTag, "eng").code(), 0);
  const Markup alone = ParseMarkup(AboutMarkup("2.3 (32bit)", std::nullopt));
  ASSERT_EQ(alone.fonts.size(), 5u);
  EXPECT_EQ(alone.fonts[0], (MarkupFont{"Times New Roman", 28, true}));
  EXPECT_EQ(alone.fonts[4], (MarkupFont{"MS Serif", 8, false}));
  EXPECT_EQ(alone.sound, "credits.wav");
  ASSERT_GE(alone.items.size(), 4u);
  EXPECT_EQ(alone.items[0].kind, MarkupItemKind::kIcon);
  EXPECT_EQ(alone.items[1].text, "Cobblestack");
  EXPECT_EQ(alone.items[1].colour, kYellow);
  EXPECT_EQ(alone.items[1].font, 1);
  EXPECT_EQ(alone.items[2].text, "\n2.3 (32bit)\n");
  EXPECT_EQ(alone.items[2].font, 4);
  EXPECT_EQ(alone.items[3].kind, MarkupItemKind::kIcon) << "the second icon";
  EXPECT_EQ(alone.items[3].picture, kAboutSecondIcon);
  std::string cyan;
  for (const MarkupItem& item : alone.items) {
    EXPECT_NE(item.kind, MarkupItemKind::kBitmap) << "no game, no thumbnail";
    if (item.colour == kCyan) cyan += item.text + "|";
  }
  for (std::string line :
       {"Copyright \xA9 2026 the Cobblestack developers|", "Written by the Cobblestack developers|",
        "Qt and libjpeg-turbo", "Aitzol Berasategi", Text(kTextCreditsTranslator),
        Text(kTextCreditsThanks), Text(kTextCreditsHelp)})
    EXPECT_NE(cyan.find(line), std::string::npos) << line;

  const Markup bmp = ParseMarkup(AboutMarkup("2.3", AboutGame{"Pond", "Photo: Ana", false}));
  const Markup jpeg = ParseMarkup(AboutMarkup("2.3", AboutGame{"Pond", "Photo: Ana", true}));
  ASSERT_EQ(bmp.items.size(), alone.items.size() + 3);
  const MarkupItem* game = &bmp.items[alone.items.size()];
  EXPECT_EQ(game[0].kind, MarkupItemKind::kBitmap);
  EXPECT_EQ(game[0].picture, kAboutThumbnail);
  EXPECT_EQ(game[1].text, "Pond");
  EXPECT_EQ(game[1].font, 3);
  EXPECT_EQ(game[2].text, "Photo: Ana\n");
  EXPECT_EQ(game[2].colour, kCyan) << "a comma before the font";
  EXPECT_EQ(game[2].font, 5);
  ASSERT_EQ(jpeg.items.size(), bmp.items.size() + 1) << "only a JPEG picture is acknowledged";
  EXPECT_EQ(jpeg.items.back().colour, kPaleCyan);
  EXPECT_EQ(jpeg.items.back().text,
            "Decompression of the image based in part of the work of the\n"
            "Independent JPEG Group\n\n");
}

}  // namespace
}  // namespace cbst
