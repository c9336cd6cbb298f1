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
  for (int byte = 0; byte < 256; ++byte) {
    every += static_cast<char>(byte);
    every += static_cast<char>(byte);
  }
  EXPECT_EQ(Unscramble(Scramble(every)), every);
  EXPECT_EQ(Scramble(Unscramble(every)), every);
  EXPECT_NE(Scramble(every), every);
}

class AboutText : public ::testing::Test {
 protected:
  void SetUp() override {
    dictionary_.set_directory(CBST_PROGRAM_DIR);
    ASSERT_EQ(dictionary_.Load("eng", kDictionaryTag, "eng").code(), 0);
  }
  static std::vector<std::string> TextsIn(const Markup& markup, std::uint32_t colour) {
    std::vector<std::string> texts;
    for (const MarkupItem& item : markup.items)
      if (item.kind == MarkupItemKind::kText && item.colour == colour) texts.push_back(item.text);
    return texts;
  }
  Traductor dictionary_;
};

TEST_F(AboutText, WithoutAGameTheProgramCreditsItself) {
  const Markup markup = ParseMarkup(AboutMarkup("2.3 (32bit)", std::nullopt));
  ASSERT_EQ(markup.fonts.size(), 5u);
  EXPECT_EQ(markup.fonts[0], (MarkupFont{"Times New Roman", 28, true}));
  EXPECT_EQ(markup.fonts[4], (MarkupFont{"MS Serif", 8, false}));
  EXPECT_EQ(markup.sound, "credits.wav");
  ASSERT_GE(markup.items.size(), 4u);
  EXPECT_EQ(markup.items[0].kind, MarkupItemKind::kIcon);
  EXPECT_EQ(markup.items[0].picture, kAboutIcon);
  EXPECT_EQ(markup.items[1].text, "Cobblestack");
  EXPECT_EQ(markup.items[1].font, 1);
  EXPECT_EQ(markup.items[2].text, "\n2.3 (32bit)\n");
  EXPECT_EQ(markup.items[2].font, 4);
  EXPECT_EQ(TextsIn(markup, kYellow).size(), 2u);
  EXPECT_EQ(markup.items[3].kind, MarkupItemKind::kIcon);
  EXPECT_EQ(markup.items[3].picture, kAboutSecondIcon);

  const std::vector<std::string> cyan = TextsIn(markup, kCyan);
  const auto has = [&](const std::string& text) {
    return std::find(cyan.begin(), cyan.end(), text) != cyan.end();
  };
  EXPECT_TRUE(has("Copyright \xA9 2026 the Cobblestack developers")) << "restored";
  EXPECT_TRUE(has("Written by the Cobblestack developers")) << "restored";
  for (int id : {kTextCreditsTranslator, kTextCreditsThanks, kTextCreditsHelp}) {
    ASSERT_STRNE(Text(id), "");
    EXPECT_TRUE(has(Text(id))) << id;
  }
  EXPECT_TRUE(std::any_of(cyan.begin(), cyan.end(), [](const std::string& text) {
    return text.find("libjpeg-turbo") != std::string::npos && text.find("Qt") != std::string::npos;
  }));
  EXPECT_TRUE(std::any_of(cyan.begin(), cyan.end(), [](const std::string& text) {
    return text.find("Aitzol Berasategi") != std::string::npos;
  }));
  EXPECT_TRUE(std::none_of(markup.items.begin(), markup.items.end(), [](const MarkupItem& item) {
    return item.kind == MarkupItemKind::kBitmap;
  }));
  EXPECT_TRUE(TextsIn(markup, kPaleCyan).empty());
}

TEST_F(AboutText, AGameAddsItsThumbnailTitleCreditAndTheJpegLine) {
  const Markup bmp = ParseMarkup(AboutMarkup("2.3", AboutGame{"Pond", "Photo: Ana", false}));
  const Markup jpeg = ParseMarkup(AboutMarkup("2.3", AboutGame{"Pond", "Photo: Ana", true}));
  EXPECT_TRUE(TextsIn(bmp, kPaleCyan).empty()) << "a picture not JPEG-coded";
  ASSERT_EQ(jpeg.items.size(), bmp.items.size() + 1);
  const std::size_t game = bmp.items.size() - 3;
  EXPECT_EQ(bmp.items[game].kind, MarkupItemKind::kBitmap);
  EXPECT_EQ(bmp.items[game].picture, kAboutThumbnail);
  EXPECT_EQ(bmp.items[game + 1].text, "Pond");
  EXPECT_EQ(bmp.items[game + 1].font, 3);
  EXPECT_EQ(bmp.items[game + 2].text, "Photo: Ana\n");
  EXPECT_EQ(bmp.items[game + 2].colour, kCyan);
  EXPECT_EQ(bmp.items[game + 2].font, 5);
  const MarkupItem& acknowledgement = jpeg.items.back();
  EXPECT_EQ(acknowledgement.colour, kPaleCyan);
  EXPECT_EQ(acknowledgement.font, 5);
  EXPECT_EQ(acknowledgement.text,
            "Decompression of the image based in part of the work of the\n"
            "Independent JPEG Group\n\n");
}

}  // namespace
}  // namespace cbst
