// credits_window_test.cpp: the credits window's size, layout, scroll, music
// and closing, on a clock the tests move by hand.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "gfx/graphics_object.h"
#include "platform/platform_window_qt.h"
#include "platform/sound_player.h"
#include "support/pixel_blocks.h"
#include "support/test_application.h"
#include "text/wcredits.h"
#include "ui/application.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

// Time that passes only while the loop rests, with a look at the screen
// at each rest.
class HandClock final : public AnimationClock {
 public:
  std::int64_t NowMicroseconds() override { return now; }
  void Sleep(std::int64_t microseconds) override {
    now += microseconds;
    if (on_rest) on_rest(now / 1000);
  }
  std::int64_t now = 0;
  std::function<void(std::int64_t)> on_rest;
};

constexpr char kCredits[] =
    "\\fnt1:Times New Roman,28,BOLD\\fnt2:MS Sans Serif,15\\snd:credits.wav "
    "{@icon:1}{RGB=255,255,0 fnt=0 Cobblestack}"
    "{RGB=0,255,255 fnt=1 first line\nsecond line}{@bmp:4}{RGB=0,255,255 fnt=1 last}";

class CreditsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = application_.Make<Window>();
    ASSERT_TRUE(parent_->Create(nullptr, {0, 0, 800, 600}, "Table"));
  }
  CreditsPictures Pictures() {
    CreditsPictures pictures;
    pictures.icons[1] = LoadProgramIcon(kCreditsIconSize);
    pictures.bitmaps.emplace(4, Bmp(60, 40, 32));
    return pictures;
  }
  WCredits* Open(std::uint32_t flags, std::string_view markup, Window* parent) {
    auto* credits = application_.Make<WCredits>(flags, markup, Pictures());
    EXPECT_TRUE(credits->Open(parent));
    return credits;
  }
  static QImage Grab(WCredits* credits) {
    return WidgetOf(credits->platform_window())
        ->grab()
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
  }
  bool Gone(const Window* window) const { return !application_.Holds(window); }

  testing::TestApplication application_;
  Window* parent_ = nullptr;
  HandClock clock_;
};

TEST_F(CreditsWindowTest, ItemsAreCentredOneBelowTheOtherWithFourPixelGapsOverTheMiddle) {
  WCredits* credits = Open(0, kCredits, parent_);
  const Rect16 place = credits->WindowRect();
  EXPECT_EQ(place, (Rect16{220, 200, kCreditsWidth, kCreditsHeight})) << "over the middle";
  const Rect16 area = credits->text_area();
  const std::vector<Rect16>& items = credits->item_rects();
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].width, kCreditsIconSize);
  EXPECT_EQ(items[0].height, kCreditsIconSize);
  EXPECT_EQ(items[3].width, 60) << "a bitmap is as large as it is";
  EXPECT_EQ(items[3].height, 40);
  EXPECT_GT(items[2].height, items[4].height) << "two lines are taller than one";
  int top = 0;
  for (const Rect16& item : items) {
    EXPECT_EQ(item.y, top);
    EXPECT_LE(std::abs(item.x * 2 + item.width - area.width), 1) << "centred";
    top += item.height + kCreditsItemGap;
  }
  EXPECT_EQ(credits->total_height(), top);
  EXPECT_EQ(credits->scroll().offset(), kCreditsHeight / 2);

  // On a screen smaller than the window, the window takes the parent's size.
  Window* small = application_.Make<Window>();
  ASSERT_TRUE(small->Create(nullptr, {0, 0, 300, 150}, "Small"));
  EXPECT_EQ(Open(0, kCredits, small)->WindowRect(), (Rect16{0, 0, 300, 150}));
}

// On a screen that scales (the suite runs again with QT_SCALE_FACTOR=2),
// over a table that counts the screen's device pixels, the credits are
// drawn at those pixels: as large as on any screen, as fast, and sharp,
// not a picture of their logical size blown up into blocks of 2 x 2.
TEST_F(CreditsWindowTest, OnAScreenThatScalesTheCreditsKeepTheirSizeAndPaceAndAreSharp) {
  const double ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
  if (ratio == 1.0) GTEST_SKIP() << "the screen does not scale";
  Window* table = application_.Make<Window>();
  ASSERT_TRUE(table->Create(nullptr, {0, 0, 1600, 1200}, "Table", kStyleDevicePixels));
  WCredits* credits = Open(0, kCredits, table);
  EXPECT_EQ(credits->WindowRect().width, qRound(kCreditsWidth * ratio));
  EXPECT_EQ(credits->item_rects()[0].height, qRound(kCreditsIconSize * ratio));
  const QImage shown = Grab(credits);
  EXPECT_GT(testing::SplitBlocks(shown), 0);
  // A second of scrolling moves the text 25 logical pixels.
  std::optional<int> at_one, at_two;
  clock_.on_rest = [&](std::int64_t now_ms) {
    if (!at_one && now_ms >= 1000) at_one = credits->scroll().offset();
    if (at_two || now_ms < 2000) return;
    at_two = credits->scroll().offset();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(WidgetOf(credits->platform_window()), &key);
  };
  WCredits::Run(credits, clock_);
  ASSERT_TRUE(at_one && at_two);
  EXPECT_EQ(*at_one - *at_two, qRound(25 * ratio));
}

TEST_F(CreditsWindowTest, TheOldFacesFindInstalledFacesOfTheirKind) {
  const auto family = [](const char* face) {
    QFont font(face);
    font.setPixelSize(14);
    return QFontInfo(font).family();
  };
  EXPECT_NE(family("Times New Roman"), family("MS Sans Serif"));
  EXPECT_NE(family("MS Serif"), family("MS Sans Serif")) << family("MS Serif").toStdString();
}

TEST_F(CreditsWindowTest, TheContentScrollsUpTwentyFivePixelsASecondUntilAClick) {
  WCredits* credits = Open(0, kCredits, parent_);
  const Rect16 area = credits->text_area();
  std::optional<QImage> first, second;
  clock_.on_rest = [&](std::int64_t now_ms) {
    if (!first && now_ms >= 2000) first = Grab(credits);
    if (!second && now_ms >= 3000) {
      second = Grab(credits);
      // A click on the credits ends them.
      QWidget* widget = WidgetOf(credits->platform_window());
      QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(widget, &press);
    }
  };
  WCredits::Run(credits, clock_);
  EXPECT_TRUE(Gone(credits));
  ASSERT_TRUE(first && second);
  // Kept for a look by eye.
  first->save(QString::fromStdString((fs::temp_directory_path() / "credits-2s.png").string()));
  second->save(QString::fromStdString((fs::temp_directory_path() / "credits-3s.png").string()));
  EXPECT_NE(*first, *second);
  // A second later the same pixels stand 25 rows higher.
  constexpr int kRise = 25;
  const QRect band(area.x, area.y + kRise, area.width, area.height - kRise);
  EXPECT_EQ(first->copy(band), second->copy(band.translated(0, -kRise)));
}

TEST_F(CreditsWindowTest, AKeyClosesTheWindowAndTheMusicFontsAndBitmapsGo) {
  const fs::path directory = fs::temp_directory_path() / "cbst-credits-sound";
  fs::create_directories(directory);
  std::ofstream(directory / "credits.wav") << "RIFF";
  SoundPlayer sounds(directory.string());
  const auto show_and_close = [&] {
    auto* credits = application_.Make<WCredits>(0, kCredits, Pictures());
    ASSERT_TRUE(credits->Open(parent_, &sounds, directory.string()));
    EXPECT_EQ(sounds.last_started(), (directory / "credits.wav").string());
    clock_.on_rest = [&](std::int64_t now_ms) {
      if (now_ms < 500) return;  // some steps drawn first
      if (Gone(credits)) return;
      QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QCoreApplication::sendEvent(WidgetOf(credits->platform_window()), &key);
      // Its widget is still handling the key: the window goes afterwards.
      EXPECT_FALSE(Gone(credits));
    };
    EXPECT_EQ(WCredits::Run(credits, clock_), 0);
    EXPECT_TRUE(Gone(credits));
  };
  // The drawing code's own default tools, made once, are there after the
  // first showing; every later one leaves nothing behind.
  show_and_close();
  const int fonts = LiveCount(LiveKind::kFont);
  const int bitmaps = LiveCount(LiveKind::kBitmapHandle);
  show_and_close();
  EXPECT_EQ(sounds.sounds_started(), 2);
  EXPECT_EQ(LiveCount(LiveKind::kFont), fonts);
  EXPECT_EQ(LiveCount(LiveKind::kBitmapHandle), bitmaps);
  EXPECT_TRUE(application_.Holds(parent_));
  clock_.on_rest = nullptr;
  fs::remove_all(directory);
}

TEST_F(CreditsWindowTest, BothFlagsCloseTheWindowAfterOnePass) {
  WCredits* credits = Open(kCreditsOnce | kCreditsSelfClosing, kCredits, parent_);
  clock_.on_rest = [&](std::int64_t now_ms) {
    if (now_ms < 60000) return;
    ADD_FAILURE() << "still open after a minute";
    DestroyWindow(credits, 0);
  };
  WCredits::Run(credits, clock_);
  EXPECT_TRUE(Gone(credits));
}

}  // namespace
}  // namespace cbst
