// markup_test.cpp: reading the credits markup, and the pace of the credits'
// scroll on a clock the tests move by hand.
#include <gtest/gtest.h>

#include "text/credits_scroll.h"
#include "text/markup.h"

namespace cbst {
namespace {

constexpr char kDefinitions[] =
    "\\fnt1:Times New Roman,28,BOLD\\fnt2:MS Sans Serif,15\\fnt3:MS Serif,14"
    "\\fnt4:MS Serif,13\\fnt5:MS Serif,8\\snd:credits.wav ";

TEST(Markup, DefinitionsNumberFontsInTheirOrderAndSetTheSound) {
  const Markup markup = ParseMarkup(kDefinitions);
  const std::vector<MarkupFont> expected = {{"Times New Roman", 28, true},
                                            {"MS Sans Serif", 15, false},
                                            {"MS Serif", 14, false},
                                            {"MS Serif", 13, false},
                                            {"MS Serif", 8, false}};
  EXPECT_EQ(markup.fonts, expected);
  EXPECT_EQ(markup.sound, "credits.wav");
  EXPECT_EQ(markup.interval_ms, kMarkupDefaultIntervalMs);
  EXPECT_EQ(markup.background, kMarkupDefaultBackground);
  EXPECT_TRUE(markup.items.empty());
}

TEST(Markup, PaceBackgroundUnknownDirectivesAndAnOpenItem) {
  const Markup markup = ParseMarkup(
      "\\fnt7:Serif,10\\speed:9 \\timerres:25\\bkclr:10,20,30 {RGB=1,2,3 fnt=0 first}"
      "loose text {RGB=4,5,6 fnt=0 runs {to} the end");
  ASSERT_EQ(markup.fonts.size(), 1u);
  EXPECT_EQ(markup.interval_ms, 25);
  EXPECT_EQ(markup.background, 0x1E140Au);
  ASSERT_EQ(markup.items.size(), 2u) << "text outside items and unknown directives are skipped";
  EXPECT_EQ(markup.items[0].font, 0) << "fnt=0 is the first font, defined as fnt7";
  EXPECT_EQ(markup.items[0].text, "first");
  EXPECT_EQ(markup.items[1].colour, 0x060504u);
  EXPECT_EQ(markup.items[1].text, "runs {to");
  EXPECT_EQ(ParseMarkup("{RGB=4,5,6 fnt=2 no end").items.at(0).text, "no end");
  EXPECT_EQ(ParseMarkup("{@bmp:12").items.at(0).picture, 12);
  EXPECT_TRUE(ParseMarkup("").items.empty());
  EXPECT_TRUE(ParseMarkup("\\").fonts.empty());
}

// ---- the scroll's pace ----

TEST(CreditsScroll, FortyMillisecondsMoveTwentyFivePixelsASecondAndCatchUpTwoAtATime) {
  CreditsScroll scroll(200, 1000, 40, 0);
  scroll.Start(5000);
  EXPECT_EQ(scroll.offset(), 100) << "starts half way down";
  for (std::int64_t now = 5000; now <= 6000; ++now) {
    const int due = scroll.StepsDue(now);
    EXPECT_LE(due, 1) << "in time, one step at a time";
    for (int step = 0; step < due; ++step)
      ASSERT_TRUE(scroll.Step());
  }
  EXPECT_EQ(scroll.steps(), 25);
  EXPECT_EQ(scroll.offset(), 75);

  // A second without a look at the clock: caught up at most two a look.
  std::vector<int> catching_up;
  for (int look = 0; look < 20 && scroll.StepsDue(7000) > 0; ++look) {
    catching_up.push_back(scroll.StepsDue(7000));
    for (int step = 0; step < catching_up.back(); ++step)
      scroll.Step();
  }
  std::vector<int> expected(12, 2);
  expected.push_back(1);
  EXPECT_EQ(catching_up, expected) << "25 steps behind: 12 looks of 2, then 1";
  EXPECT_EQ(scroll.steps(), 50);
  EXPECT_EQ(scroll.StepsDue(7000), 0);
}

TEST(CreditsScroll, PassesRestartAtTheWindowHeightEvenWithNoContent) {
  CreditsScroll empty(200, 0, 40, 0);
  for (int step = 0; step < 100; ++step)
    ASSERT_TRUE(empty.Step());
  EXPECT_EQ(empty.offset(), 200) << "reaching 0 ends the first pass";
  EXPECT_EQ(empty.passes(), 1);
  for (int step = 0; step < 200; ++step)
    ASSERT_TRUE(empty.Step());
  EXPECT_EQ(empty.passes(), 2);

  CreditsScroll tall(200, 30, 40, 0);
  for (int step = 0; step < 129; ++step)
    tall.Step();
  EXPECT_EQ(tall.offset(), -29);
  EXPECT_EQ(tall.passes(), 0) << "one row still shows";
  tall.Step();
  EXPECT_EQ(tall.offset(), 200);
  EXPECT_EQ(tall.passes(), 1);
}

TEST(CreditsScroll, OnlyBothFlagsCloseAfterOnePass) {
  for (std::uint32_t flags : {0u, kCreditsOnce, kCreditsSelfClosing}) {
    CreditsScroll scroll(20, 0, 40, flags);
    for (int step = 0; step < 100; ++step)
      EXPECT_TRUE(scroll.Step()) << flags;
  }
  CreditsScroll once(20, 0, 40, kCreditsOnce | kCreditsSelfClosing);
  for (int step = 0; step < 10; ++step)
    ASSERT_TRUE(once.Step());
  EXPECT_EQ(once.passes(), 1);
  EXPECT_FALSE(once.Step()) << "the first step after the pass closes";
  EXPECT_EQ(once.offset(), 20);
}

TEST(CreditsScroll, NoIntervalTakesTheUsualPace) {
  CreditsScroll scroll(200, 0, 0, 0);
  scroll.Start(0);
  EXPECT_EQ(scroll.StepsDue(kMarkupDefaultIntervalMs), 1);
}

}  // namespace
}  // namespace cbst
