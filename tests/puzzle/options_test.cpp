// options_test.cpp: option items and a puzzle's keys, read and written.
#include <gtest/gtest.h>

#include "puzzle/option_string.h"
#include "puzzle/puz_options.h"

namespace cbst {
namespace {

const ScreenFacts kScreen{1920, 1080, false};

TEST(OptionString, KeysArePrefixesWithoutRegardToCaseAndConsumedOnce) {
  OptionString options("/Nopreview/NoHelpXYZ/bkclr:12/BkClr:13/NoCustom");
  EXPECT_TRUE(options.TakeFlag("NoPreview"));
  EXPECT_FALSE(options.TakeFlag("NoPreview"));
  EXPECT_TRUE(options.TakeFlag("/NoHelp"));
  EXPECT_EQ(options.Take("BkClr:"), "12");
  EXPECT_EQ(options.Take("BkClr:"), "13");
  EXPECT_FALSE(options.Take("BkClr:"));
  EXPECT_TRUE(options.TakeFlag("nocustom"));
  EXPECT_EQ(options.rest(), "");
}

TEST(OptionString, SeparatorsDecideWhereAValueEnds) {
  OptionString header("/Tit:Mont-Blanc/NoRotable", "/-");
  EXPECT_EQ(header.Take("Tit:"), "Mont");
  EXPECT_EQ(header.rest(), "-Blanc/NoRotable");
  OptionString play("/Tit:Mont-Blanc/NoRotable");
  EXPECT_EQ(play.Take("Tit:"), "Mont-Blanc");
  EXPECT_EQ(OptionString("Tit:no separator before").Take("Tit:"), std::nullopt);
  EXPECT_EQ(OptionString("/(c):").Take("(c):"), "");
}

TEST(OptionString, NumbersAreHexOrTruncatedDecimalIn32Bits) {
  EXPECT_EQ(OptionNumber("0x1F"), 31);
  EXPECT_EQ(OptionNumber("0XC0C0C0"), 0xC0C0C0);
  EXPECT_EQ(OptionNumber("12.9"), 12);
  EXPECT_EQ(OptionNumber("-5.7"), -5);
  EXPECT_EQ(OptionNumber("4294967295"), -1);
  EXPECT_EQ(OptionNumber("0xFFFFFFFF"), -1);
  EXPECT_EQ(OptionNumber("garbage"), 0);
}

Puz MadePuzzle() {
  Puz puz;
  puz.state = kStateOwnLevels;
  puz.level_rows = {4, 8, 0, 20, 0, 0};
  puz.level_columns = {6, 12, 0, 30, 0, 0};
  puz.credit = "Photo: A. Person";
  puz.puzzle_seed = 0xDEADBEEF;
  puz.background = 0x00336699;
  puz.title = "Caf\xe9 terrace";
  puz.option_flags = kOptionNoRotable | kOptionNoPreview | kOptionImgFull | kOptionNoReduceImg;
  puz.size_flags = kSizeNoCustom;
  return puz;
}

TEST(PuzOptions, PuzzleModeWritesInTheWritersOrderAndReadsBack) {
  const Puz made = MadePuzzle();
  const std::string text = ComposeOptions(made, OptionMode::kPuzzle);
  EXPECT_EQ(text,
            "/Med0:4#6/Med1:8#12/Med3:20#30/(c):Photo: A. Person/Rndn:-559038737"
            "/BkClr:3368601/Tit:Caf\xe9 terrace/NoRotable/Nopreview/ImgFull/NoReduceImg/NoCustom");

  Puz read;
  read.state = kStateOwnLevels;
  OptionString options(text);
  EXPECT_EQ(ParseOptions(read, OptionMode::kPuzzle, options, kScreen).code(), 0);
  EXPECT_EQ(read.level_rows, made.level_rows);
  EXPECT_EQ(read.level_columns, made.level_columns);
  EXPECT_EQ(read.credit, made.credit);
  EXPECT_EQ(read.puzzle_seed, made.puzzle_seed);
  EXPECT_EQ(read.background, made.background);
  EXPECT_EQ(read.title, made.title);
  EXPECT_EQ(read.option_flags, made.option_flags);
  EXPECT_EQ(read.size_flags, kSizeNoCustom);
  EXPECT_EQ(options.rest(), "");
  EXPECT_EQ(read.DefinedLevels(), 2);
}

TEST(PuzOptions, PlayingLeavesTheLevelsToTheHeaderReader) {
  Puz puz;
  puz.level_rows[0] = 3;
  OptionString options("/Med0:9#9/Meds:1,2/ScatterFull/F:picture.jpg/Extra");
  EXPECT_EQ(ParseOptions(puz, OptionMode::kPuzzle, options, kScreen).code(), 0);
  EXPECT_EQ(puz.level_rows[0], 3);
  EXPECT_EQ(puz.picture_file, "picture.jpg");
  EXPECT_TRUE(puz.HasOption(kOptionScatterFull));
  EXPECT_EQ(options.rest(), "/Meds:1,2/Extra");
}

TEST(PuzOptions, AnOwnLevelListAndTheWantedProgramVersion) {
  Puz puz;
  puz.state = kStateOwnLevels;
  OptionString options("/Meds:10,20,30,40,50,60/WantPgmVersion:180");
  ParseOptions(puz, OptionMode::kPuzzle, options, kScreen).MarkHandled();
  EXPECT_EQ(puz.level_rows, (std::array<std::int16_t, 6>{10, 20, 30, 40, 50, 0}));
  EXPECT_EQ(puz.level_columns, (std::array<std::int16_t, 6>{1, 1, 1, 1, 1, 0}));
  EXPECT_EQ(RequiredProgramVersion(), 180);
  OptionString without("/Meds:2");
  ParseOptions(puz, OptionMode::kPuzzle, without, kScreen).MarkHandled();
  EXPECT_EQ(RequiredProgramVersion(), kDefaultRequiredVersion);
  RequiredProgramVersion() = kWrittenRequiredVersion;
}

TEST(PuzOptions, TheScreenDecidesMinimumSizeAndBackground) {
  Puz puz;
  OptionString too_wide("/MinRes:2560x1080/BkClr:255");
  Status status = ParseOptions(puz, OptionMode::kPuzzle, too_wide, kScreen);
  EXPECT_EQ(status.code(), kStatusScreenTooSmall);
  EXPECT_EQ(status.text(), "2560x1080");
  EXPECT_EQ(puz.background, 255u);

  OptionString fits("/MinRes:1920x1080/BkClr:255");
  EXPECT_EQ(ParseOptions(puz, OptionMode::kPuzzle, fits, {1920, 1080, true}).code(), 0);
  EXPECT_EQ(puz.background, kLowColourBackground);
}

TEST(PuzOptions, GameModeCarriesTheGameSeedAndLeavesSavedGameKeys) {
  Puz game = MadePuzzle();
  game.game_seed = 77;
  const std::string text = ComposeOptions(game, OptionMode::kGame);
  EXPECT_EQ(text,
            "/Rndn:77/BkClr:3368601/Tit:Caf\xe9 terrace/NoRotable/Nopreview/ImgFull"
            "/NoReduceImg");

  Puz resumed;
  OptionString options(text + "/Vers:230/VersMakePieza:220");
  EXPECT_EQ(ParseOptions(resumed, OptionMode::kGame, options, kScreen).code(), 0);
  EXPECT_EQ(resumed.game_seed, 77u);
  EXPECT_EQ(resumed.puzzle_seed, 0u);
  EXPECT_EQ(options.rest(), "/Vers:230/VersMakePieza:220");
}

}  // namespace
}  // namespace cbst
